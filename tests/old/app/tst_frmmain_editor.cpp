#include "tst_frmmain_harness.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

const QString kBlankName(9, QLatin1Char(' '));
const QString kBlankPi(4, QLatin1Char(' '));

} // namespace

Q_DECLARE_METATYPE(MemoryEntry)

class tst_FrmMainEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void frequencyCheck_data();
    void frequencyCheck();
    void retypedFmFrequencyResetsChoices();
    void sameBandKeepsSelections();
    void loadingShowsTheEntry_data();
    void loadingShowsTheEntry();
    void applyExamples_data();
    void applyExamples();
    void applyFmWithEmptyNameBlanksPi();
    void applyPi_data();
    void applyPi();
    void applyAmStoresStereoZero();
    void applyWithNoLineSelectedWritesLineOne();
    void noLineSelectedShowsEmptyEntry();
    void clearBlanksLineButNotTable();
    void clearThenApplyLeavesEmptyEntry();
    void clearWithNoLineSelectedBeeps();
    void arrowKeys_data();
    void arrowKeys();
    void frequencyFilter_data();
    void frequencyFilter();
    void piFilter_data();
    void piFilter();
    void nameTakesAnything();
    void deleteKeyEdits_data();
    void deleteKeyEdits();
    void applyRightAfterTypingRunsTheCheckFirst();
    void pastedTextBypassesFilters();
    void focusSelectsWholeText_data();
    void focusSelectsWholeText();
    void unappliedEditsDropOnReload();

private:
    std::unique_ptr<FrmMainHarness> h;
};

void tst_FrmMainEditor::init()
{
    h = std::make_unique<FrmMainHarness>();
    QVERIFY(h->start());
}

void tst_FrmMainEditor::cleanup()
{
    h.reset();
}

void tst_FrmMainEditor::frequencyCheck_data()
{
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pi");
    QTest::addColumn<int>("bwItems");
    QTest::addColumn<QString>("bw");
    QTest::addColumn<int>("stItems");
    QTest::addColumn<QString>("st");

    QTest::newRow("27001") << "27001" << "" << "" << "" << 0 << "" << 0 << "";
    QTest::newRow("27000") << "27000" << "AM" << "KEEP" << "" << 4 << "8k" << 0 << "";
    QTest::newRow("144") << "144" << "AM" << "KEEP" << "" << 4 << "8k" << 0 << "";
    QTest::newRow("143") << "143" << "" << "" << "" << 0 << "" << 0 << "";
    QTest::newRow("64999") << "64999" << "" << "" << "" << 0 << "" << 0 << "";
    QTest::newRow("65000") << "65000" << "FM" << "KEEP" << "12AB" << 17 << "AUTO" << 2 << "AUTO";
    QTest::newRow("108000") << "108000" << "FM" << "KEEP" << "12AB" << 17 << "AUTO" << 2 << "AUTO";
    QTest::newRow("108001") << "108001" << "" << "" << "" << 0 << "" << 0 << "";
    QTest::newRow("empty") << "" << "" << "" << "" << 0 << "" << 0 << "";
}

