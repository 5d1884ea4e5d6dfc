// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TransferEngine.h"

#include "link/ClockCommand.h"
#include "link/EntryCommand.h"
#include "link/ReplyTracker.h"
#include "platform/Wait.h"
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
// How often the download looks at what has come in: well below the quiet
// gaps, so the end of a whole reply is seen soon after the line falls quiet.
constexpr int kCollectSliceMs = 20;
} // namespace

TransferEngine::TransferEngine(clsCommPort *port, QObject *parent) : QObject(parent), m_port(port)
{
    connect(m_port, &clsCommPort::failure, this, [this](const QString &description) {
        if (m_running)
            linkLost(description);
    });
    connect(m_port, &clsCommPort::deviceGone, this, [this] {
        if (m_running)
            linkLost(QStringLiteral("Fehler beim Zugriff auf ") + m_port->portLabel() + QStringLiteral(" ..."));
    });
    // The download keeps listening while the reply is still coming in.
    connect(m_port, &clsCommPort::OnComm, this, [this] {
        if (m_port->cInBufferCount() != 0)
            m_lastReceive.start();
    });
}

void TransferEngine::stop()
{
    if (!m_running)
        return;
    m_stopped = true;
    m_abort = true;
}

void TransferEngine::linkLost(const QString &description)
{
    if (m_linkError.isEmpty())
        m_linkError = description;
}

void TransferEngine::yield()
{
    QCoreApplication::processEvents();
}

TransferEngine::Outcome TransferEngine::ended() const
{
    Outcome out;
    out.status = Status::Aborted;
    return out;
}

template <typename Run>
TransferEngine::Outcome TransferEngine::guarded(Run run)
{
    if (m_running)
        return ended();
    m_running = true;
    m_stopped = false;
    m_replies = 0;
    m_lastEntry = 0;
    m_linkError.clear();
    const quint32 lossesBefore = m_port->losses();
    Outcome out;
    try {
        out = run();
    } catch (const CommPortError &e) {
        // The port has closed itself already.
        linkLost(e.description());
    }
    if (!m_linkError.isEmpty()) {
        out = Outcome();
        out.status = Status::LinkLost;
        out.description = m_linkError;
        out.gone = m_port->losses() != lossesBefore;
    } else if (m_stopped) {
        out = ended();
    }
    out.replies = m_replies;
    out.entry = m_lastEntry;
    m_running = false;
    return out;
}

bool TransferEngine::sendCommand(const QString &command)
{
    m_port->cOutput(command);
    emit activity(true);
    yield();
    Wait::WaitS(0.025f);
    do {
        m_port->SendBuffer();
        emit activity(true);
        yield();
        // A closed port keeps the text; don't wait for it forever.
        if (m_abort || !m_port->IsOpen())
            break;
    } while (m_port->cOutBufferCount() >= 1);
    emit activity(false);
    yield();
    Wait::WaitS(0.025f);
    return goesOn();
}

// ----------------------------------------------------------------- download

TransferEngine::Outcome TransferEngine::ReadData(MemoryTable &table, DownloadReply::Values &values)
{
    return guarded([&] {
        m_lastReceive.invalidate();
        m_port->cOutput(QStringLiteral("s"));
        emit activity(false);
        yield();
        Wait::WaitS(0.1f);
        m_port->SendBuffer();
        emit activity(false);
        yield();
        const QString reply = collectReply();
        if (!reply.isEmpty())
            ++m_replies;
        emit activity(false);
        yield();
        Wait::WaitS(0.025f);

        Outcome out;
        out.status = Status::NoList;
        if (goesOn() && !reply.isEmpty() && reply.size() <= kReplyMaxChars
            && DownloadReply::apply(reply, table, values))
            out.status = Status::Done;
        return out;
    });
}

QString TransferEngine::collectReply()
{
    QString reply;
    ReplyTracker tracker;
    QElapsedTimer since;
    since.start();
    for (;;) {
        bool more = false;
        while (m_port->cInBufferCount() >= 1) {
            const QString chunk = m_port->cInput();
            reply += chunk;
            tracker.add(chunk);
            more = true;
        }
        if (more)
            emit replyProgress(reply.size());
        if (!goesOn())
            break;
        // A whole reply ends the wait once the line is quiet; anything else
        // waits the least wait, then until the line falls quiet, within bounds.
        const qint64 quiet = m_lastReceive.isValid() ? m_lastReceive.elapsed() : since.elapsed();
        if (tracker.isWhole() && quiet >= kWholeQuietMs)
            break;
        if (since.elapsed() >= kLeastWaitMs
            && (!m_lastReceive.isValid() || quiet >= kQuietGapMs
                || since.elapsed() >= kLeastWaitMs + kReplyHardLimitMs || reply.size() > kReplyMaxChars))
            break;
        Wait::sleepInEventLoop(kCollectSliceMs);
    }
    return reply;
}

// ------------------------------------------------------------------- upload

TransferEngine::Outcome TransferEngine::sendOne(const MemoryTable &table, int n)
{
    Outcome out;
    if (n < 1 || n > table.size())
        return ended();
    m_lastEntry = n;
    yield();
    if (!sendCommand(EntryCommand::entryCommand(n, table.entry(n))))
        return ended();
    const QString line = m_port->cReadLine(1.0f);
    if (!line.isEmpty())
        ++m_replies;
    emit activity(false);
    yield();
    Wait::WaitS(0.025f);
    if (!goesOn())
        return ended();

    const EntryStatus::Reply reply = EntryStatus::parse(line);
    if (!reply.isStatus || reply.accepted)
        return out;
    out.status = Status::Refused;
    out.entry = n;
    out.word = reply.word;
    out.messages = EntryStatus::errorMessages(reply.word);
    emit entryRefused(out);
    emit activity(true);
    yield();
    return out;
}

TransferEngine::Outcome TransferEngine::SendData(const MemoryTable &table, const QList<int> &numbers)
{
    return guarded([&] {
        m_abort = false;
        QList<int> order = numbers;
        if (order.isEmpty()) {
            for (int n = 1; n <= table.size(); ++n)
                order << n;
        }
        Outcome out;
        for (int i = 0; i < order.size(); ++i) {
            emit entryStarting(order[i], i + 1, static_cast<int>(order.size()));
            out = sendOne(table, order[i]);
            if (out.status != Status::Done)
                break;
            if ((m_abort || !goesOn()) && i + 1 < order.size()) {
                out = ended();
                break;
            }
        }
        // Whatever else the receiver said is of no use now.
        (void)m_port->cInput();
        emit activity(true);
        yield();
        return out;
    });
}

TransferEngine::Outcome TransferEngine::SendEntry(const MemoryTable &table, int n)
{
    return guarded([&] {
        emit entryStarting(n, 1, 1);
        return sendOne(table, n);
    });
}

// -------------------------------------------------------------------- clock

TransferEngine::Outcome TransferEngine::SyncDate(const QTime &time)
{
    return guarded([&] {
        if (!sendCommand(ClockCommand::clockCommand(time)))
            return ended();
        if (!m_port->cReadLine(1.0f).isEmpty())
            ++m_replies;
        emit activity(false);
        yield();
        Wait::WaitS(0.025f);
        emit activity(true);
        yield();
        return Outcome();
    });
}
