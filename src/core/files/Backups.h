// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class MemoryTable;

// Copies of the list kept automatically around transfers, as memory files
// with the bytes Save writes, so a list overwritten by mistake comes back.
namespace Backups {

constexpr int kKept = 100;

// $XDG_DATA_HOME/presetta/backups (~/.local/share/presetta/backups when unset).
QString folder();

// Writes table as "<yyyy-MM-dd_HHmmss>_<what>.csv" (local time; from the
// second backup of the same second on "-2", "-3", ... before ".csv") and
// deletes all but the kKept made last.
// On failure false, with the reason in error.
bool write(const MemoryTable &table, const QString &what, QString *error = nullptr);

} // namespace Backups
