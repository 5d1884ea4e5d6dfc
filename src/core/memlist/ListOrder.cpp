// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/ListOrder.h"

#include <algorithm>
#include <numeric>

namespace ListOrder {

namespace {
template <typename Less>
QList<int> ordered(const QVector<MemoryEntry> &entries, Less less)
{
    QList<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const MemoryEntry &x = entries[a];
        const MemoryEntry &y = entries[b];
        if (x.isEmpty() || y.isEmpty())
            return !x.isEmpty() && y.isEmpty();
        return less(x, y);
    });
    return order;
}
} // namespace

QList<int> byFrequency(const QVector<MemoryEntry> &entries)
{
    return ordered(entries, [](const MemoryEntry &x, const MemoryEntry &y) { return x.frequency < y.frequency; });
}

QList<int> byName(const QVector<MemoryEntry> &entries)
{
    return ordered(entries, [](const MemoryEntry &x, const MemoryEntry &y) {
        const int byName = x.name.compare(y.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : x.frequency < y.frequency;
    });
}

QList<int> emptiesLast(const QVector<MemoryEntry> &entries)
{
    return ordered(entries, [](const MemoryEntry &, const MemoryEntry &) { return false; });
}

bool isUnchanged(const QList<int> &order)
{
    for (int i = 0; i < order.size(); ++i) {
        if (order[i] != i)
            return false;
    }
    return true;
}

QVector<MemoryEntry> applied(const QVector<MemoryEntry> &entries, const QList<int> &order)
{
    QVector<MemoryEntry> out;
    out.reserve(order.size());
    for (int old : order)
        out << entries[old];
    return out;
}

QList<int> inverted(const QList<int> &order)
{
    QList<int> back(order.size());
    for (int i = 0; i < order.size(); ++i)
        back[order[i]] = i;
    return back;
}

QList<int> blockMoved(int count, const QList<int> &rows, int by)
{
    QList<int> order(count, -1);
    if (!rows.isEmpty())
        by = qBound(-rows.first(), by, count - 1 - rows.last());
    for (int row : rows)
        order[row + by] = row;
    int free = 0;
    for (int row = 0; row < count; ++row) {
        if (rows.contains(row))
            continue;
        while (order[free] >= 0)
            ++free;
        order[free] = row;
    }
    return order;
}

} // namespace ListOrder
