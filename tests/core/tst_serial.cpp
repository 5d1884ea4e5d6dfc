// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port object; a pseudo-terminal plays the device where one is needed.
#include "PseudoTerminal.h"
#include "platform/Clock.h"
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"

#include <QSignalSpy>
#include <QtTest>

// A table's rows: one struct each, named by its first field.
template <typename Row, size_t N>
void addRows(const Row (&rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r;
}

// A port on the slave side of a pseudo-terminal whose master the test holds.
struct Line {
    PseudoTerminal pty;
    clsCommPort port;

    bool open(bool internalTimer)
    {
        pty.open(nullptr);   // when it fails there is no path to open
        port.setCPortPath(pty.slavePath());
        port.setCSettings(QStringLiteral("115200,N,8,1"));
        port.setPollInterval(25);
        return port.cOpen(internalTimer) && port.IsOpen();
    }
    bool arrive(const QByteArray &bytes)   // sent by the far end, taken in by the poll timer
    {
        const qint64 count = port.ReceiveCnt() + bytes.size();
        pty.write(bytes);
        return QTest::qWaitFor([&] { return port.ReceiveCnt() == count; }, 5000);
    }
};

// One setting set and read back, named after it and the value set; the settings text reads back with its parity
// code after "/". fromRecord: read back from the record no device took; word: the flags word written.
struct SettingCase {
    const char *name;
    void (*set)(clsCommPort &);
    QString (*get)(const clsCommPort &);
    const char *stored, *fromRecord;
    quint32 word;
};
#define ROW(get, set, value, stored, word, fromRecord) {#get " " #value, [](clsCommPort &p) { p.set(value); }, \
    [](const clsCommPort &p) { return QString::number(p.get()); }, #stored, #fromRecord, word}
#define C_ROW(name, ...) ROW(c##name, setC##name, __VA_ARGS__)
#define P_ROW(name, ...) ROW(p##name, setP##name, __VA_ARGS__)
#define FLAG(name, word) P_ROW(Enable##name, 1, 1, word, 1)
QString text(const clsCommPort &p) { return p.cSettings() + '/' + QString::number(p.cParity()); }
#define TEXT(in, out, par) {in, [](auto &p) { p.setCSettings(in); }, text, out "/" #par, out "/" #par, par ? 3u : 1u}

const SettingCase kSettings[] = {
    TEXT(" 1 9 2 0 0 ,N,\t7\n, 2 ", "19200,N,7,2", 0), TEXT("14400,E,7,2", "9600,E,7,2", 2),
    TEXT("115200,N,8,1", "115200,N,8,1", 0), TEXT("9600,N,8,1.5", "9600,N,8,1.5", 0), TEXT("9600,N,8", "0,N,0,1", 0),
    TEXT("921600,M,6,2", "921600,M,6,2", 3), TEXT("128000,s,4,1", "128000,S,4,1", 4), TEXT("300,o,5,1", "300,O,5,1", 1),
    TEXT("9600, E,8,1", "9600,N,8,1", 0), TEXT("9600,X,8,1", "9600,N,8,1", 0), TEXT("9600,N,9,3", "9600,N,8,1", 0),
    TEXT("9600,N,8,1,0", "0,N,0,1", 0), C_ROW(Parity, 7, 0, 0x0001, 0), C_ROW(StopBits, 1.45, 1, 0x0001, 1),
    P_ROW(EnableParity, 1, 1, 0x0001, 0), P_ROW(ReadIntervalTimeout, 7, 7, 0x0001, 0), FLAG(CtsFlow, 0x0005),
    FLAG(DsrFlow, 0x0009), FLAG(DSRSensitive, 0x0041), FLAG(XoffContinuesTx, 0x0081), FLAG(XonOffOut, 0x0101),
    FLAG(XonOffIn, 0x0201), FLAG(ErrReplace, 0x0401), FLAG(NullStrip, 0x0801), FLAG(AbortOnError, 0x4001),
    P_ROW(DtrFlowType, 2, 2, 0x0021, 2), P_ROW(DtrFlowType, 3, 0, 0x0001, 0), P_ROW(RtsFlowControl, 2, 2, 0x2001, 2),
    P_ROW(RtsFlowControl, 3, 3, 0x3001, 3), P_ROW(RtsFlowControl, 4, 0, 0x0001, 0),
};

struct OpenCase {
    const char *name, *settings;   // "": never set, the new object's 0,N,0,1
    bool device, usable;           // device false: nothing behind the path
};
const OpenCase kOpens[] = {
    {"receiver line", "115200,N,8,1", true, true}, {"1.5 stop bits refused by the line", "9600,N,8,1.5", true, false},
    {"settings never set", "", true, false}, {"missing device", "115200,N,8,1", false, false},
};

struct WaitCase {
    const char *name, *op;   // op "hidden": cWaitForData with the first bytes hidden by a close and an open
    int count, passes;       // passes 0: not counted
    float timeOut;
    const char *first, *later, *result;   // first in the buffer at the start, later sent after one pass
    QTime start = QTime(12, 0);
};
const WaitCase kWaits[] = {
    {"line completed by a later poll, ended by CR alone", "line", 0, 0, 10, "AB", "C\r", "ABC"},
    {"rest after the line end is lost", "line", 0, 1, 10, "AB\r\nCD\n", "", "AB"},
    {"cReadLine(0) gives up after 0.1 s", "line", 0, 3, 0, "AB", "", ""},
    {"cWaitForBytes(0, 0) waits for a character, gives up after 0.25 s", "bytes", 0, 7, 0, "", "", ""},
    {"cWaitForBytes never cuts", "bytes", 3, 0, 10, "AB", "CDE", "ABCDE"},
    {"midnight ends a wait", "bytes", 100, 2, 30, "AB", "", "AB", QTime(23, 59, 59, 900)},
    {"hidden bytes come with new ones", "hidden", 0, 0, 10, "AB", "C", "ABC"},
    {"cWaitForData(0) drops hidden ones after 0.1 s", "hidden", 0, 3, 0, "AB", "", ""},
};

Q_DECLARE_METATYPE(SettingCase)
Q_DECLARE_METATYPE(OpenCase)
Q_DECLARE_METATYPE(WaitCase)

class TestSerial : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::setSource({}); }

    void settings_data() { addRows(kSettings); }
    void settings()
    {
        QFETCH(SettingCase, row);
        clsCommPort p;
        row.set(p);
        QCOMPARE(row.get(p), QString::fromLatin1(row.stored));
        const DeviceControlBlock r = p.deviceControlBlock();   // made from the settings whenever asked for
        QCOMPARE(QList<quint32>({r.length, r.baudRate, r.flags, r.parity, r.byteSize, r.stopBits}),
                 QList<quint32>({28, quint32(p.cBaudRate()), row.word, p.cParity(), p.cDataBits(), p.stopBitsCode()}));
        p.pGetBitFieldsInfo(row.word | 0xFFFF8000u);   // bit 1 goes to the check flag only, bits 15 to 31 nowhere
        QCOMPARE(p.pSetBitFieldsInfo() | (p.pEnableParity() ? 2u : 0u), row.word);
        p.setXNoError(true);   // no device takes the record: refused quietly, the settings come back from it
        p.pSetComSettings();
        QCOMPARE(row.get(p), QString::fromLatin1(row.fromRecord));
    }

    void openAndClose_data() { addRows(kOpens); }
    void openAndClose()
    {
        QFETCH(OpenCase, row);
        Line l;
        QVERIFY(l.pty.open(nullptr));
        l.port.setCPortPath(l.pty.slavePath() + (row.device ? "" : "-missing"));
        l.port.setCSettings(QString::fromLatin1(row.settings));
        l.port.setPWriteTotalTimeoutConstant(700);
        QCOMPARE(l.port.cOpen(true), row.device);   // a refused configuration closed it again, quietly
        QCOMPARE(QList<int>({l.port.IsOpen(), l.port.TimerEnabled(), l.port.PollInterval(), l.port.cPort()}),
                 QList<int>({row.usable, row.device, row.device ? 100 : 0, 1}));
        if (row.usable) {
            QVERIFY(!l.port.cOpen(false));
            l.port.setCSettings(QStringLiteral("9600,E,7,2"));
            QCOMPARE(l.port.cSettings(), QString::fromLatin1(row.settings));
            QCOMPARE(l.port.pWriteTotalTimeoutConstant(), 700);   // kept by the device
            QCOMPARE(l.port.GetStatus(), QStringLiteral("Bytes im Eingangspuffer: 0\r\nBytes im Ausgangspuffer: 0\r\n"
                "Waiting for CTS signal = False\r\nWaiting for DSR signal = False\r\n"
                "Waiting for RLSD (DCD) signal = False\r\nWaiting for XOFF char rec  = False\r\n"
                "Waiting for XOFF char sent = False\r\nEOF character sent = False\r\n"
                "Character waiting for Tx  = False\r\n"));
        }
        QCOMPARE(l.port.cClose(), row.usable);
        QCOMPARE(l.port.TimerEnabled(), row.device && !row.usable);   // only a successful close stops it
    }

    void pollEvents()
    {
        Line l;
        QVERIFY(l.open(false));
        QSignalSpy written(&l.pty, &PseudoTerminal::bytesReceived);
        QStringList seen;   // each event, and what an OnComm handler finds
        connect(&l.port, &clsCommPort::OnComm, this,
                [&] { seen << QStringLiteral("comm %1 %2").arg(l.port.cInput()).arg(l.port.cOutBufferCount()); });
        connect(&l.port, &clsCommPort::OnFlush, this, [&] { seen << QStringLiteral("flush"); });
        connect(&l.port, &clsCommPort::OnEvent, this, [&] { seen << QStringLiteral("event"); });
        l.port.cOutput(QStringLiteral("a"));
        l.port.cOutput(QStringLiteral("b\u20AC\u00FC\u4E2D\r\n"));   // replaces the text
        l.pty.write("\x80" "AB");
        QTRY_VERIFY_WITH_TIMEOUT(l.port.GetStatus().startsWith(QStringLiteral("Bytes im Eingangspuffer: 3")), 5000);
        QTest::qWait(20);   // the device takes them in, for the poll to find
        for (int i = 0; i < 4; ++i)
            l.port.TimerPoll();
        QCOMPARE(seen, (QStringList{"comm \u20ACAB 6", "comm  6", "flush"}));   // received, output before writing
        QCOMPARE(l.port.cInBufferCount() + l.port.ReceiveCnt() + l.port.cOutBufferCount() + l.port.GetEvents(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(written.value(0).value(0).toByteArray(), QByteArray("b\x80\xFC?\r\n"), 5000);
    }

    void waits_data() { addRows(kWaits); }
    void waits()
    {
        QFETCH(WaitCase, row);
        const QByteArray op = row.op;
        Line l;
        QVERIFY(l.open(true) && l.arrive(row.first));
        if (op == "hidden")
            QVERIFY(l.port.cClose() && l.port.cOpen(true) && !l.port.cInBufferCount() && l.port.cInput().isEmpty());
        int reads = 0;   // the clock moves 40 ms at every reading: passes are counted, not timed
        const QDateTime base(QDate(2025, 7, 1), row.start);
        Clock::setSource([&] {
            l.pty.write(++reads == 2 ? row.later : "");
            return base.addMSecs(40 * reads);
        });
        const QString got = op == "line" ? l.port.cReadLine(row.timeOut)
            : op == "bytes"              ? l.port.cWaitForBytes(row.count, row.timeOut)
                                         : l.port.cWaitForData(row.timeOut);
        QCOMPARE(got, QString::fromLatin1(row.result));
        QCOMPARE(row.passes ? reads - 1 : 0, row.passes);
        QVERIFY(l.arrive("!") && l.arrive("?"));   // the wait left nothing behind
        QCOMPARE(l.port.cInput(), QStringLiteral("!?"));
    }

    void failures_data()   // named by the operation run once the far end went; rows with blanks run none
    {
        QTest::addColumn<QByteArray>("op");
        for (const char *op : {"far end gone, seen by the poll", "far end gone, seen by the failed read", "SendBuffer",
                               "ReceiveBuffer", "GetStatus", "pSetComSettings", "handler failing in the poll"})
            QTest::newRow(op) << QByteArray(op);
    }
    void failures()
    {
        QFETCH(QByteArray, op);
        const bool handler = op.startsWith("handler");   // OnComm applies a refused setting, the far end stays
        Line l;
        QVERIFY(l.open(!op.endsWith("read")));   // the failed read's row runs no timer
        QSignalSpy gone(&l.port, &clsCommPort::deviceGone);
        QSignalSpy failed(&l.port, &clsCommPort::failure);
        const QString description = "Fehler beim Zugriff auf " + l.pty.slavePath().mid(5) + " ...";
        connect(&l.port, &clsCommPort::OnComm, &l.port, &clsCommPort::pSetComSettings);
        l.port.setCStopBits(handler ? 1.5 : 1);
        l.port.cOutput(QStringLiteral("S01\n"));   // announced by OnComm in the next poll
        if (!handler)
            l.pty.close();   // unnoticed until the operation or the next poll
        try {
            op == "SendBuffer" ? l.port.SendBuffer() : op == "ReceiveBuffer" ? l.port.ReceiveBuffer()
                : op == "GetStatus" ? void(l.port.GetStatus())
                : op == "pSetComSettings" ? l.port.pSetComSettings() : void();
            QVERIFY2(op.contains(' '), "no failure report");
        } catch (const CommPortError &e) {
            QCOMPARE(e.number(), -2147220503);
            QCOMPARE(e.source(), "clsCommPort." + op);
            QCOMPARE(e.description(), description);
        }
        QTRY_COMPARE_WITH_TIMEOUT(gone.count() + failed.count(), 1, 5000);   // the loss or the uncaught failure
        QVERIFY(!l.port.IsOpen() && !l.port.TimerEnabled() && !l.port.cClose());
        QTest::qWait(50);
        l.port.TimerPoll();   // closed: neither the poll nor SendBuffer writes the text
        l.port.SendBuffer();
        QCOMPARE(gone.count() + failed.count(), 1);   // closed: nothing is raised, OnComm's handler would throw
        QCOMPARE(failed.value(0).value(0).toString(), handler ? description : QString());
        QCOMPARE(l.port.cOutBufferCount(), op == "SendBuffer" ? 0 : 4);
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
