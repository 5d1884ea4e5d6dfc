// The simulator's pieces that need no terminal: entry checks, command
// splitting, reply texts, clock command, store file, command line.

#include "CommandReader.h"
#include "EntryCheck.h"
#include "MemoryStoreFile.h"
#include "ReplyBuilder.h"
#include "SimClock.h"
#include "SimCommandLine.h"
#include "UnixSignalWatcher.h"
#include "VisibleBytes.h"

#include "memlist/MemoryTable.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class SimProtocolTest : public QObject
{
    Q_OBJECT

private slots:
    void entryStatus_data();
    void entryStatus();
    void entryKeepsFieldsAsSent();
    void entryRespectsCountAndLimits();

    void readerSplitsCommands_data();
    void readerSplitsCommands();
    void readerCapsOverlongLines();
    void readerJoinsPartialLines();

    void downloadReplyParsesBack();
    void downloadReplyLineEnds();
    void garbageCarriesNoKey();

    void clockCommand_data();
    void clockCommand();

    void visibleBytes_data();
    void visibleBytes();

    void storeFileRoundTrip();
    void storeFileSkipsBadLines();

    void commandLine_data();
    void commandLine();
    void commandLineRefuses_data();
    void commandLineRefuses();
    void helpDocumentsTheChecks();

    void signalWatcherReportsSignal();
};

void SimProtocolTest::entryStatus_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("status");

    QTest::newRow("FM accepted") << QByteArray("S1,100400,0,0,D3C3,REGNBOGN") << 128;
    QTest::newRow("AM accepted") << QByteArray("S2,144,4,1,1a,") << 128;
    QTest::newRow("empty entry") << QByteArray("S5,0,0,0,0000,") << 128;
    QTest::newRow("empty entry any bandwidth") << QByteArray("S5,0,200,0,,") << 128;
    QTest::newRow("empty PI") << QByteArray("S3,98000,3,1,,X") << 128;
    QTest::newRow("highest FM code") << QByteArray("S3,98000,16,0,FFFF,X") << 128;
    QTest::newRow("band edges") << QByteArray("S3,108000,0,0,1,X") << 128;

    QTest::newRow("frequency between bands") << QByteArray("S3,30000,1,0,1,X") << 1;
    QTest::newRow("frequency above FM") << QByteArray("S3,108001,1,0,1,X") << 1;
    QTest::newRow("frequency not a number") << QByteArray("S3,100.4,1,0,1,X") << 1;
    QTest::newRow("frequency negative") << QByteArray("S3,-5,1,0,1,X") << 1;
    QTest::newRow("memory 0") << QByteArray("S0,100400,0,0,1,X") << 2;
    QTest::newRow("memory above count") << QByteArray("S100,100400,0,0,1,X") << 2;
    QTest::newRow("memory missing") << QByteArray("S,100400,0,0,1,X") << 2;
    QTest::newRow("FM code 17") << QByteArray("S3,100400,17,0,1,X") << 4;
    QTest::newRow("AM code 0") << QByteArray("S3,1000,0,0,1,X") << 4;
    QTest::newRow("AM code 5") << QByteArray("S3,1000,5,0,1,X") << 4;
    QTest::newRow("code not a number") << QByteArray("S3,1000,x,0,1,X") << 4;
    QTest::newRow("stereo 2") << QByteArray("S3,100400,0,2,1,X") << 8;
    QTest::newRow("stereo missing") << QByteArray("S3,100400,0") << 8;
    QTest::newRow("memory 1 empty") << QByteArray("S1,0,0,0,0000,") << 16;
    QTest::newRow("PI five digits") << QByteArray("S3,100400,0,0,12345,X") << 32;
    QTest::newRow("PI not hex") << QByteArray("S3,100400,0,0,12G4,X") << 32;
    QTest::newRow("PI with blank") << QByteArray("S3,100400,0,0, 1A,X") << 32;
    QTest::newRow("PI of NULs") << QByteArray("S3,100400,0,0,") + QByteArray(4, '\0') + ",X" << 32;
    QTest::newRow("PI and frequency") << QByteArray("S3,5,1,0,XYZ,X") << 33;
    QTest::newRow("everything wrong") << QByteArray("S0,5,9,7,XYZXY,X") << (1 | 2 | 8 | 32);
    QTest::newRow("only S") << QByteArray("S") << (1 | 2 | 8);
}

