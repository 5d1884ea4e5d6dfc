#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

#include <functional>

class ReceiverSimulator;

// The receiver simulator on a thread of its own, as a real receiver would be
// a device of its own: its work does not stall the window's event loop, and
// the window thread's CPU time stays the program's alone. Every call waits
// until the simulator's thread has run it.
class SimulatorThread
{
public:
    // count memories, every one of them filled (BenchChannels).
    explicit SimulatorThread(int count);
    ~SimulatorThread();
    SimulatorThread(const SimulatorThread &) = delete;
    SimulatorThread &operator=(const SimulatorThread &) = delete;

    bool start(QString *error);
    QString devicePath() const { return m_path; }

    // What the simulator answers to the download request now.
    QByteArray downloadReply();
    // What it answers to an accepted entry.
    QByteArray acceptedReply();
    // The entry command that stores memory n as it is (changes nothing).
    QByteArray entryCommand(int n);

    // Traffic from the program since the last clear.
    qint64 receivedByteCount();
    int commandCount();
    void clearReceived();

private:
    void run(const std::function<void()> &work);

    QThread m_thread;
    QObject *m_context;   // lives on m_thread; the calls run in its context
    ReceiverSimulator *m_sim = nullptr;
    int m_count;
    QString m_path;
};
