// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver simulator: entry checks, command cutting, its command line, and over a pseudo-terminal what it answers.
#include "CommandReader.h"
#include "EntryCheck.h"
#include "ExtraPortsRegistration.h"
#include "ReceiverSimulator.h"
#include "SimCommandLine.h"
#include "TestFiles.h"
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

    explicit Client(const QStringList &args) : parsed(cli.parse(QStringList{"presetta-sim", "--quiet"} + args)), sim(cli.options()) {}
    bool start()
    {
        QObject::connect(&port, &QSerialPort::readyRead, &port, [this] { got += port.readAll(); });
        port.setPortName(parsed && sim.start() ? sim.devicePath() : QString());
        return port.open(QIODevice::ReadWrite);
    }
    QByteArray ask(const QByteArray &command, int lines) // what came back once `lines` line ends arrived
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
    // With 99 memories, AM 144..27000, FM 65000..108000. Bits: 1 frequency, 2 memory number,
    // 4 bandwidth, 8 stereo, 16 memory 1 emptied, 32 PI; 128 alone: stored.
    void entryStatus_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("status");
        QTest::newRow("AM bottom, lower-case PI, no name") << QByteArray("S2,144,4,1,1a,") << 128;
        QTest::newRow("all wrong but the bandwidth") << QByteArray("S0,5,9,7,XYZXY,X") << 1 + 2 + 8 + 32;
        QTest::newRow("decimal frequency") << QByteArray("S3,100.4,1,0,1,X") << 1;
        QTest::newRow("memory 1 emptied") << QByteArray("S1,0,0,0,0000,") << 16;
        QTest::newRow("FM bandwidth 17") << QByteArray("S3,100400,17,0,1,X") << 4;
        QTest::newRow("AM bandwidth 0") << QByteArray("S3,27000,0,0,1,X") << 4;
        QTest::newRow("PI not hexadecimal") << QByteArray("S3,100400,0,0,12G4,X") << 32;
    }
    void entryStatus()
    {
        QFETCH(QByteArray, command);
        QTEST(int(EntryCheck::check(command, 99, SimLimits()).status), "status");
    }

    void commandCutting_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArrayList>("commands");
        QTest::newRow("s at a line start, alone") << QByteArray("sS2") << QByteArrayList{"s"};
        QTest::newRow("s inside a line") << QByteArray("S1,,fs\n") << QByteArrayList{"S1,,fs"};
        QTest::newRow("CR and NUL kept, empty lines none") << QByteArray("\n\0x\r\n\n", 6) << QByteArrayList{QByteArray("\0x\r", 3)};
    }
    void commandCutting()
    {
        QFETCH(QByteArray, bytes);
        QTEST(CommandReader().feed(bytes), "commands");
    }

    void refusedCommandLine()
    {
        SimCommandLine line;
        QVERIFY(!line.parse({"presetta-sim", "--count", "10000"}));
        QCOMPARE(line.error(), "--count wants a whole number from 0 to 9999");
    }

    // What came back, then nothing more; the commands heard; memory 5 afterwards.
    void exchanges_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("heard");
        QTest::addColumn<bool>("stored");
        const QByteArray entry = "S5,100400,0,0,,\n";
        const QByteArray junk("\x00\x1b\xfe\xff#~?*=garbage=\x7f\x01\r\n", 21);
        QTest::newRow("download") << "" << entry + "S12,144,4,1,1a2B,A,B\ns" << QByteArray("S:128\r\nS:128\r\nr:1\r\nv:presetta-sim 1.0\r\n"
            "m:99\r\ns:0\r\no:0\r\na:144,27000\r\nf:65000,108000\r\n5,100400,0,0,,\r\n12,144,4,1,1a2B,A,B\r\n") << 3 << true;
        QTest::newRow("clock, CR before LF") << "" << QByteArray("$time: 07:05:09\r\n$time: 24:00:00\n") << QByteArray("T:07:05:09\r\nT:ERR\r\n") << 2 << false;
        QTest::newRow("--lf, --status") << "--lf --status 33" << entry << QByteArray("S:33\n") << 1 << true;
        QTest::newRow("--status, own checks decide") << "--status 0" << QByteArray("S5,5,0,0,,\n") << QByteArray("S:0\r\n") << 1 << false;
        QTest::newRow("--garbage before") << "--garbage before" << entry << junk + "S:128\r\n" << 1 << true;
    }
    void exchanges()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        Client c(arguments.split(' ', Qt::SkipEmptyParts));
        QVERIFY(c.start());
        QSignalSpy heard(&c.sim, &ReceiverSimulator::commandReceived);
        c.port.write(command);
        QTRY_COMPARE_WITH_TIMEOUT(c.got, reply, 5000);
        QTest::qWait(30);
        QCOMPARE(c.got, reply);
        QTEST(int(heard.count()), "heard");
        QTEST(c.sim.memories().storedNumbers().contains(5), "stored");
    }

    // The memories kept in a file outlive the simulator.
    void storeAcrossRuns()
    {
        QTemporaryDir dir;
        const QStringList args{QStringLiteral("--store"), dir.filePath(QStringLiteral("memories.txt"))};
        auto first = std::make_unique<Client>(args);
        QVERIFY(first->start());
        QCOMPARE(first->ask("S9,144,4,1,,a,b\xE4\nS1,100400,0,0,,\n", 2), QByteArray("S:128\r\nS:128\r\n"));
        const QByteArray before = first->ask("s", 9);
        first.reset(); // stopped: the memories go to the file
        Client second(args);
        QVERIFY(second.start());
        QCOMPARE(second.ask("s", 9), before);
    }

    void portRegistration()
    {
        TestStore store;
        const QString path = ExtraPorts::valuePath();
        auto registration = std::make_unique<ExtraPortsRegistration>();
        registration->add(QStringLiteral("/dev/pts/77"));
        registration->remove();
        QVERIFY2(!mRegistry2::Registry(path).isValid(), "gone with its last element");
        mRegistry2::Registry(path, 0, QVariant(QStringList{"/dev/ttyOther|Other"}));
        registration->add(QStringLiteral("/dev/pts/77"));
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList({"/dev/ttyOther|Other", "/dev/pts/77|Receiver simulator"}));
        registration.reset();
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList{"/dev/ttyOther|Other"});
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
