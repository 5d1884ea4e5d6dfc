// SPDX-License-Identifier: GPL-3.0-or-later
// Organising the list: the model's lines, dragging a channel, sorting, the
// clipboard, the bold lines of changed channels, the upload of the changes.
#include "MemoryListModel.h"
#include "NoticeLine.h"
#include "SimHarness.h"
#include "TestFiles.h"
#include "files/Backups.h"
#include "files/CsvFile.h"
#include "memlist/LineFormat.h"
#include "text/Translations.h"

#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QUndoStack>

namespace {
// Channels 1 to 45 of 99, "S1" to "S45", every fifth empty.
QByteArray fortyFive()
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 45; ++n)
        lines << (n % 5 ? QByteArray::number(87500 + 100 * n) + ";S" + QByteArray::number(n) + ";D3C3;0;1" : "0;;;0;0");
    return memoryFile(lines, 45);
}
} // namespace

class tst_AppList : public QObject
{
    Q_OBJECT
    TestStore m_store;
    std::unique_ptr<SimHarness> m_s;

    WindowHarness &h() { return m_s->h; }
    QUndoStack *history() { return h().window->undoStack(); }
    QAbstractItemModel *model() { return h().list()->model(); }
    void load(const QByteArray &bytes)
    {
        const QString file = m_store.file("list.csv");
        QVERIFY(writeBytes(file, bytes));
        h().dialogs.fileAnswers = {file};
        h().click("cLoad");
    }
    // Chooses an entry of a context menu by its text, as a user would.
    void choose(QWidget *on, const QString &text)
    {
        h().withContextMenu(on, [text](QMenu *menu) {
            for (QAction *a : menu->actions())
                if (a->text() == text)
                    a->trigger();
        });
    }
    // The selected lines dropped on a line.
    bool drop(int to)
    {
        std::unique_ptr<QMimeData> data(model()->mimeData(h().list()->selectionModel()->selectedIndexes()));
        return model()->dropMimeData(data.get(), Qt::MoveAction, -1, 0, model()->index(to, 0));
    }
    // The first plainly, the others with Ctrl: the keyboard on the last.
    void select(const QList<int> &lines)
    {
        for (int i = 0; i < lines.size(); ++i)
            h().clickLine(lines[i], i ? Qt::ControlModifier : Qt::NoModifier);
    }

private slots:
    void initTestCase() { Translations::install(qApp, QLocale::c()); } // counts in English, as the program has them
    void init()
    {
        SimHarness::runClockFrom(QTime(12, 0));
        m_s = std::make_unique<SimHarness>();
        QVERIFY(m_s->start());
        load(fortyFive());
        h().dialogs = RecordingDialogs();
    }
    void cleanup() { m_s.reset(); }

    // A row shows the table's line, or the line Apply or Clear wrote until
    // the next rebuild; a swap keeps each row's number and moves the rest.
    void modelLines()
    {
        MemoryListModel m;
        MemoryTable t;
        t.setMemoryCount(3);
        t.clear();
        t.entry(1).frequency = 100400;
        t.entry(1).band = 1;
        m.setTable(t);
        m.showAll();
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(m.line(0), LineFormat::listLine(t.entry(1), 1, 3));
        m.setLine(0, " 01 | written");
        m.reorder({1, 0, 2});
        QCOMPARE(m.line(0), LineFormat::listLine(MemoryEntry(), 1, 3));
        QCOMPARE(m.line(1), " 02 | written");
        QCOMPARE(m.table().entry(2).frequency, 100400);
        m.showAll();
        QCOMPARE(m.line(1), LineFormat::listLine(m.table().entry(2), 2, 3));
    }

