// SPDX-License-Identifier: GPL-3.0-or-later
// Port discovery: inventory rules, the enumerator, POSIX and virtual ports.
#include "PseudoTerminal.h"
#include "FakePorts.h"
#include "TestFiles.h"
#include "ports/ExtraPorts.h"
#include "ports/InventoryPortSource.h"
#include "ports/PortChoice.h"
#include "ports/SerialPortFacts.h"
#include "ports/SystemPortSource.h"
#include "ports/TtyDevice.h"
#include "ports/clsCOMenum2.h"

#include <QMap>
#include <QTest>

namespace {
const QString kPorts = QStringLiteral("{4d36e978-e325-11ce-bfc1-08002be10318}");
const QString kModem = QStringLiteral("{4d36e96d-e325-11ce-bfc1-08002be10318}");
const QString kEnum = QStringLiteral("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\USB\\{A}\\1\\Properties\\");
const QString kBth = QStringLiteral("HKLM\\SYSTEM\\CurrentControlSet\\services\\BTHPORT\\Parameters\\LocalServices\\");

// A registry holding what the test puts in; sub-keys listed as given.
struct FakeRegistry : RegistryReader {
    QMap<QString, QVariantList> keys;
    QMap<QString, QVariant> values;
    QVariant allKeys(const QString &path) const override { return keys.value(path, QVariantList{QVariant()}); }
    QVariant value(const QString &path) const override { return values.value(path); }
};

// A Silicon Labs bridge USB\{A}\1 whose third property text is its product
// name, and the names of the Bluetooth services {A}, {B} and {C}.
std::shared_ptr<FakeRegistry> registry()
{
    auto r = std::make_shared<FakeRegistry>();
    // Text as UTF-16 bytes, low byte first (as on the machines this runs on).
    const auto utf16 = [](const QString &t) { return QByteArray(reinterpret_cast<const char *>(t.utf16()), t.size() * 2); };
    r->keys[kEnum] = {"", "{x}"};
    r->keys[kEnum + "{x}"] = {"2"};
    r->keys[kEnum + "{x}\\2"] = {"0", "1", "2"};
    r->values[kEnum + "{x}\\2\\0\\Data"] = "plain text";
    r->values[kEnum + "{x}\\2\\1\\Data"] = utf16(QString::fromUtf16(u"  \0 ", 4));
    r->values[kEnum + "{x}\\2\\2\\Data"] = utf16(QString::fromUtf16(u" CP2102 USB\0", 12));
    r->values[kBth + "{A}\\0\\ServiceName"] = "My \"Radio\"";
    r->values[kBth + "{B}\\0\\ServiceName"] = utf16(QString::fromUtf16(u"SPP\0x", 5));
    r->values[kBth + "{C}\\0\\ServiceName"] = "";
    return r;
}

QString dump(const PortRecord &r)
{
    return QStringList{r.port, QString::number(r.portNum), r.description, r.friendlyName, r.linked ? "linked" : "-", r.service,
                       r.services, r.manufacturer, r.vid, r.pid, r.did, r.pnp, r.id, r.path}.join('|');
}
} // namespace

Q_DECLARE_METATYPE(InventoryItem)