void SimProtocolTest::entryStatus()
{
    QFETCH(QByteArray, command);
    QFETCH(int, status);
    const EntryCheck::Result r = EntryCheck::check(command, 99, SimLimits());
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.accepted(), status == 128);
}

void SimProtocolTest::entryKeepsFieldsAsSent()
{
    const EntryCheck::Result r = EntryCheck::check("S12,100400,3,1,1a2B,RA,DIO  ", 99, SimLimits());
    QVERIFY(r.accepted());
    QCOMPARE(r.number, 12);
    QCOMPARE(r.channel.frequency, 100400);
    QCOMPARE(r.channel.bandwidth, 3);
    QCOMPARE(r.channel.stereo, 1);
    QCOMPARE(r.channel.pi, QByteArray("1a2B"));
    QCOMPARE(r.channel.name, QByteArray("RA,DIO  "));
}

void SimProtocolTest::entryRespectsCountAndLimits()
{
    SimLimits limits;
    limits.fmMin = 87500;
    limits.amMax = 1700;
    QCOMPARE(int(EntryCheck::check("S9999,100400,0,0,,", 9999, limits).status), 128);
    QCOMPARE(int(EntryCheck::check("S10000,100400,0,0,,", 9999, limits).status), 2);
    QCOMPARE(int(EntryCheck::check("S5,80000,0,0,,", 9999, limits).status), 1);
    QCOMPARE(int(EntryCheck::check("S5,1701,1,0,,", 9999, limits).status), 1);
    // Overlapping limits: the codes of either band pass.
    limits.amMax = 90000;
    QCOMPARE(int(EntryCheck::check("S5,88000,16,0,,", 99, limits).status), 128);
    QCOMPARE(int(EntryCheck::check("S5,88000,1,0,,", 99, limits).status), 128);
    QCOMPARE(int(EntryCheck::check("S5,80000,0,0,,", 99, limits).status), 4);
}

void SimProtocolTest::readerSplitsCommands_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QByteArray>>("commands");
    using L = QList<QByteArray>;

    QTest::newRow("request") << QByteArray("s") << L{"s"};
    QTest::newRow("two requests") << QByteArray("ss") << L{"s", "s"};
    QTest::newRow("s inside a line") << QByteArray("S1,1,1,1,,fs\n") << L{"S1,1,1,1,,fs"};
    QTest::newRow("line then request") << QByteArray("$time: 01:02:03\ns") << L{"$time: 01:02:03", "s"};
    QTest::newRow("CR stays") << QByteArray("S1\r\n") << L{"S1\r"};
    QTest::newRow("empty lines") << QByteArray("\n\n\nS2\n") << L{"S2"};
    QTest::newRow("request with LF after") << QByteArray("s\n") << L{"s"};
    QTest::newRow("NUL bytes") << QByteArray("\0x\0\n", 4) << L{QByteArray("\0x\0", 3)};
    QTest::newRow("unfinished line") << QByteArray("S1,100") << L{};
}

void SimProtocolTest::readerSplitsCommands()
{
    QFETCH(QByteArray, input);
    QFETCH(QList<QByteArray>, commands);
    CommandReader reader;
    QCOMPARE(reader.feed(input), commands);
}

void SimProtocolTest::readerCapsOverlongLines()
{
    CommandReader reader(8);
    QCOMPARE(reader.feed("S1234567890"), QList<QByteArray>());
    QCOMPARE(reader.pendingBytes(), 8);
    QCOMPARE(reader.droppedBytes(), qint64(3));
    QCOMPARE(reader.feed(QByteArray(100000, 'x') + "\ns"), (QList<QByteArray>{"S1234567", "s"}));
    QCOMPARE(reader.pendingBytes(), 0);
}

