// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real window talking to the receiver simulator over a pseudo-terminal,
// both in this thread.

#include "WindowHarness.h"

#include "ReceiverSimulator.h"
#include "SimCommandLine.h"
#include "platform/Clock.h"
#include "serial/clsCommPort.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>


// The four channels as a memory file has them.
inline const QList<QByteArray> kFourChannels{"100400;ONE;D3C1;0;1", "87600;TWO;D3C2;3;0", "1008;MW;;2;0",
                                             "98000;FOUR;D3C4;0;1"};

class SimHarness
{
public:
    explicit SimHarness(const SimOptions &options = SimOptions()) : sim(options) {}
    ~SimHarness()
    {
        // The window first: it closes its end before the line goes.
        h.window.reset();
        Clock::setSource({});
    }

    // The simulator holding four channels, the window started with the same
    // four loaded from the file beside the program.
    bool startWithFourChannels()
    {
        sim.setChannel(1, {100400, 0, 1, "D3C1", "ONE"});
        sim.setChannel(2, {87600, 3, 0, "D3C2", "TWO"});
        sim.setChannel(3, {1008, 2, 0, "", "MW"});
        sim.setChannel(4, {98000, 0, 1, "D3C4", "FOUR"});
        return writeBytes(h.programDir.filePath("presetta.csv"), memoryFile(kFourChannels, 4)) && start();
    }

    // Simulator running and listed, window started.
    bool start()
    {
        QString error;
        if (!sim.start(&error)) {
            qWarning("simulator: %s", qPrintable(error));
            return false;
        }
        // Named as the window shows it: "pts/3".
        h.ports->append(portRecord(sim.devicePath().mid(5), QStringLiteral("Receiver simulator"), sim.devicePath()));
        return h.start();
    }

    // Options as the simulator's command line would set them ("--count 3 --silent").
    static SimOptions optionsFrom(const QString &arguments)
    {
        SimCommandLine line;
        if (!line.parse(QStringLiteral("presetta-sim --quiet %1").arg(arguments).split(' ', Qt::SkipEmptyParts)))
            qFatal("simulator options: %s", qPrintable(line.error()));
        return line.options();
    }

    QCheckBox *ckConn() const { return h.child<QCheckBox>("ckConn"); }
    QTimer *timerChk() const { return h.window->findChild<QTimer *>(QStringLiteral("TimerChk")); }
    clsCommPort *port() const { return h.window->port(); }

    bool connectPort()
    {
        QTest::mouseClick(ckConn(), Qt::LeftButton);
        WindowHarness::settle();
        return isConnected();
    }
    bool isConnected() const
    {
        return ckConn()->isChecked() && port()->IsOpen() && timerChk()->isActive();
    }

    // Runs fn once the simulator has received `count` more commands, from
    // inside whatever the window is waiting in at that moment.
    void onCommand(int count, std::function<void()> fn)
    {
        auto seen = std::make_shared<int>(0);
        auto conn = std::make_shared<QMetaObject::Connection>();
        *conn = QObject::connect(&sim, &ReceiverSimulator::commandReceived, &sim,
                                 [seen, conn, count, fn](const QByteArray &) {
                                     if (++*seen != count)
                                         return;
                                     QObject::disconnect(*conn);
                                     fn();
                                 });
    }

    // A clock that starts at `start` now and runs on, so the waits still end.
    static void runClockFrom(const QTime &start)
    {
        const QDateTime base(QDate(2025, 7, 1), start);
        auto since = std::make_shared<QElapsedTimer>();
        since->start();
        Clock::setSource([base, since] { return base.addMSecs(since->elapsed()); });
    }

    ReceiverSimulator sim;
    WindowHarness h;
};