class TestPorts : public QObject
{
    Q_OBJECT

private slots:
    // One device between COM1 and COM9: its port, number, description, VID,
    // PID, DID and bus, or "" when it is not listed.
    void inventory_data()
    {
        QTest::addColumn<InventoryItem>("item");
        QTest::addColumn<QString>("record");
        const auto row = [](const char *name, const QString &guid, const char *caption, const char *pnp, const char *description,
                            const char *service, const char *record) {
            const std::optional<QString> cls = guid.isEmpty() ? std::nullopt : std::optional<QString>(guid);
            QTest::newRow(name) << InventoryItem{cls, caption, pnp, description, caption + QString("!"), "Maker", service} << record;
        };
        row("ACPI", kPorts, "Port (COM1)", "ACPI\\PNP0501\\1", "Port", "Serial", "COM1|1|Port|0000|0000|1|ACPI");
        row("USB", kPorts, "CH340 (COM5)", "USB\\VID_1A86&PID_7523\\5&2A&2", "CH340", "CH341", "COM5|5|CH340|1A86|7523|5&2A&2|USB");
        row("FTDI", kPorts, "FT (COM7)", "FTDIBUS\\VID_0403+PID_6001+A1\\0000", "FT", "FTDIBUS", "COM7|7|FT|0403|6001|0000|FTDIBUS");
        row("PCI, blank instance", kPorts, "AMT (COM3)", "PCI\\VEN_8086&DEV_9D3D&SUBSYS_2\\  ", "AMT", "", "COM3|3|AMT|8086|9D3D|0000|PCI");
        row("ids case-sensitive", kPorts, "X (COM4)", "usb\\vid_1a86&pid_7523\\9", "X", "", "COM4|4|X|0000|0000|9|usb");
        row("no description", kPorts, "X (COM4)", "USB\\VID_1A86&PID_7523\\9", " ", "", "COM4|4| |||9|USB");
        row("last (COM, any case", kPorts, "Straße (com2) x (com12) 3", "R\\P\\1", "X", "", "com12 3|12|X|0000|0000|1|R");
        row("Bluetooth, modem", kModem, "BT (COM10)", "BTHENUM\\{A}_LOCALMFG\\7&1", "BT", "BTHMODEM",
            "COM10|10|My 'Radio' (Bluetooth)|0000|0000|7&1|BTHENUM");
        row("Bluetooth, COM interface", "{86e0d1e0-8089-11d0-9ce4-08003e301f73}", "BT (COM11)", "BTHENUM\\{B}\\7", "BT",
            "bthmodem", "COM11|11|SPP (Bluetooth)|0000|0000|7|BTHENUM");
        row("Bluetooth, empty name", kModem, "BT (COM2)", "BTHENUM\\{C}\\7", "BT", "BTHMODEM", "COM2|2|BT|0000|0000|7|BTHENUM");
        row("Silicon Labs", kPorts, "CP (COM6)", "USB\\{A}\\1", "CP", "SilabSer", "COM6|6|CP2102 USB|0000|0000|1|USB");
        row("other driver", kPorts, "CP (COM6)", "USB\\{A}\\1", "CP", "usbser", "COM6|6|CP|0000|0000|1|USB");
        row("printer port", kPorts, "Printer (LPT1)", "ACPI\\PNP0400\\0", "Printer", "", "");
        row("modem without COM", kModem, "Modem", "PCI\\VEN_1\\1", "Modem", "", "");
        row("no class", QString(), "X (COM3)", "R\\P\\1", "X", "", "");
        row("class in upper case", kPorts.toUpper(), "X (COM3)", "R\\P\\1", "X", "", "");
    }
    void inventory()
    {
        QFETCH(InventoryItem, item);
        const auto port = [](int n) { return InventoryItem{kPorts, QStringLiteral("P (COM%1)").arg(n), "R\\P\\1", "P", "", "", ""}; };
        auto items = std::make_shared<QList<InventoryItem>>(QList<InventoryItem>{port(1), item, port(9)});
        clsCOMenum2 e(std::make_unique<InventoryPortSource>([items] { return *items; }, registry()));
        const QString record = e.Count() != 3 ? QString()
            : QStringList({e.Port(2), QString::number(e.PortNum(2)), e.Description(2), e.VID(2), e.PID(2), e.DID(2), e.Service(2)}).join('|');
        QTEST(record, "record");
        QCOMPARE(e.Port(1) + e.Port(e.Count()) + QString::number(e.Count()), record.isEmpty() ? "COM1COM92" : "COM1COM93");
        if (e.Count() == 3) {
            QCOMPARE(QStringList({e.FriendlyName(2), e.Services(2), e.Manufacturer(2), e.PNP(2), e.ID(2), e.Path(2), e.Linked(2) ? "1" : ""}),
                     QStringList({item.name, item.service, item.manufacturer, item.pnpDeviceId, e.DID(2), e.Port(2), "1"}));
        }
        // Enumerating again starts afresh; an index out of range names nothing.
        items->removeAt(1);
        e.EnumNow();
        QCOMPARE(e.Port(0) + e.Port(1) + e.Port(2) + e.Port(3) + QString::number(e.Count()), "COM1COM92");
    }

