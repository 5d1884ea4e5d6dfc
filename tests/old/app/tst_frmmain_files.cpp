// Saving and loading memory files through the window: what the dialogs are
// asked, the bytes written, and what good, foreign and broken files do to the
// table and the list.

#include "tst_frmmain_files_common.h"

class tst_FrmMainFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveDialogSettings_data();
    void saveDialogSettings();
    void saveCancelledBeeps();
    void saveFreshTable();
    void saveEditedEntries();
    void saveReplacesALargerFile();
    void saveRemembersFolderForNextStart();

    void roundTrip_data();
    void roundTrip();
    void highBytesRoundTrip();

    void loadDialogSettings();
    void loadCancelledBeeps();
    void loadReplacesTableAndSelectsLineOne();
    void loadRefused_data();
    void loadRefused();
    void loadIgnored_data();
    void loadIgnored();
    void loadTooLargeFile();
    void loadUnreadableFile();

private:
    FilesFixture m_fx;
};

void tst_FrmMainFiles::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_FrmMainFiles::init()
{
    QVERIFY(m_fx.setUp());
}

void tst_FrmMainFiles::cleanup()
{
    m_fx.tearDown();
}

// ---------------------------------------------------------------------- save

void tst_FrmMainFiles::saveDialogSettings_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("name");

    QTest::newRow("afternoon") << QDateTime(QDate(2025, 7, 1), QTime(14, 32, 59))
                               << "Presetta_20250701-1432.csv";
    QTest::newRow("morning, leading zeros") << QDateTime(QDate(2026, 1, 2), QTime(9, 7, 0))
                                            << "Presetta_20260102-0907.csv";
    QTest::newRow("after midnight") << QDateTime(QDate(2025, 12, 31), QTime(0, 5, 1))
                                    << "Presetta_20251231-0005.csv";
    QTest::newRow("last minute") << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59))
                                 << "Presetta_20251231-2359.csv";
}

void tst_FrmMainFiles::saveDialogSettings()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, name);
    Clock::setSource([now] { return now; });

    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->click("cSave");

    QCOMPARE(h->dialogs.fileRequests.size(), 1);
    const RecordingDialogs::FileRequest r = h->dialogs.fileRequests.first();
    QCOMPARE(r.mode, 1);
    QCOMPARE(r.initialPath, h->programDir.path() + QLatin1Char('/') + name);
    QCOMPARE(r.title, QStringLiteral("Save Data ..."));
    QCOMPARE(r.filter, kCsvFilter);
}

void tst_FrmMainFiles::saveCancelledBeeps()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->click("cSave");

    QCOMPARE(h->dialogs.beeps, 1);
    QVERIFY(h->dialogs.messages.isEmpty());
    QVERIFY(QDir(h->programDir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(!mRegistry2::Registry(lastDirSetting()).isValid());
}

void tst_FrmMainFiles::saveFreshTable()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    const QString path = m_fx.file("fresh.csv");
    saveAs(*h, path);

    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes, memoryFile({}));
    QCOMPARE(bytes.count("\r\n"), 100);
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainFiles::saveEditedEntries()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->storeStation(0, QStringLiteral("100400"), QStringLiteral("REGNBOGN"), QStringLiteral("0000"), 0, 1);
    h->storeStation(1, QStringLiteral("98700"), QStringLiteral("RADIO;ONE"), QStringLiteral("d3c1"), 2, 0);
    h->storeStation(2, QStringLiteral("1008"), QStringLiteral("  MW"), QString(), 2);
    h->storeStation(98, QStringLiteral("87500"), QStringLiteral("LAST"), QString(), 0, 1);

    const QString path = m_fx.file("edited.csv");
    saveAs(*h, path);
    QList<QByteArray> lines{"100400;REGNBOGN;0000;0;1", "98700;RADIO,ONE;D3C1;2;0", "1008;  MW;;3;0"};
    while (lines.size() < 98)
        lines << "0;;;0;0";
    lines << "87500;LAST;0000;0;1";
    const QByteArray expected = memoryFile(lines);
    QCOMPARE(readBytes(path), expected);

    // A ";" cannot come back: it would split the line.
    auto again = m_fx.startWindow();
    QVERIFY(again);
    loadFrom(*again, path);
    QCOMPARE(again->window->table().entry(2).name, QStringLiteral("RADIO,ONE"));
    QCOMPARE(again->window->table().entry(3).name, QStringLiteral("  MW     "));
    QCOMPARE(again->window->table().entry(1), h->window->table().entry(1));
    QCOMPARE(again->window->table().entry(99), h->window->table().entry(99));
    QVERIFY(again->dialogs.messages.isEmpty());
}

