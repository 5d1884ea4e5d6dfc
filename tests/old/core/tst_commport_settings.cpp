// Line settings of clsCommPort without a device: the settings text, the
// setter rules, the flags word and the failure report.
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"

#include <QtTest>

#include <cmath>
#include <functional>

class TestCommPortSettings : public QObject
{
    Q_OBJECT

private slots:
    void newObject();

    void settingsText_data();
    void settingsText();
    void settingsTextIgnored_data();
    void settingsTextIgnored();

    void parityRule_data();
    void parityRule();
    void stopBitsRule_data();
    void stopBitsRule();
    void controlCodeRules_data();
    void controlCodeRules();

    void flagsWordWritten_data();
    void flagsWordWritten();
    void flagsWordRead_data();
    void flagsWordRead();
    void controlCodesSurviveReadBack();

    void readWithoutDeviceCopiesRecord();
    void setWithoutDeviceFailsQuietlyWithNoError();
    void failureReport_data();
    void failureReport();
    void checkPortRefusesNonPositiveNumbers();
    void portLabel_data();
    void portLabel();
};

void TestCommPortSettings::newObject()
{
    clsCommPort p;
    QCOMPARE(p.cSettings(), QStringLiteral("0,N,0,1"));
    QCOMPARE(p.cPort(), qint16(0));
    QCOMPARE(p.pReadIntervalTimeout(), 0);
    QCOMPARE(p.pReadTotalTimeoutMultiplier(), 0);
    QCOMPARE(p.pReadTotalTimeoutConstant(), 0);
    QCOMPARE(p.pWriteTotalTimeoutMultiplier(), 0);
    QCOMPARE(p.pWriteTotalTimeoutConstant(), 0);
    QCOMPARE(p.PollInterval(), 0);
    QVERIFY(!p.TimerEnabled());
    QVERIFY(!p.IsOpen());
    QCOMPARE(p.cInBufferCount(), 0);
    QCOMPARE(p.ReceiveCnt(), qint64(0));
    QCOMPARE(p.cInput(), QString());
    QCOMPARE(p.cOutBufferCount(), 0);
    QCOMPARE(p.GetEvents(), 0);
    QCOMPARE(p.pGetLogString(), QString());
    QVERIFY(!p.sDSR());
    QVERIFY(!p.cClose());
}

void TestCommPortSettings::settingsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("stopCode");

    QTest::newRow("receiver line") << "115200,N,8,1" << "115200,N,8,1" << 115200 << 0 << 8 << 0;
    QTest::newRow("unlisted baud") << "14400,N,8,1" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("unknown parity") << "9600,X,8,1" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("lower-case parity") << "9600,e,7,2" << "9600,E,7,2" << 9600 << 2 << 7 << 2;
    QTest::newRow("bad data and stop bits") << "9600,N,9,3" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("one and a half") << "9600,N,8,1.5" << "9600,N,8,1.5" << 9600 << 0 << 8 << 1;
    QTest::newRow("odd") << "300,o,5,1" << "300,O,5,1" << 300 << 1 << 5 << 0;
    QTest::newRow("mark") << "921600,M,6,2" << "921600,M,6,2" << 921600 << 3 << 6 << 2;
    QTest::newRow("space, four bits") << "128000,s,4,1" << "128000,S,4,1" << 128000 << 4 << 4 << 0;
    QTest::newRow("blanks inside numbers") << " 1 9 2 0 0 ,N, 7 , 2 " << "19200,N,7,2" << 19200 << 0 << 7 << 2;
    QTest::newRow("tabs and line feeds") << "\t38400\n,E,\t8,\n1" << "38400,E,8,1" << 38400 << 2 << 8 << 0;
    QTest::newRow("blank around parity") << "9600, E,8,1" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("two-letter parity") << "9600,EV,8,1" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("huge baud") << "99999999999999999999999999,N,8,1" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("negative baud") << "-115200,N,8,1" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("huge fields") << "115200,N,1e99,123456789012345678901" << "115200,N,8,1" << 115200 << 0 << 8 << 0;
    QTest::newRow("empty fields") << ",,," << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("words") << "fast,even,eight,one" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("decimal points") << "57600.0,N,7.0,2.0" << "57600,N,7,2" << 57600 << 0 << 7 << 2;
    QTest::newRow("fractions") << "9600.5,N,7.5,1.4" << "9600,N,8,1" << 9600 << 0 << 8 << 0;
    QTest::newRow("trailing text") << "2400baud,N,7bits,2stop" << "2400,N,7,2" << 2400 << 0 << 7 << 2;
}