void tst_FrmMainEditor::frequencyCheck()
{
    QFETCH(QString, freq);
    QFETCH(QString, band);
    QFETCH(QString, name);
    QFETCH(QString, pi);
    QFETCH(int, bwItems);
    QFETCH(QString, bw);
    QFETCH(int, stItems);
    QFETCH(QString, st);

    h->typeInto("tName", QStringLiteral("KEEP"));
    h->typeInto("tPI", QStringLiteral("12ab"));
    h->typeFrequency(freq);

    QCOMPARE(QApplication::focusWidget(), h->box("tName"));
    QCOMPARE(h->box("tBand")->text(), band);
    QCOMPARE(h->box("tName")->text(), name);
    QCOMPARE(h->box("tPI")->text(), pi);
    QCOMPARE(h->combo("coBW")->count(), bwItems);
    QCOMPARE(h->combo("coBW")->currentText(), bw);
    QCOMPARE(h->combo("coST")->count(), stItems);
    QCOMPARE(h->combo("coST")->currentText(), st);
    // The check never touches the table.
    QCOMPARE(h->window->table().entry(1), MemoryEntry());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainEditor::retypedFmFrequencyResetsChoices()
{
    h->storeStation(0, "87600", "RADIO", "d3c3", 5, 0);
    h->clickLine(1);
    h->clickLine(0);
    QCOMPARE(h->combo("coBW")->currentText(), QStringLiteral("97k"));
    QCOMPARE(h->combo("coST")->currentText(), QStringLiteral("OFF"));

    h->typeFrequency("99000");
    QCOMPARE(h->box("tBand")->text(), QStringLiteral("FM"));
    QCOMPARE(h->combo("coBW")->currentText(), QStringLiteral("AUTO"));
    QCOMPARE(h->combo("coST")->currentText(), QStringLiteral("AUTO"));
    QCOMPARE(h->box("tName")->text(), QStringLiteral("RADIO"));
    QCOMPARE(h->box("tPI")->text(), QStringLiteral("D3C3"));

    // Leaving the box again with the same frequency resets them once more.
    h->choose("coBW", 3);
    h->typeFrequency("99000");
    QCOMPARE(h->combo("coBW")->currentText(), QStringLiteral("AUTO"));
}

void tst_FrmMainEditor::sameBandKeepsSelections()
{
    h->storeStation(0, "1008", "AMSTAT", QString(), 1);
    h->clickLine(1);
    h->clickLine(0);
    QCOMPARE(h->combo("coBW")->currentText(), QStringLiteral("4k"));
    h->window->FillCombos(0);
    QCOMPARE(h->combo("coBW")->currentText(), QStringLiteral("4k"));
    QCOMPARE(h->combo("coBW")->count(), 4);
}

void tst_FrmMainEditor::loadingShowsTheEntry_data()
{
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pi");
    QTest::addColumn<int>("bw");
    QTest::addColumn<int>("st");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<QString>("shownPi");
    QTest::addColumn<QString>("shownBw");
    QTest::addColumn<QString>("shownSt");

    QTest::newRow("FM") << "87600" << "RADIO" << "d3c3" << 5 << 0 << "FM" << "RADIO" << "D3C3"
                        << "97k" << "OFF";
    // Apply with an empty name stored a blank PI; it shows as four blanks.
    QTest::newRow("FM with blank PI") << "87600" << "" << "1234" << -1 << -1 << "FM" << ""
                                      << "    " << "AUTO" << "AUTO";
    QTest::newRow("AM") << "1008" << "AMSTAT" << QString() << 1 << -1 << "AM" << "AMSTAT" << ""
                        << "4k" << "";
    QTest::newRow("name blanks trimmed on the right") << "99000" << " A B   " << "1" << -1 << -1
                                                      << "FM" << " A B" << "0001" << "AUTO" << "AUTO";
    QTest::newRow("no band") << "50000" << "" << QString() << -1 << -1 << "" << "" << "" << "" << "";
}

void tst_FrmMainEditor::loadingShowsTheEntry()
{
    QFETCH(QString, freq);
    QFETCH(QString, name);
    QFETCH(QString, pi);
    QFETCH(int, bw);
    QFETCH(int, st);
    QFETCH(QString, band);
    QFETCH(QString, shownName);
    QFETCH(QString, shownPi);
    QFETCH(QString, shownBw);
    QFETCH(QString, shownSt);

    h->storeStation(3, freq, name, pi, bw, st);
    h->clickLine(0);
    h->clickLine(3);

    QCOMPARE(h->box("tBand")->text(), band);
    QCOMPARE(h->box("tFreq")->text(), band.isEmpty() ? QString() : freq);
    QCOMPARE(h->box("tName")->text(), shownName);
    QCOMPARE(h->box("tPI")->text(), shownPi);
    QCOMPARE(h->combo("coBW")->currentText(), shownBw);
    QCOMPARE(h->combo("coST")->currentText(), shownSt);
    if (band == QLatin1String("AM")) {
        QCOMPARE(h->combo("coST")->count(), 0);
        QCOMPARE(h->combo("coST")->currentIndex(), -1);
    }
}

void tst_FrmMainEditor::applyExamples_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pi");
    QTest::addColumn<int>("bw");
    QTest::addColumn<int>("st");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("piShown");
    QTest::addColumn<MemoryEntry>("stored");

    MemoryEntry e1;
    e1.band = 1;
    e1.frequency = 100400;
    e1.setName("REGNBOGN");
    e1.setPi("0000");
    e1.stereo = 1;
    QTest::newRow("FM stereo") << 0 << "100400" << "REGNBOGN" << "" << -1 << -1
                               << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO" << "0000" << e1;

    MemoryEntry e2;
    e2.band = 1;
    e2.frequency = 87600;
    e2.setName("RADIO");
    e2.setPi("D3C3");
    e2.bandwidth = 5;
    QTest::newRow("FM mono") << 1 << "87600" << "RADIO" << "d3c3" << 5 << 0
                             << " 02 | FM |  87.600 | RADIO    | D3C3 |  97k | MONO  " << "D3C3" << e2;

    MemoryEntry e3;
    e3.band = 0;
    e3.frequency = 1008;
    e3.setName("AMSTAT");
    e3.bandwidth = 2;
    QTest::newRow("AM") << 2 << "1008" << "AMSTAT" << QString() << 1 << -1
                        << " 03 | AM |   1.008 | AMSTAT   |      |   4k |       " << "" << e3;

    MemoryEntry e5;
    e5.frequency = 50000;
    QTest::newRow("no band") << 4 << "50000" << "" << QString() << -1 << -1
                             << " 05 | -- |  50.000 |          |      |      |       " << "" << e5;
}

