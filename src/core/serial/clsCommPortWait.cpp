// The waiting operations of clsCommPort.
#include "serial/clsCommPort.h"

#include "platform/Clock.h"

#include <QEventLoop>
#include <QPointer>

#include <algorithm>

namespace {
// Sleep in a nested event loop: timers, the port poll and input keep running.
void sleepInEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Zero, negative and NaN time-outs mean the operation's default.
double timeOutOr(float timeOut, double fallback)
{
    return timeOut > 0.0f ? static_cast<double>(timeOut) : fallback;
}
} // namespace

int clsCommPort::passSleep() const
{
    return std::max(1, static_cast<int>(m_pollInterval));
}

void clsCommPort::waitLoop(double timeOut, const std::function<bool()> &step)
{
    QPointer<clsCommPort> self(this);
    const double start = Clock::secondsOfDay();
    bool done = false;
    while (!done) {
        sleepInEventLoop(passSleep());
        if (!self)
            return;
        done = step();
        const double now = Clock::secondsOfDay();
        // Past midnight the time of day starts again from 0: stop with what
        // has arrived rather than wait a whole day.
        if (now < start || now - start >= timeOut)
            done = true;
    }
    clearReceived();
}

QString clsCommPort::cReadLine(float timeOut)
{
    QString line;
    QString result;
    waitLoop(timeOutOr(timeOut, 0.1), [&] {
        if (m_receiveCount > 0)
            line += takeReceived();
        qsizetype end = line.indexOf(QLatin1Char('\n'));
        if (end < 0)
            end = line.indexOf(QLatin1Char('\r'));
        if (end < 0)
            return false;
        result = line.left(end);
        result.remove(QLatin1Char('\r'));
        result.remove(QLatin1Char('\n'));
        return true;
    });
    return result;
}

QString clsCommPort::cWaitForData(float timeOut)
{
    QString result;
    waitLoop(timeOutOr(timeOut, 0.1), [&] {
        if (m_receiveCount <= 0)
            return false;
        result = takeReceived();
        return true;
    });
    return result;
}

QString clsCommPort::cWaitForBytes(qint32 numOfBytes, float timeOut)
{
    const qsizetype wanted = std::max<qint32>(1, numOfBytes);
    QString result;
    waitLoop(timeOutOr(timeOut, 0.25), [&] {
        if (m_receiveCount > 0)
            result += takeReceived();
        return result.size() >= wanted;
    });
    return result;
}