void tst_FrmMainFiles::saveReplacesALargerFile()
{
    const QString path = m_fx.file("old.csv");
    QVERIFY(writeBytes(path, QByteArray(20000, 'x')));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    saveAs(*h, path);

    QCOMPARE(readBytes(path), memoryFile({}));
    QVERIFY(h->dialogs.messages.isEmpty());
}

void tst_FrmMainFiles::saveRemembersFolderForNextStart()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    const QString programDir = h->programDir.path() + QLatin1Char('/');

    QVERIFY(QDir().mkpath(m_fx.file("elsewhere")));
    saveAs(*h, m_fx.file("elsewhere/list.csv"));
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(mRegistry2::Registry(lastDirSetting()), QVariant(m_fx.file("elsewhere") + QLatin1Char('/')));

    // During this run the dialogs still start where they started.
    QCOMPARE(h->window->lastDir(), programDir);
    h->click("cSave");
    QVERIFY(h->dialogs.fileRequests.last().initialPath.startsWith(programDir + QStringLiteral("Presetta_")));
    h->click("cLoad");
    QCOMPARE(h->dialogs.fileRequests.last().initialPath, programDir + QStringLiteral("*.csv"));
    h.reset();

    // The next start takes the saved folder.
    auto next = m_fx.startWindow();
    QVERIFY(next);
    QCOMPARE(next->window->lastDir(), m_fx.file("elsewhere") + QLatin1Char('/'));
    next->click("cLoad");
    QCOMPARE(next->dialogs.fileRequests.last().initialPath,
             m_fx.file("elsewhere") + QStringLiteral("/*.csv"));
}

// ---------------------------------------------------------------- round trip

void tst_FrmMainFiles::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("saved");

    const QByteArray full = memoryFile({"100400;REGNBOGN;0000;0;1", "1008;RADIO;;3;0", "-5;NEG;;0;0",
                                        "30000;SW;;0;0", "87500;NINECHARS;ABCD;255;255"});
    QTest::newRow("as saved") << full << full;
    QTest::newRow("twelve-character name keeps nine")
        << memoryFile({"100400;TWELVECHARSX;0000;0;1"}) << memoryFile({"100400;TWELVECHA;0000;0;1"});
    QTest::newRow("leading blanks kept") << memoryFile({"100400;   LEAD;0000;0;1"})
                                         << memoryFile({"100400;   LEAD;0000;0;1"});
    QTest::newRow("trailing blanks dropped") << memoryFile({"100400;TRAIL   ;0000;0;1"})
                                             << memoryFile({"100400;TRAIL;0000;0;1"});
    QTest::newRow("blanks after PI dropped") << memoryFile({"100400;X;12  ;0;1"})
                                             << memoryFile({"100400;X;12;0;1"});
    QTest::newRow("header word alone") << QByteArray("Freq(KHz)\r\n100400;A;0000;0;1\r\n")
                                       << memoryFile({"100400;A;0000;0;1"});
    QTest::newRow("fewer lines, no final line end")
        << QByteArray(kHeader + "100400;A;0000;0;1\r\n98700;B;0000;0;1")
        << memoryFile({"100400;A;0000;0;1", "98700;B;0000;0;1"});
    QTest::newRow("empty line keeps its place")
        << QByteArray(kHeader + "100400;A;0000;0;1\r\n\r\n98700;C;0000;0;1\r\n")
        << memoryFile({"100400;A;0000;0;1", "0;;;0;0", "98700;C;0000;0;1"});
    QTest::newRow("frequency alone") << QByteArray(kHeader + "1008\r\n") << memoryFile({"1008;;;0;0"});
    QTest::newRow("fields after the fifth ignored")
        << QByteArray(kHeader + "100400;A;0000;0;1;extra;more\r\n") << memoryFile({"100400;A;0000;0;1"});
}

void tst_FrmMainFiles::roundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);

    const QString in = m_fx.file("in.csv");
    QVERIFY(writeBytes(in, file));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    loadFrom(*h, in);
    QVERIFY(h->dialogs.messages.isEmpty());

    const QString out = m_fx.file("out.csv");
    saveAs(*h, out);
    QCOMPARE(readBytes(out), saved);

    // What was saved loads back to the same table and list.
    auto again = m_fx.startWindow();
    QVERIFY(again);
    loadFrom(*again, out);
    QVERIFY(again->dialogs.messages.isEmpty());
    QCOMPARE(again->window->table().entries(), h->window->table().entries());
    QCOMPARE(again->lines(), h->lines());
}

