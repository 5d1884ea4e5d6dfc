#include "SimulatorThread.h"

#include "BenchChannels.h"
#include "ReceiverSimulator.h"
#include "ReplyBuilder.h"

#include <QMetaObject>

SimulatorThread::SimulatorThread(int count)
    : m_context(new QObject)
    , m_count(count)
{
    m_context->moveToThread(&m_thread);
    m_thread.start();
    // Created on its thread, so its timers and notifiers belong there.
    run([this] {
        SimOptions options;
        options.memoryCount = m_count;
        m_sim = new ReceiverSimulator(options);
        for (int n = 1; n <= m_count; ++n)
            m_sim->setChannel(n, BenchChannels::channel(n));
    });
}

SimulatorThread::~SimulatorThread()
{
    run([this] {
        delete m_sim;
        m_sim = nullptr;
    });
    m_thread.quit();
    m_thread.wait();
    // Not from its own call: the object must not go away under its event.
    delete m_context;
}

void SimulatorThread::run(const std::function<void()> &work)
{
    QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
}

bool SimulatorThread::start(QString *error)
{
    bool ok = false;
    run([&] {
        ok = m_sim->start(error);
        m_path = m_sim->devicePath();
    });
    return ok;
}

QByteArray SimulatorThread::downloadReply()
{
    QByteArray reply;
    run([&] { reply = ReplyBuilder::downloadReply(m_sim->memories(), m_sim->options()); });
    return reply;
}

QByteArray SimulatorThread::acceptedReply()
{
    QByteArray reply;
    run([&] { reply = ReplyBuilder::statusReply(0x80, m_sim->options().lfOnly); });
    return reply;
}

QByteArray SimulatorThread::entryCommand(int n)
{
    QByteArray command;
    run([&] { command = 'S' + m_sim->memories().channel(n).memoryLine(n) + '\n'; });
    return command;
}

qint64 SimulatorThread::receivedByteCount()
{
    qint64 bytes = 0;
    run([&] { bytes = m_sim->receivedBytes().size(); });
    return bytes;
}

int SimulatorThread::commandCount()
{
    int count = 0;
    run([&] { count = m_sim->commandCount(); });
    return count;
}

void SimulatorThread::clearReceived()
{
    run([&] { m_sim->clearReceivedBytes(); });
}
