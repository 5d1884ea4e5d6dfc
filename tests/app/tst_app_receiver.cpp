// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver part with the simulator: the connection, each transfer with
// what the window shows while it runs and afterwards, the transfers that end
// early, and the upload of the changed channels.
#include "NoticeLine.h"
#include "SimHarness.h"
#include "TestFiles.h"
#include "files/Backups.h"
#include "text/Translations.h"

#include <QDir>

namespace {

// What the busy lock disables.
const QStringList kLocked{"ckConn", "cLoad", "cSave", "cDL",   "cUL",   "cUp",   "cDn", "cIns", "cDel",
                          "cAply",  "cUpd",  "cClr",  "tBand", "tFreq", "tName", "tPI", "coBW", "coST"};
// What stays usable while one command waits for its reply: the editor.
const QStringList kEditor{"tBand", "tFreq", "tName", "tPI", "coBW", "coST"};
const QStringList kLinkControls{"ckConn", "coCOM", "cRefresh", "cSync", "cDL", "cUL", "cUpd"};
const QStringList kOnline{"ckConn", "cSync", "cDL", "cUL", "cUpd"};

} // namespace

class tst_AppReceiver : public QObject
{
    Q_OBJECT
    TestStore m_store;
    std::unique_ptr<QTemporaryDir> m_data; // the backups go there
    std::unique_ptr<SimHarness> m_s;
    // As each command reaches the receiver: the line selected, and which
    // controls could be used at any of them.
    QList<int> m_selectedAtCommands;
    QStringList m_usableDuring;

private slots:
    void initTestCase() { Translations::install(qApp, QLocale::c()); } // counts in English, as the program has them
    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
        SimHarness::runClockFrom(QTime(12, 0)); // the waits run on the clock
        m_s = std::make_unique<SimHarness>(SimHarness::optionsFrom("--count 4"));
        QVERIFY(m_s->startWithFourChannels());
        // Fresh lists, not clear(): Qt 6.4 compares a kept buffer with an
        // empty one through memcmp on a null pointer, which UBSan refuses.
        m_selectedAtCommands = QList<int>();
        m_usableDuring = QStringList();
        QObject::connect(&m_s->sim, &ReceiverSimulator::commandReceived, &m_s->sim, [this] {
            m_selectedAtCommands << m_s->h.selectedLine();
            m_usableDuring << m_s->h.enabled(kLocked + QStringList{"cSync", "coCOM", "cRefresh", "lList"});
            m_usableDuring.removeDuplicates();
        });
    }
    void cleanup() { m_s.reset(); }

    // The controls a connection enables, the line dropping while idle.
    void connection()
    {
        SimHarness &s = *m_s;
        QVERIFY(s.connectPort());
        QCOMPARE(s.h.enabled(kLinkControls), kOnline);
        // Offline within the check's period, silently.
        s.h.ports->clear();
        s.sim.hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!s.ckConn()->isChecked(), 1500);
        QCOMPARE(s.h.enabled(kLinkControls), QStringList({"coCOM", "cRefresh"}));
        QVERIFY(!s.port()->IsOpen());
        QVERIFY(!s.timerChk()->isActive());
        QCOMPARE(s.h.dialogs.messages.size(), 0);
        QCOMPARE(s.h.dialogs.beeps, 0);
    }

    // Each command after a download, with line 2 changed, line 1 selected and
    // its name typed over: the line shown as each command reached the
    // receiver, what could be used meanwhile, and what is left, its closing
    // word included.
    void commands_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("selectedAtCommands");
        QTest::addColumn<QStringList>("usableDuring");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("word");
        const QStringList changed{"01 ONE", "02 NEW", "03 MW", "04 FOUR"};
        QTest::newRow("Download: the old lines go first") << "cDL" << QList<int>{-1}
            << QStringList{"lList"} << QStringList{"01 ONE", "02 TWO", "03 MW", "04 FOUR"} << "cDL" << 0 << false
            << "4 channels received";
        QTest::newRow("Upload: the list follows the entry sent") << "cUL" << QList<int>{0, 1, 2, 3}
            << QStringList{"lList"} << changed << "cUL" << 1 << false << "4 channels sent";
        QTest::newRow("Update: applied first, no clock command amid") << "cUpd" << QList<int>{0}
            << kEditor + QStringList{"lList"}
            << QStringList{"01 EDITED", "02 NEW", "03 MW", "04 FOUR"} << "cUpd" << 0 << true << "channel 1 sent";
        QTest::newRow("Sync") << "cSync" << QList<int>{0}
                              << kEditor + QStringList{"lList"} << changed << "cSync" << 0 << true
                              << "clock set to 07:05:09";
    }
    void commands()
    {
        QFETCH(QString, button);
        SimHarness &s = *m_s;
        QVERIFY(s.connectPort());
        s.h.click("cDL"); // the receiver's four channels, no more
        s.h.storeStation(1, "99000", "NEW", "");
        s.h.clickLine(0);
        s.h.box("tName")->setText("EDITED");
        SimHarness::runClockFrom(QTime(7, 5, 9));
        m_selectedAtCommands = QList<int>();
        m_usableDuring = QStringList();
        s.h.window->notice()->clear(); // the download's word
        s.h.click(qPrintable(button));
        QTEST(m_selectedAtCommands, "selectedAtCommands");
        QTEST(m_usableDuring, "usableDuring");
        QTEST(s.h.namesShown(), "names");
        QTEST(QApplication::focusWidget()->objectName(), "focus");
        QTEST(s.h.dialogs.beeps, "beeps");
        QTEST(s.h.window->isWindowModified(), "modified");
        QTEST(s.h.window->notice()->text(), "word");
        QCOMPARE(s.h.enabled(kLocked), kLocked);
    }

    // Each early end keeps the list as it was, changes and all; its boxes
    // say what went wrong, a word how it ended.
    void earlyEnds_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("receiver"); // the simulator's command line
        QTest::addColumn<int>("escapeAt"); // Escape pressed as this command arrives; 0 none
        QTest::addColumn<QStringList>("titles"); // of the boxes
        QTest::addColumn<QString>("focus"); // afterwards, if it matters
        QTest::addColumn<int>("commands"); // that reached the receiver
        QTest::addColumn<bool>("online"); // afterwards
        QTest::addColumn<QString>("word");
        QTest::newRow("link lost mid-upload") << "cUL" << "--hang-up-after 2" << 0 << QStringList{" ERROR"} << "" << 2
                                              << false << "stopped after channel 2: the receiver was unplugged";
        QTest::newRow("no list in the reply") << "cDL" << "--garbage instead" << 0 << QStringList() << "cDL" << 1 << true
                                              << "the receiver sent no channel list";
        QTest::newRow("ended by Escape") << "cUL" << "" << 2 << QStringList() << "cUL" << 2 << true
                                         << "stopped after channel 2: Escape";
        QTest::newRow("update refused") << "cUpd" << "--status 40" << 0 << QStringList{" ERROR: 40", " ERROR: 40"} << "coST" << 1 << true
                                        << "channel 1 refused by the receiver (status 40)";
    }
    void earlyEnds()
    {
        QFETCH(QString, button);
        QFETCH(int, escapeAt);
        SimHarness &s = *m_s;
        QVERIFY(s.connectPort());
        s.h.storeStation(0, "100400", "CHANGED", QString());
        s.sim.setOptions(SimHarness::optionsFrom("--count 4 " + cell<QString>("receiver")));
        const QStringList lines = s.h.lines();
        if (escapeAt > 0)
            s.onCommand(escapeAt, [&s] { QTest::keyClick(s.h.window.get(), Qt::Key_Escape); });
        s.h.click(qPrintable(button));

        QStringList titles;
        for (const RecordingDialogs::Message &m : s.h.dialogs.messages)
            titles << m.title;
        QTEST(titles, "titles");
        if (!cell<QString>("focus").isEmpty())
            QTEST(QApplication::focusWidget()->objectName(), "focus");
        QTEST(int(m_selectedAtCommands.size()), "commands");
        QTEST(s.isConnected(), "online");
        QCOMPARE(s.h.lines(), lines);
        QTEST(s.h.window->notice()->text(), "word");
        QVERIFY(s.h.window->isWindowModified());
    }

    // What differs from the receiver's list goes out, after a backup; then
    // the list is clean.
    void uploadChanged()
    {
        SimHarness &s = *m_s;
        QVERIFY(s.connectPort());
        s.h.click("cDL"); // the receiver's four channels, no more
        s.h.storeStation(1, "99000", "NEW", "", 0, 1);
        s.h.storeStation(3, "99100", "NEW2", "", 0, 1);
        const QDir backups(Backups::folder());
        QAction *upload = s.h.action("actUploadChanged");
        QCOMPARE(upload->text(), "Upload changed channels (2)");
        upload->trigger();
        QTRY_COMPARE(s.h.window->notice()->text(), "2 changed channels sent");
        QVERIFY(!s.h.window->isWindowModified());
        QCOMPARE(upload->text(), "Upload changed channels (0)");
        QCOMPARE(s.h.selectedLine(), 0);
        QCOMPARE(s.h.dialogs.beeps, 1);
        QCOMPARE(backups.entryList({"*_upload*.csv"}).size(), 1);
    }
};

QTEST_MAIN(tst_AppReceiver)
#include "tst_app_receiver.moc"
