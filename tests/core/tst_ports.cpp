// SPDX-License-Identifier: GPL-3.0-or-later
// Port discovery: port choice, POSIX and virtual ports.
#include "PseudoTerminal.h"
#include "FakePorts.h"
#include "TestFiles.h"
#include "ports/ExtraPorts.h"
#include "ports/PortChoice.h"
#include "ports/SerialPortFacts.h"
#include "ports/SystemPortSource.h"

#include <QDir>
#include <QMap>
#include <QTest>

namespace {
struct FakeRegistry : RegistryReader {
    QMap<QString, QVariant> values;
    QVariant allKeys(const QString &) const override { return QVariantList{QVariant()}; }
    QVariant value(const QString &path) const override { return values.value(path); }
};
} // namespace

class TestPorts : public QObject
{
    Q_OBJECT

private slots:
    void preselect_data()
    {
        QTest::addColumn<QList<PortRecord>>("records");
        QTest::addColumn<QVariant>("remembered");
        QTest::addColumn<int>("selected");
        const PortRecord uart = portRecord("ttyS0", "UART"), ch340 = portRecord("ttyUSB0", "USB-SERIAL CH340");
        const PortRecord s1 = portRecord("ttyS1", "", {}, {}, {}, 1), s5 = portRecord("ttyS5", "", {}, {}, {}, 5);
        const auto usb = [](const char *pid) { return portRecord("ttyUSB2", "USB2.0-Serial", {}, "1A86", pid); };
        QTest::newRow("remembered before a CH340") << QList{ch340, uart} << QVariant("ttyS0") << 1;
        QTest::newRow("remembered as a number, the last match") << QList{s5, s1, s5} << QVariant(5) << 2;
        QTest::newRow("remembered one gone: CH340 by USB identity") << QList{uart, usb("5523"), ch340} << QVariant("ttyS7") << 1;
        QTest::newRow("ch340, lower case") << QList{uart, portRecord("ttyACM0", "usb-ch340")} << QVariant() << 1;
        QTest::newRow("first CH340") << QList{uart, usb("7523"), ch340} << QVariant() << 1;
    }
    void preselect()
    {
        QFETCH(QList<PortRecord>, records);
        QFETCH(QVariant, remembered);
        QTEST(PortChoice::preselect(records, remembered), "selected");
    }

    // After a device came or went: the hand-made choice, else what came, else the preselection.
    void follow_data()
    {
        QTest::addColumn<QList<PortRecord>>("now");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("chosenByHand");
        QTest::addColumn<int>("selected");
        const PortRecord uart = portRecord("ttyS0", "UART"), ch340 = portRecord("ttyUSB0", "USB-SERIAL CH340");
        const PortRecord acm = portRecord("ttyACM0", "Radio"), bt = portRecord("rfcomm0", "Bluetooth link");
        QTest::newRow("two came: the last") << QList{uart, acm, bt} << QStringList{"/dev/ttyS0"} << "" << 2;
        QTest::newRow("chosen by hand, still there") << QList{uart, ch340, acm} << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}
                                                      << "/dev/ttyS0" << 0;
        QTest::newRow("chosen by hand, gone") << QList{uart, ch340} << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM0"}
                                               << "/dev/ttyACM0" << 1;
    }
    void follow()
    {
        QFETCH(QList<PortRecord>, now);
        QFETCH(QStringList, before);
        QFETCH(QString, chosenByHand);
        QTEST(PortChoice::follow(now, before, chosenByHand, QVariant()), "selected");
    }

    // A bound rfcomm device tells its receiver's address and channel.
    void bluetooth_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("channel");
        QTest::addColumn<QString>("description");
        QTest::newRow("bound") << "rfcomm0" << QByteArray("00:1A:7D:DA:71:13\n") << QByteArray("1\n")
                               << "Bluetooth link to 00:1A:7D:DA:71:13, channel 1";
        QTest::newRow("no channel") << "rfcomm1" << QByteArray("00:1A:7D:DA:71:13") << QByteArray() << "Bluetooth link to 00:1A:7D:DA:71:13";
        QTest::newRow("nothing known") << "rfcomm2" << QByteArray() << QByteArray() << "Bluetooth link";
        QTest::newRow("no rfcomm device") << "ttyUSB0" << QByteArray("00:1A:7D:DA:71:13") << QByteArray("1") << "";
    }
    void bluetooth()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, channel);
        TestStore files;
        QVERIFY(QDir().mkpath(files.file(name)));
        if (!address.isEmpty())
            QVERIFY(writeBytes(files.file(name + "/address"), address));
        if (!channel.isEmpty())
            QVERIFY(writeBytes(files.file(name + "/channel"), channel));
        const SystemPortSource source(std::make_shared<FakeRegistry>(), SysfsTty(files.dir()));
        QTEST(source.bluetoothDescription(name), "description");
    }

    void platformRecord()
    {
        const PortRecord usb = SerialPortFacts{"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "QinHeng", "A1", true, 0x1a86, true, 0x7523, "USB", "ch341"}.toRecord();
        QCOMPARE(usb.friendlyName, "USB2.0-Serial (ttyUSB0)");
        QCOMPARE(usb.service, "USB");    // the bus
        QCOMPARE(usb.services, "ch341"); // the driver
        QCOMPARE(usb.vid, "1A86");
        QCOMPARE(usb.pid, "7523");
        const PortRecord onBoard = SerialPortFacts{"ttyS12", "/dev/ttyS12", "", "", "", false, 1, true, 0x403, "", ""}.toRecord();
        QCOMPARE(onBoard.portNum, 12);
        QCOMPARE(onBoard.friendlyName, "ttyS12");
        QCOMPARE(onBoard.vid, "0000"); // no vendor known
    }

    // Virtual ports follow the platform's: paths that are terminals now, each once.
    void extraPorts()
    {
        PseudoTerminal simulator, other;
        QVERIFY(simulator.open(nullptr));
        QVERIFY(other.open(nullptr));
        TestStore files;
        // Through a link of our own: a parallel test may reuse a closed pty's number.
        const QString link = files.file("ttySIM7");
        QVERIFY(QFile::link(simulator.slavePath(), link));
        QVERIFY(writeBytes(files.file("plain"), "x"));
        auto registry = std::make_shared<FakeRegistry>();
        registry->values[ExtraPorts::valuePath()] = QStringList{files.file("gone") + "|Gone", link + "| Sim | 2 ", files.file("plain"),
                                                                "/dev/null|No terminal", other.slavePath(), simulator.slavePath() + "|Again"};
        SystemPortSource source(registry, SysfsTty(files.dir()));
        const qsizetype platform = SystemPortSource(std::make_shared<FakeRegistry>(), SysfsTty(files.dir())).ports().size();
        const QList<PortRecord> ports = source.ports();
        QCOMPARE(ports.size(), platform + 2);
        QCOMPARE(ports.at(platform).port, "ttySIM7");
        QCOMPARE(ports.at(platform).description, "Sim | 2");
        QCOMPARE(ports.at(platform).path, link);
        QCOMPARE(ports.last().path, other.slavePath());
        QCOMPARE(ports.last().port, other.slavePath().mid(5)); // "pts/3", as /dev names it
        QCOMPARE(ports.last().friendlyName, "Virtual port");
    }
};

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
