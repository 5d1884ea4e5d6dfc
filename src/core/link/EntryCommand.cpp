// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/EntryCommand.h"

#include "memlist/MemoryTable.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

namespace EntryCommand {

namespace {
// A line end inside a field would split the command on the receiver's side.
QString wireField(const QString &stored, int width)
{
    QString s = MemoryEntry::fixedWidth(stored, width);
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}
} // namespace

QString entryCommand(int n, const MemoryEntry &e)
{
    return QLatin1Char('S') + QString::number(n) + QLatin1Char(',') + QString::number(e.frequency)
        + QLatin1Char(',') + QString::number(e.bandwidth) + QLatin1Char(',')
        + QString::number(e.stereo) + QLatin1Char(',')
        + TextUtil::trimBlanks(wireField(e.pi, MemoryEntry::kPiWidth)) + QLatin1Char(',')
        + TextUtil::trimBlanksRight(wireField(e.name, MemoryEntry::kNameWidth))
        + QLatin1Char('\n');
}

MemoryEntry asReceived(const MemoryEntry &e, const Bands::Limits &limits)
{
    // The reply's memory line has the command's fields in the same order.
    const QString line = Win1252::decode(Win1252::encode(entryCommand(1, e)));
    return MemoryTable::entryFromRawLine(line.mid(1).chopped(1), limits);
}

bool sameOnReceiver(const MemoryEntry &a, const MemoryEntry &b, const Bands::Limits &limits)
{
    const MemoryEntry x = asReceived(a, limits);
    const MemoryEntry y = asReceived(b, limits);
    if (x.isEmpty() || y.isEmpty())
        return x.isEmpty() == y.isEmpty();
    return x == y;
}

} // namespace EntryCommand
