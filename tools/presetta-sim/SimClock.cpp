// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimClock.h"

namespace {

std::optional<int> twoDigits(const QByteArray &s, int at)
{
    const char a = s.at(at);
    const char b = s.at(at + 1);
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return std::nullopt;
    return (a - '0') * 10 + (b - '0');
}

} // namespace

std::optional<QTime> SimClock::parseCommand(const QByteArray &line)
{
    static const QByteArray prefix = QByteArrayLiteral("$time: ");
    if (!line.startsWith(prefix))
        return std::nullopt;
    const QByteArray t = line.mid(prefix.size());
    if (t.size() != 8 || t.at(2) != ':' || t.at(5) != ':')
        return std::nullopt;
    const auto h = twoDigits(t, 0);
    const auto m = twoDigits(t, 3);
    const auto s = twoDigits(t, 6);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59)
        return std::nullopt;
    return QTime(*h, *m, *s);
}

void SimClock::set(const QTime &time)
{
    m_set = time;
    m_since.start();
}

QTime SimClock::now() const
{
    if (!isSet())
        return QTime::currentTime();
    return m_set.addMSecs(static_cast<int>(m_since.elapsed() % (24 * 3600 * 1000)));
}
