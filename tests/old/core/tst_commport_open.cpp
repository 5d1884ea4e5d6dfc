// Opening, closing and configuring clsCommPort over real pseudo-terminals,
// and the ways an open can fail.
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"
#include "tst_commport_pty.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestCommPortOpen : public QObject
{
    Q_OBJECT

private slots:
    void openAndClose();
    void openTwiceIsRefused();
    void openFails_data();
    void openFails();
    void portInUseByAnotherObject();
    void numberOnlyHasNoDeviceHere();
    void checkPortLeavesStateAlone();
    void pollIntervalOnOpen_data();
    void pollIntervalOnOpen();
    void openWithoutInternalTimer();
    void reopenRestartsTimer();
    void settingsIgnoredWhileOpen();
    void lineSettingsReachDevice_data();
    void lineSettingsReachDevice();
    void flowControlReachesDevice_data();
    void flowControlReachesDevice();
    void controlCodesKeptOverReadBack();
    void timeoutsKeptByDevice();
    void configurationFailureClosesQuietly_data();
    void configurationFailureClosesQuietly();
    void statusOfIdlePort();
    void lineControlOnPseudoTerminal();
};

namespace {
void prepare(clsCommPort &port, const PseudoTerminal &pty, const QString &settings = QStringLiteral("115200,N,8,1"))
{
    port.setCPortPath(pty.path());
    port.setCSettings(settings);
}
} // namespace

void TestCommPortOpen::openAndClose()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    port.setPollInterval(25);
    QVERIFY(!port.cClose());
    QVERIFY(port.cOpen(true));
    QVERIFY(port.IsOpen());
    QCOMPARE(port.cPort(), qint16(1));   // 0 becomes 1 when opening
    QCOMPARE(port.cSettings(), QStringLiteral("115200,N,8,1"));
    QVERIFY(port.cClose());
    QVERIFY(!port.IsOpen());
    QVERIFY(!port.TimerEnabled());
    QVERIFY(!port.cClose());   // nothing held any more
}

void TestCommPortOpen::openTwiceIsRefused()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    QVERIFY(port.cOpen(false));
    QVERIFY(!port.cOpen(false));
    QVERIFY(!port.cOpen(true));
    QVERIFY(port.IsOpen());
    QVERIFY(!port.TimerEnabled());
}

void TestCommPortOpen::openFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing path") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("regular file") << "file";
    QTest::newRow("not a terminal") << "/dev/null";
}

void TestCommPortOpen::openFails()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path;
    if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("ttyNothing"));
    } else if (kind == QLatin1String("directory")) {
        path = dir.path();
    } else if (kind == QLatin1String("file")) {
        path = dir.filePath(QStringLiteral("plain"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a serial line");
    } else {
        path = kind;
    }

    clsCommPort port;
    port.setCPortPath(path);
    port.setCSettings(QStringLiteral("115200,N,8,1"));
    QSignalSpy gone(&port, &clsCommPort::deviceGone);
    QSignalSpy failed(&port, &clsCommPort::failure);
    QVERIFY(!port.cChkPortPath(path));
    QVERIFY(!port.cOpen(true));
    QVERIFY(!port.IsOpen());
    QVERIFY(!port.TimerEnabled());
    QVERIFY(!port.cClose());
    port.cOutput(QStringLiteral("x"));
    port.SendBuffer();   // nothing held: nothing written, text kept
    QCOMPARE(port.cOutBufferCount(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(gone.count(), 0);
    QCOMPARE(failed.count(), 0);
}

void TestCommPortOpen::portInUseByAnotherObject()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort first;
    prepare(first, pty);
    QVERIFY(first.cOpen(false));

    clsCommPort second;
    prepare(second, pty);
    QVERIFY(!second.cChkPortPath(pty.path()));
    QVERIFY(!second.cOpen(false));
    QVERIFY(!second.IsOpen());
    QVERIFY(first.IsOpen());

    QVERIFY(first.cClose());
    QVERIFY(second.cOpen(false));
    QVERIFY(second.IsOpen());
}

void TestCommPortOpen::numberOnlyHasNoDeviceHere()
{
    clsCommPort port;
    port.setCPort(3);
    port.setCSettings(QStringLiteral("115200,N,8,1"));
    QVERIFY(!port.cChkPort(3));
    QVERIFY(!port.cOpen(false));
    QVERIFY(!port.IsOpen());
}

void TestCommPortOpen::checkPortLeavesStateAlone()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    port.setCPort(5);
    QVERIFY(port.cChkPortPath(pty.path()));
    QVERIFY(!port.IsOpen());
    QCOMPARE(port.cPort(), qint16(5));
    QCOMPARE(port.cPortPath(), QString());
    // The probe let the device go again.
    prepare(port, pty);
    QVERIFY(port.cOpen(false));
}

void TestCommPortOpen::pollIntervalOnOpen_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("unset becomes 100") << 0 << 100;
    QTest::newRow("25 stays") << 25 << 25;
}

