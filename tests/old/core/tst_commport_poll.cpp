// The poll of clsCommPort, its events, and a device that goes away.
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"
#include "tst_commport_pty.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <stdexcept>

class TestCommPortPoll : public QObject
{
    Q_OBJECT

private slots:
    void receiveRaisedBeforeOutput();
    void flushRaisedOnce();
    void pollOnClosedPortRaisesNothing();
    void eventsStayZero();
    void internalTimerPolls();

    void farEndHangsUp_data();
    void farEndHangsUp();
    void writeToDeviceThatJustVanished_data();
    void writeToDeviceThatJustVanished();
    void failureInTimedPollReachesOwner();
    void ownerExceptionStaysInPoll();

private:
    static bool openOn(clsCommPort &port, const PseudoTerminal &pty, bool internalTimer);
    static bool arrived(clsCommPort &port, int count);
};

bool TestCommPortPoll::openOn(clsCommPort &port, const PseudoTerminal &pty, bool internalTimer)
{
    port.setCPortPath(pty.path());
    port.setCSettings(QStringLiteral("115200,N,8,1"));
    port.setPollInterval(25);
    return port.cOpen(internalTimer) && port.IsOpen();
}

bool TestCommPortPoll::arrived(clsCommPort &port, int count)
{
    const QString line = QStringLiteral("Bytes im Eingangspuffer: %1\r\n").arg(count);
    QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired()) {
        if (port.GetStatus().startsWith(line)) {
            // The line has them; a turn of the event loop lets QSerialPort
            // fetch them, which is where the poll takes them from.
            QTest::qWait(30);
            return true;
        }
        QTest::qWait(5);
    }
    return false;
}

void TestCommPortPoll::receiveRaisedBeforeOutput()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    QVERIFY(pty.send("r"));
    QVERIFY(arrived(port, 1));
    port.cOutput(QStringLiteral("w"));

    // Each handler takes the received text; the order shows in what it finds.
    QStringList seen;
    QList<int> pending;
    QObject context;
    connect(&port, &clsCommPort::OnComm, &context, [&] {
        seen << port.cInput();
        pending << port.cOutBufferCount();
    });
    port.TimerPoll();
    QCOMPARE(seen, (QStringList{QStringLiteral("r"), QString()}));
    // Raised before writing: the handler still sees the pending text.
    QCOMPARE(pending, (QList<int>{1, 1}));
    QCOMPARE(port.cOutBufferCount(), 0);
    QCOMPARE(pty.receive(), QByteArray("w"));
}

void TestCommPortPoll::flushRaisedOnce()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    QSignalSpy comm(&port, &clsCommPort::OnComm);
    QSignalSpy flush(&port, &clsCommPort::OnFlush);
    port.TimerPoll();
    QCOMPARE(flush.count(), 0);
    port.cOutput(QStringLiteral("S01\n"));
    port.TimerPoll();
    QCOMPARE(comm.count(), 1);
    QCOMPARE(flush.count(), 0);
    port.TimerPoll();
    QCOMPARE(flush.count(), 1);
    port.TimerPoll();
    port.TimerPoll();
    QCOMPARE(flush.count(), 1);
    QCOMPARE(comm.count(), 1);
    QCOMPARE(pty.receive(), QByteArray("S01\n"));
}

void TestCommPortPoll::pollOnClosedPortRaisesNothing()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    QVERIFY(pty.send("AB"));
    QVERIFY(arrived(port, 2));
    port.TimerPoll();
    QCOMPARE(port.cInBufferCount(), 2);
    QVERIFY(port.cClose());

    QVERIFY(pty.send("C"));
    port.cOutput(QStringLiteral("z"));
    QSignalSpy comm(&port, &clsCommPort::OnComm);
    QSignalSpy flush(&port, &clsCommPort::OnFlush);
    QSignalSpy event(&port, &clsCommPort::OnEvent);
    port.TimerPoll();
    QTest::qWait(50);
    port.TimerPoll();
    QCOMPARE(comm.count() + flush.count() + event.count(), 0);
    QCOMPARE(port.cInBufferCount(), 2);
    QCOMPARE(port.cOutBufferCount(), 1);
    QCOMPARE(pty.receive(200), QByteArray());
}

void TestCommPortPoll::eventsStayZero()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    QSignalSpy event(&port, &clsCommPort::OnEvent);
    for (int i = 0; i < 5; ++i) {
        QVERIFY(pty.send("x"));
        port.cOutput(QStringLiteral("y"));
        QTest::qWait(10);
        port.TimerPoll();
        QCOMPARE(port.GetEvents(), 0);
    }
    QCOMPARE(event.count(), 0);
}

