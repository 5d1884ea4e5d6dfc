// Start-up and shut-down: the settings restored and stored, the window's
// place, and the memory file loaded automatically from beside the program.

#include "tst_frmmain_files_common.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

namespace {

// Where the window's left and top edges go when no position is stored: its
// designed size centred on the primary screen.
QPoint centred(const QWidget &w)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.x() + (screen.width() - w.width()) / 2, screen.y() + (screen.height() - w.height()) / 2};
}

} // namespace

class tst_FrmMainStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartDefaults();
    void storedPosition_data();
    void storedPosition();
    void storedLastDir();
    void corruptSettingsFile();
    void settingsOfTheWrongKind_data();
    void settingsOfTheWrongKind();

    void autoLoadFile_data();
    void autoLoadFile();
    void emptyAutoLoadFileIgnored();
    void foreignAutoLoadFileShowsMessage();
    void autoLoadFolderIgnored();

    void shutDownStoresPosition_data();
    void shutDownStoresPosition();
    void offScreenPositionSurvivesARun();
    void shutDownStoresSelectedPort();
    void shutDownWithoutPortKeepsRememberedOne();

private:
    FilesFixture m_fx;
};

void tst_FrmMainStartup::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_FrmMainStartup::init()
{
    QVERIFY(m_fx.setUp());
}

void tst_FrmMainStartup::cleanup()
{
    m_fx.tearDown();
}

// ------------------------------------------------------------------ start-up

void tst_FrmMainStartup::firstStartDefaults()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    const QString programDir = h->programDir.path() + QLatin1Char('/');

    QCOMPARE(h->window->pos(), centred(*h->window));
    QCOMPARE(h->window->lastDir(), programDir);
    h->click("cLoad");
    QCOMPARE(h->dialogs.fileRequests.last().initialPath, programDir + QStringLiteral("*.csv"));
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->dialogs.beeps, 1); // the cancelled dialog
    QCOMPARE(h->list()->count(), 99);
    QCOMPARE(h->window->table().entry(1).frequency, 0);
}

void tst_FrmMainStartup::storedPosition_data()
{
    QTest::addColumn<QVariant>("left");  // invalid: not stored
    QTest::addColumn<QVariant>("top");
    QTest::addColumn<bool>("leftCentred");
    QTest::addColumn<bool>("topCentred");

    QTest::newRow("on screen") << QVariant(120) << QVariant(45) << false << false;
    QTest::newRow("corner") << QVariant(0) << QVariant(0) << false << false;
    QTest::newRow("far off screen, used as it is") << QVariant(-2000) << QVariant(-2000) << false << false;
    QTest::newRow("beyond the screen") << QVariant(5000) << QVariant(4000) << false << false;
    QTest::newRow("left only") << QVariant(30) << QVariant() << false << true;
    QTest::newRow("top only") << QVariant() << QVariant(60) << true << false;
}

void tst_FrmMainStartup::storedPosition()
{
    QFETCH(QVariant, left);
    QFETCH(QVariant, top);
    QFETCH(bool, leftCentred);
    QFETCH(bool, topCentred);

    if (left.isValid())
        mRegistry2::Registry(settingPath("\\Win.Left"), 0, left);
    if (top.isValid())
        mRegistry2::Registry(settingPath("\\Win.Top"), 0, top);
    auto h = m_fx.startWindow();
    QVERIFY(h);

    const QPoint middle = centred(*h->window);
    QCOMPARE(h->window->x(), leftCentred ? middle.x() : left.toInt());
    QCOMPARE(h->window->y(), topCentred ? middle.y() : top.toInt());
    QCOMPARE(h->window->size(), QSize(506, 372));
}

void tst_FrmMainStartup::storedLastDir()
{
    const QString dir = m_fx.filesDir() + QLatin1Char('/');
    mRegistry2::Registry(lastDirSetting(), 0, dir);
    auto h = m_fx.startWindow();
    QVERIFY(h);

    QCOMPARE(h->window->lastDir(), dir);
    h->click("cLoad");
    QCOMPARE(h->dialogs.fileRequests.last().initialPath, dir + QStringLiteral("*.csv"));
    h->click("cSave");
    QCOMPARE(h->dialogs.fileRequests.last().initialPath, dir + QStringLiteral("Presetta_20250701-1432.csv"));
}

