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
    SimCommandLine cli;
    bool parsed;
    ReceiverSimulator sim;
    QSerialPort port;
    QByteArray got;

    explicit Client(const QStringList &args)
        : parsed(cli.parse(QStringList{"presetta-sim", "--quiet"} + args)), sim(cli.options()) {}
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
            {"S3,100400,17,0,1,X", 4}, {"S3,100400,0,2,1,X", 8}, {"S2,144,4,1,1a,", 128}, {"S3,30000,1,0,1,X", 1},
            {"S3,100.4,1,0,1,X", 1}, {"S3,27000,0,0,1,X", 4}, {"S3,1000,5,0,1,X", 4}, {"S1,0,0,0,0000,", 16},
            {"S5,0,200,0,,", 128},
        };
        for (const auto &[command, status] : rows)
            QTest::newRow(command) << status;
    }
    void entryStatus()
    {
        QFETCH(int, status);
        QCOMPARE(int(EntryCheck::check(QTest::currentDataTag(), 99, SimLimits()).status), status);
    }

    void commands()   // "s" alone only at a line start; CR and NUL kept, empty lines none, long lines cut
    {
        const QByteArray input = QByteArray("\n\nS1,,fs\r\n\0x\0\n", 14) + QByteArray(5000, 'A') + "\nsS2";
        QCOMPARE(CommandReader().feed(input),
                 (QByteArrayList{"S1,,fs\r", QByteArray("\0x\0", 3), QByteArray(4096, 'A'), "s"}));
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
        row("--lf, --status", "--lf --status 33", entry, "S:33\n", true);
        row("--status, own checks decide", "--status 0", "S5,5,0,0,,\n", "S:0\r\n", false);
        row("--garbage before", "--garbage before", entry, junk + "S:128\r\n", true);
        row("--garbage instead", "--garbage instead", entry, junk, true);
        row("--silent", "--silent", entry, "", true);
        row("--hang-up-after, slow", "--hang-up-after 2 --delay 30 --byte-delay 2", "x\n" + entry, "S:128\r\n", true);
        row("limits", "--count 4 --am 153,1700 --fm 87500,100000", "S5,1701,1,0,,\n" + entry, "S:3\r\nS:3\r\n", false);
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
        QSignalSpy hung(&c.sim, &ReceiverSimulator::hungUp);   // only once the last reply has been read
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

    void portRegistration()   // the element joins the list where the program looks, and leaves it
    {
        TestStore store;
        const QString path = ExtraPorts::valuePath();
        const QString other = QStringLiteral("/dev/ttyOther|Other");
        auto registration = std::make_unique<ExtraPortsRegistration>();
        registration->add(QStringLiteral("/dev/pts/77"));
        registration->remove();
        QVERIFY(!mRegistry2::Registry(path).isValid());   // gone with its last element
        mRegistry2::Registry(path, 0, QVariant(QStringList{other}));
        registration->add(QStringLiteral("/dev/pts/77"));
        QCOMPARE(mRegistry2::Registry(path).toStringList(), (QStringList{other, "/dev/pts/77|Receiver simulator"}));
        registration.reset();
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList{other});
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