    // Which port the list offers first.
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
        QTest::newRow("remembered one gone: CH340") << QList{uart, usb("5523"), ch340} << QVariant("ttyS7") << 1;
        QTest::newRow("ch340, lower case") << QList{uart, portRecord("ttyACM0", "usb-ch340")} << QVariant() << 1;
        QTest::newRow("first CH340, by USB identity") << QList{uart, usb("7523"), ch340} << QVariant() << 1;
        QTest::newRow("no CH340: the first") << QList{uart, usb("7522")} << QVariant() << 0;
        QTest::newRow("no ports") << QList<PortRecord>{} << QVariant() << -1;
    }
    void preselect()
    {
        QFETCH(QList<PortRecord>, records);
        QFETCH(QVariant, remembered);
        QTEST(PortChoice::preselect(records, remembered), "selected");
    }

    void platformRecords()
    {
        const SerialPortFacts usb{"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "QinHeng", "A1", true, 0x1a86, true, 0x7523, "USB", "ch341"};
        QCOMPARE(dump(usb.toRecord()),
                 "ttyUSB0|0|USB2.0-Serial|USB2.0-Serial (ttyUSB0)|linked|USB|ch341|QinHeng|1A86|7523|A1|/dev/ttyUSB0|A1|/dev/ttyUSB0");
        const SerialPortFacts onboard{"ttyS12", "/dev/ttyS12", "", "", "", false, 1, true, 0x403, "", ""};
        QCOMPARE(dump(onboard.toRecord()), "ttyS12|12||ttyS12|linked||||0000|0403|0000|/dev/ttyS12|0000|/dev/ttyS12");
    }

    // Virtual ports follow the platform's: paths that are terminals now, each
    // once, with "Virtual port" when no description is given.
    void extraPorts()
    {
        PseudoTerminal simulator, other;
        QVERIFY(simulator.open(nullptr) && other.open(nullptr));
        TestStore files;
        // Through a link of our own: a parallel test may reuse a closed pty's number.
        const QString link = files.file("ttySIM7");
        QVERIFY(QFile::link(simulator.slavePath(), link) && writeBytes(files.file("plain"), "x"));
        auto registry = std::make_shared<FakeRegistry>();
        registry->values[ExtraPorts::valuePath()] = QStringList{files.file("gone") + "|Gone", link + "| Sim | 2 ", files.file("plain"),
                                                                "/dev/null|No terminal", other.slavePath(), simulator.slavePath() + "|Twice"};
        SystemPortSource source(registry, SysfsTty(files.dir()));
        const QList<PortRecord> ports = source.ports();
        const qsizetype platform = SystemPortSource(std::make_shared<FakeRegistry>(), SysfsTty(files.dir())).ports().size();
        QCOMPARE(ports.size(), platform + 2);
        QCOMPARE(dump(ports.at(platform)), "ttySIM7|7|Sim | 2|Sim | 2|linked||||0000|0000|0000|" + link + "|0000|" + link);
        const QString pts = QFileInfo(other.slavePath()).fileName();
        QCOMPARE(dump(ports.last()),
                 QStringLiteral("%1|%1|Virtual port|Virtual port|linked||||0000|0000|0000|%2|0000|%2").arg(pts, other.slavePath()));
        QVERIFY(QFile::remove(link));
        QCOMPARE(QString::number(source.ports().size() - platform) + source.ports().last().description, "2Twice");
        // Where the driver list cannot be read, any character device is taken.
        QVERIFY(TtyDevice::isTerminal("/dev/null", files.file("gone")) && !TtyDevice::isTerminal(files.file("plain"), files.file("gone")));
    }
};

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
