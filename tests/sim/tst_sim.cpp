// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver simulator: entry checks, command cutting, and over a pseudo-terminal what it answers.
#include "CommandReader.h"
#include "EntryCheck.h"
#include "ExtraPortsRegistration.h"
#include "ReceiverSimulator.h"
#include "ReplyBuilder.h"
#include "SimCommandLine.h"
#include "TestFiles.h"
#include "link/DownloadReply.h"
#include "ports/ExtraPorts.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

// The simulator as its command line sets it up (logging nothing), and the program's end of its line.
struct Client {
    bool parsed = false;
    ReceiverSimulator sim;
    QSerialPort port;
    QByteArray got;

    explicit Client(const QStringList &args = {}) : sim(options(args, &parsed)) {}
    static SimOptions options(const QStringList &args, bool *parsed)
    {
        SimCommandLine cli;
        *parsed = cli.parse(QStringList{QStringLiteral("presetta-sim"), QStringLiteral("--quiet")} + args);
        return cli.options();
    }
    bool start()
    {
        QObject::connect(&port, &QSerialPort::readyRead, &port, [this] { got += port.readAll(); });
        port.setPortName(parsed && sim.start() ? sim.devicePath() : QString());
        return port.open(QIODevice::ReadWrite);
    }
    QByteArray ask(const QByteArray &command, int lines = 1)   // what came back once `lines` line ends arrived
    {
        got.clear();
        port.write(command);
        return QTest::qWaitFor([&] { return got.count('\n') >= lines; }, 5000) ? got : "<no reply>";
    }
};

class TestSim : public QObject
{
    Q_OBJECT

private slots:
    void entryStatus_data()   // named by the command
    {
        QTest::addColumn<int>("status");
        const std::pair<const char *, int> rows[] = {
            {"S1,100400,0,0,D3C3,REGNBOGN", 128}, {"S0,5,9,7,XYZXY,X", 1 | 2 | 8 | 32}, {"S3,100400,0,0,12345,X", 32},
            {"S99,108000,16,0,FFFF,X", 128}, {"S3,100400,0,0,12G4,X", 32}, {"S100,100400,0,0,1,X", 2},
            {"S3,100400,17,0,1,X", 4}, {"S0,100400,0,0,1,X", 2}, {"S3,100400,0,2,1,X", 8}, {"S2,144,4,1,1a,", 128},
            {"S3,30000,1,0,1,X", 1}, {"S3,100.4,1,0,1,X", 1}, {"S3,27000,0,0,1,X", 4}, {"S3,1000,5,0,1,X", 4},
            {"S1,0,0,0,0000,", 16}, {"S5,0,200,0,,", 128},
        };
        for (const auto &[command, status] : rows)
            QTest::newRow(command) << status;
    }
    void entryStatus()
    {
        QFETCH(int, status);
        QCOMPARE(int(EntryCheck::check(QTest::currentDataTag(), 99, SimLimits()).status), status);
    }

