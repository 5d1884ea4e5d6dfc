// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Bytes as readable text for the log: printable ASCII stays, backslash and
// everything else become escapes (\r, \n, \t, \0, \\, \xNN).
namespace VisibleBytes {

QByteArray visible(const QByteArray &bytes);

} // namespace VisibleBytes
