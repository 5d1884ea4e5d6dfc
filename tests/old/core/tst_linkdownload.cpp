#include "link/DownloadReply.h"
#include "memlist/MemoryTable.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
// A table after a reply, entries rebuilt when the reply carried a list.
struct Outcome {
    MemoryTable table;
    DownloadReply::Values values;
    bool list = false;
};

Outcome run(const QString &reply, MemoryTable table = MemoryTable())
{
    Outcome o{table, {}, false};
    o.list = DownloadReply::apply(reply, o.table, o.values);
    if (o.list)
        o.table.buildFromRawLines();
    return o;
}
} // namespace

class TestLinkDownload : public QObject
{
    Q_OBJECT

private slots:
    void fiveLineExample()
    {
        const Outcome o = run("m:3\nf:65000,108000\na:144,27000\n1,100400,0,0,D3C3,REGNBOGN\n3,144,5,1,0000,\n");
        QVERIFY(o.list);
        QCOMPARE(o.table.size(), 3);
        QCOMPARE(o.table.entry(1).band, Bands::kFM);
        QCOMPARE(o.table.entry(1).frequency, 100400);
        QCOMPARE(o.table.entry(1).name, QStringLiteral("REGNBOGN "));
        QCOMPARE(o.table.entry(1).pi, QStringLiteral("D3C3"));
        QVERIFY(o.table.entry(2).isEmpty());
        QCOMPARE(o.table.entry(2).pi, QStringLiteral("0000"));
        QCOMPARE(o.table.entry(3).band, Bands::kAM);
        QCOMPARE(o.table.entry(3).bandwidth, quint8(5));
        QCOMPARE(o.table.entry(3).name, QString(9, QLatin1Char(' ')));
    }

