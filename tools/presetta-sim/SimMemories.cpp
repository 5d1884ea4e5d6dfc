// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimMemories.h"

SimMemories::SimMemories(int count)
    : m_count(qMax(0, count))
{
}

void SimMemories::setCount(int count)
{
    m_count = qMax(0, count);
    while (!m_channels.isEmpty() && m_channels.lastKey() > m_count)
        m_channels.erase(std::prev(m_channels.end()));
}

bool SimMemories::set(int n, const SimChannel &channel)
{
    if (n < 1 || n > m_count)
        return false;
    if (channel.frequency <= 0)
        m_channels.remove(n);
    else
        m_channels.insert(n, channel);
    return true;
}