    void commands_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArrayList>("commands");
        QTest::newRow("s inside a line") << QByteArray("S1,,fs\n") << QByteArrayList{"S1,,fs"};
        QTest::newRow("line, request") << QByteArray("$time: 01:02:03\ns") << QByteArrayList{"$time: 01:02:03", "s"};
        QTest::newRow("CR kept, empty lines none") << QByteArray("\n\nS1\r\nS2") << QByteArrayList{"S1\r"};
        QTest::newRow("NUL bytes") << QByteArray("\0x\0\n", 4) << QByteArrayList{QByteArray("\0x\0", 3)};
        QTest::newRow("overlong") << QByteArray(5000, 'A') + "\ns" << QByteArrayList{QByteArray(4096, 'A'), "s"};
    }
    void commands()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, commands);
        QCOMPARE(CommandReader().feed(input), commands);
    }

    // All that was sent and all that came back; rows without a command have their command line refused.
    void exchanges_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("stored");   // memory 5 afterwards
        const QByteArray entry = "S5,100400,0,0,,\n", junk = ReplyBuilder::garbageLine(false);
        QVERIFY(junk.endsWith("\r\n") && !junk.contains(':') && !junk.contains(','));   // a line with no key
        const auto row = [](const char *name, const char *args, QByteArray sent, QByteArray back, bool stored) {
            QTest::newRow(name) << QString::fromLatin1(args).split(' ', Qt::SkipEmptyParts) << sent << back << stored;
        };
        row("download", "", entry + "S12,144,4,1,1a2B,A,B\ns", "S:128\r\nS:128\r\nr:1\r\nv:presetta-sim 1.0\r\n"
            "m:99\r\ns:0\r\no:0\r\na:144,27000\r\nf:65000,108000\r\n5,100400,0,0,,\r\n12,144,4,1,1a2B,A,B\r\n", true);
        row("refused entry", "", entry + "S5,5,1,0,,\n", "S:128\r\nS:1\r\n", true);
        row("frequency 0 empties", "", entry + "S5,0,0,0,0000,\n", "S:128\r\nS:128\r\n", false);
        row("clock", "", "$time: 07:05:09\n$time: 24:00:00\n", "T:07:05:09\r\nT:ERR\r\n", false);
        row("--lf", "--lf", entry, "S:128\n", true);
        row("--status", "--status 33", entry, "S:33\r\n", true);
        row("--status, own checks decide", "--status 0", "S5,5,0,0,,\n", "S:0\r\n", false);
        row("--garbage before", "--garbage before", entry, junk + "S:128\r\n", true);
        row("--garbage instead", "--garbage instead", entry, junk, true);
        row("--silent", "--silent", entry, "", true);
        row("--delay, --byte-delay", "--delay 30 --byte-delay 2", entry, "S:128\r\n", true);
        row("--hang-up-after", "--hang-up-after 2", "x\n" + entry, "S:128\r\n", true);
        row("--count", "--count 4", entry, "S:2\r\n", false);
        row("--am", "--am 153,1700", "S5,1701,1,0,,\n", "S:1\r\n", false);
        row("--fm", "--fm 87500,100000", entry, "S:1\r\n", false);
        for (const char *refused : {"--count 10000", "--fm 108000,65000", "--am 144", "--status 65536",
                                    "--garbage always", "--hang-up-after 0", "--delay soon", "--fast", "/dev/ttyS0"})
            row(refused, refused, {}, {}, false);
    }
    void exchanges()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(bool, stored);
        Client c(args);
        QCOMPARE(c.start(), !command.isEmpty());
        if (command.isEmpty())
            return;
        QSignalSpy hung(&c.sim, &ReceiverSimulator::hungUp);
        c.port.write(command);
        QTRY_COMPARE_WITH_TIMEOUT(c.sim.receivedBytes(), command, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(c.got, reply, 5000);
        QTest::qWait(30);   // and nothing after it
        QCOMPARE(c.got, reply);
        QCOMPARE(c.sim.memories().storedNumbers().contains(5), stored);
        MemoryTable table;   // the memory list as the program reads it
        DownloadReply::Values values;
        QCOMPARE(DownloadReply::apply(QString::fromLatin1(reply), table, values), command.endsWith('s'));
        QCOMPARE(table.rawLines().value(11), command.endsWith('s') ? "12,144,4,1,1a2B,A,B" : QString());
        // Hanging up waits until the last reply has been read.
        QTRY_COMPARE_WITH_TIMEOUT(hung.count(), int(args.contains(QStringLiteral("--hang-up-after"))), 5000);
        QCOMPARE(c.sim.isRunning(), hung.isEmpty());
    }

    void storeAcrossRuns()
    {
        QTemporaryDir dir;
        const QStringList args{QStringLiteral("--store"), dir.filePath(QStringLiteral("memories.txt"))};
        auto first = std::make_unique<Client>(args);
        QVERIFY(first->start());
        QCOMPARE(first->ask("S9,144,4,1,,a,b\xE4\nS1,100400,0,0,,\n", 2), QByteArray("S:128\r\nS:128\r\n"));
        const QByteArray before = first->ask("s", 9);
        first.reset();   // stopped: the memories go to the file
        Client second(args);
        QVERIFY(second.start());
        QCOMPARE(second.ask("s", 9), before);
    }

    void portRegistration()
    {
        TestStore store;
        const QString path = ExtraPortsRegistration::valuePath();
        QCOMPARE(path, ExtraPorts::valuePath());   // where the program looks
        const QString other = QStringLiteral("/dev/ttyOther|Other");
        const QString mine = QStringLiteral("/dev/pts/77|Receiver simulator");
        mRegistry2::Registry(path, 0, QVariant(QStringList{other}));
        auto registration = std::make_unique<ExtraPortsRegistration>();
        registration->add(QStringLiteral("/dev/pts/77"));
        QCOMPARE(mRegistry2::Registry(path).toStringList(), (QStringList{other, mine}));
        registration->remove();
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList{other});
        mRegistry2::DeleteValue(path);
        registration->add(QStringLiteral("/dev/pts/77"));
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList{mine});
        registration.reset();
        QVERIFY(!mRegistry2::Registry(path).isValid());   // gone with its last element
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