void TestCommPortSettings::settingsText()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    QFETCH(int, baud);
    QFETCH(int, parity);
    QFETCH(int, dataBits);
    QFETCH(int, stopCode);

    clsCommPort p;
    p.setCSettings(text);
    QCOMPARE(p.cSettings(), readBack);
    QCOMPARE(p.cBaudRate(), baud);
    QCOMPARE(int(p.cParity()), parity);
    QCOMPARE(int(p.cDataBits()), dataBits);
    QCOMPARE(int(p.stopBitsCode()), stopCode);
}

void TestCommPortSettings::settingsTextIgnored_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("three fields") << "9600,N,8";
    QTest::newRow("five fields") << "9600,N,8,1,0";
    QTest::newRow("one field") << "115200";
    QTest::newRow("empty") << "";
    QTest::newRow("semicolons") << "9600;N;8;1";
}

void TestCommPortSettings::settingsTextIgnored()
{
    QFETCH(QString, text);
    clsCommPort p;
    p.setCSettings(QStringLiteral("57600,E,7,2"));
    p.setCSettings(text);
    QCOMPARE(p.cSettings(), QStringLiteral("57600,E,7,2"));
}

void TestCommPortSettings::parityRule_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    for (int v = 0; v <= 4; ++v)
        QTest::addRow("%d", v) << v << v;
    QTest::newRow("5") << 5 << 0;
    QTest::newRow("7") << 7 << 0;
    QTest::newRow("255") << 255 << 0;
}

void TestCommPortSettings::parityRule()
{
    QFETCH(int, value);
    QFETCH(int, stored);
    clsCommPort p;
    p.setCParity(3);
    p.setCParity(static_cast<quint8>(value));
    QCOMPARE(int(p.cParity()), stored);
}

void TestCommPortSettings::stopBitsRule_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("readBack");
    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("1.5") << 1.5 << 1.5;
    QTest::newRow("2") << 2.0 << 2.0;
    QTest::newRow("1.2") << 1.2 << 1.0;
    QTest::newRow("1.54 rounds to 15 tenths") << 1.54 << 1.5;
    QTest::newRow("1.45 rounds half to even 14") << 1.45 << 1.0;
    QTest::newRow("1.96") << 1.96 << 2.0;
    QTest::newRow("0") << 0.0 << 1.0;
    QTest::newRow("3") << 3.0 << 1.0;
    QTest::newRow("-1.5") << -1.5 << 1.0;
    QTest::newRow("nan") << std::nan("") << 1.0;
    QTest::newRow("huge") << 1e300 << 1.0;
}

void TestCommPortSettings::stopBitsRule()
{
    QFETCH(double, value);
    QFETCH(double, readBack);
    clsCommPort p;
    p.setCStopBits(2.0);
    p.setCStopBits(value);
    QCOMPARE(p.cStopBits(), readBack);
}

void TestCommPortSettings::controlCodeRules_data()
{
    QTest::addColumn<bool>("rts");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("dtr 0") << false << 0 << 0;
    QTest::newRow("dtr 1") << false << 1 << 1;
    QTest::newRow("dtr 2") << false << 2 << 2;
    QTest::newRow("dtr 3") << false << 3 << 0;
    QTest::newRow("dtr 200") << false << 200 << 0;
    QTest::newRow("rts 2") << true << 2 << 2;
    QTest::newRow("rts 3") << true << 3 << 3;
    QTest::newRow("rts 4") << true << 4 << 0;
    QTest::newRow("rts 255") << true << 255 << 0;
}

