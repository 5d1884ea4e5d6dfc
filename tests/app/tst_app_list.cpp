// SPDX-License-Identifier: GPL-3.0-or-later
// The list part through its commands: the editor and its keys, the steps on
// the selected channels and their undo, dragging, the clipboard, finding a
// station, and the list measured against the one last loaded or saved.

#include "NoticeLine.h"
#include "WindowHarness.h"
#include "files/CsvFile.h"
#include "text/Translations.h"

#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QUndoStack>

namespace {

// Types into the focus (or the open popup): keys by name in brackets
// ("<Ctrl+V>", "<Home>"), a control's name in brackets for a click on it
// ("<cAply>"), any other character as itself. Queued work runs after each.
void press(const WindowHarness &h, const QString &keys)
{
    static const QRegularExpression token(QStringLiteral("<([^>]+)>|(.)"));
    for (const QRegularExpressionMatch &m : token.globalMatch(keys)) {
        QWidget *w = QApplication::focusWidget(); // inside an open popup too
        const QKeyCombination k = QKeySequence(m.captured(1))[0];
        if (m.hasCaptured(2))
            QTest::keyClick(w, m.captured(2).at(0).toLatin1());
        else if (QWidget *control = h.child(qPrintable(m.captured(1))))
            QTest::mouseClick(control, Qt::LeftButton);
        else if (k.key() == Qt::Key_Delete) // as X11 sends it: with the DEL character as its text
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
        else
            QTest::keyClick(w, k.key(), k.keyboardModifiers());
        WindowHarness::settle();
    }
}

// The entries as a memory file's lines, header left out.
QStringList fileLines(const MemoryTable &table)
{
    return CsvFile::text(table).split(QStringLiteral("\r\n")).mid(1);
}

// Channels 1 to 45 of 99, "S1" to "S45", every fifth empty.
QByteArray fortyFive()
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 45; ++n)
        lines << (n % 5 ? QByteArray::number(87500 + 100 * n) + ";S" + QByteArray::number(n) + ";D3C3;0;1" : "0;;;0;0");
    return memoryFile(lines, 45);
}

const QStringList kNamesAtStart{"01 A", "02 B", "05 C", "99 D"};

} // namespace

class tst_AppList : public QObject
{
    Q_OBJECT
    TestStore m_store;
    std::unique_ptr<WindowHarness> m_h;

    WindowHarness &h() { return *m_h; }
    QUndoStack *history() { return m_h->window->undoStack(); }
    QVector<MemoryEntry> entries() { return m_h->window->table().entries(); }

    // A window with the memory file of these bytes loaded.
    bool startWith(const QByteArray &bytes)
    {
        m_h = std::make_unique<WindowHarness>();
        const QString file = m_store.file("list.csv");
        if (!writeBytes(file, bytes) || !m_h->start())
            return false;
        m_h->dialogs.fileAnswers = {file};
        m_h->trigger("actLoad");
        return true;
    }
    // Lines 1 and 2 as a rebuild shows them, 5 and 99 as Apply wrote them.
    bool startWithFourStations()
    {
        m_h = std::make_unique<WindowHarness>();
        if (!m_h->start())
            return false;
        m_h->storeStation(0, "87600", "A", "1");
        m_h->storeStation(1, "1008", "B", QString(), 1);
        m_h->window->list()->RefreshList(true);
        m_h->storeStation(4, "99000", "C", "2", 5, 0);
        m_h->storeStation(98, "108000", "D", "");
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        return true;
    }
    // The first plainly, the others with Ctrl: the keyboard on the last.
    void select(const QList<int> &lines)
    {
        for (int i = 0; i < lines.size(); ++i)
            h().clickLine(lines[i], i ? Qt::ControlModifier : Qt::NoModifier);
    }
    // The selected lines dropped on a line.
    bool drop(int to)
    {
        QAbstractItemModel *model = h().list()->model();
        std::unique_ptr<QMimeData> data(model->mimeData(h().list()->selectionModel()->selectedIndexes()));
        return model->dropMimeData(data.get(), Qt::MoveAction, -1, 0, model->index(to, 0));
    }

private slots:
    void initTestCase() { Translations::install(qApp, QLocale::c()); } // counts in English, as the program has them
    void cleanup() { m_h.reset(); }