void tst_FrmMainEditor::applyExamples()
{
    QFETCH(int, position);
    QFETCH(QString, freq);
    QFETCH(QString, name);
    QFETCH(QString, pi);
    QFETCH(int, bw);
    QFETCH(int, st);
    QFETCH(QString, line);
    QFETCH(QString, piShown);
    QFETCH(MemoryEntry, stored);

    const QStringList before = h->lines();
    h->storeStation(position, freq, name, pi, bw, st);

    QCOMPARE(h->line(position), line);
    QCOMPARE(h->box("tPI")->text(), piShown);
    QCOMPARE(h->window->table().entry(position + 1), stored);
    // Only that line changed, and the selection stayed.
    QStringList after = h->lines();
    after[position] = before[position];
    QCOMPARE(after, before);
    QCOMPARE(h->selectedLine(), position);
    QCOMPARE(h->dialogs.beeps, 0);
    QVERIFY(h->dialogs.messages.isEmpty());
}

void tst_FrmMainEditor::applyFmWithEmptyNameBlanksPi()
{
    h->storeStation(0, "87600", "", "1234");
    QCOMPARE(h->window->table().entry(1).pi, kBlankPi);
    QCOMPARE(h->window->table().entry(1).name, kBlankName);
    QCOMPARE(h->box("tPI")->text(), QString());
    QCOMPARE(h->line(0), QStringLiteral(" 01 | FM |  87.600 |          |      | AUTO | STEREO"));
}

void tst_FrmMainEditor::applyPi_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("7") << "7" << "0007";
    QTest::newRow("empty") << "" << "0000";
    QTest::newRow("1a") << "1a" << "001A";
    QTest::newRow("full") << "FFFF" << "FFFF";
}

void tst_FrmMainEditor::applyPi()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    h->storeStation(6, "99000", "NAME", typed);
    QCOMPARE(h->window->table().entry(7).pi, stored);
    QCOMPARE(h->box("tPI")->text(), stored);
    QVERIFY(h->line(6).contains(QStringLiteral("| ") + stored + QStringLiteral(" |")));
}

void tst_FrmMainEditor::applyAmStoresStereoZero()
{
    // The FM choices of this line were AUTO/AUTO before; AM drops the stereo code.
    h->storeStation(2, "87600", "FM", "1");
    QCOMPARE(int(h->window->table().entry(3).stereo), 1);

    h->storeStation(2, "1008", "AMSTAT", QString(), 3);
    const MemoryEntry &e = h->window->table().entry(3);
    QCOMPARE(int(e.band), 0);
    QCOMPARE(int(e.bandwidth), 4);
    QCOMPARE(int(e.stereo), 0);
    QCOMPARE(e.pi, kBlankPi);
    QCOMPARE(h->line(2), QStringLiteral(" 03 | AM |   1.008 | AMSTAT   |      |   8k |       "));
}

