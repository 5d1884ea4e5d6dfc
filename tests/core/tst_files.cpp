// SPDX-License-Identifier: GPL-3.0-or-later
// Memory files: CSV text both ways, file functions, dialog settings, character set.
#include "TestFiles.h"

#include "files/Backups.h"
#include "files/CsvFile.h"
#include "files/Exists.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileDialogSettings.h"
#include "files/FileRWLite.h"
#include "text/Win1252.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

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
        QVERIFY(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
        QVERIFY(writeBytes("five", "A\xfc\x80\r\n") && writeBytes("empty", "") && writeBytes("huge", "")
                && QFile::resize("huge", mFileRWLite::kMaxReadSize + 1)); // sparse
    }

    void save()
    {
        MemoryTable t;
        t.setEntries({MemoryEntry{1, 100400, 0, 1, "0000", "REGNBOGN "}, MemoryTable::entryFromRawLine("", {}),
                      MemoryEntry{1, 99000, 0, 0, "C;D ", "A;B      "}, MemoryEntry{0, 1008, 4, 0, " 1A ", "  AB     "},
                      MemoryEntry{1, 88000, 255, 255, "D3C3", "ABCDEFGHI"}, MemoryEntry{-1, -5, 0, 0, "    ", "Zürich€  "},
                      MemoryEntry{0, 0, 0, 0, QString(4, QChar(0)), QString(9, QChar(0))}});
        QCOMPARE(Win1252::encode(CsvFile::text(t)), kCsvHeader + "100400;REGNBOGN;0000;0;1\r\n0;;0000;0;0\r\n99000;A,B;C,D;0;0\r\n"
                 "1008;  AB;1A;4;0\r\n88000;ABCDEFGHI;D3C3;255;255\r\n-5;Z\xfcrich\x80;;0;0\r\n0;;;0;0\r\n");
        QCOMPARE(Win1252::encode(CsvFile::text(MemoryTable())), memoryFile({}, 99));
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("result"); // the message, or the entries (of 4) that are not empty
        const QString foreign = QStringLiteral("  CSV-File is not compatible!  ");
        const QString noNumber = QStringLiteral("  Line 2: frequency is not a number!  ");
        QTest::newRow("LF only") << QByteArray("Freq(KHz)\n1;A\n") << "";
        QTest::newRow("bare CR") << QByteArray("Freq(KHz)\r1;A\r") << "";
        QTest::newRow("BOM") << "\xef\xbb\xbf" + kCsvHeader << foreign;
        QTest::newRow("blank first") << " " + kCsvHeader << foreign;
        QTest::newRow("lower case") << QByteArray("freq(khz)\r\n1\r\n") << foreign;
        QTest::newRow("short header, bands, no last CR LF") << QByteArray("Freq(KHz)\r\n1008;RADIO\r\n80000\r\n90000")
            << "1=0|1008|RADIO    |    |0|0 / 2=-1|80000|         |    |0|0 / 3=1|90000|         |    |0|0";
        QTest::newRow("whole line") << kCsvHeader + "100400;REGNBOGN;0000;0;1\r\n" << "1=1|100400|REGNBOGN |0000|0|1";
        QTest::newRow("blanks kept, charset") << kCsvHeader + "1;  \xfc\x80;  1A\r\n" << "1=-1|1|  ü€     |  1A|0|0";
        QTest::newRow("name cut, more fields") << kCsvHeader + "1;ABCDEFGHIJKL;B;1;1;x;y\r\n" << "1=-1|1|ABCDEFGHI|B   |1|1";
        QTest::newRow("blanks, signs, half to even") << kCsvHeader + " +100.5 ;X; ; 2.5 ; 3.5 \r\n2147483647\r\n"
                                                     << "1=-1|100|X        |    |2|4 / 2=-1|2147483647|         |    |0|0";
        QTest::newRow("NULs") << kCsvHeader + QByteArray("1;AB\0CD;\0\0\0\0\r\n", 14) << "1=-1|1|AB CD    |    |0|0";
        QTest::newRow("empty lines") << kCsvHeader + "1;A\r\n\r\n3;C\r\n\r\n\r\n\r\n" << "1=-1|1|A        |    |0|0 / 3=-1|3|C        |    |0|0";
        QTest::newRow("frequency empty") << kCsvHeader + ";X\r\n" << noNumber;
        QTest::newRow("exponent") << kCsvHeader + "1e5\r\n" << noNumber;
        QTest::newRow("frequency above") << kCsvHeader + "2147483648\r\n" << "  Line 2: frequency out of range!  ";
        QTest::newRow("frequency below") << kCsvHeader + "-2147483649\r\n" << "  Line 2: frequency out of range!  ";
        QTest::newRow("bandwidth text") << kCsvHeader + "1;A;;x;0\r\n" << "  Line 2: bandwidth is not a number!  ";
        QTest::newRow("bandwidth 255.5") << kCsvHeader + "1;A;;255.5\r\n" << "  Line 2: bandwidth out of range!  ";
        QTest::newRow("stereo 256") << kCsvHeader + "1;A;;1;256\r\n" << "  Line 2: stereo out of range!  ";
        QTest::newRow("too many") << kCsvHeader + "1\r\n\r\n1\r\n\r\n1\r\n" << "  Line 6: more entries than the 4 memories!  ";
    }
    void load()
    {
        QFETCH(QByteArray, file);
        const CsvFile::LoadResult r = CsvFile::parse(Win1252::decode(file), 4, kLimits);
        QStringList loaded;
        for (int n = 1; n <= r.entries.size(); ++n) {
            const MemoryEntry &e = r.entries[n - 1];
            if (e != MemoryEntry())
                loaded << QStringLiteral("%1=%2|%3|%4|%5|%6|%7").arg(n).arg(e.band).arg(e.frequency).arg(e.name, e.pi).arg(e.bandwidth).arg(e.stereo);
        }
        QTEST(r.message + loaded.join(" / "), "result");
        QCOMPARE(r.entries.size(), r.status == CsvFile::LoadStatus::Ok ? 4 : 0); // all or nothing
    }

    void fileWrite_data()
    {
        QTest::addColumn<QString>("path"); // "" for old.csv, which holds "keep"
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sizeLimit"); // bytes the process may write, 0 for no limit
        QTest::addColumn<QByteArray>("after"); // old.csv afterwards
        QTest::newRow("replaces all") << "" << " ü " << 0 << QByteArray(" \xfc ");
        QTest::newRow("blank text") << "" << "   " << 0 << QByteArray("keep");
        QTest::newRow("cut short") << "" << QString(100, QLatin1Char('n')) << 16 << QByteArray("keep");
        QTest::newRow("device full") << "/dev/full" << "data" << 0 << QByteArray("keep");
    }
    void fileWrite()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(int, sizeLimit);
        QFETCH(QByteArray, after);
        QVERIFY(writeBytes("old.csv", "keep"));
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limited{sizeLimit > 0 ? rlim_t(sizeLimit) : saved.rlim_cur, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        QString error;
        const bool ok = mFileRWLite::FileWrite(path.isEmpty() ? "old.csv" : path, text, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(ok, after != "keep");
        QCOMPARE(error.isEmpty(), ok);
        QCOMPARE(readBytes("old.csv"), after);
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).join(' '), "empty five huge old.csv"); // no leftovers
        QCOMPARE(mExists::FileSize(QStringLiteral("/dev/full")), -1); // still the device
    }

    // FileSize, FileRead and the name functions; "huge" is one byte more than FileRead takes.
    void fileFunctions_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("results"); // size|text read, or "error"|file name|folder
        const QString folder = m_dir.path() + QLatin1Char('/');
        QTest::newRow("file") << "five" << "5|A\u00fc\u20ac\r\n|five|";
        QTest::newRow("empty file") << "./empty" << "0||empty|./";
        QTest::newRow("too large") << "huge" << QString::number(mFileRWLite::kMaxReadSize + 1) + "|error|huge|";
        QTest::newRow("folder") << folder << "-1|||" + folder;
        QTest::newRow("NUL in path") << QString("five") + QChar(0) << QString("-1||five") + QChar(0) + "|";
        QTest::newRow("missing, mixed") << "C:\\a/b\\c.csv" << "-1||c.csv|C:\\a/b\\";
    }
    void fileFunctions()
    {
        QFETCH(QString, path);
        QString error;
        const QString text = mFileRWLite::FileRead(path, &error);
        QTEST(QStringList({QString::number(mExists::FileSize(path)), error.isEmpty() ? text : QStringLiteral("error"),
                           mExtractFileName::ExtractFileName(path), mExtractPath::ExtractPath(path)}).join('|'), "results");
    }

    void fileDialog_data()
    {
        QTest::addColumn<QStringList>("call");   // mode, initial path, title, filter
        QTest::addColumn<QString>("settings"); // title|filters|selected|folder|name|suffix
        QTest::newRow("save") << QStringList{"1", "/home/u/Presetta_20250701-1432.csv", "Save Data ...", "CSV-Files (*.csv)|*.csv|"}
                              << "Save Data ...|CSV-Files (*.csv)|0|/home/u/|Presetta_20250701-1432|csv";
        QTest::newRow("save defaults, dotted folder") << QStringList{"1", "/a.b/file", "", ""} << "Datei speichern ...||-1|/a.b/|file|";
        QTest::newRow("any case, patterns") << QStringList{"1", "C:\\data\\list.CSV", "T", "Text|*.txt;*.text|CSV-Files (*.csv)|*.csv|All|*"}
                                            << "T|Text (*.txt *.text);CSV-Files (*.csv);All (*)|1|C:\\data\\|list|CSV";
        QTest::newRow("open, pairs counted, orphan") << QStringList{"0", "/d/*.csv", "", "All|*|CSV|*.csv|Orphan"}
                                                     << "Datei öffnen ...|All (*);CSV (*.csv)|1|/d/||csv";
    }
    void fileDialog()
    {
        QFETCH(QStringList, call);
        const FileDialogSettings s = FileDialogSettings::make(call[0].toInt(), call[1], call[2], call[3]);
        QTEST(QStringList({s.title, s.nameFilters.join(';'), QString::number(s.selectedFilter), s.directory,
                           s.fileName, s.defaultSuffix}).join('|'), "settings");
    }

    // Backups have the bytes Save writes, a name of their own each, and only
    // the newest 100 stay.
    void backups()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        auto second = std::make_shared<int>(0);
        Clock::setSource([second] { return QDateTime(QDate(2026, 12, 6), QTime(15, 0)).addSecs(*second / 2); });
        MemoryTable t;
        for (; *second < 102; ++*second) // two a second: the second gets a number
            QVERIFY(Backups::write(t, "download"));
        const QDir folder(Backups::folder());
        QCOMPARE(folder.path(), data.filePath("presetta/backups"));
        const QStringList names = folder.entryList(QDir::Files, QDir::Name);
        QCOMPARE(names.size(), 100);
        QCOMPARE(names.first(), "2026-12-06_150001_download-2.csv");
        QCOMPARE(names.last(), "2026-12-06_150050_download.csv");
        QCOMPARE(readBytes(folder.filePath(names.last())), Win1252::encode(CsvFile::text(t)));
        Clock::setSource({});
    }

    void win1252()
    {
        static const char16_t high[32] = {0x20AC, 0x81, 0x201A, 0x192, 0x201E, 0x2026, 0x2020, 0x2021, 0x2C6, 0x2030, 0x160,
                                          0x2039, 0x152, 0x8D, 0x17D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                          0x2013, 0x2014, 0x2DC, 0x2122, 0x161, 0x203A, 0x153, 0x9D, 0x17E, 0x178};
        QByteArray all;
        QString expected;
        for (int b = 0; b < 256; ++b) {
            all += char(b);
            expected += b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b);
        }
        QCOMPARE(Win1252::decode(all), expected);
        QCOMPARE(Win1252::encode(expected), all);
        QCOMPARE(Win1252::encode(QStringLiteral("a\u0100b\u4e2d")), QByteArray("a?b?"));
    }
};

QTEST_GUILESS_MAIN(tst_Files)
#include "tst_files.moc"
