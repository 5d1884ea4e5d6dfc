// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Wait.h"

#include "platform/Clock.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace Wait {

namespace {
// Each pass sleeps until the wait is due, but no longer than this, so a
// time of day that jumps (midnight, a clock set by hand) is seen soon. The
// sleep itself ends on time; the cap only bounds how late a jump is noticed.
// Every pass wakes the thread, so short passes would cost CPU for nothing.
constexpr int kSliceMs = 100;
} // namespace

void sleepInEventLoop(int ms)
{
    QEventLoop loop;
    // Precise: a coarse timer may end a sleep of 2 s or more 5 % late.
    QTimer::singleShot(qMax(0, ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void WaitS(float seconds)
{
    double start = Clock::secondsOfDay();
    for (;;) {
        const double now = Clock::secondsOfDay();
        if (now < start)
            start = 0;
        const double left = start + seconds - now;
        // Always yield at least once, as a wait of 0 still lets events run.
        sleepInEventLoop(static_cast<int>(qBound(0.0, std::ceil(left * 1000.0), double(kSliceMs))));
        if (!(start + seconds > Clock::secondsOfDay()))
            break;
    }
}

} // namespace Wait
