// Receiving, sending and waiting with clsCommPort over real pseudo-terminals.
#include "platform/Clock.h"
#include "serial/clsCommPort.h"
#include "tst_commport_pty.h"

#include <QElapsedTimer>
#include <QtTest>

class TestCommPortIo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nothingReceived();
    void receiveThroughPoll();
    void textIsWindows1252();
    void outputReplacedBeforeSending();
    void sendWithoutDeviceKeepsText();
    void reopenHidesOldBytesUntilNewOnes();

    void readLine_data();
    void readLine();
    void readLineTimesOut();
    void waitForBytesDefaultsToOne();
    void waitForBytesNeverCuts();
    void waitForData();
    void withoutInternalTimerNothingArrives();
    void waitEndsAtMidnight();

private:
    bool openOn(clsCommPort &port, const PseudoTerminal &pty, bool internalTimer = true);
    // Let the bytes reach the port's side of the line.
    static bool arrived(clsCommPort &port, int count);
};

void TestCommPortIo::init()
{
    Clock::setSource({});
}

void TestCommPortIo::cleanup()
{
    Clock::setSource({});
}

bool TestCommPortIo::openOn(clsCommPort &port, const PseudoTerminal &pty, bool internalTimer)
{
    port.setCPortPath(pty.path());
    port.setCSettings(QStringLiteral("115200,N,8,1"));
    port.setPollInterval(25);
    return port.cOpen(internalTimer) && port.IsOpen();
}

bool TestCommPortIo::arrived(clsCommPort &port, int count)
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

void TestCommPortIo::nothingReceived()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QTest::qWait(100);
    QCOMPARE(port.cInBufferCount(), 0);
    QCOMPARE(port.ReceiveCnt(), qint64(0));
    QCOMPARE(port.cInput(), QString());
}

void TestCommPortIo::receiveThroughPoll()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send("HELLO"));
    QTRY_COMPARE_WITH_TIMEOUT(port.cInBufferCount(), 5, 2000);
    QCOMPARE(port.ReceiveCnt(), qint64(5));
    QVERIFY(pty.send("!"));
    QTRY_COMPARE_WITH_TIMEOUT(port.ReceiveCnt(), qint64(6), 2000);
    QCOMPARE(port.cInput(), QStringLiteral("HELLO!"));
    QCOMPARE(port.cInBufferCount(), 0);
    QCOMPARE(port.ReceiveCnt(), qint64(0));
    QCOMPARE(port.cInput(), QString());
}

void TestCommPortIo::textIsWindows1252()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send(QByteArray("\x80\xE4\x81", 3)));
    QTRY_COMPARE_WITH_TIMEOUT(port.cInBufferCount(), 3, 2000);
    QCOMPARE(port.cInput(), QString(QChar(0x20AC)) + QChar(0xE4) + QChar(0x81));

    port.cOutput(QString(QChar(0x20AC)) + QStringLiteral("\u00FC") + QChar(0x4E2D));
    QCOMPARE(port.cOutBufferCount(), 3);
    port.SendBuffer();
    QCOMPARE(port.cOutBufferCount(), 0);
    QCOMPARE(pty.receive(), QByteArray("\x80\xFC?", 3));
}

void TestCommPortIo::outputReplacedBeforeSending()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    port.cOutput(QStringLiteral("a"));
    port.cOutput(QStringLiteral("b"));
    QCOMPARE(port.cOutBufferCount(), 1);
    port.SendBuffer();
    QCOMPARE(pty.receive(), QByteArray("b"));
    port.SendBuffer();   // nothing pending: nothing written
    QCOMPARE(pty.receive(200), QByteArray());
}

void TestCommPortIo::sendWithoutDeviceKeepsText()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(port.cClose());
    port.cOutput(QStringLiteral("late"));
    port.SendBuffer();
    QCOMPARE(port.cOutBufferCount(), 4);
    QCOMPARE(pty.receive(200), QByteArray());
}

void TestCommPortIo::reopenHidesOldBytesUntilNewOnes()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(port.cInBufferCount(), 2, 2000);
    QVERIFY(port.cClose());
    QVERIFY(port.cOpen(true));
    QCOMPARE(port.cInBufferCount(), 0);
    QCOMPARE(port.ReceiveCnt(), qint64(0));
    QCOMPARE(port.cInput(), QString());
    QVERIFY(pty.send("C"));
    QTRY_COMPARE_WITH_TIMEOUT(port.ReceiveCnt(), qint64(1), 2000);
    QCOMPARE(port.cInput(), QStringLiteral("ABC"));
}

