// SPDX-License-Identifier: GPL-3.0-or-later
// Memory files: CSV text both ways, file functions, dialog settings, backups, character set.
#include "TestFiles.h"
#include "EntryValues.h"

#include "files/Backups.h"
#include "files/CsvFile.h"
#include "files/Exists.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileDialogSettings.h"
#include "files/FileRWLite.h"
#include "files/RecentFiles.h"
#include "text/Translations.h"
#include "text/Win1252.h"

#include <QDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

using Entries = QList<MemoryEntry>;

// FM from 87500 kHz, so a frequency the download would call AM has no band here.
static const Bands::Limits kLimits{"144", "27000", "87500", "108000"};

class tst_Files : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        std::signal(SIGXFSZ, SIG_IGN); // past a size limit a write comes back short
        Translations::install(qApp, QLocale::c()); // counts in English, as the programs have them
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(writeBytes("five", "A\xfc\x80\r\n"));
        QVERIFY(writeBytes("huge", ""));
        QVERIFY(QFile::resize("huge", mFileRWLite::kMaxReadSize + 1)); // sparse
    }
    void cleanup() { Clock::setSource({}); }

    // The header, then each entry; every line ended by CR LF, one Windows-1252 byte a character.
    void save()
    {
        MemoryTable t;
        t.setEntries({entry(1, 100400, "REGNBOGN", "0000", 0, 1), entry(1, 99000, "A;B", "C;D", 0, 0), entry(0, 1008, "  Zürich€", " 1A", 4, 0),
                      MemoryEntry{0, 0, 0, 0, QString(4, QChar(0)), QString(9, QChar(0))}});
        QCOMPARE(Win1252::encode(CsvFile::text(t)), kCsvHeader + "100400;REGNBOGN;0000;0;1\r\n"
                                                                 "99000;A,B;C,D;0;0\r\n"   // ";" would split the field
                                                                 "1008;  Z\xfcrich\x80;1A;4;0\r\n"
                                                                 "0;;;0;0\r\n");          // NULs are blanks
        QCOMPARE(Win1252::encode(CsvFile::text(MemoryTable())), memoryFile({}, 99));
    }

    // A file of 4 memories is taken whole or not at all.
    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<CsvFile::LoadStatus>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Entries>("entries");
        using S = CsvFile::LoadStatus;
        const MemoryEntry none;
        const QString foreign = QStringLiteral("  CSV-File is not compatible!  ");
        QTest::newRow("header in lower case") << QByteArray("freq(khz)\r\n1\r\n") << S::NotCompatible << foreign << Entries();
        QTest::newRow("short header, bands, no last CR LF") << QByteArray("Freq(KHz)\r\n1008;RADIO\r\n80000\r\n90000")
            << S::Ok << "" << Entries{entry(0, 1008, "RADIO", "", 0, 0), entry(-1, 80000, "", "", 0, 0), entry(1, 90000, "", "", 0, 0), none};
        QTest::newRow("whole line, name cut") << kCsvHeader + "100400;REGNBOGNXYZ; 1A ;4;1\r\n" << S::Ok << "" << Entries{entry(1, 100400, "REGNBOGNX", " 1A ", 4, 1), none, none, none};
        QTest::newRow("blanks, signs, half to even") << kCsvHeader + " +100.5 ;X; ; 2.5 ; 3.5 \r\n2147483647\r\n"
            << S::Ok << "" << Entries{entry(-1, 100, "X", "", 2, 4), entry(-1, 2147483647, "", "", 0, 0), none, none};
        QTest::newRow("exponent") << kCsvHeader + "1e5\r\n" << S::Invalid << "  Line 2: frequency is not a number!  " << Entries();
        QTest::newRow("bandwidth 255.5") << kCsvHeader + "1;A;;255.5\r\n" << S::Invalid << "  Line 2: bandwidth out of range!  " << Entries();
        QTest::newRow("too many") << kCsvHeader + "1\r\n\r\n1\r\n\r\n1\r\n" << S::Invalid << "  Line 6: more entries than the 4 memories!  " << Entries();
    }
    void load()
    {
        QFETCH(QByteArray, file);
        const CsvFile::LoadResult r = CsvFile::parse(Win1252::decode(file), 4, kLimits);
        QTEST(r.status, "status");
        QTEST(r.message, "message");
        QTEST(Entries(r.entries), "entries");
    }

    // Channels pasted in: by the load rules, a header first skipped, LF or CR LF,
    // ";" or a spreadsheet's tabs; what Windows-1252 cannot hold becomes "?".
    void paste_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<CsvFile::LoadStatus>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("namesCut");
        using S = CsvFile::LoadStatus;
        QTest::newRow("cells, header skipped, LF") << "Freq(KHz)\tName(PS)\tPI-Code\tBWidth\tStereo(Auto)\n1008\tRADIO\n" << S::Ok << ""
                                                   << Entries{entry(0, 1008, "RADIO", "", 0, 0)} << 0;
        QTest::newRow("cells, a quoted one, empty ones an empty channel, CR LF") << "100400\t\"A\"\"B\"\tD3C3\t0\t1\r\n\t\t\t\t\r\n" << S::Ok << ""
            << Entries{entry(1, 100400, "A\"B", "D3C3", 0, 1), MemoryEntry()} << 0;
        QTest::newRow("CR LF, an empty line an empty channel") << "100400;A;D3C3;0;1\r\n\r\n87600;B" << S::Ok << ""
            << Entries{entry(1, 100400, "A", "D3C3", 0, 1), MemoryEntry(), entry(1, 87600, "B", "", 0, 0)} << 0;
        QTest::newRow("Unicode, one ? a character") << QStringLiteral("87600;Zü€中\U0001F4FB7\n") << S::Ok << ""
                                                    << Entries{entry(1, 87600, "Zü€??7", "", 0, 0)} << 0;
        QTest::newRow("long names cut, blanks past the end not") << "87600;ABCDEFGHIJ\n87600\tKLMNOPQRS   \n" << S::Ok << ""
            << Entries{entry(1, 87600, "ABCDEFGHI", "", 0, 0), entry(1, 87600, "KLMNOPQRS", "", 0, 0)} << 1;
        QTest::newRow("a refused line: none") << "100400;A\nabc\n" << S::Invalid << "  Line 2: frequency is not a number!  " << Entries() << 0;
        QTest::newRow("nothing") << "" << S::Ignored << "" << Entries() << 0;
    }
    void paste()
    {
        QFETCH(QString, clipboard);
        const CsvFile::LoadResult r = CsvFile::parseChannels(clipboard, kLimits);
        QTEST(r.status, "status");
        QTEST(r.message, "message");
        QTEST(Entries(r.entries), "entries");
        QTEST(r.namesCut, "namesCut");
    }

    // The channels as cells for a spreadsheet: the file's fields, escaped for HTML.
    void channelTable()
    {
        const QString text = R"( style="mso-number-format:'\@'" sdnum="1033;0;@")";
        QCOMPARE(CsvFile::channelTable({entry(1, 100400, "<R&B> ü", "0042", 0, 1)}, true),
                 R"(<html><head><meta http-equiv="content-type" content="text/html; charset=utf-8"></head><body><table>)" "\n"
                 "<tr><th>Freq(KHz)</th><th>Name(PS)</th><th>PI-Code</th><th>BWidth</th><th>Stereo(Auto)</th></tr>\n"
                 "<tr><td>100400</td><td" + text + ">&lt;R&amp;B&gt; ü</td><td" + text + ">0042</td><td>0</td><td>1</td></tr>\n"
                 "</table></body></html>\n");
    }

    void fileWrite_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sizeLimit"); // bytes the process may write, 0 for no limit
        QTest::addColumn<bool>("written");
        QTest::addColumn<QByteArray>("oldFile"); // old.csv, which held "keep"
        QTest::newRow("replaces all") << "old.csv" << " ü " << 0 << true << QByteArray(" \xfc ");
        QTest::newRow("cut short") << "old.csv" << QString(100, QLatin1Char('n')) << 16 << false << QByteArray("keep");
        QTest::newRow("device full") << "/dev/full" << "data" << 0 << false << QByteArray("keep");
    }
    void fileWrite()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(int, sizeLimit);
        QFETCH(bool, written);
        QVERIFY(writeBytes("old.csv", "keep"));
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limited{sizeLimit > 0 ? rlim_t(sizeLimit) : saved.rlim_cur, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        QString error;
        const bool ok = mFileRWLite::FileWrite(path, text, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(ok, written);
        QVERIFY2(error.isEmpty() == written, qPrintable(error));
        QTEST(readBytes("old.csv"), "oldFile");
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList({"five", "huge", "old.csv"})); // no temporary left
        QCOMPARE(mExists::FileSize(QStringLiteral("/dev/full")), -1); // still the device
    }

    // What the file functions make of a path; "huge" is one byte more than FileRead takes.
    void fileFunctions_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("size"); // -1: no regular file
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::newRow("file") << "five" << qint64(5) << "A\u00fc\u20ac\r\n" << false << "five" << "";
        QTest::newRow("too large") << "huge" << mFileRWLite::kMaxReadSize + 1 << "" << true << "huge" << "";
        QTest::newRow("folder") << "/tmp/" << qint64(-1) << "" << false << "" << "/tmp/";
        QTest::newRow("missing, both separators") << "C:\\a/b\\c.csv" << qint64(-1) << "" << false << "c.csv" << "C:\\a/b\\";
    }
    void fileFunctions()
    {
        QFETCH(QString, path);
        QString error;
        QTEST(mExists::FileSize(path), "size");
        QTEST(mFileRWLite::FileRead(path, &error), "text");
        QTEST(!error.isEmpty(), "refused");
        QTEST(mExtractFileName::ExtractFileName(path), "fileName");
        QTEST(mExtractPath::ExtractPath(path), "folder");
    }

    void fileDialog_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("initialPath");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("nameFilters");
        QTest::addColumn<int>("selectedFilter");
        QTest::addColumn<QString>("fileName");
        const int save = FileDialogSettings::Save;
        QTest::newRow("save") << save << "/home/u/Presetta_20250701-1432.csv" << "CSV-Files (*.csv)|*.csv|" << "Datei speichern ..."
                              << QStringList{"CSV-Files (*.csv)"} << 0 << "Presetta_20250701-1432";
        QTest::newRow("any case, patterns") << save << "C:\\data\\list.CSV" << "Text|*.txt;*.text|CSV-Files (*.csv)|*.csv|All|*" << "Datei speichern ..."
                                            << QStringList{"Text (*.txt *.text)", "CSV-Files (*.csv)", "All (*)"} << 1 << "list";
        QTest::newRow("open, orphan description dropped") << int(FileDialogSettings::Open) << "/d/*.csv" << "All|*|CSV|*.csv|Orphan"
                                                          << "Datei öffnen ..." << QStringList{"All (*)", "CSV (*.csv)"} << 1 << "";
    }
    void fileDialog()
    {
        QFETCH(int, mode);
        QFETCH(QString, initialPath);
        QFETCH(QString, filter);
        const FileDialogSettings s = FileDialogSettings::make(mode, initialPath, QString(), filter);
        QTEST(s.title, "title");
        QTEST(s.nameFilters, "nameFilters");
        QTEST(s.selectedFilter, "selectedFilter");
        QTEST(s.fileName, "fileName");
    }

    // Backups hold the bytes of Save, and the 100 made last stay: numbered within
    // their second across their kinds, many made in one second keep their order too.
    void backups_data()
    {
        QTest::addColumn<int>("inFirstSecond");
        QTest::addColumn<int>("inNextSecond");
        QTest::newRow("two seconds") << 60 << 110;
        QTest::newRow("one second") << 0 << 130;
    }
    void backups()
    {
        QFETCH(int, inFirstSecond);
        QFETCH(int, inNextSecond);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        const int made = inFirstSecond + inNextSecond;
        auto k = std::make_shared<int>(0); // the backup's sequence number, kept as entry 1's frequency
        Clock::setSource([k, inFirstSecond] { return QDateTime(QDate(2026, 12, 6), QTime(15, 0, *k <= inFirstSecond ? 0 : 1)); });
        MemoryTable t;
        for (*k = 1; *k <= made; ++*k) {
            t.entry(1).frequency = *k;
            QVERIFY(Backups::write(t, *k % 2 ? "download" : "upload"));
        }
        const QDir folder(data.filePath("presetta/backups")); // Backups::folder() follows XDG_DATA_HOME
        QList<int> kept;
        for (const QString &name : folder.entryList(QDir::Files)) {
            const QByteArray bytes = readBytes(folder.filePath(name));
            kept << bytes.mid(kCsvHeader.size()).split(';').first().toInt();
            if (kept.last() == made)
                QCOMPARE(bytes, Win1252::encode(CsvFile::text(t)));
        }
        std::sort(kept.begin(), kept.end());
        QList<int> last;
        for (int n = made - 99; n <= made; ++n)
            last << n;
        QCOMPARE(kept, last);
    }

    // A backup's name carries the local time; no two fields alike, so none can
    // stand in another's place, and the one-digit ones show their padding.
    void backupName()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        Clock::setSource([] { return QDateTime(QDate(2026, 9, 6), QTime(15, 47, 8)); });
        QVERIFY(Backups::write(MemoryTable(), "upload"));
        QCOMPARE(QDir(data.filePath("presetta/backups")).entryList(QDir::Files), QStringList("2026-09-06_154708_upload.csv"));
    }

    // The Load button's list: newest first, each file once, eight at most.
    void recentFiles_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QStringList>("after");
        const auto files = [this](const QString &names) {
            QStringList paths;
            for (const QString &n : names.split(' '))
                paths << m_dir.filePath(n);
            return paths;
        };
        QTest::newRow("used again") << files("a b c") << "b" << files("b a c");
        QTest::newRow("eight kept") << files("1 2 3 4 5 6 7 8") << "n" << files("n 1 2 3 4 5 6 7");
    }
    void recentFiles()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, used);
        // Named relative to the current folder, kept by the whole path.
        QTEST(RecentFiles::added(list, used), "after");
    }
    void recentFilesPresent()
    {
        const QStringList list{m_dir.filePath("five"), m_dir.filePath("gone"), m_dir.path(), m_dir.filePath("huge")};
        QCOMPARE(RecentFiles::present(list), QStringList({m_dir.filePath("five"), m_dir.filePath("huge")}));
    }

    // Every byte survives a decode and an encode; every UTF-16 unit, lone surrogates
    // too, encodes to one byte that decodes to itself, or to "?" when it has no byte.
    void win1252()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = Win1252::decode(all);
        QCOMPARE(text.mid(0x80, 32), QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"));
        QCOMPARE(text.left(0x80) + text.mid(0xA0), QString::fromLatin1(all.left(0x80) + all.mid(0xA0)));
        QCOMPARE(Win1252::encode(text), all);
        for (int unit = 0; unit <= 0xFFFF; ++unit) {
            const QString one{QChar(char16_t(unit))};
            const QString back = Win1252::decode(Win1252::encode(one));
            QVERIFY2(back == one || back == "?", qPrintable(QString::number(unit, 16)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Files)
#include "tst_files.moc"
