// SPDX-License-Identifier: GPL-3.0-or-later
// The window with the receiver simulator: the link, the transfers and their
// early ends, and what keeps a list from being lost: undo and redo, the
// backups around transfers, the question before changes are thrown away.
#include "NoticeLine.h"
#include "SimHarness.h"
#include "TestFiles.h"
#include "text/Translations.h"

#include <QDir>
#include <QSignalSpy>
#include <QUndoStack>

namespace {

// What the busy lock disables.
const QStringList kLocked{"ckConn", "cLoad", "cSave", "cDL",   "cUL",   "cUp",   "cDn", "cIns", "cDel",
                          "cAply",  "cUpd",  "cClr",  "tBand", "tFreq", "tName", "tPI", "coBW", "coST"};
// What stays usable while one command waits for its reply: the editor.
const QStringList kEditor{"tBand", "tFreq", "tName", "tPI", "coBW", "coST"};
const QStringList kLinkControls{"ckConn", "coCOM", "cRefresh", "cSync", "cDL", "cUL", "cUpd"};
const QStringList kOnline{"ckConn", "cSync", "cDL", "cUL", "cUpd"};
const QStringList kOffline{"ckConn", "coCOM", "cRefresh"};
const QColor kTxLit(255, 128, 64), kRxLit(128, 255, 64);

} // namespace

class tst_AppTransfers : public QObject
{
    Q_OBJECT
    TestStore m_store;
    std::unique_ptr<QTemporaryDir> m_data; // the backups go there
    std::unique_ptr<SimHarness> m_s;
    // As each command reaches the receiver: the line selected, and which
    // controls could be used at any of them.
    QList<int> m_selectedAtCommands;
    QStringList m_usableDuring;