void TestCommPortSettings::controlCodeRules()
{
    QFETCH(bool, rts);
    QFETCH(int, value);
    QFETCH(int, stored);
    clsCommPort p;
    if (rts) {
        p.setPRtsFlowControl(1);
        p.setPRtsFlowControl(static_cast<quint8>(value));
        QCOMPARE(int(p.pRtsFlowControl()), stored);
    } else {
        p.setPDtrFlowType(1);
        p.setPDtrFlowType(static_cast<quint8>(value));
        QCOMPARE(int(p.pDtrFlowType()), stored);
    }
}

namespace {
using Setter = std::function<void(clsCommPort &)>;

const QHash<QString, Setter> &setters()
{
    static const QHash<QString, Setter> map = {
        {QStringLiteral("none"), [](clsCommPort &) {}},
        {QStringLiteral("parity even"), [](clsCommPort &p) { p.setCParity(2); }},
        {QStringLiteral("parity check only"), [](clsCommPort &p) { p.setPEnableParity(true); }},
        {QStringLiteral("cts flow"), [](clsCommPort &p) { p.setPEnableCtsFlow(true); }},
        {QStringLiteral("dsr flow"), [](clsCommPort &p) { p.setPEnableDsrFlow(true); }},
        {QStringLiteral("dtr 1"), [](clsCommPort &p) { p.setPDtrFlowType(1); }},
        {QStringLiteral("dtr 2"), [](clsCommPort &p) { p.setPDtrFlowType(2); }},
        {QStringLiteral("dsr sensitive"), [](clsCommPort &p) { p.setPEnableDSRSensitive(true); }},
        {QStringLiteral("xoff continues"), [](clsCommPort &p) { p.setPEnableXoffContinuesTx(true); }},
        {QStringLiteral("xon/xoff out"), [](clsCommPort &p) { p.setPEnableXonOffOut(true); }},
        {QStringLiteral("xon/xoff in"), [](clsCommPort &p) { p.setPEnableXonOffIn(true); }},
        {QStringLiteral("error replace"), [](clsCommPort &p) { p.setPEnableErrReplace(true); }},
        {QStringLiteral("null strip"), [](clsCommPort &p) { p.setPEnableNullStrip(true); }},
        {QStringLiteral("rts 1"), [](clsCommPort &p) { p.setPRtsFlowControl(1); }},
        {QStringLiteral("rts 2"), [](clsCommPort &p) { p.setPRtsFlowControl(2); }},
        {QStringLiteral("rts 3"), [](clsCommPort &p) { p.setPRtsFlowControl(3); }},
        {QStringLiteral("abort on error"), [](clsCommPort &p) { p.setPEnableAbortOnError(true); }},
    };
    return map;
}
} // namespace

void TestCommPortSettings::flagsWordWritten_data()
{
    QTest::addColumn<QStringList>("set");
    QTest::addColumn<quint32>("word");
    const auto row = [](const char *name, QStringList set, quint32 word) {
        QTest::newRow(name) << set << word;
    };
    row("nothing set", {"none"}, 0x0001);
    row("parity without check flag", {"parity even"}, 0x0003);
    row("check flag without parity", {"parity check only"}, 0x0001);
    row("cts flow", {"cts flow"}, 0x0005);
    row("dsr flow", {"dsr flow"}, 0x0009);
    row("dtr on", {"dtr 1"}, 0x0011);
    row("dtr handshake", {"dtr 2"}, 0x0021);
    row("dsr sensitive", {"dsr sensitive"}, 0x0041);
    row("xoff continues", {"xoff continues"}, 0x0081);
    row("xon/xoff out", {"xon/xoff out"}, 0x0101);
    row("xon/xoff in", {"xon/xoff in"}, 0x0201);
    row("error replace", {"error replace"}, 0x0401);
    row("null strip", {"null strip"}, 0x0801);
    row("rts on", {"rts 1"}, 0x1001);
    row("rts handshake", {"rts 2"}, 0x2001);
    row("rts toggle", {"rts 3"}, 0x3001);
    row("abort on error", {"abort on error"}, 0x4001);
    row("everything", {"parity even", "cts flow", "dsr flow", "dtr 2", "dsr sensitive",
                       "xoff continues", "xon/xoff out", "xon/xoff in", "error replace",
                       "null strip", "rts 3", "abort on error"}, 0x7FEF);
}

