// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimChannel.h"

#include <QList>
#include <QMap>

// The receiver's memory: channels 1..count, only the non-empty ones held.
class SimMemories
{
public:
    explicit SimMemories(int count = 99);

    int count() const { return m_count; }
    // Channels above a smaller count are forgotten.
    void setCount(int count);

    // The channel stored under n, or an empty one.
    SimChannel channel(int n) const { return m_channels.value(n); }
    // Stores under n (1..count); a frequency of 0 or less empties it.
    // False when n is outside the memory.
    bool set(int n, const SimChannel &channel);
    void clearAll() { m_channels.clear(); }

    // Numbers of the stored channels, ascending.
    QList<int> storedNumbers() const { return m_channels.keys(); }
    int storedCount() const { return static_cast<int>(m_channels.size()); }

private:
    int m_count;
    QMap<int, SimChannel> m_channels;
};
