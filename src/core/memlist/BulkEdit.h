// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryEntry.h"

#include <QList>
#include <QStringList>
#include <QVector>

// Bandwidth and stereo set on several channels at once. A choice is named by
// the item the editor's lists show for it ("8k", "AUTO", "OFF"), so one name
// means the same on every channel whose band offers it. Empty channels take
// no part.
namespace BulkEdit {

struct Choices {
    QStringList bandwidths;   // of the bands among the channels, ascending (AUTO first)
    QStringList stereos;      // when one of them is FM
};
Choices offered(const QVector<MemoryEntry> &entries, const QList<int> &rows);

struct Result {
    QVector<MemoryEntry> entries;
    QList<int> changed;   // rows whose entry is not what it was
    int refused = 0;      // channels that kept their bandwidth, as their band does not offer it
};
// An empty choice leaves that field as each channel has it. Stereo goes to
// the channels that have it (FM); the others have none to set.
Result applied(const QVector<MemoryEntry> &entries, const QList<int> &rows, const QString &bandwidth,
               const QString &stereo);

} // namespace BulkEdit
