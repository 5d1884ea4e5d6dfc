// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// Cuts the incoming byte stream into commands. "s" at the start of a line is
// the download request by itself; every other command runs up to LF (the LF
// is not part of it, a CR before it is). Empty lines are no commands. A line
// longer than the cap keeps its first `maxLine` bytes; the rest is dropped.
class CommandReader
{
public:
    static constexpr int kDefaultMaxLine = 4096;

    explicit CommandReader(int maxLine = kDefaultMaxLine);

    QList<QByteArray> feed(const QByteArray &bytes);
    void reset();

    // Bytes dropped from overlong lines since the last reset.
    qint64 droppedBytes() const { return m_dropped; }

private:
    int m_maxLine;
    QByteArray m_line;
    qint64 m_dropped = 0;
};