void tst_FrmMainStartup::corruptSettingsFile()
{
    QVERIFY(writeBytes(m_fx.storeFile(), QByteArray("{\"HKEY_CURRENT_USER\": {\"keys\": [1, 2,\x01\xff garbage")));
    auto h = m_fx.startWindow(QList<PortRecord>{listedPort(QStringLiteral("ttyUSB0"))});
    QVERIFY(h);

    QCOMPARE(h->window->pos(), centred(*h->window));
    QCOMPARE(h->window->lastDir(), h->programDir.path() + QLatin1Char('/'));
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->combo("coCOM")->currentIndex(), 0);

    // Closing still works, and what it stores can be read at the next start.
    h->window->move(77, 88);
    QVERIFY(h->window->close());
    h.reset();
    auto next = m_fx.startWindow();
    QVERIFY(next);
    QCOMPARE(next->window->pos(), QPoint(77, 88));
}

void tst_FrmMainStartup::settingsOfTheWrongKind_data()
{
    QTest::addColumn<QVariant>("value");

    QTest::newRow("number") << QVariant(42);
    QTest::newRow("list of texts") << QVariant(QStringList{"/a/", "/b/"});
    QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02"));
}

void tst_FrmMainStartup::settingsOfTheWrongKind()
{
    // Values of a kind the window never writes count as missing.
    QFETCH(QVariant, value);
    for (const char *suffix : {"\\LastDir", "\\Win.Left", "\\Win.Top"})
        mRegistry2::Registry(settingPath(suffix), 0, value);
    if (value.typeId() == QMetaType::Int) {
        // A number is a position's kind; give the positions text instead.
        mRegistry2::Registry(settingPath("\\Win.Left"), 0, QStringLiteral("left"));
        mRegistry2::Registry(settingPath("\\Win.Top"), 0, QStringLiteral("top"));
    }
    auto h = m_fx.startWindow();
    QVERIFY(h);

    QCOMPARE(h->window->pos(), centred(*h->window));
    QCOMPARE(h->window->lastDir(), h->programDir.path() + QLatin1Char('/'));
    QVERIFY(h->dialogs.messages.isEmpty());
}

void tst_FrmMainStartup::autoLoadFile_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("autoFile");

    QTest::newRow("no extension") << "presetta" << "presetta.csv";
    QTest::newRow("extension replaced") << "presetta.exe" << "presetta.csv";
    QTest::newRow("last dot counts") << "my.prog.bin" << "my.prog.csv";
}

void tst_FrmMainStartup::autoLoadFile()
{
    QFETCH(QString, program);
    QFETCH(QString, autoFile);

    auto h = m_fx.window();
    ExeName::setProgramPathForTest(h->programDir.filePath(program));
    QVERIFY(writeBytes(h->programDir.filePath(autoFile),
                       memoryFile({"100400;REGNBOGN;0000;0;1", "1008;RADIO;;3;0"})));
    // Decoys: named after the whole program file, or another file.
    QVERIFY(writeBytes(h->programDir.filePath(program + QStringLiteral(".csv.csv")), memoryFile({"1;X;;0;0"})));
    QVERIFY(writeBytes(h->programDir.filePath(QStringLiteral("other.csv")), memoryFile({"2;Y;;0;0"})));
    QVERIFY(h->start());

    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->window->table().entry(1).frequency, 100400);
    QCOMPARE(h->window->table().entry(1).name, QStringLiteral("REGNBOGN "));
    QCOMPARE(h->window->table().entry(2).frequency, 1008);
    QCOMPARE(h->line(0), QStringLiteral(" 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO"));
    QCOMPARE(h->selectedLine(), 0);
    QCOMPARE(h->box("tFreq")->text(), QStringLiteral("100400"));
    // The not-connected layout follows the load.
    QVERIFY(h->child<QWidget>("cLoad")->isEnabled());
    QVERIFY(!h->child<QWidget>("cDL")->isEnabled());
}