    void memoryLines_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("bandwidth");
        QTest::addColumn<int>("stereo");
        QTest::addColumn<QString>("pi");
        QTest::addColumn<QString>("name");
        QTest::newRow("two fields") << "m:2\n1,100400" << 1 << 1 << 100400 << 0 << 0 << "0000" << "         ";
        QTest::newRow("CR LF") << "m:2\r\n1,100400,3,1,1A2B,RADIO\r\n" << 1 << 1 << 100400 << 3 << 1 << "1A2B"
                               << "RADIO    ";
        QTest::newRow("12 not 1") << "m:20\n12,90000\n" << 12 << 1 << 90000 << 0 << 0 << "0000" << "         ";
        QTest::newRow("12 leaves 1") << "m:20\n12,90000\n" << 1 << -1 << 0 << 0 << 0 << "0000" << "         ";
        QTest::newRow("line before m: lost") << "1,100400\nm:2\n" << 1 << -1 << 0 << 0 << 0 << "0000"
                                             << "         ";
        QTest::newRow("PI in blanks") << "m:1\n1,100400,0,0, 1A ,X" << 1 << 1 << 100400 << 0 << 0 << "  1A"
                                      << "X        ";
        QTest::newRow("PI five digits") << "m:1\n1,100400,0,0,12345,X" << 1 << 1 << 100400 << 0 << 0 << "2345"
                                        << "X        ";
        QTest::newRow("name ten") << "m:1\n1,1,0,0,0000,ABCDEFGHIJ" << 1 << 0 << 1 << 0 << 0 << "0000" << "ABCDEFGHI";
        QTest::newRow("name comma") << "m:1\n1,1,0,0,0000,AB,CD" << 1 << 0 << 1 << 0 << 0 << "0000" << "AB       ";
        QTest::newRow("codes clamped") << "m:1\n1,88000,300,-5" << 1 << 1 << 88000 << 255 << 0 << "0000"
                                       << "         ";
        QTest::newRow("27000 is AM") << "m:1\n1,27000" << 1 << 0 << 27000 << 0 << 0 << "0000" << "         ";
        QTest::newRow("65000 is FM") << "m:1\n1,65000" << 1 << 1 << 65000 << 0 << 0 << "0000" << "         ";
        QTest::newRow("108001 is AM") << "m:1\n1,108001" << 1 << 0 << 108001 << 0 << 0 << "0000" << "         ";
        QTest::newRow("new limits decide") << "m:1\nf:87500,108000\n1,80000" << 1 << 0 << 80000 << 0 << 0
                                           << "0000" << "         ";
        QTest::newRow("later m: empties") << "m:3\n1,90000\nm:2\n2,91000" << 1 << -1 << 0 << 0 << 0 << "0000"
                                          << "         ";
        QTest::newRow("m: half to even") << "m:2.5\n2,90000" << 2 << 1 << 90000 << 0 << 0 << "0000"
                                         << "         ";
        QTest::newRow("bare CR joins") << "m:1\n1,90000,0,0,AB\rCD,X" << 1 << 1 << 90000 << 0 << 0 << "ABCD"
                                       << "X        ";
        QTest::newRow("highest number") << "m:32767\n32767,90000" << 32767 << 1 << 90000 << 0 << 0 << "0000"
                                        << "         ";
    }
    void memoryLines()
    {
        QFETCH(QString, reply);
        QFETCH(int, n);
        const Outcome o = run(reply);
        QVERIFY(o.list);
        const MemoryEntry &e = o.table.entry(n);
        QTEST(int(e.band), "band");
        QTEST(int(e.frequency), "frequency");
        QTEST(int(e.bandwidth), "bandwidth");
        QTEST(int(e.stereo), "stereo");
        QTEST(e.pi, "pi");
        QTEST(e.name, "name");
    }

    void lineEndsGiveSameResult()
    {
        const QString lf = "r:1\nm:3\na:100,20000\n1,100400,0,1,D3C3,A\n3,1008,2,0,,B\n";
        QString crlf = lf;
        crlf.replace("\n", "\r\n");
        QCOMPARE(run(crlf).table.entries(), run(lf).table.entries());
        QCOMPARE(run(crlf).table.limits().aMin, QStringLiteral("100"));
    }

    void bareCrDoesNotEndLine()
    {
        const Outcome o = run("m:2\r1,100400\r2,90000\n");
        QCOMPARE(o.table.memoryCount(), qint16(21)); // one line: "m:21,1004002,90000"
        QVERIFY(o.table.entry(1).isEmpty());
    }

    void countResizes()
    {
        const Outcome o = run("m:2\n1,100400\n2,90000\n3,91000\n");
        QCOMPARE(o.table.memoryCount(), qint16(2));
        QCOMPARE(o.table.rawLines().size(), 2);
        QCOMPARE(o.table.size(), 2);
        QCOMPARE(o.table.entry(2).frequency, 90000);
    }

    void ignoredMemoryLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("zero") << "0,90000";
        QTest::newRow("leading zero") << "01,90000";
        QTest::newRow("above count") << "4,90000";
        QTest::newRow("leading blank") << " 1,90000";
        QTest::newRow("no comma") << "1;90000";
        QTest::newRow("huge number") << "100000000000000000001,90000";
    }
    void ignoredMemoryLines()
    {
        QFETCH(QString, line);
        const Outcome o = run("m:3\n" + line + "\n");
        QVERIFY(o.list);
        for (int n = 1; n <= 3; ++n)
            QVERIFY(o.table.entry(n).isEmpty());
    }

    void refusedCount_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("zero") << "m:0";
        QTest::newRow("negative") << "m:-1";
        QTest::newRow("beyond 16 bits") << "m:32768";
        QTest::newRow("not a number") << "m:abc";
        QTest::newRow("empty") << "m:";
        QTest::newRow("upper case key") << "M:3";
    }
    void refusedCount()
    {
        QFETCH(QString, line);
        MemoryTable t;
        t.rawLines() = QStringList{"kept"};
        const Outcome o = run(line + "\n1,100400\n", t);
        QVERIFY(!o.list);
        QCOMPARE(o.table.memoryCount(), qint16(99));
        QCOMPARE(o.table.rawLines(), QStringList{"kept"});
    }

    void memoryLinesWithoutCountCarryNoList()
    {
        MemoryTable t;
        t.setMemoryCount(2);
        t.clear();
        t.entry(1).frequency = 555;
        const Outcome o = run("1,100400\n2,90000\n", t);
        QVERIFY(!o.list);
        QCOMPARE(o.table.entry(1).frequency, 555);
        QVERIFY(o.table.rawLines().isEmpty());
    }

    void limits_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("limits"); // aMin aMax fMin fMax
        QTest::newRow("none keeps") << "m:1\n" << QStringList{"1", "2", "3", "4"};
        QTest::newRow("f only") << "f:87500,108000\n" << QStringList{"1", "2", "87500", "108000"};
        QTest::newRow("a only") << "a:153,26100\n" << QStringList{"153", "26100", "3", "4"};
        QTest::newRow("one value ignored") << "a:100\n" << QStringList{"1", "2", "3", "4"};
        QTest::newRow("no numbers ignored") << "f:x,y\n" << QStringList{"1", "2", "3", "4"};
        QTest::newRow("third value unused") << "a:5,6,7\n" << QStringList{"5", "6", "3", "4"};
    }
    void limits()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, limits);
        MemoryTable t;
        t.limits() = Bands::Limits{"1", "2", "3", "4"};
        const Outcome o = run(reply, t);
        const Bands::Limits &l = o.table.limits();
        QCOMPARE((QStringList{l.aMin, l.aMax, l.fMin, l.fMax}), limits);
    }

    void values_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("v");
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("o");
        QTest::newRow("all") << "r:5\nv:1.2 beta\ns:-70000\no:2147483647" << 5 << "1.2 beta" << -70000
                             << 2147483647;
        QTest::newRow("r beyond 16 bits") << "r:70000\nr:3\nr:32768" << 3 << "" << 0 << 0;
        QTest::newRow("s, o beyond 32 bits") << "s:7\ns:2147483648\no:-2147483649" << 0 << "" << 7 << 0;
        QTest::newRow("no number reads 0") << "r:5\nr:x" << 0 << "" << 0 << 0;
    }
    void values()
    {
        QFETCH(QString, reply);
        const Outcome o = run(reply);
        QTEST(int(o.values.r), "r");
        QTEST(o.values.v, "v");
        QTEST(int(o.values.s), "s");
        QTEST(int(o.values.o), "o");
    }

    void memoryNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("n");
        QTest::newRow("one") << "1," << 99 << 1;
        QTest::newRow("twelve") << "12,x" << 20 << 12;
        QTest::newRow("over max") << "21,x" << 20 << 0;
        QTest::newRow("max 32767") << "32767," << 32767 << 32767;
        QTest::newRow("six digits") << "100000," << 32767 << 0;
        QTest::newRow("no comma") << "12" << 99 << 0;
        QTest::newRow("empty") << "" << 99 << 0;
        QTest::newRow("arabic digit") << QString::fromUtf8("\u0661,") << 99 << 0;
    }
    void memoryNumber()
    {
        QFETCH(QString, line);
        QFETCH(int, max);
        QTEST(DownloadReply::memoryNumber(line, max), "n");
    }

    // Must finish promptly: a count line does not cost work per memory.
    void largeReplies()
    {
        QString counts = QStringLiteral("m:32767\n1,90000\n").repeated(60000);
        const Outcome a = run(counts);
        QCOMPARE(a.table.size(), 32767);
        QCOMPARE(a.table.entry(1).frequency, 90000);

        QRandomGenerator rng(99);
        QString junk(1 << 20, Qt::Uninitialized);
        for (QChar &c : junk)
            c = QChar(static_cast<char16_t>(rng.bounded(256)));
        junk.replace(QLatin1Char('m'), QLatin1Char('n')); // no count line, so no list
        const Outcome b = run(junk);
        QVERIFY(!b.list);
        QCOMPARE(b.table.memoryCount(), qint16(99));
        QVERIFY(b.table.rawLines().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLinkDownload)
#include "tst_linkdownload.moc"
