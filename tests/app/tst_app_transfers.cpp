// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of the receiver link, and the transfers against the simulator, early ends included.
#include "SimHarness.h"
#include "TestFiles.h"

namespace {

// What the busy lock disables.
const QStringList kLocked{"ckConn", "cLoad", "cSave", "cDL",   "cUL",   "cUp",   "cDn", "cIns", "cDel",
                          "cAply",  "cUpd",  "cClr",  "tBand", "tFreq", "tName", "tPI", "coBW", "coST"};
const QString kOnline = "on ckConn cSync cDL cUL cUpd 1 open timer", kLost = "off coCOM cRefresh 0";

struct EarlyEnd {
    QByteArray button;    // "close": an upload during which the window is closed
    QString receiver;     // the simulator's command line
    QStringList messages; // toggle state, title and text of each box (%1 the port), or "closing"
    QString focus;        // where the last box left the focus, if given
    int commands;         // that reached the receiver
    QString link;         // afterwards
    bool listArrives = false; // whole: its last line renames memory 3
};

} // namespace

Q_DECLARE_METATYPE(EarlyEnd)

class tst_AppTransfers : public QObject
{
    Q_OBJECT
    TestStore m_store;
    // One window and receiver serve all tests: a download takes seconds.
    std::unique_ptr<SimHarness> m_s;
    int m_round = 0;

private slots:
    void init()
    {
        if (!m_s) {
            m_s = std::make_unique<SimHarness>(SimHarness::optionsFrom("--count 3"));
            SimHarness::runClockFrom(QTime(12, 0));
            QVERIFY(m_s->h.start());
        }
        m_s->h.dialogs = RecordingDialogs();
        m_s->sim.clearReceivedBytes();
        QApplication::setActiveWindow(m_s->h.window.get()); // after the port list's own windows
        QVERIFY(QTest::qWaitForWindowActive(m_s->h.window.get()) && m_s->reconnect());
    }

