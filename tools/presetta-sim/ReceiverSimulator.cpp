// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiverSimulator.h"

#include "EntryCheck.h"
#include "MemoryStoreFile.h"
#include "PseudoTerminal.h"
#include "ReplyBuilder.h"
#include "ReplyPacer.h"

#include <QPointer>

namespace {

// The reply to the last command must reach the program before the line
// drops (closing the master discards what the slave has not read), but a
// program that stopped reading must not keep the line up for ever.
constexpr int kDrainPollMs = 10;
constexpr int kDrainPollLimit = 300;
constexpr int kDrainQuietPolls = 3;

constexpr int kSaveDelayMs = 200;

} // namespace

ReceiverSimulator::ReceiverSimulator(const SimOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_memories(options.memoryCount)
    , m_terminal(new PseudoTerminal(this))
    , m_pacer(new ReplyPacer(m_terminal, this))
{
    connect(m_terminal, &PseudoTerminal::bytesReceived, this, &ReceiverSimulator::onBytes);
    connect(m_terminal, &PseudoTerminal::failed, this, &ReceiverSimulator::onTerminalFailed,
            Qt::QueuedConnection);
    // Queued: the pacer reports from inside a write, which must not close the terminal.
    connect(m_pacer, &ReplyPacer::idle, this, &ReceiverSimulator::checkHangUp, Qt::QueuedConnection);

    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(kSaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &ReceiverSimulator::saveStore);

    m_drainTimer.setInterval(kDrainPollMs);
    connect(&m_drainTimer, &QTimer::timeout, this, &ReceiverSimulator::drainTick);
}

namespace {
// What a receiver in use might hold: FM and AM stations, a short-wave one,
// gaps between them.
QList<SimChannel::Numbered> demoStations()
{
    const auto station = [](int n, qint32 kHz, int bw, int st, const char *pi, const char *name) {
        return SimChannel::Numbered{n, SimChannel{kHz, bw, st, pi, name}};
    };
    return {station(1, 100400, 0, 1, "D3C3", "REGNBOGN"), station(2, 87600, 5, 0, "D3C4", "RADIO"),
            station(3, 1008, 2, 0, "", "AMSTAT"),         station(4, 94300, 0, 1, "D401", "KLASSIK"),
            station(5, 99100, 0, 1, "D402", "JAZZ 24"),   station(6, 104800, 7, 1, "D403", "NEWS"),
            station(7, 106700, 0, 1, "D404", "CITY FM"),  station(8, 89500, 3, 0, "D405", "CAMPUS"),
            station(9, 6075, 4, 0, "", "SW 49M"),         station(10, 91700, 0, 1, "D406", "OLDIES"),
            station(12, 95800, 0, 1, "D407", "TALK"),     station(15, 531, 1, 0, "", "MW 531")};
}
} // namespace

ReceiverSimulator::~ReceiverSimulator()
{
    stop();
}

bool ReceiverSimulator::start(QString *error)
{
    stop();
    m_memories.setCount(m_options.memoryCount);
    if (!m_options.storeFile.isEmpty()) {
        m_memories.clearAll();
        if (!MemoryStoreFile::load(m_options.storeFile, m_memories, error))
            return false;
    }
    if (m_options.demo && m_memories.storedCount() == 0) {
        for (const SimChannel::Numbered &c : demoStations())
            m_memories.set(c.number, c.channel);
    }
    if (!m_log.open(m_options.logFile, m_options.logToStderr, error))
        return false;
    if (!m_terminal->open(error)) {
        m_log.close();
        return false;
    }
    m_pacer->setByteDelay(m_options.byteDelayMs);
    m_reader.reset();
    m_commandCount = 0;
    m_hangUpDue = false;
    m_log.note(QStringLiteral("listening on %1, %2 memories, %3 stored")
                   .arg(devicePath())
                   .arg(m_memories.count())
                   .arg(m_memories.storedCount()));
    return true;
}

void ReceiverSimulator::stop()
{
    closeLink();
    m_log.close();
}

bool ReceiverSimulator::isRunning() const
{
    return m_terminal->isOpen();
}

QString ReceiverSimulator::devicePath() const
{
    return m_terminal->slavePath();
}

void ReceiverSimulator::hangUp()
{
    if (!isRunning())
        return;
    m_log.note(QStringLiteral("hanging up"));
    closeLink();
    emit hungUp();
}

void ReceiverSimulator::closeLink()
{
    ++m_session;
    m_drainTimer.stop();
    m_pacer->clear();
    m_terminal->close();
    m_delayedReplies = 0;
    m_hangUpDue = false;
    if (m_storeDirty)
        saveStore();
}

void ReceiverSimulator::setOptions(const SimOptions &options)
{
    const int before = m_memories.storedCount();
    m_options = options;
    m_memories.setCount(options.memoryCount);
    m_pacer->setByteDelay(options.byteDelayMs);
    if (m_memories.storedCount() != before)
        memoriesChanged();
}

bool ReceiverSimulator::setChannel(int n, const SimChannel &channel)
{
    if (!m_memories.set(n, channel))
        return false;
    memoriesChanged();
    return true;
}

void ReceiverSimulator::onBytes(const QByteArray &bytes)
{
    m_received += bytes;
    if (m_received.size() > kMaxKeptBytes)
        m_received.remove(0, m_received.size() - kMaxKeptBytes);

    // After the last command before a hang-up the receiver listens no more.
    if (m_hangUpDue)
        return;
    const qint64 droppedBefore = m_reader.droppedBytes();
    const QList<QByteArray> commands = m_reader.feed(bytes);
    if (m_reader.droppedBytes() != droppedBefore)
        m_log.note(QStringLiteral("overlong line: %1 bytes dropped so far").arg(m_reader.droppedBytes()));

    // A slot may stop or even delete us; stop handling when it does.
    const QPointer<ReceiverSimulator> self(this);
    const quint64 session = m_session;
    for (const QByteArray &command : commands) {
        handle(command);
        if (!self || m_session != session || m_hangUpDue)
            return;
    }
}

void ReceiverSimulator::handle(const QByteArray &command)
{
    ++m_commandCount;
    m_log.received(command);
    if (m_options.hangUpAfter > 0 && m_commandCount >= m_options.hangUpAfter) {
        m_hangUpDue = true;
        m_drainWaits = 0;
        m_drainQuietPolls = 0;
    }

    QByteArray reply = answerTo(command);
    if (!reply.isEmpty()) {
        if (m_options.garbage == GarbageMode::Before)
            reply.prepend(ReplyBuilder::garbageLine(m_options.lfOnly));
        else if (m_options.garbage == GarbageMode::Instead)
            reply = ReplyBuilder::garbageLine(m_options.lfOnly);
        if (!m_options.neverAnswer)
            send(reply);
    }
    if (m_hangUpDue)
        QMetaObject::invokeMethod(this, &ReceiverSimulator::checkHangUp, Qt::QueuedConnection);

    emit commandReceived(command);
}

QByteArray ReceiverSimulator::answerTo(const QByteArray &command)
{
    if (command == "s") {
        m_log.note(QStringLiteral("memory list: %1 channels").arg(m_memories.storedCount()));
        return ReplyBuilder::downloadReply(m_memories, m_options);
    }
    QByteArray line = command;
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.startsWith('S'))
        return answerEntry(line);
    if (SimClock::isClockCommand(line))
        return answerClock(line);
    m_log.note(QStringLiteral("ignored"));
    return {};
}

