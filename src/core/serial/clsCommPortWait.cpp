// SPDX-License-Identifier: GPL-3.0-or-later
// The waiting operations of clsCommPort.
#include "serial/clsCommPort.h"

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <algorithm>

namespace {
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

// One pass of a wait: sleep PollInterval ms in a nested event loop, so
// timers, the port poll and input keep running. The poll ends the sleep
// early when it brings bytes, and with bytes already waiting the pass only
// lets pending events run: a reply that is there is taken at once instead
// of a whole pass later. False when this object went away meanwhile.
bool clsCommPort::waitPass()
{
    QPointer<clsCommPort> self(this);
    if (m_receiveCount > 0) {
        QCoreApplication::processEvents();
        return !self.isNull();
    }
    QEventLoop loop;
    QEventLoop *outer = m_passLoop;
    m_passLoop = &loop;
    QTimer::singleShot(passSleep(), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    if (!self)
        return false;
    m_passLoop = outer;
    return true;
}

void clsCommPort::waitLoop(double timeOut, const std::function<bool()> &step)
{
    const double start = Clock::secondsOfDay();
    bool done = false;
    while (!done) {
        if (!waitPass())
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