    QVector<MemoryEntry> entries() const { return m_s->h.window->table().entries(); }
    // The list's context menu as it opens: each entry's text, and whether it can be chosen.
    QList<std::pair<QString, bool>> listMenu()
    {
        QList<std::pair<QString, bool>> shown;
        m_s->h.withContextMenu(m_s->h.list()->viewport(), [&shown](QMenu *menu) {
            for (QAction *a : menu->actions())
                shown.append({a->text(), a->isEnabled()});
        });
        return shown;
    }

private slots:
    void initTestCase() { Translations::install(qApp, QLocale::c()); } // counts in English, as the program has them
    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_data->path().toLocal8Bit());
        SimHarness::runClockFrom(QTime(12, 0)); // the waits run on the clock
        m_s = std::make_unique<SimHarness>(SimHarness::optionsFrom("--count 4"));
        QVERIFY(m_s->startWithFourChannels());
        m_selectedAtCommands.clear();
        m_usableDuring.clear();
        QObject::connect(&m_s->sim, &ReceiverSimulator::commandReceived, &m_s->sim, [this] {
            m_selectedAtCommands << m_s->h.selectedLine();
            m_usableDuring << m_s->h.enabled(kLocked + QStringList{"cSync", "coCOM", "cRefresh", "lList"});
            m_usableDuring.removeDuplicates();
        });
    }
    void cleanup() { m_s.reset(); }

    // The lamps, the line dropping while idle.
    void connection()
    {
        SimHarness &s = *m_s;
        s.port()->cOutput(QStringLiteral("s")); // waits: the port is closed
        s.h.window->receiver()->ShowBuf(false);
        QCOMPARE(s.lamp("pBuf_0"), kTxLit);
        QVERIFY(s.connectPort());
        QCOMPARE(s.h.enabled(kLinkControls), kOnline);
        QCOMPARE(s.timerChk()->interval(), 1000);
        s.port()->cOutput(QStringLiteral("$time: 10:00:00\n")); // a reply nobody reads
        QTRY_COMPARE_WITH_TIMEOUT(s.lamp("pBuf_1"), kRxLit, 10000); // generous for busy machines
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
    // its name typed over: what reached the receiver, the line shown as each
    // command arrived, what could be used meanwhile, and what is left, its
    // closing word included.
    void commands_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("lineSelected");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QList<int>>("selectedAtCommands");
        QTest::addColumn<QStringList>("usableDuring");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("word");
        const QStringList changed{"01 ONE", "02 NEW", "03 MW", "04 FOUR"};
        QTest::newRow("Download: the old lines go first") << "cDL" << true << QByteArray("s") << QList<int>{-1}
            << QStringList{"lList"} << QStringList{"01 ONE", "02 TWO", "03 MW", "04 FOUR"} << "cDL" << 0 << false
            << "4 channels received";
        QTest::newRow("Upload: the list follows the entry sent") << "cUL" << true
            << QByteArray("S1,100400,0,1,D3C1,ONE\nS2,99000,0,1,0000,NEW\nS3,1008,2,0,,MW\nS4,98000,0,1,D3C4,FOUR\n")
            << QList<int>{0, 1, 2, 3} << QStringList{"lList"} << changed << "cUL" << 1 << false << "4 channels sent";
        QTest::newRow("Update: applied first, no clock command amid") << "cUpd" << true
            << QByteArray("S1,100400,0,1,D3C1,EDITED\n") << QList<int>{0} << kEditor + QStringList{"lList"}
            << QStringList{"01 EDITED", "02 NEW", "03 MW", "04 FOUR"} << "cUpd" << 0 << true << "channel 1 sent";
        QTest::newRow("Update without a line: a beep") << "cUpd" << false << QByteArray() << QList<int>()
                                                       << QStringList() << changed << "cUpd" << 1 << true << "";
        QTest::newRow("Sync") << "cSync" << true << QByteArray("$time: 07:05:09\n") << QList<int>{0}
                              << kEditor + QStringList{"lList"} << changed << "cSync" << 0 << true
                              << "clock set to 07:05:09";
    }
    void commands()
    {
        QFETCH(QString, button);
        QFETCH(bool, lineSelected);
        SimHarness &s = *m_s;
        QVERIFY(s.connectPort());
        s.h.click("cDL"); // the receiver's four channels, no more
        s.h.storeStation(1, "99000", "NEW", "");
        s.h.clickLine(0);
        s.h.box("tName")->setText("EDITED");
        if (!lineSelected)
            s.h.list()->setCurrentIndex(QModelIndex());
        SimHarness::runClockFrom(QTime(7, 5, 9));
        s.sim.clearReceivedBytes();
        // Fresh lists, not clear(): Qt 6.4 compares a kept buffer with an
        // empty one through memcmp on a null pointer, which UBSan refuses.
        m_selectedAtCommands = QList<int>();
        m_usableDuring = QStringList();
        s.h.window->notice()->clear(); // the download's word
        s.h.click(qPrintable(button));
        QTEST(s.sim.receivedBytes(), "received");
        QTEST(m_selectedAtCommands, "selectedAtCommands");
        QTEST(m_usableDuring, "usableDuring");
        QTEST(s.h.namesShown(), "names");
        QTEST(QApplication::focusWidget()->objectName(), "focus");
        QTEST(s.h.dialogs.beeps, "beeps");
        QTEST(s.h.window->isWindowModified(), "modified");
        QTEST(s.h.window->notice()->text(), "word");
        QCOMPARE(s.h.dialogs.messages.size(), 0);
        QCOMPARE(s.h.enabled(kLocked), kLocked);
    }

    // Each early end keeps the list as it was, changes and all: closing asks.
    // A word says how it ended, beside the receiver's messages.
    void earlyEnds_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("receiver"); // the simulator's command line
        QTest::addColumn<int>("escapeAt"); // Escape pressed as this command arrives; 0 none
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("texts"); // %1: the port
        QTest::addColumn<QString>("focus"); // afterwards, if it matters
        QTest::addColumn<int>("commands"); // that reached the receiver
        QTest::addColumn<bool>("online"); // afterwards
        QTest::addColumn<QString>("word");
        const QStringList lost{"  Fehler beim Zugriff auf %1 ...  "};
        const QStringList refused{"  Incorrect PI code!  ", "  Mono/Stereo out of range!  "};
        const QStringList refusedTitles{" ERROR: 40", " ERROR: 40"};
        const QString refusedWord = "channel 1 refused by the receiver (status 40)";
        QTest::newRow("link lost mid-upload") << "cUL" << "--hang-up-after 2" << 0 << QStringList{" ERROR"} << lost << ""
            << 2 << false << "stopped after channel 2: the receiver was unplugged";
        QTest::newRow("no list in the reply") << "cDL" << "--garbage instead" << 0 << QStringList() << QStringList()
            << "cDL" << 1 << true << "the receiver sent no channel list";
        QTest::newRow("ended by Escape") << "cUL" << "" << 2 << QStringList() << QStringList() << "cUL" << 2 << true
                                         << "stopped after channel 2: Escape";
        QTest::newRow("channel refused") << "cUL" << "--status 40" << 0 << refusedTitles << refused << "cUL" << 1
                                         << true << refusedWord;
        QTest::newRow("update refused") << "cUpd" << "--status 40" << 0 << refusedTitles << refused << "coST" << 1
                                        << true << refusedWord;
    }
    void earlyEnds()
    {
        QFETCH(QString, button);
        QFETCH(QString, receiver);
        QFETCH(int, escapeAt);
        QFETCH(QStringList, texts);
        QFETCH(QString, focus);
        QFETCH(bool, online);
        SimHarness &s = *m_s;
        QVERIFY(s.connectPort());
        s.h.storeStation(0, "100400", "CHANGED", QString());
        s.sim.setOptions(SimHarness::optionsFrom("--count 4 " + receiver));
        const QStringList lines = s.h.lines();
        if (escapeAt > 0)
            s.onCommand(escapeAt, [&s] { QTest::keyClick(s.h.window.get(), Qt::Key_Escape); });
        s.h.click(qPrintable(button));

        QStringList titles, told;
        for (const RecordingDialogs::Message &m : s.h.dialogs.messages) {
            titles << m.title;
            told << m.text;
        }
        QTEST(titles, "titles");
        QCOMPARE(told, texts.replaceInStrings("%1", s.simPortName()));
        if (!focus.isEmpty())
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QTEST(int(m_selectedAtCommands.size()), "commands");
        QCOMPARE(s.h.dialogs.beeps, button == "cUL" ? 1 : 0);
        QCOMPARE(s.isConnected(), online);
        QCOMPARE(s.h.enabled(kLinkControls), online ? kOnline : kOffline);
        QCOMPARE(s.h.lines(), lines);
        QTEST(s.h.window->notice()->text(), "word");
        QVERIFY(s.h.window->isWindowModified());
        s.h.dialogs.saveAnswers << Dialogs::Answer::Cancel;
        QVERIFY(!s.h.window->close());
        QCOMPARE(s.h.dialogs.questions.size(), 1);
    }

    // Undo gives back the table and the lines before the step exactly, redo
    // those after it; the list's context menu names the step.
    void stepsUndoneAndRedone_data()
    {
        QTest::addColumn<QString>("step"); // the button
        QTest::addColumn<QString>("undoText");
        QTest::addColumn<int>("lineAfterUndo");
        QTest::addColumn<bool>("cleanAfterStep");
        QTest::newRow("Apply") << "cAply" << "Apply channel 2" << 1 << false;
        QTest::newRow("Up") << "cUp" << "Move channel 2 up" << 1 << false;
        QTest::newRow("Down") << "cDn" << "Move channel 2 down" << 1 << false;
        QTest::newRow("Insert: the last channel falls out") << "cIns" << "Insert channel 2" << 1 << false;
        QTest::newRow("Delete") << "cDel" << "Delete channel 2" << 1 << false;
        QTest::newRow("Load") << "cLoad" << "Load other.csv" << 0 << true;
    }
    void stepsUndoneAndRedone()
    {
        QFETCH(QString, step);
        QFETCH(QString, undoText);
        QFETCH(bool, cleanAfterStep);
        m_s->h.storeStation(1, "87600", "EDITED", ""); // an applied line differs from a rebuilt one
        m_s->h.storeStation(98, "98000", "LAST", "");
        m_s->h.window->undoStack()->clear();
        m_s->h.clickLine(1);
        m_s->h.box("tName")->setText("AGAIN");
        QVERIFY(writeBytes(m_store.file("other.csv"), memoryFile({"90000;X;1;0;1"}, 4)));
        m_s->h.dialogs.fileAnswers << m_store.file("other.csv");
        const QVector<MemoryEntry> tableBefore = entries();
        const QStringList linesBefore = m_s->h.lines();

        m_s->h.click(qPrintable(step));
        const QVector<MemoryEntry> tableAfter = entries();
        const QStringList linesAfter = m_s->h.lines();
        const int selectedAfter = m_s->h.selectedLine();
        QVERIFY(tableAfter != tableBefore);
        QCOMPARE(listMenu().mid(0, 2), (QList<std::pair<QString, bool>>{{"Undo " + undoText, true}, {"Redo", false}}));
        QCOMPARE(m_s->h.window->isWindowModified(), !cleanAfterStep);

        QTest::keyClick(m_s->h.list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(entries(), tableBefore);
        QCOMPARE(m_s->h.lines(), linesBefore);
        QTEST(m_s->h.selectedLine(), "lineAfterUndo");
        QVERIFY(m_s->h.window->isWindowModified()); // the two stations stored first

        QTest::keyClick(m_s->h.combo("coBW"), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(entries(), tableAfter);
        QCOMPARE(m_s->h.lines(), linesAfter);
        QCOMPARE(m_s->h.selectedLine(), selectedAfter);

        QTest::keyClick(m_s->h.list(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(m_s->h.list(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(entries(), tableAfter);
        QCOMPARE(m_s->h.lines(), linesAfter);
    }

    void closeAsks_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("fileChosen"); // by the save dialog, if it opens: named after the row
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save") << Dialogs::Answer::Save << true << true << true;
        QTest::newRow("Save, dialog cancelled") << Dialogs::Answer::Save << false << false << false;
        QTest::newRow("Discard") << Dialogs::Answer::Discard << true << true << false;
    }
    void closeAsks()
    {
        QFETCH(Dialogs::Answer, answer);
        QFETCH(bool, fileChosen);
        QFETCH(bool, saved);
        const QString file = m_store.file(QTest::currentDataTag() + QStringLiteral(".csv"));
        m_s->h.clickLine(3);
        m_s->h.click("cDel");
        m_s->h.dialogs.saveAnswers << answer;
        m_s->h.dialogs.fileAnswers << (fileChosen ? file : QString());
        QTEST(m_s->h.window->close(), "closed");
        QCOMPARE(m_s->h.dialogs.questions.size(), 1);
        QCOMPARE(m_s->h.dialogs.questions[0].text, "  The memory list has changes that are not saved. Save them?  ");
        QCOMPARE(m_s->h.dialogs.questions[0].title, " Presetta");
        QCOMPARE(readBytes(file), saved ? memoryFile(kFourChannels.mid(0, 3)) : QByteArray("<unreadable>"));
        QCOMPARE(m_s->h.window->isWindowModified(), !saved);
    }

    // Closed while an upload runs: the upload stops at its next safe point,
    // then the window closes, with the question; once, not after later transfers.
    void closeDuringUpload()
    {
        QVERIFY(m_s->connectPort());
        m_s->h.storeStation(0, "100400", "CHANGED", QString());
        m_s->h.dialogs.saveAnswers << Dialogs::Answer::Cancel;
        bool closedAtOnce = true;
        m_s->onCommand(2, [&] { closedAtOnce = m_s->h.window->close(); });
        m_s->h.click("cUL");
        QVERIFY(!closedAtOnce);
        QCOMPARE(m_s->sim.commandCount(), 2);
        QTRY_COMPARE(m_s->h.dialogs.questions.size(), 1);
        QVERIFY(m_s->h.window->isVisible());
        m_s->h.click("cDL");
        QTest::qWait(100);
        QVERIFY(m_s->h.window->isVisible());
        QCOMPARE(m_s->h.dialogs.questions.size(), 1);
    }

    void transfersKeepBackups()
    {
        const QDir folder(m_data->path() + "/presetta/backups");
        QVERIFY(m_s->connectPort());
        m_s->h.click("cDL");
        const QStringList down = folder.entryList({"*_download.csv"});
        QCOMPARE(down.size(), 1);
        QCOMPARE(readBytes(folder.filePath(down[0])), memoryFile(kFourChannels, 4));
        m_s->h.storeStation(0, "100400", "CHANGED", QString());
        QStringList upBeforeSending; // "-2": the same second as the download
        m_s->onCommand(1, [&] { upBeforeSending = folder.entryList({"*_upload*.csv"}); });
        m_s->onCommand(2, [this] { QTest::keyClick(m_s->h.list(), Qt::Key_Z, Qt::ControlModifier); }); // no undo while sending
        QSignalSpy steps(m_s->h.window->undoStack(), &QUndoStack::indexChanged);
        m_s->h.click("cUL");
        QCOMPARE(steps.count(), 0);
        QCOMPARE(upBeforeSending.size(), 1);
        QCOMPARE(readBytes(folder.filePath(upBeforeSending[0])),
                 memoryFile(QList<QByteArray>{"100400;CHANGED;D3C1;0;1"} + kFourChannels.mid(1), 4));
        QCOMPARE(folder.entryList(QDir::Files).size(), 2);
        QCOMPARE(m_s->h.dialogs.messages.size(), 0);
    }

    void unwritableBackupsSaidOnce()
    {
        QVERIFY(writeBytes(m_data->path() + "/presetta", "a file where the folder should be"));
        QVERIFY(m_s->connectPort());
        m_s->h.click("cDL");
        m_s->h.click("cUL");
        m_s->h.click("cUL");
        QCOMPARE(m_s->sim.commandCount(), 9);
        QCOMPARE(m_s->h.dialogs.messages.size(), 1);
        QVERIFY(m_s->h.dialogs.messages[0].text.startsWith("  No backup could be written to"));
    }
};

QTEST_MAIN(tst_AppTransfers)
#include "tst_app_transfers.moc"