void TestCommPortSettings::flagsWordWritten()
{
    QFETCH(QStringList, set);
    QFETCH(quint32, word);
    clsCommPort p;
    for (const QString &name : set) {
        QVERIFY2(setters().contains(name), qPrintable(name));
        setters().value(name)(p);
    }
    QCOMPARE(p.pSetBitFieldsInfo(), word);
    // Reading the written word back gives the same word again.
    clsCommPort q;
    q.setCParity(p.cParity());
    q.pGetBitFieldsInfo(word);
    QCOMPARE(q.pSetBitFieldsInfo(), word);
}

void TestCommPortSettings::flagsWordRead_data()
{
    QTest::addColumn<quint32>("word");
    QTest::addColumn<bool>("enableParity");
    QTest::addColumn<bool>("ctsFlow");
    QTest::addColumn<int>("dtr");
    QTest::addColumn<int>("rts");
    QTest::addColumn<bool>("abortOnError");
    QTest::addColumn<bool>("xonOffIn");

    QTest::newRow("zero") << 0x0u << false << false << 0 << 0 << false << false;
    QTest::newRow("bit 0 and high bits ignored") << 0xFFFF8001u << false << false << 0 << 0 << false << false;
    QTest::newRow("parity check") << 0x2u << true << false << 0 << 0 << false << false;
    QTest::newRow("cts") << 0x4u << false << true << 0 << 0 << false << false;
    QTest::newRow("dtr low bit") << 0x10u << false << false << 1 << 0 << false << false;
    QTest::newRow("dtr both bits") << 0x30u << false << false << 3 << 0 << false << false;
    QTest::newRow("rts high bit") << 0x2000u << false << false << 0 << 2 << false << false;
    QTest::newRow("abort") << 0x4000u << false << false << 0 << 0 << true << false;
    QTest::newRow("xon in") << 0x200u << false << false << 0 << 0 << false << true;
}

void TestCommPortSettings::flagsWordRead()
{
    QFETCH(quint32, word);
    QFETCH(bool, enableParity);
    QFETCH(bool, ctsFlow);
    QFETCH(int, dtr);
    QFETCH(int, rts);
    QFETCH(bool, abortOnError);
    QFETCH(bool, xonOffIn);
    clsCommPort p;
    p.pGetBitFieldsInfo(word);
    QCOMPARE(p.pEnableParity(), enableParity);
    QCOMPARE(p.pEnableCtsFlow(), ctsFlow);
    QCOMPARE(int(p.pDtrFlowType()), dtr);
    QCOMPARE(int(p.pRtsFlowControl()), rts);
    QCOMPARE(p.pEnableAbortOnError(), abortOnError);
    QCOMPARE(p.pEnableXonOffIn(), xonOffIn);
}

void TestCommPortSettings::controlCodesSurviveReadBack()
{
    clsCommPort p;
    p.setPDtrFlowType(1);
    p.setPRtsFlowControl(2);
    for (int i = 0; i < 3; ++i)
        p.pGetBitFieldsInfo(p.pSetBitFieldsInfo());
    QCOMPARE(int(p.pDtrFlowType()), 1);
    QCOMPARE(int(p.pRtsFlowControl()), 2);
}