void tst_FrmMainFiles::highBytesRoundTrip()
{
    // Every byte from 0x80 up, in names and PI codes, the five bytes the code
    // page leaves undefined included.
    QList<QByteArray> lines;
    for (int b = 0x80; b <= 0xff; b += 9) {
        QByteArray name;
        for (int i = b; i < b + 9 && i <= 0xff; ++i)
            name += char(i);
        QByteArray pi;
        for (int i = 0; i < 4; ++i)
            pi += char(0xff - ((b - 0x80) / 9 * 4 + i) % 0x80);
        lines << "100400;" + name + ";" + pi + ";0;1";
    }
    const QByteArray file = memoryFile(lines);
    const QString in = m_fx.file("high.csv");
    QVERIFY(writeBytes(in, file));

    auto h = m_fx.startWindow();
    QVERIFY(h);
    loadFrom(*h, in);
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->window->table().entry(1).name.at(0), QChar(0x20ac)); // 0x80 is the euro sign
    QCOMPARE(h->window->table().entry(1).name.at(1), QChar(0x81));
    const int nbsp = 0xa0 - 0x80; // the no-break space is no blank
    QCOMPARE(h->window->table().entry(nbsp / 9 + 1).name.at(nbsp % 9), QChar(0xa0));

    const QString out = m_fx.file("high-out.csv");
    saveAs(*h, out);
    QCOMPARE(readBytes(out), file);
}

// ---------------------------------------------------------------------- load

void tst_FrmMainFiles::loadDialogSettings()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->click("cLoad");

    QCOMPARE(h->dialogs.fileRequests.size(), 1);
    const RecordingDialogs::FileRequest r = h->dialogs.fileRequests.first();
    QCOMPARE(r.mode, 0);
    QCOMPARE(r.initialPath, h->programDir.path() + QStringLiteral("/*.csv"));
    QCOMPARE(r.title, QStringLiteral("Open Data ..."));
    QCOMPARE(r.filter, kCsvFilter);
}

void tst_FrmMainFiles::loadCancelledBeeps()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->storeStation(0, QStringLiteral("100400"), QStringLiteral("KEEP"), QStringLiteral("0000"), 0, 1);
    const QVector<MemoryEntry> before = h->window->table().entries();
    const QStringList lines = h->lines();
    h->click("cLoad");

    QCOMPARE(h->dialogs.beeps, 1);
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->window->table().entries(), before);
    QCOMPARE(h->lines(), lines);
}

void tst_FrmMainFiles::loadReplacesTableAndSelectsLineOne()
{
    const QString path = m_fx.file("list.csv");
    QVERIFY(writeBytes(path, memoryFile({"100400;REGNBOGN;0000;0;1", "1008;RADIO;;3;0"})));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->storeStation(5, QStringLiteral("98700"), QStringLiteral("GONE"), QStringLiteral("1234"), 0, 1);
    h->clickLine(7);

    loadFrom(*h, path);
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
    QCOMPARE(h->selectedLine(), 0);
    QCOMPARE(h->line(0), QStringLiteral(" 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO"));
    QCOMPARE(h->line(1).left(20), QStringLiteral(" 02 | AM |   1.008 |"));
    QCOMPARE(h->list()->count(), 99);

    const MemoryTable &t = h->window->table();
    QCOMPARE(t.size(), 99);
    QCOMPARE(int(t.entry(2).band), 0);
    QCOMPARE(t.entry(2).name, QStringLiteral("RADIO    "));
    QCOMPARE(int(t.entry(2).bandwidth), 3);
    QCOMPARE(t.entry(6).frequency, 0); // the edited entry is gone
    QCOMPARE(int(t.entry(6).band), -1);

    // The editor follows line 1.
    QCOMPARE(h->box("tFreq")->text(), QStringLiteral("100400"));
    QCOMPARE(h->box("tName")->text(), QStringLiteral("REGNBOGN"));
    // Loading does not touch the remembered folder.
    QVERIFY(!mRegistry2::Registry(lastDirSetting()).isValid());
}

void tst_FrmMainFiles::loadRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message"); // whole text, or its start up to the line number

    const QString foreign = QStringLiteral("  CSV-File is not compatible!  ");
    const QByteArray body = "100400;A;0000;0;1\r\n";
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf" + kHeader + body) << foreign;
    QTest::newRow("blank before header") << QByteArray(" " + kHeader + body) << foreign;
    QTest::newRow("header in other case") << QByteArray("FREQ(KHZ);Name\r\n" + body) << foreign;
    QTest::newRow("other header") << QByteArray("Name;Freq(KHz)\r\n" + body) << foreign;
    QTest::newRow("data without header") << QByteArray(body + body) << foreign;
    QTest::newRow("frequency not a number")
        << QByteArray(kHeader + body + "abc;B;0000;0;1\r\n") << QStringLiteral("  Line 3:");
    QTest::newRow("bandwidth out of range")
        << QByteArray(kHeader + body + body + body + "100400;D;0000;256;1\r\n") << QStringLiteral("  Line 5:");
    QTest::newRow("stereo not a number")
        << QByteArray(kHeader + "100400;A;0000;0;x\r\n") << QStringLiteral("  Line 2:");
    QTest::newRow("more lines than memories") << QByteArray(memoryFile({}) + body) << QStringLiteral("  Line 101:");
}

