#include "files/CsvFile.h"
#include "memlist/MemoryTable.h"

#include <QRandomGenerator>
#include <QtTest>

char *toString(const MemoryEntry &e)
{
    return QTest::toString(QStringLiteral("band %1 freq %2 name '%3' pi '%4' bw %5 st %6")
                               .arg(e.band).arg(e.frequency).arg(e.name, e.pi)
                               .arg(e.bandwidth).arg(e.stereo));
}

namespace {
const QByteArray kHead = "Freq(KHz);Name(PS);PI-Code;BWidth;Stereo(Auto)\r\n";

// Bytes of a literal, embedded NULs included.
template <size_t N>
QByteArray raw(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

MemoryEntry entry(qint16 band, qint32 freq, const QString &name, const QString &pi, quint8 bw,
                  quint8 st)
{
    MemoryEntry e;
    e.band = band;
    e.frequency = freq;
    e.setName(name);
    e.setPi(pi);
    e.bandwidth = bw;
    e.stereo = st;
    return e;
}
} // namespace

class TestCsvFile : public QObject
{
    Q_OBJECT

private slots:
    void entryLine_data()
    {
        QTest::addColumn<MemoryEntry>("entry");
        QTest::addColumn<QString>("line");
        QTest::newRow("fm") << entry(1, 100400, "REGNBOGN", "0000", 0, 1) << "100400;REGNBOGN;0000;0;1";
        QTest::newRow("never stored") << MemoryEntry() << "0;;;0;0";
        QTest::newRow("downloaded empty")
            << MemoryTable::entryFromRawLine(QString(), Bands::Limits()) << "0;;0000;0;0";
        QTest::newRow("semicolon in name") << entry(1, 99000, "A;B", "", 0, 0) << "99000;A,B;;0;0";
        QTest::newRow("semicolon in PI") << entry(1, 99000, "", "A;B", 0, 0) << "99000;;A,B;0;0";
        QTest::newRow("leading blanks") << entry(0, 1008, "  AB", "  1A", 4, 0) << "1008;  AB;1A;4;0";
        QTest::newRow("nine chars") << entry(1, 88000, "ABCDEFGHI", "D3C3", 255, 255)
                                    << "88000;ABCDEFGHI;D3C3;255;255";
        QTest::newRow("negative") << entry(-1, -5, "X", "", 0, 0) << "-5;X;;0;0";
        MemoryEntry nul;
        nul.name = QString(9, QChar(0));
        nul.pi = QString(4, QChar(0));
        QTest::newRow("NULs never written") << nul << "0;;;0;0";
    }
    void entryLine()
    {
        QFETCH(MemoryEntry, entry);
        QFETCH(QString, line);
        QCOMPARE(CsvFile::entryLine(entry), line);
    }

    void encodeEmptyTable()
    {
        MemoryTable t;
        t.clear();
        const QByteArray bytes = CsvFile::encode(t);
        QCOMPARE(bytes, kHead + QByteArray("0;;;0;0\r\n").repeated(99));
        QCOMPARE(bytes.count("\r\n"), 100);
    }

    void encodeFollowsTableSizeAndCharset()
    {
        MemoryTable t;
        t.setMemoryCount(2);
        t.clear();
        t.entry(2) = entry(1, 90000, QStringLiteral("Zürich€"), "", 0, 0);
        QCOMPARE(CsvFile::encode(t), kHead + "0;;;0;0\r\n90000;Z\xfcrich\x80;;0;0\r\n");
    }

