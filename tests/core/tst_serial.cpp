// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port object; a pseudo-terminal plays the device where one is needed.
#include "PseudoTerminal.h"
#include "platform/Clock.h"
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

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

// A setting as the table sets and reads it, as text (the settings text with its parity code after "/");
// rows are named after the setting (pName and setPName, cName and setCName) and the value set.
struct Prop {
    std::function<void(clsCommPort &, const QString &)> set;
    std::function<QString(const clsCommPort &)> get;
};
template <typename T>
Prop prop(T (clsCommPort::*get)() const, void (clsCommPort::*set)(T))
{
    return {[set](clsCommPort &p, const QString &v) { (p.*set)(static_cast<T>(v.toDouble())); },
            [get](const clsCommPort &p) { return QString::number((p.*get)()); }};
}
const Prop kText = {[](clsCommPort &p, const QString &v) { p.setCSettings(v); },
                    [](const clsCommPort &p) { return p.cSettings() + '/' + QString::number(p.cParity()); }};
#define P_ROW(name, value, stored, word, fromRecord) \
    {"p" #name " " #value, prop(&clsCommPort::p##name, &clsCommPort::setP##name), #value, #stored, #fromRecord, word}
#define C_ROW(name, value, stored, word, fromRecord) \
    {"c" #name " " #value, prop(&clsCommPort::c##name, &clsCommPort::setC##name), #value, #stored, #fromRecord, word}
#define FLAG(name, word) P_ROW(name, 1, 1, word, 1)
#define TEXT(text, readBack, parity) {text, kText, text, readBack "/" #parity, readBack "/" #parity, parity ? 3u : 1u}

struct SettingCase {
    const char *name;
    Prop setting;
    const char *value, *stored, *fromRecord;   // fromRecord: read back from the record no device took
    quint32 word;                              // flags word written
};
const SettingCase kSettings[] = {
    TEXT(",", "0,N,0,1", 0), TEXT(" 1 9 2 0 0 ,N,\t7\n, 2 ", "19200,N,7,2", 0), TEXT("14400,E,7,2", "9600,E,7,2", 2),
    TEXT("115200,N,8,1", "115200,N,8,1", 0), TEXT("9600,N,8,1.5", "9600,N,8,1.5", 0), TEXT("9600,N,8", "0,N,0,1", 0),
    TEXT("921600,M,6,2", "921600,M,6,2", 3), TEXT("128000,s,4,1", "128000,S,4,1", 4),
    TEXT("9600, E,8,1", "9600,N,8,1", 0), TEXT("9600,X,8,1", "9600,N,8,1", 0), TEXT("9600,e,7,2", "9600,E,7,2", 2),
    TEXT("9600,N,9,3", "9600,N,8,1", 0), TEXT("9600,N,8,1,0", "0,N,0,1", 0), TEXT("300,o,5,1", "300,O,5,1", 1),
    C_ROW(Parity, 7, 0, 0x0001, 0), P_ROW(EnableParity, 1, 1, 0x0001, 0), C_ROW(StopBits, 1.2, 1, 0x0001, 1),
    C_ROW(StopBits, 1.45, 1, 0x0001, 1), P_ROW(ReadTotalTimeoutConstant, 700, 700, 0x0001, 0),
    FLAG(EnableCtsFlow, 0x0005), FLAG(EnableDsrFlow, 0x0009), FLAG(EnableDSRSensitive, 0x0041),
    FLAG(EnableXoffContinuesTx, 0x0081), FLAG(EnableXonOffOut, 0x0101), FLAG(EnableXonOffIn, 0x0201),
    FLAG(EnableErrReplace, 0x0401), FLAG(EnableNullStrip, 0x0801), FLAG(EnableAbortOnError, 0x4001),
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
    {"line completed by a later poll", "line", 0, 0, 10, "AB", "C\r\n", "ABC"},
    {"rest after the line end is lost", "line", 0, 1, 10, "AB\r\nCD\n", "", "AB"},
    {"CR alone ends a line", "line", 0, 1, 10, "AB\rCD", "", "AB"},
    {"cReadLine(0) gives up after 0.1 s", "line", 0, 3, 0, "AB", "", ""},
    {"cWaitForBytes(0, 0) gives up after 0.25 s", "bytes", 0, 7, 0, "", "", ""},
    {"cWaitForBytes(0) waits for a character", "bytes", 0, 0, 10, "", "Z", "Z"},
    {"cWaitForBytes never cuts", "bytes", 3, 0, 10, "AB", "CDE", "ABCDE"},
    {"midnight ends a wait", "bytes", 100, 2, 30, "AB", "", "AB", QTime(23, 59, 59, 900)},
    {"hidden bytes come with new ones", "hidden", 0, 0, 10, "AB", "C", "ABC"},
    {"cWaitForData(0) drops hidden ones after 0.1 s", "hidden", 0, 3, 0, "AB", "", ""},
};

struct FailureCase {
    const char *name, *op;   // op run once the far end went; "": none; "poll": a refused setting fails the poll
    bool internalTimer;
};
const FailureCase kFailures[] = {
    {"far end gone, seen by the poll", "", true}, {"far end gone, seen by the failed read", "", false},
    {"SendBuffer", "SendBuffer", true}, {"ReceiveBuffer", "ReceiveBuffer", true}, {"GetStatus", "GetStatus", true},
    {"pSetComSettings", "pSetComSettings", true}, {"handler failing in the timer's poll", "poll", true},
};

Q_DECLARE_METATYPE(SettingCase)
Q_DECLARE_METATYPE(OpenCase)
Q_DECLARE_METATYPE(WaitCase)
Q_DECLARE_METATYPE(FailureCase)

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
        row.setting.set(p, QString::fromLatin1(row.value));
        QCOMPARE(row.setting.get(p), QString::fromLatin1(row.stored));
        QCOMPARE(p.pSetBitFieldsInfo(), row.word);
        // The record is made from the settings whenever it is asked for.
        const DeviceControlBlock r = p.deviceControlBlock();
        QCOMPARE(QList<quint32>({r.length, r.baudRate, r.flags, r.parity, r.byteSize, r.stopBits}),
                 QList<quint32>({28, quint32(p.cBaudRate()), row.word, p.cParity(), p.cDataBits(), p.stopBitsCode()}));
        p.pGetBitFieldsInfo(row.word | 0xFFFF8000u);   // bit 1 goes to the check flag only, bits 15 to 31 nowhere
        QCOMPARE(p.pSetBitFieldsInfo() | (p.pEnableParity() ? 2u : 0u), row.word);
        // No device takes the record: refused quietly, the settings come back from it.
        p.setXNoError(true);
        p.pSetComSettings();
        QCOMPARE(row.setting.get(p), QString::fromLatin1(row.fromRecord));
    }

    void openAndClose_data() { addRows(kOpens); }
    void openAndClose()
    {
        QFETCH(OpenCase, row);
        PseudoTerminal pty;
        QVERIFY(pty.open(nullptr));
        clsCommPort port;
        port.setCPortPath(pty.slavePath() + (row.device ? "" : "-missing"));
        port.setCSettings(QString::fromLatin1(row.settings));
        port.setPWriteTotalTimeoutConstant(700);
        // True when the device opened; a refused configuration has closed it again, quietly.
        QCOMPARE(port.cOpen(true), row.device);
        QCOMPARE(port.IsOpen(), row.usable);
        QCOMPARE(port.TimerEnabled(), row.device);
        QCOMPARE(port.PollInterval(), row.device ? 100 : 0);
        QCOMPARE(port.cPort(), qint16(1));
        if (row.usable) {
            QVERIFY(!port.cOpen(false));
            port.setCSettings(QStringLiteral("9600,E,7,2"));
            QCOMPARE(port.cSettings(), QString::fromLatin1(row.settings));
            QCOMPARE(port.pWriteTotalTimeoutConstant(), 700);   // kept by the device
            QCOMPARE(port.GetStatus(), QStringLiteral("Bytes im Eingangspuffer: 0\r\nBytes im Ausgangspuffer: 0\r\n"
                "Waiting for CTS signal = False\r\nWaiting for DSR signal = False\r\n"
                "Waiting for RLSD (DCD) signal = False\r\nWaiting for XOFF char rec  = False\r\n"
                "Waiting for XOFF char sent = False\r\nEOF character sent = False\r\n"
                "Character waiting for Tx  = False\r\n"));
        }
        QCOMPARE(port.cClose(), row.usable);
        QCOMPARE(port.TimerEnabled(), row.device && !row.usable);   // only a successful close stops it
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
        // Received first, then the output before it is written, then one flush.
        QCOMPARE(seen, (QStringList{"comm \u20ACAB 6", "comm  6", "flush"}));
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
        // The clock moves 40 ms at every reading, so the passes are counted, not timed.
        int reads = 0;
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

    void failures_data() { addRows(kFailures); }
    void failures()
    {
        QFETCH(FailureCase, row);
        const QByteArray op = row.op;
        Line l;
        QVERIFY(l.open(row.internalTimer));
        QSignalSpy gone(&l.port, &clsCommPort::deviceGone);
        QSignalSpy failed(&l.port, &clsCommPort::failure);
        const QString description = "Fehler beim Zugriff auf " + l.pty.slavePath().mid(5) + " ...";
        QSignalSpy comm(&l.port, &clsCommPort::OnComm);
        connect(&l.port, &clsCommPort::OnComm, this, [&l] { l.port.setCStopBits(1.5), l.port.pSetComSettings(); });
        l.port.cOutput(QStringLiteral("S01\n"));   // announced by OnComm in the next poll
        if (op != "poll")
            l.pty.close();   // unnoticed until the operation or the next poll
        try {
            op == "SendBuffer" ? l.port.SendBuffer() : op == "ReceiveBuffer" ? l.port.ReceiveBuffer()
                : op == "GetStatus" ? void(l.port.GetStatus())
                : op == "pSetComSettings" ? l.port.pSetComSettings() : void();
            QVERIFY2(op.isEmpty() || op == "poll", "no failure report");
        } catch (const CommPortError &e) {
            QCOMPARE(e.number(), -2147220503);
            QCOMPARE(e.source(), "clsCommPort." + op);
            QCOMPARE(e.description(), description);
        }
        // One report from the event loop: the loss, or the failure nobody could catch.
        QTRY_COMPARE_WITH_TIMEOUT(gone.count() + failed.count(), 1, 5000);
        QVERIFY(!l.port.IsOpen() && !l.port.TimerEnabled() && !l.port.cClose());
        QTest::qWait(50);
        l.port.TimerPoll();   // closed: neither the poll nor SendBuffer writes the text
        l.port.SendBuffer();
        QCOMPARE(gone.count() + comm.count(), 1);   // the poll row's handler ran; closed, nothing is raised
        QCOMPARE(failed.value(0).value(0).toString(), op == "poll" ? description : QString());
        QCOMPARE(l.port.cOutBufferCount(), op == "SendBuffer" ? 0 : 4);
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
