// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/MemoryTable.h"

#include "text/NumberRule.h"
#include "text/TextUtil.h"

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

void MemoryTable::insertEmptyAt(int n, int count)
{
    const int total = size();
    m_entries.insert(n - 1, count, MemoryEntry());
    m_entries.resize(total);
}

void MemoryTable::deleteAt(const QList<int> &ns)
{
    QVector<MemoryEntry> kept;
    for (int n = 1; n <= size(); ++n) {
        if (!ns.contains(n))
            kept << entry(n);
    }
    kept.resize(size());
    m_entries = kept;
}
