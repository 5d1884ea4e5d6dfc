// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

namespace Clock {

namespace {
std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> s;
    return s;
}
} // namespace

QDateTime now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

double secondsOfDay()
{
    if (source())
        return source()().time().msecsSinceStartOfDay() / 1000.0;
    // The waits read this on every pass. The UTC time is cheap to read, the
    // local offset is not (a time zone lookup), and it only changes with
    // daylight saving time or a new zone: look it up once a second.
    constexpr qint64 kDayMs = 24 * 3600 * 1000;
    constexpr qint64 kOffsetKeptMs = 1000;
    thread_local bool offsetKnown = false;
    thread_local qint64 offsetTakenAt = 0;
    thread_local qint64 offsetMs = 0;
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    if (!offsetKnown || utc < offsetTakenAt || utc - offsetTakenAt >= kOffsetKeptMs) {
        offsetKnown = true;
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc()) * 1000;
        offsetTakenAt = utc;
    }
    qint64 ms = (utc + offsetMs) % kDayMs;
    if (ms < 0)
        ms += kDayMs;
    return ms / 1000.0;
}

void setSource(std::function<QDateTime()> s)
{
    source() = std::move(s);
}

} // namespace Clock