void tst_FrmMainEditor::applyWithNoLineSelectedWritesLineOne()
{
    h->clickLine(5);
    h->window->RefreshList(true); // leaves no line selected
    QCOMPARE(h->selectedLine(), -1);

    h->typeFrequency("87600");
    h->typeInto("tName", "NOSEL");
    h->click("cAply");

    QCOMPARE(h->selectedLine(), -1);
    QCOMPARE(h->line(0), QStringLiteral(" 01 | FM |  87.600 | NOSEL    | 0000 | AUTO | STEREO"));
    QCOMPARE(h->window->table().entry(1).name, QStringLiteral("NOSEL    "));
    QCOMPARE(int(h->window->table().entry(6).frequency), 0);
}

void tst_FrmMainEditor::noLineSelectedShowsEmptyEntry()
{
    h->storeStation(0, "87600", "RADIO", "1", 5, 0);
    h->clickLine(1);
    h->clickLine(0);
    QCOMPARE(h->box("tName")->text(), QStringLiteral("RADIO"));

    h->list()->setCurrentRow(-1);
    FrmMainHarness::settle();
    for (const char *name : {"tBand", "tFreq", "tName", "tPI"})
        QVERIFY2(h->box(name)->text().isEmpty(), name);
    QCOMPARE(h->combo("coBW")->count(), 0);
    QCOMPARE(h->combo("coST")->count(), 0);
}

void tst_FrmMainEditor::clearBlanksLineButNotTable()
{
    h->storeStation(2, "1008", "AMSTAT", QString(), 1);
    const MemoryEntry stored = h->window->table().entry(3);
    h->clickLine(0);
    h->clickLine(2);

    h->click("cClr");
    QCOMPARE(h->line(2), QStringLiteral(" 03 | -- |         |          |      |      |"));
    for (const char *name : {"tBand", "tFreq", "tName", "tPI"})
        QVERIFY2(h->box(name)->text().isEmpty(), name);
    QCOMPARE(h->combo("coBW")->count(), 0);
    QCOMPARE(h->combo("coBW")->currentIndex(), -1);
    QCOMPARE(h->combo("coST")->count(), 0);
    QCOMPARE(h->window->table().entry(3), stored);
    QCOMPARE(h->selectedLine(), 2);
    QCOMPARE(h->dialogs.beeps, 0);

    // The next rebuild brings the stored entry back.
    h->window->RefreshList(true);
    QCOMPARE(h->line(2), QStringLiteral(" 03 | AM |   1.008 | AMSTAT   |      |   4k |      "));
}

void tst_FrmMainEditor::clearThenApplyLeavesEmptyEntry()
{
    h->storeStation(1, "87600", "RADIO", "d3c3", 5, 0);
    h->clickLine(0);
    h->clickLine(1);
    h->click("cClr");
    h->click("cAply");

    const MemoryEntry &e = h->window->table().entry(2);
    QCOMPARE(int(e.band), -1);
    QCOMPARE(int(e.frequency), 0);
    QCOMPARE(e.name, kBlankName);
    QCOMPARE(e.pi, kBlankPi);
    // Codes keep their values.
    QCOMPARE(int(e.bandwidth), 5);
    QCOMPARE(int(e.stereo), 0);
    QCOMPARE(h->line(1), QStringLiteral(" 02 | -- |         |          |      |      |       "));
}

void tst_FrmMainEditor::clearWithNoLineSelectedBeeps()
{
    h->storeStation(0, "87600", "RADIO", "1");
    h->window->RefreshList(true);
    const QStringList before = h->lines();
    const MemoryEntry stored = h->window->table().entry(1);

    h->click("cClr");
    QCOMPARE(h->dialogs.beeps, 1);
    QCOMPARE(h->lines(), before);
    QCOMPARE(h->window->table().entry(1), stored);
}