    void connection()
    {
        SimHarness &s = *m_s;
        QTest::mouseClick(s.ckConn(), Qt::LeftButton);
        s.port()->cOutput(QStringLiteral("s"));
        s.h.window->ShowBuf(false);
        QCOMPARE(linkState(s.h), QStringLiteral("off ckConn coCOM cRefresh 1 TX"));
        s.h.window->ShowBuf(true);
        s.port()->cOutput(QString());
        // A listed adapter that is gone: the toggle springs back with one beep.
        s.h.ports->prepend(portRecord("ttyGONE0", "USB-SERIAL CH340", "/nonexistent/ttyGONE0"));
        s.h.click("cRefresh");
        QVERIFY(s.h.combo("coCOM")->itemText(0) == "ttyGONE0: USB-SERIAL CH340" && !s.connectPort() && s.h.dialogs.beeps == 1);
        QCOMPARE(s.h.dialogs.messages.takeFirst().text, "  ttyGONE0 is gone: the device is no longer there. Plug it in again.  ");
        QCOMPARE(linkState(s.h), QStringLiteral("off ckConn coCOM cRefresh 2"));
        s.h.combo("coCOM")->setCurrentIndex(1);
        QVERIFY(s.connectPort());
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(s.port()->cSettings()).arg(s.port()->PollInterval())
                     .arg(s.timerChk()->interval()), "115200,N,8,1 25 1000");
        s.port()->cOutput(QStringLiteral("$time: 10:00:00\n")); // a reply nobody reads
        QTRY_COMPARE_WITH_TIMEOUT(linkState(s.h), "on ckConn cSync cDL cUL cUpd 2 open timer RX", kSettleMs);
        // The line drops while idle: offline within the check's period, silently.
        s.h.ports->clear();
        s.sim.hangUp();
        QTRY_COMPARE_WITH_TIMEOUT(linkState(s.h), kLost, 1500);
        QVERIFY(s.h.dialogs.messages.isEmpty() && s.h.dialogs.beeps == 1);
    }

    // One download, then everything that writes to the receiver.
    void session()
    {
        SimHarness &s = *m_s;
        s.sim.setOptions(SimHarness::optionsFrom("--count 3 --am 522,1620 --fm 87500,108000")); // 80 MHz is AM
        s.sim.setChannel(1, simChannel(100400, 0, 1, "D3C3", "REGNBOGN"));
        s.sim.setChannel(3, simChannel(80000, 2, 0, "ABCD", "LOW"));
        const auto editable = [&s](const QString &name) { return s.h.child(qPrintable(name))->isEnabled(); };
        QStringList midway; // the link (lamps aside), the line shown and the lock as each command arrives
        QObject scope;
        QObject::connect(&s.sim, &ReceiverSimulator::commandReceived, &scope, [&] {
            const bool locked = std::none_of(kLocked.begin(), kLocked.end(), editable) && s.h.list()->isEnabled();
            midway << linkState(s.h).remove(" TX").remove(" RX") + ' ' + QString::number(s.h.selectedLine()) + (locked ? "" : " open to edits");
        });
        s.download();
        QCOMPARE(s.sim.receivedBytes(), QByteArray("s"));
        QCOMPARE(s.h.lines(), QStringList({" 01 | FM | 100.400 | REGNBOGN | D3C3 | AUTO | STEREO",
                                           " 02 | -- |         |          |      |      |",
                                           " 03 | AM |  80.000 | LOW      |      |   4k |      "}));
        QVERIFY(s.h.box("tFreq")->text() == "100400" && QApplication::focusWidget() == s.h.child("cDL"));

        // Three uploads: Escape ends the second after the entry being sent; the third runs through.
        s.sim.setOptions(SimHarness::optionsFrom("--count 3"));
        s.sim.clearReceivedBytes();
        s.h.clickLine(2);
        s.upload();
        QCOMPARE(s.sim.receivedBytes(),
                 QByteArray("S1,100400,0,1,D3C3,REGNBOGN\nS2,0,0,0,0000,\nS3,80000,2,0,ABCD,LOW\n"));
        QVERIFY(s.h.selectedLine() == 0 && QApplication::focusWidget() == s.h.child("cUL"));
        s.onCommand(2, [&s] { QTest::keyClick(s.h.window.get(), Qt::Key_Escape); });
        s.upload();
        QVERIFY(s.h.window->abortFlag());
        s.upload();

        // Update: the editor is applied first, then that one entry goes out.
        s.h.typeInto("tName", QStringLiteral("EDITED"));
        s.h.click("cUpd");
        QVERIFY(s.sim.receivedBytes().endsWith("\nS1,100400,0,1,D3C3,EDITED\n"));
        s.h.list()->setCurrentRow(-1); // no line: a beep instead
        s.h.click("cUpd");

        // Clock: the receiver understood the line; its answer was read and dropped.
        SimHarness::runClockFrom(QTime(7, 5, 9));
        s.h.click("cSync");
        QVERIFY(s.sim.receivedBytes().endsWith("\n$time: 07:05:09\n"));
        QVERIFY(s.sim.clock().isSet() && !s.port()->cInBufferCount() && !s.h.window->abortFlag());

        // Locked for the download and uploads, the list following the entry sent; no cSync amid the update.
        const QString busy = "on 1 open timer ";
        QCOMPARE(midway, QStringList({busy + "-1", busy + "0", busy + "1", busy + "2", busy + "0", busy + "1",
                                      busy + "0", busy + "1", busy + "2", "on ckConn cDL cUL cUpd 1 open timer 0 open to edits",
                                      kOnline + " -1 open to edits"}));
        QVERIFY(linkState(s.h) == kOnline && s.h.dialogs.messages.isEmpty() && s.h.dialogs.beeps == 4);
        QVERIFY(std::all_of(kLocked.begin(), kLocked.end(), editable));
    }

    void earlyEnds_data()
    {
        QTest::addColumn<EarlyEnd>("e");
        const QString on = kOnline, off = "off ckConn coCOM cRefresh 1";
        const QStringList gone{"off  ERROR  Fehler beim Zugriff auf %1 ...  "};
        const QStringList refused{"on  ERROR: 40  Incorrect PI code!  ",
                                  "on  ERROR: 40  Mono/Stereo out of range!  "};
        QTest::newRow("hang-up mid-download") << EarlyEnd{"cDL", "--hang-up-after 1", gone, {}, 1, off};
        QTest::newRow("hang-up mid-upload") << EarlyEnd{"cUL", "--status 128 --hang-up-after 2", gone, {}, 2, off};
        QTest::newRow("silent receiver") << EarlyEnd{"cUL", "--silent", {}, {}, 3, on};
        QTest::newRow("junk before the list") << EarlyEnd{"cDL", "--garbage before", {}, {}, 1, on, true};
        QTest::newRow("slow reply, taken whole") << EarlyEnd{"cDL", "--byte-delay 30", {}, {}, 1, on, true};
        QTest::newRow("junk instead of the list") << EarlyEnd{"cDL", "--garbage instead", {}, {}, 1, on};
        QTest::newRow("junk instead of the status") << EarlyEnd{"cUL", "--garbage instead", {}, {}, 3, on};
        QTest::newRow("refused entry") << EarlyEnd{"cUL", "--status 40", refused, {}, 1, on};
        QTest::newRow("refused without a reason") << EarlyEnd{"cUL", "--status 0", {}, {}, 1, on};
        QTest::newRow("refused update") << EarlyEnd{"cUpd", "--status 40", refused, "coST", 1, on};
        QTest::newRow("closed mid-upload, last") << EarlyEnd{"close", "--status 128", {"closing"}, {}, 2, off};
    }

    void earlyEnds()
    {
        QFETCH(EarlyEnd, e);
        SimHarness &s = *m_s;
        if (s.h.window->table().size() != 3)
            s.download();
        s.sim.setOptions(SimHarness::optionsFrom("--count 3 " + e.receiver));
        s.sim.setChannel(3, simChannel(88000 + 100 * m_round, 0, 1, "ABCD", "NEW" + QByteArray::number(m_round)));
        const QString port = s.simPortName();
        const int before = s.sim.commandCount();
        const QStringList lines = s.h.lines();
        QStringList shown;
        s.h.dialogs.onMessage = [&](const RecordingDialogs::Message &m) {
            shown << (s.ckConn()->isChecked() ? "on " : "off ") + m.title + m.text;
        };
        const bool closing = e.button == "close";
        if (closing)
            s.onCommand(2, [&] { shown << (s.h.window->close() ? "closed at once" : "closing"); });
        s.h.click(closing ? "cUL" : e.button.constData());
        QTRY_COMPARE_WITH_TIMEOUT(s.h.window->isVisible(), !closing, kSettleMs);

        QCOMPARE(shown, e.messages.replaceInStrings("%1", port));
        if (!e.focus.isEmpty())
            QCOMPARE(QApplication::focusWidget()->objectName(), e.focus);
        QCOMPARE(s.sim.commandCount() - before, e.commands);
        QCOMPARE(s.h.dialogs.beeps, e.button == "cDL" || e.button == "cUpd" ? 0 : 1);
        QCOMPARE(linkState(s.h), e.link);
        QCOMPARE(s.h.lines() != lines, e.listArrives);
        QCOMPARE(s.h.line(2).contains("NEW" + QString::number(m_round++)), e.listArrives);
        if (closing)
            QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(port));
    }
};

QTEST_MAIN(tst_AppTransfers)
#include "tst_app_transfers.moc"