    // Dropped on another line, the line held lands there and the other
    // selected ones keep their distance, as that many Ctrl+Ups or Ctrl+Downs take them.
    void drag_data()
    {
        QTest::addColumn<QList<int>>("lines"); // selected; the last one held
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("step");
        QTest::newRow("39 to 2") << QList<int>{38} << 1 << "Move channel 39 to 2";
        QTest::newRow("2, 3 and 5 held at 3, to 61") << QList<int>{1, 4, 2} << 60 << "Move 3 channels to 60";
    }
    void drag()
    {
        QFETCH(QList<int>, lines);
        QFETCH(int, to);
        const int held = lines.last();
        h().storeStation(held > to ? 20 : 25, "87600", "APPLIED", "", 0, 0); // a line written by Apply moves too
        select(lines);
        const int steps = history()->count();
        QVERIFY(drop(to));
        QCOMPARE(history()->count(), steps + 1);
        QTEST(history()->undoText(), "step");
        const QVector<MemoryEntry> dropped = h().window->table().entries();
        const QStringList shown = h().lines();
        const QList<int> selected = h().selectedLines();

        QTest::keyClick(h().list(), Qt::Key_Z, Qt::ControlModifier);
        for (int i = 0; i < qAbs(to - held); ++i)
            QTest::keyClick(h().list(), held > to ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(h().window->table().entries(), dropped);
        QCOMPARE(h().lines(), shown);
        QCOMPARE(h().selectedLines(), selected);
    }

    void dragRefused()
    {
        const QStringList lines = h().lines();
        h().clickLine(6);
        QVERIFY(!drop(6));
        QCOMPARE(history()->count(), 1); // the load
        QVERIFY(m_s->connectPort());
        // Not while the list is being sent.
        bool dropped = true;
        m_s->onCommand(2, [&] {
            dropped = drop(40);
            QTest::keyClick(h().list(), Qt::Key_Escape);
        });
        h().click("cUL");
        QVERIFY(!dropped);
        QCOMPARE(h().lines(), lines);
    }

    // Keys on the lines selected: one step; undone, all as it was.
    void onSelection_data()
    {
        QTest::addColumn<QList<int>>("lines"); // selected
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("names"); // the first three named channels afterwards
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("Delete") << QList<int>{1, 3, 2} << "Del" << QStringList{"01 S1", "03 S6", "04 S7"} << QList<int>{1}
                                << "Delete 3 channels" << "";
        QTest::newRow("Insert") << QList<int>{3, 1} << "Ins" << QStringList{"01 S1", "04 S2", "05 S3"} << QList<int>{3, 5}
                                << "Insert 2 empty channels" << "";
        QTest::newRow("Cut") << QList<int>{2, 0} << "Ctrl+X" << QStringList{"01 S2", "02 S4", "04 S6"} << QList<int>{0}
                             << "Delete 2 channels" << "87600;S1;D3C3;0;1\r\n87800;S3;D3C3;0;1\r\n";
    }
    void onSelection()
    {
        QGuiApplication::clipboard()->clear();
        select(cell<QList<int>>("lines"));
        const QStringList before = h().lines();
        const QVector<MemoryEntry> entries = h().window->table().entries();
        const QList<int> selected = h().selectedLines();
        const int current = h().selectedLine();
        QTest::keySequence(h().list(), QKeySequence(cell<QString>("keys")));
        QTEST(h().namesShown().mid(0, 3), "names");
        QTEST(h().selectedLines(), "selected");
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        QTEST(history()->undoText(), "step");
        QTest::keyClick(h().list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h().lines(), before);
        QCOMPARE(h().window->table().entries(), entries);
        QCOMPARE(h().selectedLines(), selected);
        QCOMPARE(h().selectedLine(), current);
    }

    // Bandwidth and stereo on the selected channels (all FM), one step; the
    // channels whose band does not offer the bandwidth are counted once.
    void editSelected()
    {
        h().dialogs.editAnswers = {{"8k", "OFF"}};
        h().clickLine(0);
        h().clickLine(2, Qt::ShiftModifier);
        choose(h().list()->viewport(), "Edit selected channels...");
        QCOMPARE(h().window->table().entry(3).stereo, 0);
        QCOMPARE(h().window->notice()->text(), "3 channels kept their bandwidth: their band does not offer 8k");
        QCOMPARE(history()->undoText(), "Edit 3 channels");
    }

    // Empty channels go last, equal ones keep their order; a list in order already is no step.
    void sort_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("names");
        const QByteArray file = memoryFile({"0;;;0;0", "98000;beta;;0;1", "1008;Gamma;;2;0", "87600;alpha;;0;1", "87600;Alpha;;0;1"}, 5);
        QTest::newRow("frequency") << file << "Sort by frequency" << QStringList{"01 Gamma", "02 alpha", "03 Alpha", "04 beta"};
        QTest::newRow("name") << file << "Sort by name" << QStringList{"01 alpha", "02 Alpha", "03 beta", "04 Gamma"};
        QTest::newRow("empty channels") << file << "Move empty channels to the end"
                                        << QStringList{"01 beta", "02 Gamma", "03 alpha", "04 Alpha"};
    }
    void sort()
    {
        QFETCH(QString, entry);
        load(cell<QByteArray>("file"));
        h().storeStation(2, "1008", "Gamma", "", 1, 0); // a line written by Apply
        const QStringList before = h().lines();
        choose(h().list()->viewport(), entry);
        QTEST(h().namesShown(), "names");
        QCOMPARE(h().namesStored(), h().namesShown());
        QCOMPARE(history()->undoText(), entry);
        const int steps = history()->count();
        choose(h().list()->viewport(), entry);
        QCOMPARE(history()->count(), steps);
        QTest::keyClick(h().list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h().lines(), before);
    }