void TestCommPortOpen::pollIntervalOnOpen()
{
    QFETCH(int, before);
    QFETCH(int, after);
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    port.setPollInterval(before);
    QVERIFY(port.cOpen(true));
    QCOMPARE(port.PollInterval(), after);
    QVERIFY(port.TimerEnabled());
    port.setPollInterval(40);   // restarts the running timer
    QVERIFY(port.TimerEnabled());
    QCOMPARE(port.PollInterval(), 40);
}

void TestCommPortOpen::openWithoutInternalTimer()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    QVERIFY(port.cOpen(false));
    QVERIFY(!port.TimerEnabled());
    QCOMPARE(port.PollInterval(), 100);
    port.setTimerEnabled(true);
    QVERIFY(port.cClose());
    // Only a timer cOpen started itself is stopped by cClose.
    QVERIFY(port.TimerEnabled());
    port.setTimerEnabled(false);
}

void TestCommPortOpen::reopenRestartsTimer()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    port.setPollInterval(25);
    QVERIFY(port.cOpen(true));
    QVERIFY(port.cClose());
    QVERIFY(!port.TimerEnabled());
    QVERIFY(port.cOpen(true));
    QVERIFY(port.TimerEnabled());
}

void TestCommPortOpen::settingsIgnoredWhileOpen()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    QVERIFY(port.cOpen(false));
    port.setCSettings(QStringLiteral("9600,E,7,2"));
    QCOMPARE(port.cSettings(), QStringLiteral("115200,N,8,1"));
    QVERIFY(port.cClose());
    port.setCSettings(QStringLiteral("9600,E,7,2"));
    QCOMPARE(port.cSettings(), QStringLiteral("9600,E,7,2"));
}

void TestCommPortOpen::lineSettingsReachDevice_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("receiver line") << "115200,N,8,1" << true << "115200,N,8,1";
    QTest::newRow("two stop bits") << "19200,N,8,2" << true << "19200,N,8,2";
    QTest::newRow("slow") << "300,N,8,1" << true << "300,N,8,1";
    QTest::newRow("custom rate") << "128000,N,8,1" << true << "128000,N,8,1";
    // A pseudo-terminal always runs 8 bits without parity. Where the system
    // notices the refusal the port is closed; where it does not, reading back
    // shows what the line really does.
    QTest::newRow("odd, 7 bits") << "9600,O,7,1" << false << "";
    QTest::newRow("even") << "19200,E,8,2" << false << "";
    QTest::newRow("mark slips through") << "38400,M,8,1" << true << "38400,N,8,1";
    QTest::newRow("7 bits") << "9600,N,7,1" << false << "";
    QTest::newRow("space slips through") << "57600,S,8,1" << true << "57600,N,8,1";
    QTest::newRow("5 bits slip through") << "1200,N,5,2" << true << "1200,N,8,2";
}

void TestCommPortOpen::lineSettingsReachDevice()
{
    QFETCH(QString, settings);
    QFETCH(bool, accepted);
    QFETCH(QString, readBack);
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty, settings);
    QSignalSpy failed(&port, &clsCommPort::failure);
    QVERIFY(port.cOpen(false));
    QCOMPARE(port.IsOpen(), accepted);
    QCOMPARE(failed.count(), 0);
    if (!accepted)
        return;
    QCOMPARE(port.cSettings(), readBack);
    port.pReadComSettings();
    QCOMPARE(port.cSettings(), readBack);
}

void TestCommPortOpen::flowControlReachesDevice_data()
{
    QTest::addColumn<bool>("cts");
    QTest::addColumn<int>("rts");
    QTest::addColumn<bool>("xonOut");
    QTest::addColumn<bool>("xonIn");
    QTest::addColumn<bool>("ctsBack");
    QTest::addColumn<int>("rtsBack");
    QTest::addColumn<bool>("xonOutBack");
    QTest::addColumn<bool>("xonInBack");
    QTest::newRow("none") << false << 0 << false << false << false << 0 << false << false;
    QTest::newRow("cts") << true << 0 << false << false << true << 0 << false << false;
    QTest::newRow("rts handshake") << false << 2 << false << false << false << 2 << false << false;
    QTest::newRow("rts on only") << false << 1 << false << false << false << 1 << false << false;
    QTest::newRow("xon/xoff out") << false << 0 << true << false << false << 0 << true << false;
    QTest::newRow("xon/xoff both") << false << 0 << true << true << false << 0 << true << true;
    QTest::newRow("hardware wins") << true << 2 << true << true << true << 2 << false << false;
}

void TestCommPortOpen::flowControlReachesDevice()
{
    QFETCH(bool, cts);
    QFETCH(int, rts);
    QFETCH(bool, xonOut);
    QFETCH(bool, xonIn);
    QFETCH(bool, ctsBack);
    QFETCH(int, rtsBack);
    QFETCH(bool, xonOutBack);
    QFETCH(bool, xonInBack);
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    port.setPEnableCtsFlow(cts);
    port.setPRtsFlowControl(static_cast<quint8>(rts));
    port.setPEnableXonOffOut(xonOut);
    port.setPEnableXonOffIn(xonIn);
    QVERIFY(port.cOpen(false));
    QVERIFY(port.IsOpen());
    QCOMPARE(port.pEnableCtsFlow(), ctsBack);
    QCOMPARE(int(port.pRtsFlowControl()), rtsBack);
    QCOMPARE(port.pEnableXonOffOut(), xonOutBack);
    QCOMPARE(port.pEnableXonOffIn(), xonInBack);
}