void SimProtocolTest::readerJoinsPartialLines()
{
    CommandReader reader;
    QVERIFY(reader.feed("S1,1004").isEmpty());
    QVERIFY(reader.feed("00,0,0").isEmpty());
    QCOMPARE(reader.feed(",D3C3,X\nS2"), QList<QByteArray>{"S1,100400,0,0,D3C3,X"});
    reader.reset();
    QCOMPARE(reader.feed("s"), QList<QByteArray>{"s"});
}

void SimProtocolTest::downloadReplyParsesBack()
{
    SimOptions options;
    options.memoryCount = 20;
    options.limits.fmMin = 87500;
    SimMemories memories(options.memoryCount);
    memories.set(1, {100400, 0, 0, "D3C3", "REGNBOGN"});
    memories.set(3, {144, 4, 1, "1A", ""});
    memories.set(12, {87500, 16, 1, "", "A,B"});

    const QByteArray reply = ReplyBuilder::downloadReply(memories, options);
    QList<QByteArray> lines = reply.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), 7 + 3);
    for (QByteArray &l : lines) {
        QVERIFY(l.endsWith('\r'));
        l.chop(1);
    }
    QCOMPARE(lines.mid(0, 7), (QList<QByteArray>{"r:1", "v:presetta-sim 1.0", "m:20", "s:0", "o:0",
                                                 "a:144,27000", "f:87500,108000"}));

    Bands::Limits limits;
    limits.fMin = QStringLiteral("87500");
    auto entry = [&](int i) { return MemoryTable::entryFromRawLine(QString::fromLatin1(lines[7 + i]), limits); };

    QVERIFY(lines[7].startsWith("1,"));
    QCOMPARE(entry(0).band, Bands::kFM);
    QCOMPARE(entry(0).frequency, 100400);
    QCOMPARE(entry(0).pi, QStringLiteral("D3C3"));
    QCOMPARE(entry(0).name, QStringLiteral("REGNBOGN "));

    QVERIFY(lines[8].startsWith("3,"));
    QCOMPARE(entry(1).band, Bands::kAM);
    QCOMPARE(entry(1).bandwidth, quint8(4));
    QCOMPARE(entry(1).stereo, quint8(1));
    QCOMPARE(entry(1).pi, QStringLiteral("  1A"));
    QCOMPARE(entry(1).name, QStringLiteral("         "));

    QVERIFY(lines[9].startsWith("12,"));
    QCOMPARE(entry(2).band, Bands::kFM);
    QCOMPARE(entry(2).bandwidth, quint8(16));
    QCOMPARE(entry(2).name, QStringLiteral("A        "));
}

void SimProtocolTest::downloadReplyLineEnds()
{
    SimOptions options;
    SimMemories memories;
    memories.set(2, {98000, 1, 0, "1", "X"});
    options.lfOnly = true;
    const QByteArray lf = ReplyBuilder::downloadReply(memories, options);
    QVERIFY(!lf.contains('\r'));
    QCOMPARE(lf.count('\n'), 8);
    options.lfOnly = false;
    QCOMPARE(ReplyBuilder::downloadReply(memories, options), QByteArray(lf).replace("\n", "\r\n"));
    QCOMPARE(ReplyBuilder::statusReply(33, true), QByteArray("S:33\n"));
    QCOMPARE(ReplyBuilder::statusReply(128, false), QByteArray("S:128\r\n"));
    QCOMPARE(ReplyBuilder::clockReply(QTime(7, 5, 9), false), QByteArray("T:07:05:09\r\n"));
    QCOMPARE(ReplyBuilder::clockReply(QTime(), true), QByteArray("T:ERR\n"));
}

