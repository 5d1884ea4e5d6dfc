// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The receiver's reading of a number field: decimal digits only, no sign, no
// blanks; nine digits at most so the value always fits 32 bits.
namespace DecimalField {

std::optional<qint32> read(const QByteArray &field);

} // namespace DecimalField
