// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/EntryCommand.h"

#include "text/TextUtil.h"

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

bool sameOnReceiver(const MemoryEntry &a, const MemoryEntry &b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() == b.isEmpty();
    return entryCommand(1, a) == entryCommand(1, b);
}

} // namespace EntryCommand