void tst_FrmMainEditor::arrowKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    QTest::newRow("Up in tFreq on line 1") << "tFreq" << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("Up in tName on line 1") << "tName" << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("Down in tFreq on the last line") << "tFreq" << 98 << int(Qt::Key_Down) << 98;
    QTest::newRow("Down in tName on the last line") << "tName" << 98 << int(Qt::Key_Down) << 98;
    QTest::newRow("Down in tFreq") << "tFreq" << 3 << int(Qt::Key_Down) << 4;
    QTest::newRow("Up in tFreq") << "tFreq" << 4 << int(Qt::Key_Up) << 3;
    QTest::newRow("Up in tName") << "tName" << 4 << int(Qt::Key_Up) << 3;
    QTest::newRow("Down in tName") << "tName" << 3 << int(Qt::Key_Down) << 4;
    QTest::newRow("Down in tPI means nothing") << "tPI" << 3 << int(Qt::Key_Down) << 3;
    QTest::newRow("Up in tPI means nothing") << "tPI" << 4 << int(Qt::Key_Up) << 4;
}

void tst_FrmMainEditor::arrowKeys()
{
    QFETCH(QString, box);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);

    // Stations around the lines used, so the boxes hold text to select.
    for (int p : {0, 3, 4, 98})
        h->storeStation(p, QString::number(87600 + p * 100), QStringLiteral("ST%1").arg(p), "1");
    h->clickLine(from);
    QLineEdit *b = h->box(box.toLatin1().constData());
    QTest::mouseClick(b, Qt::LeftButton);
    FrmMainHarness::settle();
    const QStringList before = h->lines();

    QTest::keyClick(b, Qt::Key(key));
    FrmMainHarness::settle();

    QCOMPARE(h->selectedLine(), to);
    QCOMPARE(h->lines(), before);
    QCOMPARE(QApplication::focusWidget(), b);
    QCOMPARE(h->box("tName")->text(), QStringLiteral("ST%1").arg(to));
    if (to != from)
        QCOMPARE(b->selectedText(), b->text());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainEditor::frequencyFilter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");

    QTest::newRow("digits") << "87600" << "87600";
    QTest::newRow("letter a") << "8a7" << "87";
    QTest::newRow("minus") << "-87" << "87";
    QTest::newRow("point") << "87.6" << "876";
    QTest::newRow("space") << "8 7" << "87";
    QTest::newRow("mixed") << "1a-. 2" << "12";
    QTest::newRow("six digits at most") << "1234567" << "123456";
}

void tst_FrmMainEditor::frequencyFilter()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);

    h->typeInto("tFreq", keys);
    QCOMPARE(h->box("tFreq")->text(), shown);
    QCOMPARE(h->dialogs.beeps, 0);

    // Backspace still edits.
    QTest::keyClick(h->box("tFreq"), Qt::Key_Backspace);
    QCOMPARE(h->box("tFreq")->text(), shown.left(shown.size() - 1));
}

void tst_FrmMainEditor::piFilter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("beeps");

    QTest::newRow("g") << "g" << "" << 1;
    QTest::newRow("minus") << "-" << "" << 1;
    QTest::newRow("f becomes F") << "f" << "F" << 0;
    QTest::newRow("lower hex") << "d3c3" << "D3C3" << 0;
    QTest::newRow("upper hex") << "09AF" << "09AF" << 0;
    QTest::newRow("refused in the middle") << "1Z9" << "19" << 1;
    QTest::newRow("space") << "1 2" << "12" << 1;
    QTest::newRow("several refused") << "xy1" << "1" << 2;
    QTest::newRow("four at most") << "ABCDEF" << "ABCD" << 0;
}

void tst_FrmMainEditor::piFilter()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, beeps);

    h->typeInto("tPI", keys);
    QCOMPARE(h->box("tPI")->text(), shown);
    QCOMPARE(h->dialogs.beeps, beeps);
}

void tst_FrmMainEditor::nameTakesAnything()
{
    h->typeInto("tName", QStringLiteral("a-b .x!?"));
    QCOMPARE(h->box("tName")->text(), QStringLiteral("a-b .x!?"));
    h->typeInto("tName", QStringLiteral("0123456789AB"));
    QCOMPARE(h->box("tName")->text(), QStringLiteral("012345678"));
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainEditor::deleteKeyEdits_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("tFreq") << "tFreq" << "87600" << "7600";
    QTest::newRow("tPI") << "tPI" << "D3C3" << "3C3";
    QTest::newRow("tName") << "tName" << "RADIO" << "ADIO";
}

