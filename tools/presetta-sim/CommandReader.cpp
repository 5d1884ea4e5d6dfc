// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandReader.h"

CommandReader::CommandReader(int maxLine)
    : m_maxLine(qMax(1, maxLine))
{
}

QList<QByteArray> CommandReader::feed(const QByteArray &bytes)
{
    QList<QByteArray> commands;
    for (const char c : bytes) {
        if (c == '\n') {
            if (!m_line.isEmpty())
                commands << m_line;
            m_line.clear();
        } else if (c == 's' && m_line.isEmpty()) {
            commands << QByteArrayLiteral("s");
        } else if (m_line.size() < m_maxLine) {
            m_line += c;
        } else {
            ++m_dropped;
        }
    }
    return commands;
}

void CommandReader::reset()
{
    m_line.clear();
    m_dropped = 0;
}