    void loadAccepted_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("n");
        QTest::addColumn<MemoryEntry>("expected");
        const MemoryEntry none;
        QTest::newRow("short header") << QByteArray("Freq(KHz)\r\n100400;REGNBOGN;0000;0;1\r\n") << 1
                                      << entry(1, 100400, "REGNBOGN", "0000", 0, 1);
        QTest::newRow("AM short line") << kHead + "1008;RADIO\r\n" << 1 << entry(0, 1008, "RADIO", "", 0, 0);
        QTest::newRow("between bands") << kHead + "30000;SW\r\n" << 1 << entry(-1, 30000, "SW", "", 0, 0);
        QTest::newRow("AM bounds") << kHead + "144\r\n27000\r\n" << 2 << entry(0, 27000, "", "", 0, 0);
        QTest::newRow("FM lower") << kHead + "65000" << 1 << entry(1, 65000, "", "", 0, 0);
        QTest::newRow("below AM") << kHead + "143\r\n" << 1 << entry(-1, 143, "", "", 0, 0);
        QTest::newRow("int max") << kHead + "2147483647\r\n" << 1 << entry(-1, 2147483647, "", "", 0, 0);
        QTest::newRow("name cut") << kHead + "1;ABCDEFGHIJKL\r\n" << 1 << entry(-1, 1, "ABCDEFGHI", "", 0, 0);
        QTest::newRow("leading blanks kept") << kHead + "1;  AB;  1A\r\n" << 1
                                             << entry(-1, 1, "  AB", "  1A", 0, 0);
        QTest::newRow("blanks and signs") << kHead + " +100 ;X; ; 3 ; -0 \r\n" << 1
                                          << entry(-1, 100, "X", "", 3, 0);
        QTest::newRow("half to even") << kHead + "100.5;;;2.5;3.5\r\n" << 1 << entry(-1, 100, "", "", 2, 4);
        QTest::newRow("NULs become blanks")
            << kHead + raw("1;AB\0CD;\0\0\0\0;0;0\r\n") << 1 << entry(-1, 1, "AB CD", "", 0, 0);
        QTest::newRow("extra fields ignored") << kHead + "1;A;B;1;1;x;y\r\n" << 1 << entry(-1, 1, "A", "B", 1, 1);
        QTest::newRow("empty line keeps place") << kHead + "1;A\r\n\r\n3;C\r\n" << 3 << entry(-1, 3, "C", "", 0, 0);
        QTest::newRow("empty line is empty") << kHead + "1;A\r\n\r\n3;C\r\n" << 2 << none;
        QTest::newRow("rest stays empty") << kHead + "1;A\r\n" << 99 << none;
        QTest::newRow("charset") << kHead + "1;\xfc\x80\r\n" << 1 << entry(-1, 1, QStringLiteral("ü€"), "", 0, 0);
        QTest::newRow("empty lines past count")
            << kHead + QByteArray("1\r\n").repeated(99) + "\r\n\r\n" << 99 << entry(-1, 1, "", "", 0, 0);
    }
    void loadAccepted()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, n);
        QFETCH(MemoryEntry, expected);
        const CsvFile::LoadResult r = CsvFile::decode(file, 99, Bands::Limits());
        QCOMPARE(r.status, CsvFile::LoadStatus::Ok);
        QCOMPARE(r.entries.size(), 99);
        QCOMPARE(r.entries[n - 1], expected);
    }

    void bandFollowsLimits()
    {
        Bands::Limits l;
        l.fMin = QStringLiteral("87500");
        const auto r = CsvFile::decode(kHead + "80000\r\n90000\r\n", 99, l);
        QCOMPARE(r.entries[0].band, Bands::kNone);
        QCOMPARE(r.entries[1].band, Bands::kFM);
    }

    void ignoredWithoutCrLf_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("LF only") << QByteArray("Freq(KHz)\n1;A\n");
        QTest::newRow("bare CR") << QByteArray("Freq(KHz)\r1;A\r");
    }
    void ignoredWithoutCrLf()
    {
        QFETCH(QByteArray, file);
        const auto r = CsvFile::decode(file, 99, Bands::Limits());
        QCOMPARE(r.status, CsvFile::LoadStatus::Ignored);
        QVERIFY(r.entries.isEmpty());
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        const QString nc = QStringLiteral("  CSV-File is not compatible!  ");
        QTest::newRow("BOM") << "\xef\xbb\xbf" + kHead << 99 << nc;
        QTest::newRow("blank before header") << " " + kHead << 99 << nc;
        QTest::newRow("lower case") << QByteArray("freq(khz)\r\n") << 99 << nc;
        QTest::newRow("freq text") << kHead + "abc;X\r\n" << 99 << "  Line 2: frequency is not a number!  ";
        QTest::newRow("freq empty") << kHead + ";X\r\n" << 99 << "  Line 2: frequency is not a number!  ";
        QTest::newRow("blank line") << kHead + "   \r\n" << 99 << "  Line 2: frequency is not a number!  ";
        QTest::newRow("exponent") << kHead + "1e5\r\n" << 99 << "  Line 2: frequency is not a number!  ";
        QTest::newRow("comma") << kHead + "1,5\r\n" << 99 << "  Line 2: frequency is not a number!  ";
        QTest::newRow("NUL in number") << kHead + raw("1\0;A\r\n") << 99
                                       << "  Line 2: frequency is not a number!  ";
        QTest::newRow("freq too big") << kHead + "2147483648\r\n" << 99 << "  Line 2: frequency out of range!  ";
        QTest::newRow("freq too small") << kHead + "-2147483649\r\n" << 99 << "  Line 2: frequency out of range!  ";
        QTest::newRow("freq huge") << kHead + QByteArray(400, '9') << 99 << "  Line 2: frequency out of range!  ";
        QTest::newRow("line 7") << kHead + QByteArray("1;A;;0;0\r\n").repeated(5) + "1;A;;x;0\r\n" << 99
                                << "  Line 7: bandwidth is not a number!  ";
        QTest::newRow("bw empty") << kHead + "1;A;;;1\r\n" << 99 << "  Line 2: bandwidth is not a number!  ";
        QTest::newRow("bw 256") << kHead + "1;A;;256\r\n" << 99 << "  Line 2: bandwidth out of range!  ";
        QTest::newRow("bw 255.5") << kHead + "1;A;;255.5\r\n" << 99 << "  Line 2: bandwidth out of range!  ";
        QTest::newRow("bw negative") << kHead + "1;A;;-1\r\n" << 99 << "  Line 2: bandwidth out of range!  ";
        QTest::newRow("stereo text") << kHead + "1;A;;1;on\r\n" << 99 << "  Line 2: stereo is not a number!  ";
        QTest::newRow("stereo 300") << kHead + "1;A;;1;300\r\n" << 99 << "  Line 2: stereo out of range!  ";
        QTest::newRow("too many") << kHead + QByteArray("1\r\n").repeated(4) << 3
                                  << "  Line 5: more entries than the 3 memories!  ";
        QTest::newRow("count 0") << kHead + "1\r\n" << 0 << "  Line 2: more entries than the 0 memories!  ";
    }
    void refused()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QString, message);
        const auto r = CsvFile::decode(file, static_cast<qint16>(count), Bands::Limits());
        QVERIFY(r.status == CsvFile::LoadStatus::Invalid || r.status == CsvFile::LoadStatus::NotCompatible);
        QCOMPARE(r.message, message);
        QVERIFY(r.entries.isEmpty());
    }

    void binaryGarbage()
    {
        QRandomGenerator rng(1234);
        QByteArray junk(4096, Qt::Uninitialized);
        for (char &c : junk)
            c = static_cast<char>(rng.bounded(256));
        junk.replace("\r\n", "xx");
        const QByteArray withBreaks = junk.left(2000) + "\r\n" + junk.mid(2000);
        QCOMPARE(CsvFile::decode(junk, 99, {}).status, CsvFile::LoadStatus::Ignored);
        QCOMPARE(CsvFile::decode(withBreaks, 99, {}).status, CsvFile::LoadStatus::NotCompatible);
        const auto r = CsvFile::decode(kHead + "1;A\r\n" + withBreaks, 99, {});
        QCOMPARE(r.status, CsvFile::LoadStatus::Invalid);
        QVERIFY(r.message.startsWith(QStringLiteral("  Line 3: ")));
        QVERIFY(r.entries.isEmpty());
    }

    void largeFiles()
    {
        const int fiveMb = 5 * 1024 * 1024;
        auto r = CsvFile::decode(kHead + QByteArray("\r\n").repeated(fiveMb / 2), 99, {});
        QCOMPARE(r.status, CsvFile::LoadStatus::Ok);
        r = CsvFile::decode(kHead + "100;" + QByteArray(fiveMb, 'N') + "\r\n", 99, {});
        QCOMPARE(r.status, CsvFile::LoadStatus::Ok);
        QCOMPARE(r.entries[0].name, QStringLiteral("NNNNNNNNN"));
        r = CsvFile::decode(kHead + QByteArray("1;A\r\n").repeated(fiveMb / 5), 99, {});
        QCOMPARE(r.message, QStringLiteral("  Line 101: more entries than the 99 memories!  "));
    }

    void roundTrip()
    {
        MemoryTable t;
        t.setMemoryCount(6);
        t.clear();
        t.entry(1) = entry(1, 100400, "ABCDEFGHI", "D3C3", 5, 1);
        t.entry(2) = entry(0, 1008, "  LEAD", "1A", 2, 0);
        t.entry(4) = entry(-1, 30000, "A;B", "", 255, 7);
        t.entry(6) = entry(1, 87600, QStringLiteral("Ökö €"), "0000", 0, 0);
        const auto r = CsvFile::decode(CsvFile::encode(t), 6, t.limits());
        QCOMPARE(r.status, CsvFile::LoadStatus::Ok);
        t.entry(4).setName(QStringLiteral("A,B"));
        QCOMPARE(r.entries, t.entries());
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csvfile.moc"