void tst_FrmMainStartup::emptyAutoLoadFileIgnored()
{
    auto h = m_fx.window();
    QVERIFY(writeBytes(h->programDir.filePath(QStringLiteral("presetta.csv")), QByteArray()));
    QVERIFY(h->start());

    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
    QCOMPARE(h->window->table().entries(), QVector<MemoryEntry>(99));
    QCOMPARE(h->list()->count(), 99);
}

void tst_FrmMainStartup::foreignAutoLoadFileShowsMessage()
{
    auto h = m_fx.window();
    QVERIFY(writeBytes(h->programDir.filePath(QStringLiteral("presetta.csv")), "Name;Freq\r\nA;100400\r\n"));
    QVERIFY(h->start());

    QCOMPARE(h->dialogs.messages.size(), 1);
    QCOMPARE(h->dialogs.messages.first().text, QStringLiteral("  CSV-File is not compatible!  "));
    QCOMPARE(h->dialogs.messages.first().title, QStringLiteral(" ERROR"));
    QCOMPARE(h->window->table().entries(), QVector<MemoryEntry>(99));
    QVERIFY(h->window->isVisible());
}

void tst_FrmMainStartup::autoLoadFolderIgnored()
{
    auto h = m_fx.window();
    QVERIFY(QDir(h->programDir.path()).mkdir(QStringLiteral("presetta.csv")));
    QVERIFY(h->start());

    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->window->table().entries(), QVector<MemoryEntry>(99));
}

// ----------------------------------------------------------------- shut-down

void tst_FrmMainStartup::shutDownStoresPosition_data()
{
    QTest::addColumn<QPoint>("place");

    QTest::newRow("on screen") << QPoint(123, 45);
    QTest::newRow("origin") << QPoint(0, 0);
    QTest::newRow("right edge") << QPoint(700, 10);
}

void tst_FrmMainStartup::shutDownStoresPosition()
{
    QFETCH(QPoint, place);

    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->window->move(place);
    FrmMainHarness::settle();
    QVERIFY(h->window->close());

    // Whole numbers, so the next start reads them back as positions.
    QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Left")), QVariant(place.x()));
    QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Top")), QVariant(place.y()));
    QVERIFY(!mRegistry2::Registry(settingPath("\\COM-Port")).isValid());
    h.reset();

    auto next = m_fx.startWindow();
    QVERIFY(next);
    QCOMPARE(next->window->pos(), place);
}

void tst_FrmMainStartup::offScreenPositionSurvivesARun()
{
    // Stored, opened there, closed unmoved: the same place again, no drift.
    mRegistry2::Registry(settingPath("\\Win.Left"), 0, -2000);
    mRegistry2::Registry(settingPath("\\Win.Top"), 0, -2000);
    for (int run = 0; run < 2; ++run) {
        auto h = m_fx.startWindow();
        QVERIFY(h);
        QCOMPARE(h->window->pos(), QPoint(-2000, -2000));
        QVERIFY(h->window->close());
        QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Left")), QVariant(-2000));
        QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Top")), QVariant(-2000));
    }
}

void tst_FrmMainStartup::shutDownStoresSelectedPort()
{
    auto h = m_fx.startWindow({listedPort(QStringLiteral("ttyUSB0")), listedPort(QStringLiteral("ttyUSB1"))});
    QVERIFY(h);
    QComboBox *ports = h->combo("coCOM");
    QCOMPARE(ports->count(), 2);
    ports->setCurrentIndex(1);
    QVERIFY(h->window->close());

    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(QStringLiteral("ttyUSB1")));
}

void tst_FrmMainStartup::shutDownWithoutPortKeepsRememberedOne()
{
    mRegistry2::Registry(settingPath("\\COM-Port"), 0, QStringLiteral("ttyS9"));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    QCOMPARE(h->combo("coCOM")->count(), 0);
    QVERIFY(h->window->close());

    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(QStringLiteral("ttyS9")));
    QVERIFY(mRegistry2::Registry(settingPath("\\Win.Left")).isValid());
}

QTEST_MAIN(tst_FrmMainStartup)
#include "tst_frmmain_startup.moc"
