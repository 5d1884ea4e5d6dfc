#include "platform/Wait.h"

#include "platform/Clock.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace Wait {

namespace {
// Upper bound of one sleep: fine enough for the 25 ms waits of the protocol.
constexpr int kSliceMs = 5;
} // namespace

void sleepInEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(qMax(0, ms), &loop, &QEventLoop::quit);
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
