// SPDX-License-Identifier: GPL-3.0-or-later
// The poll timer and the port events of clsCommPort.
#include "serial/clsCommPort.h"

#include "serial/CommPortError.h"

#include <QPointer>

#include <algorithm>

namespace {
// The shortest period a window timer runs at; also what a period of zero or
// below means, so the poll never turns into a busy loop.
constexpr int kMinTimerPeriod = 10;
} // namespace

int clsCommPort::timerPeriod() const
{
    return std::max(kMinTimerPeriod, static_cast<int>(m_pollInterval));
}

void clsCommPort::setPollInterval(qint32 ms)
{
    m_pollInterval = ms;
    if (m_timerEnabled) {
        setTimerEnabled(false);
        setTimerEnabled(true);
    }
}

void clsCommPort::setTimerEnabled(bool on)
{
    if (on == m_timerEnabled)
        return;
    if (on)
        m_pollTimer.start(timerPeriod());
    else
        m_pollTimer.stop();
    m_timerEnabled = on;
}

void clsCommPort::TimerPoll()
{
    PollPort();
}

void clsCommPort::xTimerCallback()
{
    const quint32 lossesBefore = m_losses;
    QPointer<clsCommPort> self(this);
    try {
        PollPort();
    } catch (const CommPortError &e) {
        // The port is closed and the poll stopped already. A device that
        // went away is reported by deviceGone() alone.
        if (self && m_losses == lossesBefore)
            emit failure(e.description());
    } catch (const std::exception &e) {
        // From an owner's event handler; it must not reach the event loop.
        if (self)
            emit failure(QString::fromLocal8Bit(e.what()));
    }
}

void clsCommPort::PollPort()
{
    if (!IsOpen())
        return;
    DeviceQueues queues;
    if (!queryDevice(&queues))
        return;

    // Handlers run inside the poll and may close or even delete this object.
    QPointer<clsCommPort> self(this);
    if (queues.fetched > 0) {
        ReceiveBuffer();
        emit OnComm();
        if (!self)
            return;
    }
    if (!m_output.isEmpty()) {
        m_lastOutputLength = static_cast<qint32>(m_output.size());
        emit OnComm();   // before writing, so the handler still sees the text
        if (!self)
            return;
        SendBuffer();
    } else if (m_lastOutputLength != 0) {
        m_lastOutputLength = 0;
        emit OnFlush();
        if (!self)
            return;
    }

    // The modem lines are not read (sDSR reports False), so the mask stays 0.
    m_eventMask = 0;
    if (sDSR())
        m_eventMask |= 4;
    if (m_eventMask != 0)
        emit OnEvent();
}
