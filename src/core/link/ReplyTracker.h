// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitArray>
#include <QString>

// Follows a download reply as it arrives and tells when it is whole: an "m:"
// line and, after it, a memory line for every number 1..count, each ended by
// its line end. A later "m:" line starts the count afresh, as it empties the
// memory lines of the reply.
class ReplyTracker
{
public:
    void add(QStringView chunk);
    bool isWhole() const { return m_count > 0 && m_missing == 0; }

private:
    void line(QStringView text);

    QString m_partial;   // the line still waiting for its LF
    int m_count = 0;
    int m_missing = 0;
    QBitArray m_seen;
};
