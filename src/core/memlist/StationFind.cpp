// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/StationFind.h"

#include "memlist/LineFormat.h"
#include "text/TextUtil.h"

#include <functional>

namespace StationFind {

namespace {

// The first channel from `first` on, a step at a time round the list, that `wanted` takes.
int scan(const QVector<MemoryEntry> &entries, int first, int step,
         const std::function<bool(const MemoryEntry &)> &wanted)
{
    const int size = static_cast<int>(entries.size());
    for (int i = 0; i < size; ++i) {
        const int row = ((first + i * step) % size + size) % size;
        if (!entries[row].isEmpty() && wanted(entries[row]))
            return row;
    }
    return -1;
}

} // namespace

bool nameBegins(const MemoryEntry &e, const QString &typed)
{
    return TextUtil::trimBlanks(e.name).startsWith(typed, Qt::CaseInsensitive);
}

bool holds(const MemoryEntry &e, const QString &text)
{
    const QString t = TextUtil::trimBlanks(text);
    if (t.isEmpty())
        return false;
    // An AM line shows no PI.
    const bool piShown = e.band != 0;
    return e.name.contains(t, Qt::CaseInsensitive) || (piShown && e.pi.contains(t, Qt::CaseInsensitive))
        || LineFormat::frequencyColumn(e.frequency).contains(t) || QString::number(e.frequency).contains(t);
}

int find(const QVector<MemoryEntry> &entries, int from, const QString &text, Direction direction)
{
    const int step = direction == Direction::Next ? 1 : -1;
    const int first = from >= 0 ? from + step : (step > 0 ? 0 : static_cast<int>(entries.size()) - 1);
    return scan(entries, first, step, [&text](const MemoryEntry &e) { return holds(e, text); });
}

int byTyping(const QVector<MemoryEntry> &entries, int current, const QString &typed)
{
    if (typed.isEmpty())
        return -1;
    const QString letter = typed.left(1);
    const bool oneLetter = typed.compare(QString(typed.size(), letter.front()), Qt::CaseInsensitive) == 0;
    const int from = qMax(0, current);
    if (oneLetter)
        return scan(entries, current >= 0 ? from + 1 : 0, 1, [&letter](const MemoryEntry &e) { return nameBegins(e, letter); });
    return scan(entries, from, 1, [&typed](const MemoryEntry &e) { return nameBegins(e, typed); });
}

} // namespace StationFind
