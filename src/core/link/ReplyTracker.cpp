// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ReplyTracker.h"

#include "link/DownloadReply.h"

void ReplyTracker::add(QStringView chunk)
{
    for (;;) {
        const qsizetype lf = chunk.indexOf(QLatin1Char('\n'));
        if (lf < 0) {
            m_partial += chunk;
            return;
        }
        m_partial += chunk.left(lf);
        m_partial.remove(QLatin1Char('\r'));
        line(m_partial);
        m_partial.clear();
        chunk = chunk.mid(lf + 1);
    }
}

void ReplyTracker::line(QStringView text)
{
    if (text.startsWith(QLatin1String("m:"))) {
        if (const auto m = DownloadReply::memoryCount(text.mid(2))) {
            m_count = *m;
            m_missing = *m;
            m_seen.fill(false, *m);
        }
    }
    if (m_count <= 0)
        return;
    if (const int n = DownloadReply::memoryNumber(text, m_count); n > 0 && !m_seen.testBit(n - 1)) {
        m_seen.setBit(n - 1);
        --m_missing;
    }
}
