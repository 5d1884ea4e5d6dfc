// A wait pass of clsCommPort sleeps PollInterval ms, but bytes the poll
// brings end it at once, and bytes already waiting are taken without one.
// The poll interval here is far longer than any test step, so a wait that
// slept its pass out could not finish inside the bounds below.
#include "serial/clsCommPort.h"
#include "tst_commport_pty.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {
constexpr int kLongPassMs = 20000;
constexpr qint64 kWellInsideAPassMs = kLongPassMs / 2;
} // namespace

class TestCommPortWakeup : public QObject
{
    Q_OBJECT

private slots:
    void waitingBytesTakenWithoutSleep_data();
    void waitingBytesTakenWithoutSleep();
    void pollEndsTheSleep_data();
    void pollEndsTheSleep();
    void quietLineSleepsWholePass();
    void portGoneDuringPass();

private:
    static void waits_data();
    // Runs the wait the row names and returns what it gave.
    static QString runWait(clsCommPort &port, const QString &operation, float timeOut);
    bool openWithoutTimer(clsCommPort &port, const PseudoTerminal &pty, int pollMs);
};

bool TestCommPortWakeup::openWithoutTimer(clsCommPort &port, const PseudoTerminal &pty, int pollMs)
{
    port.setCPortPath(pty.path());
    port.setCSettings(QStringLiteral("115200,N,8,1"));
    port.setPollInterval(pollMs);
    return port.cOpen(false) && port.IsOpen();
}

void TestCommPortWakeup::waits_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("result");
    QTest::newRow("cReadLine") << "line" << QByteArray("S:128\r\n") << "S:128";
    QTest::newRow("cWaitForData") << "data" << QByteArray("T:12") << "T:12";
    QTest::newRow("cWaitForBytes") << "bytes" << QByteArray("abcd") << "abcd";
}

QString TestCommPortWakeup::runWait(clsCommPort &port, const QString &operation, float timeOut)
{
    if (operation == QLatin1String("line"))
        return port.cReadLine(timeOut);
    if (operation == QLatin1String("data"))
        return port.cWaitForData(timeOut);
    return port.cWaitForBytes(4, timeOut);
}

void TestCommPortWakeup::waitingBytesTakenWithoutSleep_data()
{
    waits_data();
}

void TestCommPortWakeup::waitingBytesTakenWithoutSleep()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, sent);
    QFETCH(QString, result);
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openWithoutTimer(port, pty, kLongPassMs));
    QVERIFY(pty.send(sent));
    // The poll has taken them into the receive buffer before the wait starts.
    QTRY_VERIFY_WITH_TIMEOUT((port.TimerPoll(), port.cInBufferCount() == sent.size()), 2000);

    QElapsedTimer t;
    t.start();
    QCOMPARE(runWait(port, operation, 60.0f), result);
    QVERIFY2(t.elapsed() < kWellInsideAPassMs, "the wait slept a pass with the bytes there");
    QCOMPARE(port.cInBufferCount(), 0);
}

void TestCommPortWakeup::pollEndsTheSleep_data()
{
    waits_data();
}

void TestCommPortWakeup::pollEndsTheSleep()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, sent);
    QFETCH(QString, result);
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openWithoutTimer(port, pty, kLongPassMs));
    QVERIFY(pty.send(sent));
    // The poll runs while the wait sleeps, as the poll timer would run it.
    QTimer::singleShot(200, &port, [&port] { port.TimerPoll(); });

    QElapsedTimer t;
    t.start();
    QCOMPARE(runWait(port, operation, 60.0f), result);
    QVERIFY2(t.elapsed() < kWellInsideAPassMs, "the poll did not end the sleep");
}

void TestCommPortWakeup::quietLineSleepsWholePass()
{
    // Nothing arrives: the pass is slept out even past a shorter time-out,
    // so a wait never spins.
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openWithoutTimer(port, pty, 300));
    QElapsedTimer t;
    t.start();
    QCOMPARE(port.cReadLine(0.05f), QString());
    QVERIFY(t.elapsed() >= 250);
}

void TestCommPortWakeup::portGoneDuringPass()
{
    // The owner deletes the port while a wait sleeps in it: the wait ends.
    PseudoTerminal pty;
    auto *port = new clsCommPort;
    QVERIFY(openWithoutTimer(*port, pty, 200));
    QPointer<clsCommPort> watch(port);
    QTimer::singleShot(50, &pty.context(), [port] { delete port; });
    QCOMPARE(port->cWaitForData(5.0f), QString());
    QVERIFY(watch.isNull());
}

QTEST_GUILESS_MAIN(TestCommPortWakeup)
#include "tst_commport_wakeup.moc"
