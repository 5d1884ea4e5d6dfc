// The pieces the benchmarks compute with: the protocol floor, medians, the
// printed table, the probe line, the check of a download, the channels.
#include "BenchChannels.h"
#include "EntryCheck.h"
#include "MarkdownTable.h"
#include "ProbeLine.h"
#include "ProtocolFloor.h"
#include "Stats.h"
#include "TransferCheck.h"
#include "memlist/MemoryTable.h"

#include <QtTest>

class TestBenchParts : public QObject
{
    Q_OBJECT

private slots:
    void wireTime_data();
    void wireTime();
    void downloadFloor();
    void uploadFloor();
    void median_data();
    void median();
    void tableLayout();
    void tableShortRowsPadded();
    void meets_data();
    void meets();
    void probeLine_data();
    void probeLine();
    void probeLineRoundTrip();
    void channelsAcceptedByReceiver_data();
    void channelsAcceptedByReceiver();
    void downloadCheck();
};

void TestBenchParts::wireTime_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<double>("seconds");
    QTest::newRow("none") << qint64(0) << 0.0;
    QTest::newRow("one byte is ten bits") << qint64(1) << 10.0 / 115200.0;
    QTest::newRow("a second's worth") << qint64(11520) << 1.0;
}

void TestBenchParts::wireTime()
{
    QFETCH(qint64, bytes);
    QFETCH(double, seconds);
    QCOMPARE(ProtocolFloor::wireSeconds(bytes), seconds);
}

void TestBenchParts::downloadFloor()
{
    // 0.1 + 2.5 + 0.025 s of waits, 1 + 11519 bytes, 5 ms answer.
    QCOMPARE(ProtocolFloor::download(1, 11519, 0.005), 2.625 + 1.0 + 0.005);
}

void TestBenchParts::uploadFloor()
{
    // Two entries: each 75 ms of waits, 1 ms answer and a 1152-byte reply
    // (0.1 s); the commands together 2304 bytes (0.2 s).
    QVERIFY(qAbs(ProtocolFloor::upload(2, 2304, 1152, 0.001) - (2 * (0.075 + 0.001 + 0.1) + 0.2)) < 1e-12);
    QCOMPARE(ProtocolFloor::upload(0, 0, 7, 0.001), 0.0);
}

void TestBenchParts::median_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("median");
    QTest::newRow("none") << QList<double>{} << 0.0;
    QTest::newRow("one") << QList<double>{4.0} << 4.0;
    QTest::newRow("odd, unsorted") << QList<double>{9.0, 1.0, 5.0} << 5.0;
    QTest::newRow("even: mean of the middle two") << QList<double>{4.0, 1.0, 3.0, 2.0} << 2.5;
    QTest::newRow("an outlier does not move it") << QList<double>{1.0, 1.1, 1.2, 1.0, 50.0} << 1.1;
}

void TestBenchParts::median()
{
    QFETCH(QList<double>, values);
    QFETCH(double, median);
    QCOMPARE(Stats::median(values), median);
}

void TestBenchParts::tableLayout()
{
    MarkdownTable t({QStringLiteral("Measure"), QStringLiteral("Wall s")});
    t.addRow({QStringLiteral("Download"), QStringLiteral("2.8")});
    t.addRow({QStringLiteral("Up"), QStringLiteral("10.125")});
    const QStringList lines = t.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QStringLiteral("| Measure  | Wall s |"));
    QCOMPARE(lines[1], QStringLiteral("|----------|--------|"));
    // Text to the left, numbers to the right.
    QCOMPARE(lines[2], QStringLiteral("| Download |    2.8 |"));
    QCOMPARE(lines[3], QStringLiteral("| Up       | 10.125 |"));
}

void TestBenchParts::tableShortRowsPadded()
{
    MarkdownTable t({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    t.addRow({QStringLiteral("x")});
    t.addRow({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("extra")});
    const QStringList lines = t.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines[2], QStringLiteral("| x   |     |     |"));
    QCOMPARE(lines[3], QStringLiteral("| 1   |   2 |   3 |"));
}

void TestBenchParts::meets_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("goal");
    QTest::addColumn<QString>("text");
    QTest::newRow("below") << 1.01 << 1.05 << "yes";
    QTest::newRow("on the goal") << 1.05 << 1.05 << "yes";
    QTest::newRow("above") << 1.0501 << 1.05 << "NO";
}

void TestBenchParts::meets()
{
    QFETCH(double, value);
    QFETCH(double, goal);
    QFETCH(QString, text);
    QCOMPARE(MarkdownTable::meets(value, goal), text);
}

void TestBenchParts::probeLine_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<qint64>("ns");   // 0: none found
    QTest::newRow("alone") << QByteArray("first-paint-ns 123456789\n") << qint64(123456789);
    QTest::newRow("after other output") << QByteArray("hello\nfirst-paint-ns 42\n") << qint64(42);
    QTest::newRow("the first of two") << QByteArray("first-paint-ns 7\nfirst-paint-ns 9\n") << qint64(7);
    QTest::newRow("no line end") << QByteArray("first-paint-ns 5") << qint64(5);
    QTest::newRow("nothing") << QByteArray() << qint64(0);
    QTest::newRow("not a number") << QByteArray("first-paint-ns soon\n") << qint64(0);
    QTest::newRow("negative") << QByteArray("first-paint-ns -3\n") << qint64(0);
    QTest::newRow("key not at the start") << QByteArray("x first-paint-ns 5\n") << qint64(0);
}

void TestBenchParts::probeLine()
{
    QFETCH(QByteArray, output);
    QFETCH(qint64, ns);
    const auto parsed = ProbeLine::parse(output);
    QCOMPARE(parsed.has_value(), ns != 0);
    if (parsed)
        QCOMPARE(*parsed, ns);
}

void TestBenchParts::probeLineRoundTrip()
{
    const qint64 now = ProbeLine::monotonicNs();
    QVERIFY(now > 0);
    QCOMPARE(ProbeLine::parse(ProbeLine::format(now)).value_or(0), now);
}

void TestBenchParts::channelsAcceptedByReceiver_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("99") << 99;
    QTest::newRow("9999") << 9999;
}

void TestBenchParts::channelsAcceptedByReceiver()
{
    // An upload only runs to the end when the receiver takes every channel.
    QFETCH(int, count);
    const SimLimits limits;
    for (int n = 1; n <= count; ++n) {
        const QByteArray command = 'S' + BenchChannels::channel(n).memoryLine(n);
        const EntryCheck::Result r = EntryCheck::check(command, count, limits);
        QVERIFY2(r.accepted(), command.constData());
        QCOMPARE(r.channel, BenchChannels::channel(n));
    }
}

void TestBenchParts::downloadCheck()
{
    MemoryTable table;
    table.setMemoryCount(3);
    table.clear();
    QVERIFY(!TransferCheck::downloaded(table, 3).isEmpty());   // still empty
    for (int n = 1; n <= 3; ++n) {
        const SimChannel c = BenchChannels::channel(n);
        table.entry(n).frequency = c.frequency;
        table.entry(n).bandwidth = quint8(c.bandwidth);
        table.entry(n).stereo = quint8(c.stereo);
    }
    QCOMPARE(TransferCheck::downloaded(table, 3), QString());
    QVERIFY(!TransferCheck::downloaded(table, 4).isEmpty());   // wrong size
    table.entry(2).stereo ^= 1;
    QVERIFY(TransferCheck::downloaded(table, 3).contains(QLatin1String("entry 2")));
}

QTEST_GUILESS_MAIN(TestBenchParts)
#include "tst_benchparts.moc"
