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

// Backups of one run: a failure is told once, as a backup never stops a transfer.
class Keeper
{
public:
    // Writes a backup; the sentence to tell when it failed for the first
    // time in this run, else "".
    QString write(const MemoryTable &table, const QString &what);

private:
    bool m_told = false;
};

} // namespace Backups