void SimProtocolTest::garbageCarriesNoKey()
{
    const QByteArray g = ReplyBuilder::garbageLine(true);
    QVERIFY(g.endsWith('\n'));
    QCOMPARE(g.count('\n'), 1);
    QVERIFY(!g.contains(':'));
    QVERIFY(!g.contains(','));
    QVERIFY(g.contains('\0'));
}

void SimProtocolTest::clockCommand_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QTime>("time");

    QTest::newRow("morning") << QByteArray("$time: 07:05:09") << QTime(7, 5, 9);
    QTest::newRow("last second") << QByteArray("$time: 23:59:59") << QTime(23, 59, 59);
    QTest::newRow("midnight") << QByteArray("$time: 00:00:00") << QTime(0, 0, 0);
    QTest::newRow("hour 24") << QByteArray("$time: 24:00:00") << QTime();
    QTest::newRow("minute 60") << QByteArray("$time: 12:60:00") << QTime();
    QTest::newRow("one digit") << QByteArray("$time: 7:05:09") << QTime();
    QTest::newRow("no blank") << QByteArray("$time:07:05:09") << QTime();
    QTest::newRow("trailing text") << QByteArray("$time: 07:05:09 PM") << QTime();
    QTest::newRow("letters") << QByteArray("$time: aa:bb:cc") << QTime();
}

void SimProtocolTest::clockCommand()
{
    QFETCH(QByteArray, line);
    QFETCH(QTime, time);
    QVERIFY(SimClock::isClockCommand(line));
    const auto parsed = SimClock::parseCommand(line);
    QCOMPARE(parsed.has_value(), time.isValid());
    if (parsed)
        QCOMPARE(*parsed, time);
}

void SimProtocolTest::visibleBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("shown");

    QTest::newRow("plain") << QByteArray("S1,100400") << QByteArray("S1,100400");
    QTest::newRow("line ends") << QByteArray("a\r\n\t") << QByteArray("a\\r\\n\\t");
    QTest::newRow("NUL") << QByteArray("\0\0", 2) << QByteArray("\\0\\0");
    QTest::newRow("backslash") << QByteArray("a\\b") << QByteArray("a\\\\b");
    QTest::newRow("high and control") << QByteArray("\xff\x1b\x7f") << QByteArray("\\xFF\\x1B\\x7F");
}

void SimProtocolTest::visibleBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, shown);
    QCOMPARE(VisibleBytes::visible(bytes), shown);
}

void SimProtocolTest::storeFileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memories.txt"));
    SimMemories out(9999);
    out.set(1, {100400, 0, 0, "D3C3", "REGNBOGN"});
    out.set(77, {144, 4, 1, "", QByteArray("a,b\r\xe4\0z", 7)});
    out.set(9999, {65000, 16, 0, "ffff", " lead"});
    QString error;
    QVERIFY2(MemoryStoreFile::save(path, out, &error), qPrintable(error));

    SimMemories in(9999);
    QVERIFY(MemoryStoreFile::load(path, in, &error));
    QCOMPARE(in.storedNumbers(), out.storedNumbers());
    for (const int n : out.storedNumbers())
        QCOMPARE(in.channel(n), out.channel(n));

    // A smaller memory keeps what fits.
    SimMemories small(50);
    QVERIFY(MemoryStoreFile::load(path, small, &error));
    QCOMPARE(small.storedNumbers(), QList<int>{1});

    SimMemories none;
    QVERIFY(MemoryStoreFile::load(dir.filePath(QStringLiteral("missing")), none, &error));
    QCOMPARE(none.storedCount(), 0);
}

void SimProtocolTest::storeFileSkipsBadLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memories.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("garbage\n\n2,98000,1,0,1,X\n3,x,1,0,,\n0,98000,1,0,,\n4,98000,1\n5,0,0,0,,\n6,99000,2,1,,Y");
    f.close();
    SimMemories m;
    QString error;
    QVERIFY(MemoryStoreFile::load(path, m, &error));
    QCOMPARE(m.storedNumbers(), (QList<int>{2, 6}));
    QCOMPARE(m.channel(6).name, QByteArray("Y"));
}