void tst_FrmMainEditor::deleteKeyEdits()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    QLineEdit *b = h->box(box.toLatin1().constData());
    h->typeInto(box.toLatin1().constData(), typed);
    QTest::keyClick(b, Qt::Key_Home);
    // The Delete key as X11 and Wayland deliver it: with the DEL character as its text.
    QTest::sendKeyEvent(QTest::Click, b, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
    FrmMainHarness::settle();

    const bool edited = b->text() == after && h->dialogs.beeps == 0;
    QVERIFY2(edited, qPrintable(QStringLiteral("%1, %2 beeps").arg(b->text()).arg(h->dialogs.beeps)));
}

void tst_FrmMainEditor::applyRightAfterTypingRunsTheCheckFirst()
{
    // Clicking Apply straight from the frequency box runs the check on the
    // way out, so the AM defaults are in place when Apply reads them.
    h->clickLine(3);
    h->typeInto("tFreq", QStringLiteral("1008"));
    h->click("cAply");
    QCOMPARE(h->box("tBand")->text(), QStringLiteral("AM"));
    QCOMPARE(int(h->window->table().entry(4).bandwidth), 4);
    QCOMPARE(h->line(3), QStringLiteral(" 04 | AM |   1.008 |          |      |   8k |       "));
}

void tst_FrmMainEditor::pastedTextBypassesFilters()
{
    QClipboard *clip = QGuiApplication::clipboard();
    clip->setText(QStringLiteral("87600abc"));
    h->typeInto("tFreq", QString());
    QTest::keyClick(h->box("tFreq"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h->box("tFreq")->text(), QStringLiteral("87600a"));
    QTest::keyClick(h->box("tFreq"), Qt::Key_Tab);
    FrmMainHarness::settle();
    QCOMPARE(h->box("tBand")->text(), QStringLiteral("FM"));

    h->typeInto("tName", QStringLiteral("N"));
    clip->setText(QStringLiteral("xyz"));
    h->typeInto("tPI", QString());
    QTest::keyClick(h->box("tPI"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h->box("tPI")->text(), QStringLiteral("xyz"));
    QCOMPARE(h->dialogs.beeps, 0);

    h->click("cAply");
    QCOMPARE(h->window->table().entry(1).pi, QStringLiteral("0xyz"));
    QCOMPARE(int(h->window->table().entry(1).frequency), 87600);
    QCOMPARE(h->box("tPI")->text(), QStringLiteral("0xyz"));

    // Text set by the program is not filtered either.
    h->box("tFreq")->setText(QStringLiteral("1-2"));
    QCOMPARE(h->box("tFreq")->text(), QStringLiteral("1-2"));
}

void tst_FrmMainEditor::focusSelectsWholeText_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("tFreq") << "tFreq";
    QTest::newRow("tName") << "tName";
    QTest::newRow("tPI") << "tPI";
}

void tst_FrmMainEditor::focusSelectsWholeText()
{
    QFETCH(QString, box);

    h->storeStation(0, "87600", "RADIO", "d3c3");
    h->focus(h->list());
    QLineEdit *b = h->box(box.toLatin1().constData());
    QVERIFY(!b->text().isEmpty());

    // A click lands the cursor somewhere; the whole text must still be selected.
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
    FrmMainHarness::settle();
    QCOMPARE(b->selectedText(), b->text());
}

void tst_FrmMainEditor::unappliedEditsDropOnReload()
{
    h->storeStation(0, "87600", "RADIO", "1");
    h->typeInto("tName", QStringLiteral("CHANGED"));
    h->clickLine(1);
    h->clickLine(0);
    QCOMPARE(h->box("tName")->text(), QStringLiteral("RADIO"));
    QCOMPARE(h->window->table().entry(1).name, QStringLiteral("RADIO    "));
}

QTEST_MAIN(tst_FrmMainEditor)
#include "tst_frmmain_editor.moc"
