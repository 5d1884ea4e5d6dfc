#include "tst_frmmain_harness.h"

namespace {

const QString kBlankName(9, QLatin1Char(' '));
const QString kBlankPi(4, QLatin1Char(' '));

bool isInsertedEmpty(const MemoryEntry &e)
{
    // Insert and Delete bring in blanks, never NULs.
    return e.band == -1 && e.frequency == 0 && e.name == kBlankName && e.pi == kBlankPi
        && e.bandwidth == 0 && e.stereo == 0;
}

QString emptyLine(int n)
{
    return QStringLiteral(" %1 | -- |         |          |      |      |").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

class tst_FrmMainListOps : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void upOnLineTwo();
    void upThenDownRestores();
    void movesKeepApplyStyleLines();
    void refusals_data();
    void refusals();
    void insertOnLineFive();
    void deleteOnLineFive();
    void deleteOnLastLine();
    void insertOnLastLine();
    void listOpsDropUnappliedEdits();
    void rebuildShowsEachEntryInTurn();
    void noListOpRunsInsideARebuild();

private:
    // Stations on entries 5, 6 and 99 (FIVE, SIX, LAST); everything else empty.
    void storeThreeStations();
    std::unique_ptr<FrmMainHarness> h;
};

void tst_FrmMainListOps::init()
{
    h = std::make_unique<FrmMainHarness>();
    QVERIFY(h->start());
}

void tst_FrmMainListOps::cleanup()
{
    h.reset();
}

void tst_FrmMainListOps::storeThreeStations()
{
    h->storeStation(4, "87600", "FIVE", "5");
    h->storeStation(5, "1008", "SIX", QString(), 1);
    h->storeStation(98, "99000", "LAST", "99");
}

void tst_FrmMainListOps::upOnLineTwo()
{
    h->storeStation(0, "100400", "REGNBOGN", "");
    QCOMPARE(h->line(0), QStringLiteral(" 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO"));
    const MemoryEntry station = h->window->table().entry(1);

    h->clickLine(1);
    h->click("cUp");

    QCOMPARE(h->line(0), emptyLine(1));
    QCOMPARE(h->line(1), QStringLiteral(" 02 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO"));
    QCOMPARE(h->selectedLine(), 0);
    // The table follows the lines: the station is now entry 2.
    QCOMPARE(h->window->table().entry(2), station);
    QVERIFY(isInsertedEmpty(h->window->table().entry(1)));
    // The editor shows the selected (now empty) entry.
    QVERIFY(h->box("tFreq")->text().isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainListOps::upThenDownRestores()
{
    h->storeStation(1, "87600", "RADIO", "d3c3", 5, 0);
    h->storeStation(2, "1008", "AMSTAT", QString(), 1);
    h->window->RefreshList(true); // one list-style line among apply-style ones
    h->storeStation(3, "99000", "APPLIED", "1");
    const QStringList lines = h->lines();
    const QVector<MemoryEntry> entries = h->window->table().entries();

    h->clickLine(2);
    h->click("cUp");
    QCOMPARE(h->selectedLine(), 1);
    QVERIFY(h->lines() != lines);
    h->click("cDn");

    QCOMPARE(h->selectedLine(), 2);
    QCOMPARE(h->lines(), lines);
    QCOMPARE(h->window->table().entries(), entries);

    h->clickLine(3);
    h->click("cDn");
    h->click("cUp");
    QCOMPARE(h->lines(), lines);
    QCOMPARE(h->window->table().entries(), entries);
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainListOps::movesKeepApplyStyleLines()
{
    // Moving exchanges line texts; it does not rebuild them.
    h->storeStation(1, "87600", "RADIO", "d3c3", 5, 0);
    const QString applied = h->line(1);
    QVERIFY(applied.endsWith(QStringLiteral("| MONO  ")));
    h->click("cDn");
    QCOMPARE(h->line(2), QStringLiteral(" 03") + applied.mid(3));
    QCOMPARE(h->line(1), emptyLine(2));
    QCOMPARE(h->window->table().entry(3).name, QStringLiteral("RADIO    "));
    QCOMPARE(h->box("tName")->text(), QStringLiteral("RADIO"));
}

void tst_FrmMainListOps::refusals_data()
{
    QTest::addColumn<int>("position"); // -1: no line selected
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selectedAfter");

    QTest::newRow("Up on line 1") << 0 << "cUp" << 0;
    QTest::newRow("Down on the last line") << 98 << "cDn" << 98;
    QTest::newRow("Up without selection") << -1 << "cUp" << -1;
    QTest::newRow("Down without selection") << -1 << "cDn" << -1;
    QTest::newRow("Insert without selection") << -1 << "cIns" << -1;
    QTest::newRow("Delete without selection") << -1 << "cDel" << -1;
}

void tst_FrmMainListOps::refusals()
{
    QFETCH(int, position);
    QFETCH(QString, button);
    QFETCH(int, selectedAfter);

    h->storeStation(0, "87600", "FIRST", "1");
    h->storeStation(98, "99000", "LAST", "99");
    if (position < 0)
        h->window->RefreshList(true);
    else
        h->clickLine(position);
    const QStringList lines = h->lines();
    const QVector<MemoryEntry> entries = h->window->table().entries();

    h->click(button.toLatin1().constData());

    QCOMPARE(h->dialogs.beeps, 1);
    QCOMPARE(h->lines(), lines);
    QCOMPARE(h->window->table().entries(), entries);
    QCOMPARE(h->selectedLine(), selectedAfter);
    QVERIFY(h->dialogs.messages.isEmpty());
}

void tst_FrmMainListOps::insertOnLineFive()
{
    storeThreeStations();
    const QVector<MemoryEntry> before = h->window->table().entries();

    h->clickLine(4);
    h->click("cIns");

    const MemoryTable &t = h->window->table();
    QCOMPARE(t.size(), 99);
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);
    QVERIFY(isInsertedEmpty(t.entry(5)));
    for (int n = 6; n <= 99; ++n)
        QCOMPARE(t.entry(n), before[n - 2]);

    QCOMPARE(h->selectedLine(), 5);
    QCOMPARE(h->box("tName")->text(), QStringLiteral("FIVE"));
    QCOMPARE(h->line(4), emptyLine(5));
    QCOMPARE(h->line(5), QStringLiteral(" 06 | FM |  87.600 | FIVE     | 0005 | AUTO | STEREO"));
    QCOMPARE(h->line(6), QStringLiteral(" 07 | AM |   1.008 | SIX      |      |   4k |      "));
    QCOMPARE(h->line(98), emptyLine(99));
    for (const QString &line : h->lines())
        QVERIFY(!line.contains(QStringLiteral("LAST")) && !line.contains(QChar(0)));
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainListOps::deleteOnLineFive()
{
    storeThreeStations();
    const QVector<MemoryEntry> before = h->window->table().entries();

    h->clickLine(4);
    h->click("cDel");

    const MemoryTable &t = h->window->table();
    QCOMPARE(t.size(), 99);
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);
    for (int n = 5; n <= 98; ++n)
        QCOMPARE(t.entry(n), before[n]);
    QVERIFY(isInsertedEmpty(t.entry(99)));

    QCOMPARE(h->selectedLine(), 4);
    QCOMPARE(h->box("tName")->text(), QStringLiteral("SIX"));
    QCOMPARE(h->line(4), QStringLiteral(" 05 | AM |   1.008 | SIX      |      |   4k |      "));
    QCOMPARE(h->line(97), QStringLiteral(" 98 | FM |  99.000 | LAST     | 0099 | AUTO | STEREO"));
    QCOMPARE(h->line(98), emptyLine(99));
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainListOps::deleteOnLastLine()
{
    storeThreeStations();
    const QVector<MemoryEntry> before = h->window->table().entries();

    h->clickLine(98);
    h->click("cDel");

    const MemoryTable &t = h->window->table();
    for (int n = 1; n <= 98; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);
    QVERIFY(isInsertedEmpty(t.entry(99)));
    QCOMPARE(h->selectedLine(), 98);
    QCOMPARE(h->line(98), emptyLine(99));
    QVERIFY(h->box("tFreq")->text().isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainListOps::insertOnLastLine()
{
    storeThreeStations();
    const QVector<MemoryEntry> before = h->window->table().entries();

    h->clickLine(98);
    h->click("cIns");

    // Nothing below to push down: the last entry is emptied in place and stays selected.
    const MemoryTable &t = h->window->table();
    QCOMPARE(t.size(), 99);
    for (int n = 1; n <= 98; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);
    QVERIFY(isInsertedEmpty(t.entry(99)));
    QCOMPARE(h->selectedLine(), 98);
    QCOMPARE(h->line(98), emptyLine(99));
    QVERIFY(h->box("tName")->text().isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainListOps::listOpsDropUnappliedEdits()
{
    storeThreeStations();
    h->clickLine(4);
    h->typeInto("tName", QStringLiteral("TYPED"));
    h->click("cDn");
    QCOMPARE(h->selectedLine(), 5);
    QCOMPARE(h->box("tName")->text(), QStringLiteral("FIVE"));
    QCOMPARE(h->window->table().entry(6).name, QStringLiteral("FIVE     "));
}

void tst_FrmMainListOps::rebuildShowsEachEntryInTurn()
{
    storeThreeStations();
    QList<int> rows;
    QStringList names;
    QListWidget *l = h->list();
    QLineEdit *name = h->box("tName");
    // Connected after the window's own handler, so the editor has already reloaded.
    connect(l, &QListWidget::currentRowChanged, name, [&rows, &names, name](int row) {
        if (row < 0)
            return; // the emptied list before the first line
        rows << row;
        names << name->text();
    });

    h->window->RefreshList(false);

    QCOMPARE(rows.size(), 100);
    for (int i = 0; i < 99; ++i)
        QCOMPARE(rows[i], i);
    QCOMPARE(rows.last(), 0);
    QCOMPARE(names[4], QStringLiteral("FIVE"));
    QCOMPARE(names[5], QStringLiteral("SIX"));
    QCOMPARE(names[98], QStringLiteral("LAST"));
    QCOMPARE(h->selectedLine(), 0);
    QCOMPARE(h->lines().size(), 99);
}

void tst_FrmMainListOps::noListOpRunsInsideARebuild()
{
    storeThreeStations();
    const QVector<MemoryEntry> before = h->window->table().entries();
    QListWidget *l = h->list();
    FrmMainHarness *harness = h.get();
    int pressed = 0;
    connect(l, &QListWidget::currentRowChanged, l, [harness, &pressed](int row) {
        if (row != 40 || pressed)
            return;
        ++pressed;
        for (const char *b : {"cIns", "cDel", "cUp", "cDn"})
            QTest::mouseClick(harness->button(b), Qt::LeftButton);
    });

    h->window->RefreshList(false);

    QCOMPARE(pressed, 1);
    QCOMPARE(h->window->table().entries(), before);
    const QStringList lines = h->lines();
    QCOMPARE(lines.size(), 99);
    for (int n = 1; n <= 99; ++n)
        QVERIFY2(lines[n - 1].startsWith(QStringLiteral(" %1 |").arg(n, 2, 10, QLatin1Char('0'))),
                 qPrintable(lines[n - 1]));
    QCOMPARE(h->selectedLine(), 0);

    // Afterwards the buttons work again.
    h->clickLine(4);
    h->click("cDel");
    QCOMPARE(h->window->table().entry(5).name, QStringLiteral("SIX      "));
}

QTEST_MAIN(tst_FrmMainListOps)
#include "tst_frmmain_listops.moc"
