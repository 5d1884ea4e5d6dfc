// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port object; a pseudo-terminal plays the device where one is needed.
#include "PseudoTerminal.h"
#include "platform/Clock.h"
#include "serial/CommPortError.h"
#include "serial/clsCommPort.h"

#include <QSignalSpy>
#include <QtTest>

struct Line {
    PseudoTerminal pty;
    clsCommPort port;

    bool open(bool internalTimer)
    {
        pty.open(nullptr); // when it fails there is no path to open
        port.setCPortPath(pty.slavePath());
        port.setCSettings(QStringLiteral("115200,N,8,1"));
        port.setPollInterval(25);
        return port.cOpen(internalTimer) && port.IsOpen();
    }
    bool arrive(const QByteArray &bytes) // sent by the far end, taken in by the poll timer
    {
        const qint64 count = port.ReceiveCnt() + bytes.size();
        pty.write(bytes);
        return QTest::qWaitFor([&] { return port.ReceiveCnt() == count; }, 5000);
    }
};

class TestSerial : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::setSource({}); }

    void openAndClose_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("device"); // false: nothing behind the path
        QTest::addColumn<bool>("usable");
        QTest::newRow("receiver line") << "115200,N,8,1" << true << true;
        QTest::newRow("1.5 stop bits refused by the line") << "9600,N,8,1.5" << true << false;
        QTest::newRow("missing device") << "115200,N,8,1" << false << false;
    }
    void openAndClose()
    {
        QFETCH(QString, settings);
        QFETCH(bool, device);
        QFETCH(bool, usable);
        Line l;
        QVERIFY(l.pty.open(nullptr));
        l.port.setCPortPath(l.pty.slavePath() + (device ? "" : "-missing"));
        l.port.setCSettings(settings);
        QCOMPARE(l.port.cOpen(true), device); // a refused configuration closed it again, quietly
        QCOMPARE(l.port.IsOpen(), usable);
        QCOMPARE(l.port.TimerEnabled(), device);
        QCOMPARE(l.port.PollInterval(), device ? 100 : 0);
        if (usable) {
            QVERIFY2(!l.port.cOpen(false), "open already");
            l.port.setCSettings(QStringLiteral("9600,E,7,2"));
            QCOMPARE(l.port.cSettings(), settings); // not while open
        }
        QCOMPARE(l.port.cClose(), usable);
        QCOMPARE(l.port.TimerEnabled(), device && !usable); // only a successful close stops it
    }

    // Received bytes are announced, then the output before it is written, then its end.
    void pollEvents()
    {
        Line l;
        QVERIFY(l.open(false));
        QSignalSpy written(&l.pty, &PseudoTerminal::bytesReceived);
        QSignalSpy flush(&l.port, &clsCommPort::OnFlush);
        QStringList inputSeen; // by OnComm's handler, and the output still waiting
        QList<int> outputSeen;
        connect(&l.port, &clsCommPort::OnComm, this, [&] {
            inputSeen << l.port.cInput();
            outputSeen << l.port.cOutBufferCount();
        });
        l.port.cOutput(QStringLiteral("a"));
        l.port.cOutput(QStringLiteral("b\u20AC\u00FC\u4E2D\r\n")); // replaces the text
        l.pty.write("\x80" "AB");
        QTRY_VERIFY_WITH_TIMEOUT(l.port.GetStatus().startsWith(QStringLiteral("Bytes im Eingangspuffer: 3")), 5000);
        QTest::qWait(20); // the device takes them in, for the poll to find
        l.port.TimerPoll();
        QCOMPARE(inputSeen, QStringList({"\u20ACAB", ""}));
        QCOMPARE(outputSeen, QList<int>({6, 6}));
        for (int i = 0; i < 3; ++i)
            l.port.TimerPoll();
        QCOMPARE(inputSeen.size(), 2);
        QCOMPARE(flush.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(written.value(0).value(0).toByteArray(), QByteArray("b\x80\xFC?\r\n"), 5000);
    }

    // A line read as the transfers read it; the clock moves 40 ms at every
    // reading, so passes are counted, not timed.
    void readLine_data()
    {
        QTest::addColumn<QByteArray>("first"); // in the buffer at the start
        QTest::addColumn<QByteArray>("later"); // sent after one pass
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("passes"); // 0: not counted
        const QTime noon(12, 0);
        QTest::newRow("completed by a later poll, CR alone ends it") << QByteArray("AB") << QByteArray("C\r") << noon << "ABC" << 0;
        QTest::newRow("the rest after its end is lost") << QByteArray("AB\r\nCD\n") << QByteArray() << noon << "AB" << 1;
        QTest::newRow("midnight ends the wait") << QByteArray("AB") << QByteArray() << QTime(23, 59, 59, 900) << "" << 2;
    }
    void readLine()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, later);
        QFETCH(QTime, start);
        QFETCH(int, passes);
        Line l;
        QVERIFY(l.open(true));
        QVERIFY(l.arrive(first));
        int readings = 0;
        const QDateTime base(QDate(2025, 7, 1), start);
        Clock::setSource([&] {
            l.pty.write(++readings == 2 ? later : QByteArray());
            return base.addMSecs(40 * readings);
        });
        QTEST(l.port.cReadLine(10), "result");
        if (passes)
            QCOMPARE(readings - 1, passes);
        QVERIFY(l.arrive("!?"));
        QCOMPARE(l.port.cInput(), QStringLiteral("!?")); // the read left nothing behind
    }

    // With text waiting the far end goes, or an OnComm handler fails; a closed port raises nothing more.
    void failures_data()
    {
        QTest::addColumn<bool>("timer");
        QTest::addColumn<bool>("send"); // SendBuffer right after the far end went
        QTest::addColumn<bool>("handlerFails"); // OnComm applies a refused setting, the far end stays
        QTest::newRow("far end gone, seen by the poll") << true << false << false;
        QTest::newRow("far end gone, seen by the failed read") << false << false << false;
        QTest::newRow("far end gone, seen by SendBuffer") << true << true << false;
        QTest::newRow("handler failing in the poll") << true << false << true;
    }
    void failures()
    {
        QFETCH(bool, timer);
        QFETCH(bool, send);
        QFETCH(bool, handlerFails);
        Line l;
        QVERIFY(l.open(timer));
        QSignalSpy gone(&l.port, &clsCommPort::deviceGone);
        QSignalSpy failed(&l.port, &clsCommPort::failure);
        const QString description = "Fehler beim Zugriff auf " + l.pty.slavePath().mid(5) + " ...";
        connect(&l.port, &clsCommPort::OnComm, &l.port, &clsCommPort::pSetComSettings);
        l.port.setCStopBits(handlerFails ? 1.5 : 1);
        l.port.cOutput(QStringLiteral("S01\n")); // announced by OnComm in the next poll
        if (!handlerFails)
            l.pty.close(); // unnoticed until the call or the next poll
        QString thrownBy;
        try {
            if (send)
                l.port.SendBuffer();
        } catch (const CommPortError &e) {
            thrownBy = e.source();
            QCOMPARE(e.number(), -2147220503);
            QCOMPARE(e.description(), description);
        }
        QCOMPARE(thrownBy, send ? "clsCommPort.SendBuffer" : "");
        QTRY_COMPARE_WITH_TIMEOUT(gone.count() + failed.count(), 1, 5000);
        QVERIFY(!l.port.IsOpen());
        QTest::qWait(50);
        l.port.TimerPoll(); // closed: neither the poll nor SendBuffer writes the text, OnComm's handler would throw
        l.port.SendBuffer();
        QCOMPARE(gone.count(), handlerFails ? 0 : 1);
        QCOMPARE(failed.count(), handlerFails ? 1 : 0);
        if (handlerFails)
            QCOMPARE(failed.value(0).value(0).toString(), description);
        QCOMPARE(l.port.cOutBufferCount(), send ? 0 : 4); // SendBuffer let go of its text
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