void TestCommPortIo::readLine_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("later");
    QTest::addColumn<QString>("line");
    QTest::newRow("line completed by a later poll") << QByteArray("AB") << QByteArray("C\r\n") << "ABC";
    QTest::newRow("rest after the line end is lost") << QByteArray("AB\r\nCD\n") << QByteArray() << "AB";
    QTest::newRow("CR alone ends a line") << QByteArray("AB\rCD") << QByteArray() << "AB";
    QTest::newRow("LF alone") << QByteArray("xyz\n") << QByteArray() << "xyz";
    QTest::newRow("LF found before an earlier CR") << QByteArray("A\rB\nC") << QByteArray() << "AB";
    QTest::newRow("empty line") << QByteArray("\r\nAB\r\n") << QByteArray() << "";
}

void TestCommPortIo::readLine()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, later);
    QFETCH(QString, line);
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send(first));
    if (!later.isEmpty())
        QTimer::singleShot(300, &pty.context(), [&pty, later] { pty.send(later); });
    QCOMPARE(port.cReadLine(3.0f), line);
    QCOMPARE(port.cInBufferCount(), 0);
    // Whatever followed the line end is gone.
    QCOMPARE(port.cWaitForData(0.3f), QString());
}

void TestCommPortIo::readLineTimesOut()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send("no line end"));
    QElapsedTimer t;
    t.start();
    QCOMPARE(port.cReadLine(0.0f), QString());   // 0 means 0.1 s
    QVERIFY(t.elapsed() >= 90);
    QVERIFY(t.elapsed() < 5000);
    QCOMPARE(port.cInBufferCount(), 0);
    QCOMPARE(port.ReceiveCnt(), qint64(0));
}

void TestCommPortIo::waitForBytesDefaultsToOne()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QElapsedTimer t;
    t.start();
    QCOMPARE(port.cWaitForBytes(0, 0.0f), QString());   // about 0.25 s
    QVERIFY(t.elapsed() >= 240);
    QVERIFY(t.elapsed() < 5000);

    QTimer::singleShot(50, &pty.context(), [&pty] { pty.send("Z"); });
    QCOMPARE(port.cWaitForBytes(0, 0.0f), QStringLiteral("Z"));
}

void TestCommPortIo::waitForBytesNeverCuts()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send("AB"));
    QTimer::singleShot(200, &pty.context(), [&pty] { pty.send("CDE"); });
    QCOMPARE(port.cWaitForBytes(3, 3.0f), QStringLiteral("ABCDE"));
    QCOMPARE(port.ReceiveCnt(), qint64(0));
}

void TestCommPortIo::waitForData()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QTimer::singleShot(100, &pty.context(), [&pty] { pty.send("s:1"); });
    QCOMPARE(port.cWaitForData(3.0f), QStringLiteral("s:1"));
    QCOMPARE(port.cWaitForData(-1.0f), QString());
}

void TestCommPortIo::withoutInternalTimerNothingArrives()
{
    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty, false));
    QVERIFY(pty.send("AB\r\n"));
    QVERIFY(arrived(port, 4));
    QCOMPARE(port.cReadLine(0.2f), QString());
    QCOMPARE(port.cInBufferCount(), 0);
    // The owner's own poll takes the bytes in.
    port.TimerPoll();
    QCOMPARE(port.cInput(), QStringLiteral("AB\r\n"));
}

void TestCommPortIo::waitEndsAtMidnight()
{
    // The clock starts 0.3 s before midnight and then runs with real time.
    const QDateTime beforeMidnight(QDate(2026, 3, 1), QTime(23, 59, 59, 700));
    QElapsedTimer running;
    running.start();
    Clock::setSource([beforeMidnight, running] { return beforeMidnight.addMSecs(running.elapsed()); });

    PseudoTerminal pty;
    clsCommPort port;
    QVERIFY(openOn(port, pty));
    QVERIFY(pty.send("AB"));
    QElapsedTimer t;
    t.start();
    // Waiting for 100 characters for 30 s ends at midnight with what came.
    QCOMPARE(port.cWaitForBytes(100, 30.0f), QStringLiteral("AB"));
    QVERIFY(t.elapsed() < 10000);
}

QTEST_GUILESS_MAIN(TestCommPortIo)
#include "tst_commport_io.moc"
