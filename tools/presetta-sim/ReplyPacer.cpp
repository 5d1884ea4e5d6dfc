// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyPacer.h"

#include "PseudoTerminal.h"

ReplyPacer::ReplyPacer(PseudoTerminal *terminal, QObject *parent)
    : QObject(parent)
    , m_terminal(terminal)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReplyPacer::tick);
    connect(m_terminal, &PseudoTerminal::allWritten, this, &ReplyPacer::onTerminalWritten);
}

void ReplyPacer::setByteDelay(int ms)
{
    m_timer.setInterval(qMax(0, ms));
}

bool ReplyPacer::enqueue(const QByteArray &bytes)
{
    const qint64 waiting = (m_queue.size() - m_sent) + m_terminal->pendingBytes();
    if (waiting + bytes.size() > kMaxPending)
        return false;
    // Bytes still paced out go first, even when the pace was just lifted.
    if (m_timer.interval() <= 0 && m_sent >= m_queue.size()) {
        m_terminal->write(bytes);
        return true;
    }
    m_queue += bytes;
    if (!m_timer.isActive())
        m_timer.start();
    return true;
}

void ReplyPacer::clear()
{
    m_timer.stop();
    m_queue.clear();
    m_sent = 0;
}

bool ReplyPacer::isIdle() const
{
    return m_sent >= m_queue.size() && m_terminal->pendingBytes() == 0;
}

void ReplyPacer::tick()
{
    if (m_timer.interval() <= 0) {
        const QByteArray rest = m_queue.mid(m_sent);
        m_sent = m_queue.size();
        m_terminal->write(rest);
    } else if (m_sent < m_queue.size()) {
        m_terminal->write(m_queue.mid(m_sent++, 1));
    }
    // The terminal reports the last byte written (allWritten) by itself.
    if (m_sent >= m_queue.size()) {
        m_timer.stop();
        m_queue.clear();
        m_sent = 0;
    }
}

void ReplyPacer::onTerminalWritten()
{
    if (isIdle())
        emit idle();
}
