#pragma once

// The real window talking to the receiver simulator over a pseudo-terminal,
// both in this thread, with a port inventory the test controls.

#include "tst_frmmain_harness.h"

#include "ReceiverSimulator.h"
#include "identity/ProgramIdentity.h"
#include "platform/Clock.h"
#include "ports/PortSource.h"
#include "serial/clsCommPort.h"
#include "settings/Registry.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

// Generous: these run under sanitizers on busy machines too.
constexpr int kSettleMs = 10000;

// The inventory the window's enumerator reads on every fill. The test keeps a
// handle on the list, so ports can come and go while the window runs.
class FakePorts : public PortSource
{
public:
    using List = std::shared_ptr<QList<PortRecord>>;
    explicit FakePorts(List list) : m_list(std::move(list)) {}
    QList<PortRecord> ports() override { return *m_list; }

private:
    List m_list;
};

inline PortRecord portRecord(const QString &name, const QString &description,
                             const QString &path = QString(), const QString &vid = QString(),
                             const QString &pid = QString(), qint16 portNum = 0)
{
    PortRecord r;
    r.port = name;
    r.portNum = portNum;
    r.description = description;
    r.friendlyName = description;
    r.vid = vid;
    r.pid = pid;
    r.path = path.isEmpty() ? QStringLiteral("/dev/") + name : path;
    r.pnp = r.path;
    return r;
}

inline QString settingPath(const char *suffix)
{
    return ProgramIdentity::settingsPath() + QLatin1String(suffix);
}

// The controls whose enabled state follows the connection.
inline const QStringList &connectionControls()
{
    static const QStringList names{"cSync", "cDL", "cUL", "cUpd"};
    return names;
}
inline const QStringList &portControls()
{
    static const QStringList names{"coCOM", "cRefresh"};
    return names;
}

class SimHarness
{
public:
    explicit SimHarness(const SimOptions &options = SimOptions())
        : sim(options), ports(std::make_shared<QList<PortRecord>>())
    {
        h = std::make_unique<FrmMainHarness>(std::make_unique<FakePorts>(ports));
    }
    ~SimHarness()
    {
        // The window first: it closes its end before the line goes.
        h.reset();
        Clock::setSource({});
    }
    SimHarness(const SimHarness &) = delete;
    SimHarness &operator=(const SimHarness &) = delete;

    // The port name the window shows for the simulator ("pts/3").
    QString simPortName() const { return sim.devicePath().mid(5); }
    PortRecord simRecord() const
    {
        return portRecord(simPortName(), QStringLiteral("Receiver simulator"), sim.devicePath());
    }

    // Simulator running and listed, window started.
    bool start()
    {
        QString error;
        if (!sim.start(&error)) {
            qWarning("simulator: %s", qPrintable(error));
            return false;
        }
        ports->append(simRecord());
        return h->start();
    }

    QCheckBox *ckConn() const { return h->child<QCheckBox>("ckConn"); }
    QTimer *timerChk() const { return h->window->findChild<QTimer *>(QStringLiteral("TimerChk")); }
    clsCommPort *port() const { return h->window->port(); }

    bool connectPort()
    {
        QTest::mouseClick(ckConn(), Qt::LeftButton);
        FrmMainHarness::settle();
        return isConnected();
    }
    bool isConnected() const
    {
        return ckConn()->isChecked() && port()->IsOpen() && timerChk()->isActive();
    }

    // The layout each connection state shows.
    bool showsLayout(bool connected) const
    {
        for (const QString &name : connectionControls())
            if (h->window->findChild<QWidget *>(name)->isEnabled() != connected)
                return false;
        for (const QString &name : portControls())
            if (h->window->findChild<QWidget *>(name)->isEnabled() == connected)
                return false;
        return ckConn()->isChecked() == connected;
    }

    // Each runs the whole command: the click returns when it has ended.
    void download() { h->click("cDL"); }
    void upload() { h->click("cUL"); }

    // Download and forget what went over the line until now.
    bool freshDownload()
    {
        download();
        sim.clearReceivedBytes();
        return h->dialogs.messages.isEmpty();
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

    QStringList lines() const { return h->lines(); }

    ReceiverSimulator sim;
    FakePorts::List ports;
    std::unique_ptr<FrmMainHarness> h;
};

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

inline MemoryEntry memoryEntry(qint16 band, qint32 kHz, int bw, int st, const QString &pi,
                               const QString &name)
{
    MemoryEntry e;
    e.band = band;
    e.frequency = kHz;
    e.bandwidth = static_cast<quint8>(bw);
    e.stereo = static_cast<quint8>(st);
    e.setPi(pi);
    e.setName(name);
    return e;
}

inline MemoryEntry emptyDownloaded()
{
    return memoryEntry(-1, 0, 0, 0, QStringLiteral("0000"), QString());
}

// Readable entries in failure messages.
inline QString describe(const MemoryEntry &e)
{
    return QStringLiteral("band %1, %2 kHz, bw %3, st %4, PI [%5], name [%6]")
        .arg(e.band)
        .arg(e.frequency)
        .arg(e.bandwidth)
        .arg(e.stereo)
        .arg(e.pi, e.name);
}

// QCOMPARE's output for entries and the simulator's channels.
inline char *toString(const MemoryEntry &e)
{
    return QTest::toString(describe(e));
}
inline char *toString(const SimChannel &c)
{
    return QTest::toString(QStringLiteral("%1 kHz, bw %2, st %3, PI [%4], name [%5]")
                               .arg(c.frequency)
                               .arg(c.bandwidth)
                               .arg(c.stereo)
                               .arg(QString::fromLatin1(c.pi), QString::fromLatin1(c.name)));
}

// Entry by entry, so a failure names the entry that differs.
#define COMPARE_ENTRIES(actual, expected)                                                    \
    do {                                                                                     \
        const QVector<MemoryEntry> a_ = (actual);                                            \
        const QVector<MemoryEntry> e_ = (expected);                                          \
        QCOMPARE(a_.size(), e_.size());                                                      \
        for (qsizetype i_ = 0; i_ < a_.size(); ++i_)                                         \
            QVERIFY2(a_[i_] == e_[i_],                                                       \
                     qPrintable(QStringLiteral("entry %1: %2 instead of %3")                \
                                    .arg(i_ + 1)                                             \
                                    .arg(describe(a_[i_]), describe(e_[i_]))));              \
    } while (false)
