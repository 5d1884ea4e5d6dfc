// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/Bands.h"
#include "memlist/MemoryEntry.h"

#include <QStringList>
#include <QVector>

// The memory channels 1..count with the state that gives them meaning. The
// table is the truth; the list on screen is a view of it.
class MemoryTable
{
public:
    static constexpr qint16 kDefaultCount = 99;

    qint16 memoryCount() const { return m_count; }
    void setMemoryCount(qint16 count) { m_count = count; }

    Bands::Limits &limits() { return m_limits; }
    const Bands::Limits &limits() const { return m_limits; }

    // Entries currently held (the count at the table's last sizing).
    int size() const { return static_cast<int>(m_entries.size()); }
    // Entry n, counted from 1.
    MemoryEntry &entry(int n) { return m_entries[n - 1]; }
    const MemoryEntry &entry(int n) const { return m_entries[n - 1]; }
    const QVector<MemoryEntry> &entries() const { return m_entries; }
    void setEntries(const QVector<MemoryEntry> &entries) { m_entries = entries; }

    // Size to the memory count and empty every entry.
    void clear();

    // Raw memory lines as a download hands them: index 0 is memory 1.
    QStringList &rawLines() { return m_raw; }
    const QStringList &rawLines() const { return m_raw; }

    // Build every entry from the raw memory lines (field rules of the
    // download reply; codes outside 0..255 are clamped).
    void buildFromRawLines();
    static MemoryEntry entryFromRawLine(const QString &raw, const Bands::Limits &limits);

    // List operations; positions counted from 1. They never change the size.
    void insertEmptyAt(int n, int count = 1);   // as many fall out at the end
    void deleteAt(const QList<int> &ns);        // as many empty ones come in at the end

private:
    qint16 m_count = kDefaultCount;
    Bands::Limits m_limits;
    QVector<MemoryEntry> m_entries = QVector<MemoryEntry>(kDefaultCount);
    QStringList m_raw;
};