    // Keys typed after a click on a line and into a box (its whole text gets
    // selected); line 3 is empty, line 5 holds C on FM with 97k and OFF, the
    // clipboard "x". Escape anywhere in the window sets the abort flag. Apply
    // is drawn as the default button while edits wait for it.
    void editing_data()
    {
        QTest::addColumn<int>("line"); // clicked first; -1: no line selected
        QTest::addColumn<QString>("box"); // clicked into
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("editor"); // band, frequency, name, PI, bandwidth, stereo
        QTest::addColumn<QString>("selectedText"); // of the box
        QTest::addColumn<int>("selected"); // line
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("listLine"); // the line changed, if any
        QTest::addColumn<QString>("fileLine"); // the entry changed, if any, as a memory file has it
        QTest::addColumn<bool>("applyPending"); // Apply drawn as the default button
        const QStringList blank{"", "", "", "", "", ""};
        QTest::newRow("frequency: six digits at most") << 2 << "tFreq" << "8a7-. 6543210<Backspace><Home><Delete>"
            << QStringList{"", "7654", "", "", "", ""} << "" << 2 << "tFreq" << 0 << "" << "" << true;
        QTest::newRow("PI: four hex digits, upper case; Enter goes on") << 2 << "tPI" << "d3gG c9F<Home><Delete><Return>"
            << QStringList{"", "", "", "3C9", "", ""} << "" << 2 << "coBW" << 3 << "" << "" << true;
        QTest::newRow("clipboard and undo keys") << 2 << "tFreq"
            << "<Ctrl+V>1<Ctrl+A><Ctrl+C><Home><Ctrl+V><Ctrl+Z><Ctrl+Z><Ctrl+Y><End><Ctrl+V>"
            << QStringList{"", "x1x1", "", "", "", ""} << "" << 2 << "tFreq" << 0 << "" << "" << true;
        QTest::newRow("frequency: typed, Up twice from line 2, Escape, Down") << 1 << "tFreq" << "9<Up><Up><Escape><Down>"
            << QStringList{"AM", "1008", "B", "", "4k", ""} << "1008" << 1 << "tFreq" << 0 << "" << "" << false;
        QTest::newRow("name: Ctrl+Up steps, Insert moves nothing") << 4 << "tName" << "<Ctrl+Up><Insert>"
            << blank << "" << 3 << "tName" << 0 << "" << "" << false;
        QTest::newRow("PI: no arrows; Escape beeps") << 0 << "tPI" << "<End><Down><Escape>"
            << QStringList{"FM", "87600", "A", "0001", "AUTO", "AUTO"} << "" << 0 << "tPI" << 1 << "" << "" << false;
        QTest::newRow("dropped-down list: Escape") << 0 << "tFreq" << "<coBW><Escape>"
            << QStringList{"FM", "87600", "A", "0001", "AUTO", "AUTO"} << "" << 0 << "coBW" << 0 << "" << "" << false;
        QTest::newRow("check: AM, left with Tab") << 4 << "tFreq" << "1008<Tab>"
            << QStringList{"AM", "1008", "C", "", "8k", ""} << "" << 4 << "tName" << 0 << "" << "" << true;
        QTest::newRow("Apply") << 4 << "tFreq" << "87600<Return> A B<Tab>d3c3<Return>9<Tab>O<cAply>"
            << QStringList{"FM", "87600", " A B", "D3C3", "97k", "OFF"} << "" << 4 << "cAply" << 0
            << " 05 | FM |  87.600 |  A B     | D3C3 |  97k | MONO  " << "87600; A B;D3C3;5;0" << false;
        QTest::newRow("Apply, no line selected: the first") << -1 << "tFreq" << "65000<Return>NOSEL<cAply>"
            << QStringList{"FM", "65000", "NOSEL", "0000", "AUTO", "AUTO"} << "" << -1 << "cAply" << 0
            << " 01 | FM |  65.000 | NOSEL    | 0000 | AUTO | STEREO" << "65000;NOSEL;0000;0;1" << false;
        QTest::newRow("Enter in the name applies") << 4 << "tName" << "X<Return>"
            << QStringList{"FM", "99000", "X", "0002", "97k", "OFF"} << "" << 4 << "tName" << 0
            << " 05 | FM |  99.000 | X        | 0002 |  97k | MONO  " << "99000;X;0002;5;0" << false;
        QTest::newRow("Ctrl+Return in the frequency: checked, applied") << 4 << "tFreq" << "1008<Ctrl+Return>"
            << QStringList{"AM", "1008", "C", "", "8k", ""} << "" << 4 << "tFreq" << 0
            << " 05 | AM |   1.008 | C        |      |   8k |       " << "1008;C;;4;0" << false;
        QTest::newRow("Clear: the line and the editor, not the entry") << 1 << "tFreq" << "5<cClr>" << blank << ""
            << 1 << "cClr" << 0 << " 02 | -- |         |          |      |      |" << "" << false;
    }
    void editing()
    {
        QFETCH(int, line);
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, listLine);
        QFETCH(QString, fileLine);
        QVERIFY(startWithFourStations());
        if (line < 0)
            h().window->list()->RefreshList(true);
        else
            h().clickLine(line);
        QLineEdit *edit = h().box(qPrintable(box));
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        WindowHarness::settle();
        QCOMPARE(edit->selectedText(), edit->text());
        QStringList lines = h().lines();
        QStringList entries = fileLines(h().window->table());
        press(h(), keys);
        QVERIFY(!QApplication::activePopupWidget()); // Escape was not consumed
        QCOMPARE(h().window->abortFlag(), keys.contains("<Escape>"));
        QTEST(QStringList({h().box("tBand")->text(), h().box("tFreq")->text(), h().box("tName")->text(),
                           h().box("tPI")->text(), h().combo("coBW")->currentText(), h().combo("coST")->currentText()}),
              "editor");
        QTEST(edit->selectedText(), "selectedText");
        QTEST(h().selectedLine(), "selected");
        QTEST(QApplication::focusWidget()->objectName(), "focus");
        QTEST(h().dialogs.beeps, "beeps");
        QTEST(h().child<QPushButton>("cAply")->isDefault(), "applyPending");
        const int changed = qMax(line, 0);
        if (!listLine.isEmpty())
            lines[changed] = listLine;
        if (!fileLine.isEmpty())
            entries[changed] = fileLine;
        QCOMPARE(h().lines(), lines);
        QCOMPARE(fileLines(h().window->table()), entries);
    }

    // At the ends of the list and without a line, a command beeps and changes nothing.
    void ends_data()
    {
        QTest::addColumn<int>("line"); // -1: no line selected
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("names"); // none: refused with a beep, nothing changed
        QTest::addColumn<int>("selected");
        QTest::newRow("Insert on the last line: it falls out") << 98 << "actInsert" << QStringList{"01 A", "02 B", "05 C"} << 98;
        QTest::newRow("Up on line 1") << 0 << "actUp" << QStringList() << 0;
        for (const char *action : {"actUp", "actInsert", "actDelete", "actClear"})
            QTest::addRow("%s without a line", action) << -1 << action << QStringList() << -1;
    }
    void ends()
    {
        QFETCH(int, line);
        QFETCH(QStringList, names);
        QVERIFY(startWithFourStations());
        if (line < 0)
            h().window->list()->RefreshList(true);
        else
            h().clickLine(line);
        h().trigger(qPrintable(cell<QString>("action")));
        QCOMPARE(h().dialogs.beeps, names.isEmpty() ? 1 : 0);
        QCOMPARE(h().namesShown(), names.isEmpty() ? kNamesAtStart : names);
        QTEST(h().selectedLine(), "selected");
    }

    // A step on the selected lines, line 2 as Apply wrote it: what it leaves
    // and selects, what it says and its name on Undo. Undone, the table, every
    // line and the selection are as before; redone, as after.
    void steps_data()
    {
        QTest::addColumn<QList<int>>("lines"); // selected
        QTest::addColumn<QString>("name"); // typed over
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("names"); // the first three named channels afterwards
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("said");
        QTest::newRow("Apply") << QList<int>{1} << "AGAIN" << "actApply" << QStringList{"01 S1", "02 AGAIN", "03 S3"}
                               << QList<int>{1} << "Apply channel 2" << "";
        QTest::newRow("Up") << QList<int>{1} << "" << "actUp" << QStringList{"01 S2", "02 S1", "03 S3"} << QList<int>{0}
                            << "Move channel 2 up" << "";
        QTest::newRow("Delete") << QList<int>{1, 3, 2} << "" << "actDelete" << QStringList{"01 S1", "03 S6", "04 S7"}
                                << QList<int>{1} << "Delete 3 channels" << "";
        QTest::newRow("Insert") << QList<int>{3, 1} << "" << "actInsert" << QStringList{"01 S1", "04 S2", "05 S3"}
                                << QList<int>{3, 5} << "Insert 2 empty channels" << "";
        QTest::newRow("Cut") << QList<int>{2, 0} << "" << "actCut" << QStringList{"01 S2", "02 S4", "04 S6"}
                             << QList<int>{0} << "Delete 2 channels" << "";
        // 8k and OFF: FM offers no 8k.
        QTest::newRow("Edit selected channels") << QList<int>{0, 2, 3} << "" << "actEditSelected"
            << QStringList{"01 S1", "02 S2", "03 S3"} << QList<int>{0, 2, 3} << "Edit 3 channels"
            << "3 channels kept their bandwidth: their band does not offer 8k";
        // The selected channel followed; the orders themselves are the core's.
        QTest::newRow("Sort by name") << QList<int>{1} << "" << "actSortByName" << QStringList{"01 S1", "02 S11", "03 S12"}
                                      << QList<int>{9} << "Sort by name" << "";
        QTest::newRow("Load") << QList<int>{0} << "" << "actLoad" << QStringList{"01 X"} << QList<int>{0}
                              << "Load other.csv" << "";
    }
    void steps()
    {
        QVERIFY(startWith(fortyFive()));
        h().storeStation(1, "87700", "S2", "D3C3", 0, 0); // mono: Apply writes its line in its own way
        QVERIFY(writeBytes(m_store.file("other.csv"), memoryFile({"90000;X;1;0;1"}, 4)));
        h().dialogs.fileAnswers = {m_store.file("other.csv")};
        h().dialogs.editAnswers = {{"8k", "OFF"}};
        select(cell<QList<int>>("lines"));
        if (!cell<QString>("name").isEmpty())
            h().box("tName")->setText(cell<QString>("name"));
        const QVector<MemoryEntry> entriesBefore = entries();
        const QStringList linesBefore = h().lines();
        const QList<int> selectedBefore = h().selectedLines();
        const int current = h().selectedLine();

        h().trigger(qPrintable(cell<QString>("action")));
        QTEST(h().namesShown().mid(0, 3), "names");
        QTEST(h().selectedLines(), "selected");
        QTEST(h().window->notice()->text(), "said");
        QCOMPARE(h().action("actUndo")->text(), "Undo " + cell<QString>("step"));
        const QVector<MemoryEntry> entriesAfter = entries();
        const QStringList linesAfter = h().lines();
        const QList<int> selectedAfter = h().selectedLines();

        h().trigger("actUndo");
        QCOMPARE(entries(), entriesBefore);
        QCOMPARE(h().lines(), linesBefore);
        QCOMPARE(h().selectedLines(), selectedBefore);
        QCOMPARE(h().selectedLine(), current);
        h().trigger("actRedo");
        QCOMPARE(entries(), entriesAfter);
        QCOMPARE(h().lines(), linesAfter);
        QCOMPARE(h().selectedLines(), selectedAfter);
    }

    // Dropped on another line, the line held lands there and the other
    // selected ones keep their distance, as that many Ups or Downs take them.
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
        QVERIFY(startWith(fortyFive()));
        const int held = lines.last();
        h().storeStation(held > to ? 20 : 25, "87600", "APPLIED", "", 0, 0); // a line written by Apply moves too
        select(lines);
        const int steps = history()->count();
        QVERIFY(drop(to));
        QCOMPARE(history()->count(), steps + 1);
        QTEST(history()->undoText(), "step");
        const QVector<MemoryEntry> dropped = entries();
        const QStringList shown = h().lines();
        const QList<int> selected = h().selectedLines();

        h().trigger("actUndo");
        for (int i = 0; i < qAbs(to - held); ++i)
            h().trigger(held > to ? "actUp" : "actDown");
        QCOMPARE(entries(), dropped);
        QCOMPARE(h().lines(), shown);
        QCOMPARE(h().selectedLines(), selected);
    }

    // The clipboard holds what Save writes, and cells for a spreadsheet. (In a
    // text box the keys copy its text: editing, "clipboard and undo keys".)
    void copy()
    {
        QVERIFY(startWith(fortyFive()));
        h().clickLine(1);
        h().trigger("actCopy");
        QCOMPARE(QGuiApplication::clipboard()->text(), "87700;S2;D3C3;0;1\r\n");
        QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains("<tr><td>87700</td>"));
        QGuiApplication::clipboard()->clear();
        h().trigger("actCut");
        QCOMPARE(QGuiApplication::clipboard()->text(), "87700;S2;D3C3;0;1\r\n");
        h().trigger("actCopyAll");
        const QString saved = m_store.file("saved.csv");
        h().dialogs.fileAnswers = {saved};
        h().trigger("actSave");
        QCOMPARE(QGuiApplication::clipboard()->text().toLatin1(), readBytes(saved));
    }

    // Written from the selected channel on, or not at all; names cut to fit are counted in words.
    void paste_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("names");   // of the selected channel and the next afterwards
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("said");
        QTest::newRow("two, names cut") << 10 << "90000;PASTED-ONE\n91000;PASTED-TWO\n"
                                        << QStringList{"11 PASTED-ON", "12 PASTED-TW"} << 0 << "2 names cut to 9 characters";
        QTest::newRow("ending on the last channel") << 97 << "90000;P1\r\n90000;P2\r\n" << QStringList{"98 P1", "99 P2"} << 0 << "";
        QTest::newRow("past the end") << 97 << "90000;P1\r\n90000;P2\r\n90000;P3\r\n" << QStringList{"98 ", "99 "} << 1 << "";
    }
    void paste()
    {
        QFETCH(int, line);
        QVERIFY(startWith(fortyFive()));
        QGuiApplication::clipboard()->setText(cell<QString>("clipboard"));
        h().clickLine(line);
        h().trigger("actPaste");
        QStringList names;
        for (int n = line + 1; n <= line + 2; ++n)
            names << QStringLiteral("%1 %2").arg(n).arg(h().window->table().entry(n).name.trimmed());
        QTEST(names, "names");
        QTEST(h().dialogs.beeps, "beeps");
        QTEST(h().window->notice()->text(), "said");
        QCOMPARE(history()->count(), h().dialogs.beeps ? 1 : 2);
    }

    // Typed letters find a name's beginning; the find field a name, PI or
    // frequency, on with Enter, back with Shift+F3; Escape closes it.
    void find()
    {
        QVERIFY(startWith(fortyFive()));
        h().clickLine(0);
        QTest::keyClicks(h().list(), "s4");
        QCOMPARE(h().selectedLine(), 3);
        QTest::keyClick(h().list(), Qt::Key_F, Qt::ControlModifier);
        QLineEdit *field = h().box("tFind");
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, "s1");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(h().box("tName")->text(), "S11"); // S10 is empty
        QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(h().box("tName")->text(), "S1");
        QTest::keyClicks(field, "x");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(h().dialogs.beeps, 1);
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());
        QVERIFY(h().list()->hasFocus());
    }

    // The bold lines and the modified mark follow the list as it differs from
    // the one last loaded or saved: undone back to it, it is clean again.
    void measuredAgainstClean()
    {
        const auto bold = [this](int row) { return h().list()->model()->index(row, 0).data(Qt::FontRole).value<QFont>().bold(); };
        QVERIFY(startWith(fortyFive()));
        const QString saved = m_store.file("saved.csv");
        h().dialogs.fileAnswers = {saved};
        h().trigger("actSave");
        h().storeStation(3, "99000", "NEW", "", 0, 1);
        QVERIFY(bold(3));
        QVERIFY(h().window->isWindowModified());
        // Loaded again from Load's menu, where it is the newest.
        h().withContextMenu(h().child("cLoad"), [](QMenu *menu) { menu->actions().value(0)->trigger(); });
        QTRY_COMPARE(history()->undoText(), "Load saved.csv");
        QVERIFY(!bold(3));
        QVERIFY(!h().window->isWindowModified());
        h().trigger("actUndo");
        h().trigger("actUndo");
        QCOMPARE(history()->undoText(), "Load list.csv");
        QVERIFY(!bold(3));
        QVERIFY(!h().window->isWindowModified());
    }
};

QTEST_MAIN(tst_AppList)
#include "tst_app_list.moc"
