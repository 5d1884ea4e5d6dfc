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

// Generous: these run under sanitizers on busy machines too.
constexpr int kSettleMs = 10000;

inline SimChannel simChannel(qint32 kHz, int bw, int st, const QByteArray &pi, const QByteArray &name)
{
    SimChannel c;
    c.frequency = kHz;
    c.bandwidth = bw;
    c.stereo = st;
    c.pi = pi;
    c.name = name;
    return c;
}

// The window's link as one line: "on"/"off" for the toggle, the link controls
// usable, the number of ports listed, "open" and "timer" while the port is open
// and watched, "TX"/"RX" for a lit lamp ("TX?" for a colour that is neither).
inline QString linkState(const WindowHarness &h)
{
    QStringList s{h.child<QCheckBox>("ckConn")->isChecked() ? "on" : "off"};
    for (const char *name : {"ckConn", "coCOM", "cRefresh", "cSync", "cDL", "cUL", "cUpd"})
        if (h.child(name)->isEnabled())
            s << name;
    s << QString::number(h.combo("coCOM")->count());
    if (h.window->port()->IsOpen())
        s << "open";
    if (h.window->findChild<QTimer *>("TimerChk")->isActive())
        s << "timer";
    const QColor tx = h.child("pBuf_0")->palette().color(QPalette::Window);
    const QColor rx = h.child("pBuf_1")->palette().color(QPalette::Window);
    if (tx != QColor(128, 64, 32))
        s << (tx == QColor(255, 128, 64) ? "TX" : "TX?");
    if (rx != QColor(64, 128, 32))
        s << (rx == QColor(128, 255, 64) ? "RX" : "RX?");
    return s.join(' ');
}

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
    SimHarness(const SimHarness &) = delete;
    SimHarness &operator=(const SimHarness &) = delete;

    // Simulator running and listed, window started.
    bool start()
    {
        QString error;
        if (!sim.start(&error)) {
            qWarning("simulator: %s", qPrintable(error));
            return false;
        }
        h.ports->append(simRecord());
        return h.start();
    }
    // The port name the window shows for the simulator ("pts/3").
    QString simPortName() const { return sim.devicePath().mid(5); }
    PortRecord simRecord() const
    {
        return portRecord(simPortName(), QStringLiteral("Receiver simulator"), sim.devicePath());
    }

    // Options as the simulator's command line would set them ("--count 3 --silent").
    static SimOptions optionsFrom(const QString &arguments)
    {
        SimCommandLine line;
        if (!line.parse(QStringLiteral("presetta-sim --quiet %1").arg(arguments).split(' ', Qt::SkipEmptyParts)))
            qFatal("simulator options: %s", qPrintable(line.error()));
        return line.options();
    }

    // Connected again, whatever came before: the simulator started if it is
    // not running (after a hang-up it comes back on a new line), listed alone.
    bool reconnect()
    {
        if (isConnected())
            return true;
        if (!sim.isRunning() && !sim.start())
            return false;
        *h.ports = {simRecord()};
        h.click("cRefresh");
        return connectPort();
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

    // Each runs the whole command: the click returns when it has ended.
    void download() { h.click("cDL"); }
    void upload() { h.click("cUL"); }

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