    // The clipboard holds what Save writes; outside the text boxes.
    void copyAndCut()
    {
        h().clickLine(1);
        QTest::keyClick(h().list(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "87700;S2;D3C3;0;1\r\n");
        // And as cells, for a spreadsheet.
        QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains("<tr><td>87700</td>"));
        choose(h().list()->viewport(), "Copy all channels");
        const QString saved = m_store.file("saved.csv");
        h().dialogs.fileAnswers = {saved};
        h().click("cSave");
        QCOMPARE(QGuiApplication::clipboard()->text().toLatin1(), readBytes(saved));
        QTest::keyClick(h().list(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "87700;S2;D3C3;0;1\r\n");
        QCOMPARE(history()->undoText(), "Delete channel 2");
        // In a text box the keys copy the text.
        h().clickLine(0);
        QTest::mouseClick(h().box("tName"), Qt::LeftButton);
        WindowHarness::settle(); // the whole text selected
        QTest::keyClick(h().box("tName"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "S1");
    }

    // Written from the selected channel on, by the load rules, or not at all;
    // names cut to fit are counted in words.
    void paste_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("names");   // of the selected channel and the next afterwards
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("said");
        QTest::newRow("two, header skipped, names cut") << 10 << QString(kCsvHeader) + "90000;PASTED-ONE\n91000;PASTED-TWO\n"
                                                        << QStringList{"11 PASTED-ON", "12 PASTED-TW"} << 0 << "2 names cut to 9 characters";
        QTest::newRow("ending on the last channel") << 97 << "90000;P1\r\n90000;P2\r\n" << QStringList{"98 P1", "99 P2"} << 0 << "";
        QTest::newRow("past the end") << 97 << "90000;P1\r\n90000;P2\r\n90000;P3\r\n" << QStringList{"98 ", "99 "} << 1 << "";
        QTest::newRow("a line refused") << 10 << "90000;P1\r\n9x;P2\r\n" << QStringList{"11 S11", "12 S12"} << 1 << "";
    }
    void paste()
    {
        QFETCH(int, line);
        QFETCH(QString, clipboard);
        QGuiApplication::clipboard()->setText(clipboard);
        const int steps = history()->count();
        h().clickLine(line);
        QTest::keyClick(h().list(), Qt::Key_V, Qt::ControlModifier);
        QStringList names;
        for (int n = line + 1; n <= line + 2; ++n)
            names << QStringLiteral("%1 %2").arg(n).arg(h().window->table().entry(n).name.trimmed());
        QTEST(names, "names");
        QTEST(h().dialogs.beeps, "beeps");
        QTEST(h().window->notice()->text(), "said");
        QCOMPARE(history()->count(), steps + (h().dialogs.beeps ? 0 : 1));
        if (!h().dialogs.beeps)
            QCOMPARE(history()->undoText(), "Paste 2 channels");
    }

    // Typed letters find a name's beginning; the find field a name, PI or
    // frequency, on with Enter and F3, back with Shift+F3.
    void find()
    {
        h().clickLine(0);
        QTest::keyClicks(h().list(), "s4");
        QCOMPARE(h().selectedLine(), 3);
        QTest::keyClick(h().list(), Qt::Key_F, Qt::ControlModifier);
        QLineEdit *field = h().box("tFind");
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, "s1");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(h().box("tName")->text(), "S11"); // S10 is empty
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(h().box("tName")->text(), "S12");
        QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(h().box("tName")->text(), "S11");
        QTest::keyClicks(field, "x");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(h().dialogs.beeps, 1);
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());
        QVERIFY(h().list()->hasFocus());
    }

    // Bold while a channel differs from the list as last loaded or saved.
    void boldLines()
    {
        const auto bold = [this](int row) { return model()->index(row, 0).data(Qt::FontRole).value<QFont>().bold(); };
        QVERIFY(!bold(3));
        h().storeStation(3, "99000", "NEW", "", 0, 1);
        QVERIFY(bold(3));
        QVERIFY(!bold(2));
        QTest::keyClick(h().list(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!bold(3));
        QTest::keyClick(h().list(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        h().dialogs.fileAnswers = {m_store.file("saved.csv")};
        h().click("cSave");
        QVERIFY(!bold(3));
    }

    // The modified mark and the question at close follow the list itself:
    // undone back to what was saved, it is clean again.
    void modifiedMarkFollowsList()
    {
        const QString saved = m_store.file("saved.csv");
        h().dialogs.fileAnswers = {saved};
        h().click("cSave");
        h().clickLine(3);
        h().click("cDel");
        QTest::keyClick(h().list(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(h().window->isWindowModified());
        choose(h().child("cLoad"), saved);
        QTRY_COMPARE(history()->undoText(), "Load saved.csv");
        QVERIFY(!h().window->isWindowModified());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(h().list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(history()->undoText(), "Load list.csv");
        QVERIFY(!h().window->isWindowModified());
        QVERIFY(h().window->close());
        QCOMPARE(h().dialogs.questions.size(), 0);
    }

    // Only what differs from the receiver's list goes out; then the list is clean.
    void uploadChanged()
    {
        for (int n = 1; n <= 45; ++n) // the receiver holds the loaded list
            m_s->sim.setChannel(n, {n % 5 ? 87500 + 100 * n : 0, 0, 1, "D3C3", "S" + QByteArray::number(n)});
        QVERIFY(m_s->connectPort());
        h().storeStation(3, "99000", "NEW", "", 0, 1);
        h().storeStation(30, "99100", "NEW2", "", 0, 1);
        m_s->sim.clearReceivedBytes();
        const QDir backups(Backups::folder());
        const qsizetype before = backups.entryList({"*_upload*.csv"}).size();
        choose(h().child("cUL"), "Upload changed channels (2)");
        QCOMPARE(m_s->sim.receivedBytes(), QByteArray("sS4,99000,0,1,0000,NEW\nS31,99100,0,1,0000,NEW2\n"));
        QVERIFY(!h().window->isWindowModified());
        QVERIFY(!model()->index(3, 0).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(h().selectedLine(), 0);
        QCOMPARE(h().dialogs.beeps, 1);
        QCOMPARE(backups.entryList({"*_upload*.csv"}).size(), before + 1);
        QCOMPARE(h().window->notice()->text(), "2 changed channels sent");
    }
};

QTEST_MAIN(tst_AppList)
#include "tst_app_list.moc"
