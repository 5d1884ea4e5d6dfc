// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortRecord.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// Ports the platform's list does not show (pseudo-terminals such as the
// receiver simulator's), named in the settings value \ExtraPorts: a list of
// texts (a single text is accepted too), each a device path optionally
// followed by "|" and a description.
namespace ExtraPorts {

struct Entry {
    QString path;
    QString description; // "" when none was given
};

// HKCU\Software\Norvane\Presetta\ExtraPorts
QString valuePath();

QList<Entry> parse(const QVariant &value);

// The record of an entry whose path is a terminal device now; none otherwise.
std::optional<PortRecord> recordFor(const Entry &entry);

} // namespace ExtraPorts
