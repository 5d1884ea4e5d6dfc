// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/MemoryTable.h"

#include "text/NumberRule.h"
#include "text/TextUtil.h"

#include <utility>

void MemoryTable::clear()
{
    m_entries = QVector<MemoryEntry>(qMax<int>(0, m_count));
}

MemoryEntry MemoryTable::entryFromRawLine(const QString &raw, const Bands::Limits &limits)
{
    MemoryEntry e;
    const QStringList f = raw.isEmpty() ? QStringList() : raw.split(QLatin1Char(','));
    e.frequency = f.size() >= 2 ? NumberRule::read<qint32>(f[1]) : 0;
    e.band = Bands::bandOfReceived(e.frequency, limits);
    e.bandwidth = f.size() >= 3 ? NumberRule::read<quint8>(f[2]) : 0;
    e.stereo = f.size() >= 4 ? NumberRule::read<quint8>(f[3]) : 0;
    if (f.size() >= 5)
        e.pi = (QStringLiteral("    ") + TextUtil::trimBlanks(f[4])).right(MemoryEntry::kPiWidth);
    else
        e.pi = QStringLiteral("0000");
    e.pi = MemoryEntry::fixedWidth(e.pi, MemoryEntry::kPiWidth);
    e.setName(f.size() >= 6 ? f[5] : QString());
    return e;
}

void MemoryTable::buildFromRawLines()
{
    m_entries.resize(qMax<int>(0, m_count));
    for (int n = 1; n <= size(); ++n)
        entry(n) = entryFromRawLine(n - 1 < m_raw.size() ? m_raw[n - 1] : QString(), m_limits);
}

void MemoryTable::swapEntries(int a, int b)
{
    std::swap(entry(a), entry(b));
}

void MemoryTable::insertEmptyAt(int n)
{
    for (int k = size() - 1; k >= n; --k)
        entry(k + 1) = entry(k);
    entry(n) = MemoryEntry();
}

void MemoryTable::deleteAt(int n)
{
    for (int k = n; k <= size() - 1; ++k)
        entry(k) = entry(k + 1);
    entry(size()) = MemoryEntry();
}