QByteArray ReceiverSimulator::answerEntry(const QByteArray &line)
{
    const EntryCheck::Result r = EntryCheck::check(line, m_memories.count(), m_options.limits);
    if (r.accepted()) {
        m_memories.set(r.number, r.channel);
        memoriesChanged();
    }
    const quint16 status = m_options.fixedStatus >= 0 ? static_cast<quint16>(m_options.fixedStatus)
                                                      : r.status;
    m_log.note(QStringLiteral("entry %1: %2, answering S:%3")
                   .arg(r.number)
                   .arg(r.accepted() ? QStringLiteral("stored") : QStringLiteral("refused, status %1").arg(r.status))
                   .arg(status));
    return ReplyBuilder::statusReply(status, m_options.lfOnly);
}

QByteArray ReceiverSimulator::answerClock(const QByteArray &line)
{
    const auto time = SimClock::parseCommand(line);
    if (time)
        m_clock.set(*time);
    m_log.note(time ? QStringLiteral("clock set") : QStringLiteral("clock command not understood"));
    return ReplyBuilder::clockReply(time ? m_clock.now() : QTime(), m_options.lfOnly);
}

void ReceiverSimulator::send(const QByteArray &reply)
{
    if (m_options.answerDelayMs <= 0) {
        deliver(reply);
        return;
    }
    ++m_delayedReplies;
    const quint64 session = m_session;
    QTimer::singleShot(m_options.answerDelayMs, this, [this, reply, session] {
        if (session != m_session)
            return;
        --m_delayedReplies;
        deliver(reply);
        checkHangUp();
    });
}

void ReceiverSimulator::deliver(const QByteArray &reply)
{
    if (!m_pacer->enqueue(reply))
        m_log.note(QStringLiteral("nobody reads: reply of %1 bytes dropped").arg(reply.size()));
}

void ReceiverSimulator::onTerminalFailed(const QString &why)
{
    m_log.note(QStringLiteral("terminal failed: %1").arg(why));
    hangUp();
}

void ReceiverSimulator::checkHangUp()
{
    if (!m_hangUpDue || !isRunning() || m_delayedReplies > 0 || !m_pacer->isIdle())
        return;
    if (!m_drainTimer.isActive()) {
        m_drainQuietPolls = 0;
        m_drainTimer.start();
    }
}

void ReceiverSimulator::drainTick()
{
    if (!m_hangUpDue || !isRunning()) {
        m_drainTimer.stop();
        return;
    }
    if (m_delayedReplies > 0 || !m_pacer->isIdle()) {
        m_drainQuietPolls = 0;
        return;
    }
    // Written bytes reach the slave's input queue a moment later, so the
    // queue must stay empty over a few polls before the line may drop.
    m_drainQuietPolls = m_terminal->unreadBySlave() > 0 ? 0 : m_drainQuietPolls + 1;
    ++m_drainWaits;
    if (m_drainQuietPolls >= kDrainQuietPolls || m_drainWaits >= kDrainPollLimit)
        hangUp();
}

void ReceiverSimulator::memoriesChanged()
{
    if (m_options.storeFile.isEmpty())
        return;
    m_storeDirty = true;
    m_saveTimer.start();
}

void ReceiverSimulator::saveStore()
{
    m_saveTimer.stop();
    if (!m_storeDirty || m_options.storeFile.isEmpty())
        return;
    m_storeDirty = false;
    QString error;
    if (!MemoryStoreFile::save(m_options.storeFile, m_memories, &error))
        m_log.note(error);
}