void TestCommPortPoll::internalTimerPolls()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, true));
    QSignalSpy comm(&port, &clsCommPort::OnComm);
    QSignalSpy flush(&port, &clsCommPort::OnFlush);
    port.cOutput(QStringLiteral("$time: 12:00:00\n"));
    QTRY_COMPARE_WITH_TIMEOUT(flush.count(), 1, 2000);
    QCOMPARE(pty.receive(), QByteArray("$time: 12:00:00\n"));
    QVERIFY(pty.send("ok"));
    QTRY_COMPARE_WITH_TIMEOUT(port.cInBufferCount(), 2, 2000);
    QCOMPARE(comm.count(), 2);
}

void TestCommPortPoll::farEndHangsUp_data()
{
    QTest::addColumn<bool>("internalTimer");
    QTest::newRow("noticed by the poll") << true;
    QTest::newRow("noticed by the read error") << false;
}

void TestCommPortPoll::farEndHangsUp()
{
    QFETCH(bool, internalTimer);
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, internalTimer));
    QSignalSpy gone(&port, &clsCommPort::deviceGone);
    QSignalSpy failed(&port, &clsCommPort::failure);
    QSignalSpy comm(&port, &clsCommPort::OnComm);

    pty.hangUp();
    // Without ever asking IsOpen, the loss is reported from the event loop.
    QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, 2000);
    QVERIFY(!port.IsOpen());
    QVERIFY(!port.TimerEnabled());
    QTest::qWait(300);
    QCOMPARE(gone.count(), 1);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(comm.count(), 0);

    // Reading and writing afterwards find no device and report nothing.
    QCOMPARE(port.cReadLine(0.1f), QString());
    port.cOutput(QStringLiteral("S01\n"));
    port.SendBuffer();
    QCOMPARE(port.cOutBufferCount(), 4);
    port.TimerPoll();
    QVERIFY(!port.cClose());   // already released
    QCOMPARE(gone.count(), 1);
    QCOMPARE(failed.count(), 0);
}

void TestCommPortPoll::writeToDeviceThatJustVanished_data()
{
    QTest::addColumn<bool>("noError");
    QTest::newRow("reported") << false;
    QTest::newRow("switched off") << true;
}

void TestCommPortPoll::writeToDeviceThatJustVanished()
{
    QFETCH(bool, noError);
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    port.setXNoError(noError);
    QSignalSpy gone(&port, &clsCommPort::deviceGone);
    pty.hangUp();
    port.cOutput(QStringLiteral("S01\n"));
    if (noError) {
        port.SendBuffer();
    } else {
        try {
            port.SendBuffer();
            QFAIL("no failure report");
        } catch (const CommPortError &e) {
            QCOMPARE(e.source(), QStringLiteral("clsCommPort.SendBuffer"));
            QCOMPARE(e.number(), CommPortError::kNumber);
            QCOMPARE(e.description(), QStringLiteral("Fehler beim Zugriff auf ") + port.portLabel()
                         + QStringLiteral(" ..."));
        }
    }
    QCOMPARE(port.cOutBufferCount(), 0);   // cleared whether or not written
    QVERIFY(!port.IsOpen());
    QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, 2000);
}

void TestCommPortPoll::failureInTimedPollReachesOwner()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, true));
    QSignalSpy failed(&port, &clsCommPort::failure);
    QSignalSpy gone(&port, &clsCommPort::deviceGone);
    QObject context;
    // A handler that closes the port and then asks for its status makes the
    // status query fail inside the timer's poll.
    connect(&port, &clsCommPort::OnComm, &context, [&port] {
        port.cClose();
        port.GetStatus();
    });
    QVERIFY(pty.send("x"));
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 2000);
    QCOMPARE(failed.at(0).at(0).toString(),
             QStringLiteral("Fehler beim Zugriff auf ") + port.portLabel() + QStringLiteral(" ..."));
    QVERIFY(!port.IsOpen());
    QVERIFY(!port.TimerEnabled());
    QCOMPARE(gone.count(), 0);
}

void TestCommPortPoll::ownerExceptionStaysInPoll()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, true));
    QSignalSpy failed(&port, &clsCommPort::failure);
    QObject context;
    connect(&port, &clsCommPort::OnComm, &context, [] { throw std::runtime_error("handler broke"); });
    QVERIFY(pty.send("x"));
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 2000);
    QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("handler broke"));
}

QTEST_GUILESS_MAIN(TestCommPortPoll)
#include "tst_commport_poll.moc"