void SimProtocolTest::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("fmMin");
    QTest::addColumn<int>("amMax");
    QTest::addColumn<bool>("lf");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("garbage");
    QTest::addColumn<int>("hangUp");
    QTest::addColumn<bool>("registered");

    QTest::newRow("defaults") << QStringList() << 99 << 65000 << 27000 << false << -1 << 0 << 0 << true;
    QTest::newRow("count and limits")
        << QStringList{"--count", "9999", "--fm", "87500,108000", "--am", "153,1700"} << 9999 << 87500
        << 1700 << false << -1 << 0 << 0 << true;
    QTest::newRow("misbehaviour")
        << QStringList{"--lf", "--status", "33", "--garbage", "instead", "--hang-up-after", "3", "--no-register"}
        << 99 << 65000 << 27000 << true << 33 << 2 << 3 << false;
    QTest::newRow("garbage before") << QStringList{"--garbage", "before"} << 99 << 65000 << 27000 << false << -1
                                    << 1 << 0 << true;
}

void SimProtocolTest::commandLine()
{
    QFETCH(QStringList, args);
    SimCommandLine cli;
    QVERIFY2(cli.parse(QStringList{"presetta-sim"} + args), qPrintable(cli.error()));
    const SimOptions &o = cli.options();
    QTEST(o.memoryCount, "count");
    QTEST(int(o.limits.fmMin), "fmMin");
    QTEST(int(o.limits.amMax), "amMax");
    QTEST(o.lfOnly, "lf");
    QTEST(o.fixedStatus, "status");
    QTEST(int(o.garbage), "garbage");
    QTEST(o.hangUpAfter, "hangUp");
    QTEST(cli.registerPort(), "registered");
    QVERIFY(!cli.helpWanted());
}

void SimProtocolTest::commandLineRefuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("count too big") << QStringList{"--count", "10000"};
    QTest::newRow("count negative") << QStringList{"--count", "-1"};
    QTest::newRow("limits reversed") << QStringList{"--fm", "108000,65000"};
    QTest::newRow("one limit") << QStringList{"--am", "144"};
    QTest::newRow("status too big") << QStringList{"--status", "65536"};
    QTest::newRow("garbage mode") << QStringList{"--garbage", "always"};
    QTest::newRow("hang up zero") << QStringList{"--hang-up-after", "0"};
    QTest::newRow("unknown option") << QStringList{"--fast"};
    QTest::newRow("stray argument") << QStringList{"/dev/ttyS0"};
}

void SimProtocolTest::commandLineRefuses()
{
    QFETCH(QStringList, args);
    SimCommandLine cli;
    QVERIFY(!cli.parse(QStringList{"presetta-sim"} + args));
    QVERIFY(!cli.error().isEmpty());
}

void SimProtocolTest::helpDocumentsTheChecks()
{
    SimCommandLine cli;
    QVERIFY(cli.parse({"presetta-sim", "--help"}));
    QVERIFY(cli.helpWanted());
    const QString help = SimCommandLine::helpText();
    for (const char *needle : {"--count", "--am", "--fm", "--store", "--lf", "--delay", "--byte-delay", "--silent",
                               "--status", "--garbage", "--hang-up-after", "--log", "--no-register", "bit 0 (1)",
                               "bit 1 (2)", "bit 2 (4)", "bit 3 (8)", "bit 4 (16)", "bit 5 (32)", "FM 0..16",
                               "AM 1..4", "ExtraPorts"})
        QVERIFY2(help.contains(QLatin1String(needle)), needle);
}

void SimProtocolTest::signalWatcherReportsSignal()
{
    UnixSignalWatcher watcher({SIGUSR1});
    QVERIFY(watcher.isValid());
    QSignalSpy spy(&watcher, &UnixSignalWatcher::caught);
    ::raise(SIGUSR1);
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.first().first().toInt(), SIGUSR1);
}

QTEST_GUILESS_MAIN(SimProtocolTest)
#include "tst_simprotocol.moc"