void TestCommPortSettings::readWithoutDeviceCopiesRecord()
{
    clsCommPort p;
    p.setCSettings(QStringLiteral("115200,E,7,2"));
    p.setPEnableXonOffIn(true);
    p.setPReadIntervalTimeout(40);
    p.pReadComSettings();   // no device: the (empty) record is copied
    QCOMPARE(p.cSettings(), QStringLiteral("0,N,0,1"));
    QVERIFY(!p.pEnableXonOffIn());
    QCOMPARE(p.pReadIntervalTimeout(), 0);
    QCOMPARE(p.deviceControlBlock().length, DeviceControlBlock::kLength);
}

void TestCommPortSettings::setWithoutDeviceFailsQuietlyWithNoError()
{
    clsCommPort p;
    p.setXNoError(true);
    p.setCSettings(QStringLiteral("115200,E,7,2"));
    p.setPEnableAbortOnError(true);
    p.setPWriteTotalTimeoutConstant(500);
    p.pSetComSettings();   // refused, goes on: properties come back from the record just built
    QCOMPARE(p.cSettings(), QStringLiteral("115200,E,7,2"));
    QVERIFY(p.pEnableAbortOnError());
    QCOMPARE(p.pWriteTotalTimeoutConstant(), 0);
    QCOMPARE(p.deviceControlBlock().flags, quint32(0x4003));
    QCOMPARE(p.deviceControlBlock().length, DeviceControlBlock::kLength);
}

void TestCommPortSettings::failureReport_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("source");
    QTest::newRow("set settings") << "pSetComSettings" << "clsCommPort.pSetComSettings";
    QTest::newRow("status") << "GetStatus" << "clsCommPort.GetStatus";
}

void TestCommPortSettings::failureReport()
{
    QFETCH(QString, operation);
    QFETCH(QString, source);
    clsCommPort p;
    p.setCPort(3);
    try {
        if (operation == QLatin1String("GetStatus"))
            p.GetStatus();
        else
            p.pSetComSettings();
        QFAIL("no failure report");
    } catch (const CommPortError &e) {
        QCOMPARE(e.number(), -2147220503);
        QCOMPARE(quint32(e.number()), 0x800403E9u);
        QCOMPARE(e.source(), source);
        QCOMPARE(e.description(), QStringLiteral("Fehler beim Zugriff auf COM3 ..."));
        QVERIFY(QString::fromUtf8(e.what()).contains(e.description()));
    }
    QVERIFY(!p.TimerEnabled());

    p.setXNoError(true);
    if (operation == QLatin1String("GetStatus"))
        QCOMPARE(p.GetStatus(), QString());
    else
        p.pSetComSettings();   // must not throw
}

void TestCommPortSettings::checkPortRefusesNonPositiveNumbers()
{
    clsCommPort p;
    QVERIFY(!p.cChkPort(0));
    QVERIFY(!p.cChkPort(-4));
    QVERIFY(!p.cChkPortPath(QString()));
}

void TestCommPortSettings::portLabel_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("label");
    QTest::newRow("number") << "" << 7 << "COM7";
    QTest::newRow("usb adapter") << "/dev/ttyUSB0" << 7 << "ttyUSB0";
    QTest::newRow("pseudo-terminal") << "/dev/pts/4" << 0 << "pts/4";
    QTest::newRow("elsewhere") << "/tmp/link/radio" << 0 << "radio";
    QTest::newRow("bare name") << "ttyACM1" << 0 << "ttyACM1";
}

void TestCommPortSettings::portLabel()
{
    QFETCH(QString, path);
    QFETCH(int, number);
    QFETCH(QString, label);
    clsCommPort p;
    p.setCPort(static_cast<qint16>(number));
    p.setCPortPath(path);
    QCOMPARE(p.portLabel(), label);
    try {
        p.GetStatus();
        QFAIL("no failure report");
    } catch (const CommPortError &e) {
        QCOMPARE(e.description(), QStringLiteral("Fehler beim Zugriff auf ") + label + QStringLiteral(" ..."));
    }
}

QTEST_GUILESS_MAIN(TestCommPortSettings)
#include "tst_commport_settings.moc"