void tst_FrmMainFiles::loadRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);

    const QString good = m_fx.file("good.csv");
    QVERIFY(writeBytes(good, memoryFile({"100400;REGNBOGN;0000;0;1", "98700;OTHER;1234;2;0"})));
    const QString bad = m_fx.file("bad.csv");
    QVERIFY(writeBytes(bad, file));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    loadFrom(*h, good);
    h->clickLine(1);
    const QVector<MemoryEntry> before = h->window->table().entries();
    const QStringList lines = h->lines();

    loadFrom(*h, bad);
    QCOMPARE(h->dialogs.messages.size(), 1);
    const RecordingDialogs::Message m = h->dialogs.messages.first();
    QCOMPARE(m.title, QStringLiteral(" ERROR"));
    if (message.startsWith(QStringLiteral("  Line"))) {
        QVERIFY2(m.text.startsWith(message), qPrintable(m.text));
        QVERIFY2(m.text.endsWith(QStringLiteral("!  ")), qPrintable(m.text));
    } else {
        QCOMPARE(m.text, message);
    }
    QCOMPARE(h->dialogs.beeps, 0);
    QCOMPARE(h->window->table().entries(), before);
    QCOMPARE(h->lines(), lines);
    QCOMPARE(h->selectedLine(), 1);
}

void tst_FrmMainFiles::loadIgnored_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("empty file") << true << QByteArray();
    QTest::newRow("LF line ends") << true << QByteArray("Freq(KHz);Name(PS)\n100400;A;0000;0;1\n");
    QTest::newRow("CR line ends") << true << QByteArray("Freq(KHz);Name(PS)\r100400;A;0000;0;1\r");
    QTest::newRow("foreign text without line end") << true << QByteArray("not a memory file");
    QTest::newRow("missing file") << false << QByteArray();
}

void tst_FrmMainFiles::loadIgnored()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, file);

    const QString good = m_fx.file("good.csv");
    QVERIFY(writeBytes(good, memoryFile({"100400;REGNBOGN;0000;0;1", "98700;OTHER;1234;2;0"})));
    const QString path = m_fx.file("ignored.csv");
    if (exists)
        QVERIFY(writeBytes(path, file));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    loadFrom(*h, good);
    h->clickLine(4);
    const QVector<MemoryEntry> before = h->window->table().entries();
    const QStringList lines = h->lines();

    loadFrom(*h, path);
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
    QCOMPARE(h->window->table().entries(), before);
    QCOMPARE(h->lines(), lines);
    QCOMPARE(h->selectedLine(), 0); // redrawn: line 1 selected at the end
}

void tst_FrmMainFiles::loadTooLargeFile()
{
    // Sparse, so it costs no disk space; a memory file is a few kilobytes.
    const QString path = m_fx.file("huge.csv");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write(kHeader) == kHeader.size());
        QVERIFY(f.resize(65LL * 1024 * 1024));
    }
    auto h = m_fx.startWindow();
    QVERIFY(h);
    h->storeStation(0, QStringLiteral("100400"), QStringLiteral("KEEP"), QStringLiteral("0000"), 0, 1);
    const QVector<MemoryEntry> before = h->window->table().entries();

    loadFrom(*h, path);
    QCOMPARE(h->dialogs.messages.size(), 1);
    QCOMPARE(h->dialogs.messages.first().title, QStringLiteral(" ERROR"));
    QVERIFY2(h->dialogs.messages.first().text.startsWith(QStringLiteral("  Could not read \"huge.csv\": ")),
             qPrintable(h->dialogs.messages.first().text));
    QCOMPARE(h->window->table().entries(), before);
}

void tst_FrmMainFiles::loadUnreadableFile()
{
    if (::geteuid() == 0)
        QSKIP("root reads every file");
    const QString path = m_fx.file("locked.csv");
    QVERIFY(writeBytes(path, memoryFile({"100400;A;0000;0;1"})));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    auto h = m_fx.startWindow();
    QVERIFY(h);

    loadFrom(*h, path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(h->dialogs.messages.size(), 1);
    QVERIFY(h->dialogs.messages.first().text.startsWith(QStringLiteral("  Could not read \"locked.csv\": ")));
    QCOMPARE(h->window->table().entry(1).frequency, 0);
}

QTEST_MAIN(tst_FrmMainFiles)
#include "tst_frmmain_files.moc"