void TestCommPortOpen::controlCodesKeptOverReadBack()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    port.setPDtrFlowType(1);
    port.setPRtsFlowControl(2);
    port.setPEnableAbortOnError(true);
    QVERIFY(port.cOpen(false));
    QVERIFY(port.IsOpen());
    for (int i = 0; i < 3; ++i) {
        port.pReadComSettings();
        QCOMPARE(int(port.pDtrFlowType()), 1);
        QCOMPARE(int(port.pRtsFlowControl()), 2);
        QVERIFY(port.pEnableAbortOnError());
    }
    QCOMPARE(port.deviceControlBlock().flags & 0x7FFFu, 0x6011u);
}

void TestCommPortOpen::timeoutsKeptByDevice()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    port.setPReadIntervalTimeout(50);
    port.setPWriteTotalTimeoutConstant(700);
    QVERIFY(port.cOpen(false));
    QCOMPARE(port.pReadIntervalTimeout(), 50);
    QCOMPARE(port.pWriteTotalTimeoutConstant(), 700);
    QCOMPARE(port.pReadTotalTimeoutConstant(), 0);
    QVERIFY(port.cClose());
    port.pReadTimeoutSettings();   // no device: all five read 0
    QCOMPARE(port.pReadIntervalTimeout(), 0);
    QCOMPARE(port.pWriteTotalTimeoutConstant(), 0);
}

void TestCommPortOpen::configurationFailureClosesQuietly_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("internalTimer");
    QTest::newRow("one and a half stop bits") << "9600,N,8,1.5" << true;
    QTest::newRow("four data bits") << "9600,N,4,1" << false;
    QTest::newRow("never set (baud 0)") << "" << true;
}

void TestCommPortOpen::configurationFailureClosesQuietly()
{
    QFETCH(QString, settings);
    QFETCH(bool, internalTimer);
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    port.setCPortPath(pty.path());
    port.setCSettings(settings);
    QSignalSpy failed(&port, &clsCommPort::failure);
    QSignalSpy gone(&port, &clsCommPort::deviceGone);
    // The device opened, so cOpen says True; the port is closed again.
    QVERIFY(port.cOpen(internalTimer));
    QVERIFY(!port.IsOpen());
    QCOMPARE(port.TimerEnabled(), internalTimer);
    QTest::qWait(50);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(gone.count(), 0);
    // The device itself is free again.
    QVERIFY(port.cChkPortPath(pty.path()));
    port.setTimerEnabled(false);
}

void TestCommPortOpen::statusOfIdlePort()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    QVERIFY(port.cOpen(false));
    const QString status = port.GetStatus();
    const QStringList lines = status.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 10);   // nine lines, each ending with CR LF
    QCOMPARE(lines.last(), QString());
    QCOMPARE(lines[0], QStringLiteral("Bytes im Eingangspuffer: 0"));
    QCOMPARE(lines[1], QStringLiteral("Bytes im Ausgangspuffer: 0"));
    QCOMPARE(lines[2], QStringLiteral("Waiting for CTS signal = False"));
    QCOMPARE(lines[3], QStringLiteral("Waiting for DSR signal = False"));
    QCOMPARE(lines[4], QStringLiteral("Waiting for RLSD (DCD) signal = False"));
    QCOMPARE(lines[5], QStringLiteral("Waiting for XOFF char rec  = False"));
    QCOMPARE(lines[6], QStringLiteral("Waiting for XOFF char sent = False"));
    QCOMPARE(lines[7], QStringLiteral("EOF character sent = False"));
    QCOMPARE(lines[8], QStringLiteral("Character waiting for Tx  = False"));

    QVERIFY(pty.send("abc"));
    QTRY_VERIFY_WITH_TIMEOUT(port.GetStatus().startsWith(QStringLiteral("Bytes im Eingangspuffer: 3\r\n")), 2000);
    QVERIFY(port.IsOpen());
}

void TestCommPortOpen::lineControlOnPseudoTerminal()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    clsCommPort port;
    prepare(port, pty);
    QVERIFY(!port.pDTR(true));   // nothing open
    QVERIFY(!port.pTXD(true));
    QVERIFY(port.cOpen(false));
    // Pseudo-terminals have no modem lines; the refusal must not look like a
    // vanished device.
    port.pDTR(true);
    port.pRTS(false);
    QVERIFY(port.pTXD(true));
    QVERIFY(port.pTXD(false));
    QCoreApplication::processEvents();
    QVERIFY(port.IsOpen());
    QVERIFY(!port.sDSR());
}

QTEST_GUILESS_MAIN(TestCommPortOpen)
#include "tst_commport_open.moc"
