#include "ports/PortRules.h"

#include <QMap>
#include <QTest>

namespace {

const QString kPorts = QStringLiteral("{4d36e978-e325-11ce-bfc1-08002be10318}");
const QString kModem = QStringLiteral("{4d36e96d-e325-11ce-bfc1-08002be10318}");
const QString kComInterface = QStringLiteral("{86e0d1e0-8089-11d0-9ce4-08003e301f73}");
const QString kNoClass = QStringLiteral("<none>");

// A registry that holds what a test puts in; keys are listed as given.
class FakeRegistry : public RegistryReader
{
public:
    QMap<QString, QStringList> keys;
    QMap<QString, QVariant> values;

    QVariant allKeys(const QString &path) const override
    {
        const QString key = path.endsWith(QLatin1Char('\\')) ? path.chopped(1) : path;
        QVariantList list;
        for (const QString &k : keys.value(key))
            list.append(k);
        if (list.isEmpty())
            list.append(QVariant());
        return list;
    }
    QVariant value(const QString &path) const override { return values.value(path); }
};

QByteArray utf16(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xff));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

InventoryItem item(const QString &classGuid, const QString &caption, const QString &pnp,
                   const QString &description, const QString &service = QString())
{
    InventoryItem i;
    if (classGuid != kNoClass)
        i.classGuid = classGuid;
    i.caption = caption;
    i.pnpDeviceId = pnp;
    i.description = description;
    i.name = caption;
    i.manufacturer = QStringLiteral("Maker");
    i.service = service;
    return i;
}

const QString kSilabsPath = QStringLiteral("USB\\VID_10C4&PID_EA60\\0001");
const QString kSilabsBase = QStringLiteral("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\") + kSilabsPath
    + QStringLiteral("\\Properties\\");
const QString kBthPath = QStringLiteral(
    "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0002\\7&2A4B3C&0&000000000000_00000000");
const QString kBthValue = QStringLiteral(
    "HKLM\\SYSTEM\\CurrentControlSet\\services\\BTHPORT\\Parameters\\LocalServices\\"
    "{00001101-0000-1000-8000-00805F9B34FB}\\0\\ServiceName");

} // namespace

Q_DECLARE_METATYPE(InventoryItem)

class TestComEnumRules : public QObject
{
    Q_OBJECT

private slots:
    void record_data();
    void record();
    void portName_data();
    void portName();
    void silabsProductText_data();
    void silabsProductText();
    void bluetoothName_data();
    void bluetoothName();
    void skippedDevicesDoNotShiftOthers();
};

void TestComEnumRules::record_data()
{
    QTest::addColumn<InventoryItem>("device");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("portNum");
    QTest::addColumn<QString>("vid");
    QTest::addColumn<QString>("pid");
    QTest::addColumn<QString>("did");
    QTest::addColumn<QString>("service");

    QTest::newRow("ACPI COM1")
        << item(kPorts, "Communications Port (COM1)", "ACPI\\PNP0501\\1", "Communications Port")
        << "COM1" << 1 << "0000" << "0000" << "1" << "ACPI";
    QTest::newRow("CH340 bridge")
        << item(kPorts, "USB-SERIAL CH340 (COM5)", "USB\\VID_1A86&PID_7523\\5&2A3C6B6B&0&2",
                "USB-SERIAL CH340", "CH341SER_A64")
        << "COM5" << 5 << "1A86" << "7523" << "5&2A3C6B6B&0&2" << "USB";
    QTest::newRow("FTDI")
        << item(kPorts, "USB Serial Port (COM7)", "FTDIBUS\\VID_0403+PID_6001+A12345\\0000",
                "USB Serial Port", "FTDIBUS")
        << "COM7" << 7 << "0403" << "6001" << "0000" << "FTDIBUS";
    QTest::newRow("PCI vendor and device")
        << item(kPorts, "Intel AMT SOL (COM3)",
                "PCI\\VEN_8086&DEV_9D3D&SUBSYS_225D17AA&REV_21\\3&11583659&0&B3", "Intel AMT SOL")
        << "COM3" << 3 << "8086" << "9D3D" << "3&11583659&0&B3" << "PCI";
    QTest::newRow("identifiers are case-sensitive")
        << item(kPorts, "X (COM4)", "usb\\vid_1a86&pid_7523\\9", "X") << "COM4" << 4 << "0000"
        << "0000" << "9" << "usb";
    QTest::newRow("empty description leaves identifiers empty")
        << item(kPorts, "X (COM4)", "USB\\VID_1A86&PID_7523\\9", "   ") << "COM4" << 4 << ""
        << "" << "9" << "USB";
    QTest::newRow("no instance part") << item(kPorts, "X (COM8)", "ROOT\\PORTS", "X") << "COM8" << 8
                                      << "0000" << "0000" << "0000" << "ROOT";
    QTest::newRow("blank instance part") << item(kPorts, "X (COM8)", "ROOT\\PORTS\\  ", "X") << "COM8"
                                         << 8 << "0000" << "0000" << "0000" << "ROOT";
    QTest::newRow("modem class")
        << item(kModem, "Standard Modem over Bluetooth link (COM9)", "BTHENUM\\{x}\\1", "Modem")
        << "COM9" << 9 << "0000" << "0000" << "1" << "BTHENUM";
    QTest::newRow("COM-port interface class")
        << item(kComInterface, "Virtual (COM12)", "ROOT\\VCOM\\0000", "Virtual") << "COM12" << 12
        << "0000" << "0000" << "0000" << "ROOT";
}

void TestComEnumRules::record()
{
    QFETCH(InventoryItem, device);
    const std::optional<PortRecord> r = PortRules::recordFor(device, FakeRegistry());
    QVERIFY(r.has_value());
    QTEST(r->port, "port");
    QTEST(int(r->portNum), "portNum");
    QTEST(r->vid, "vid");
    QTEST(r->pid, "pid");
    QTEST(r->did, "did");
    QTEST(r->id, "did");
    QTEST(r->service, "service");
    QCOMPARE(r->pnp, device.pnpDeviceId);
    QCOMPARE(r->description, device.description);
    QCOMPARE(r->friendlyName, device.name);
    QCOMPARE(r->manufacturer, device.manufacturer);
    QCOMPARE(r->services, device.service);
    QVERIFY(r->linked);
}

void TestComEnumRules::portName_data()
{
    QTest::addColumn<QString>("classGuid");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("portNum");

    QTest::newRow("(COM twice: the last one")
        << kPorts << "Adapter (COM2) bridge (COM12)" << true << "COM12" << 12;
    QTest::newRow("lower-case, kept as received") << kPorts << "Port (com4)" << true << "com4" << 4;
    QTest::newRow("text after the bracket") << kPorts << "X (COM3) spare" << true << "COM3 spare" << 3;
    QTest::newRow("case change that moves positions")
        << kPorts << "Straße (COM6)" << true << "COM6" << 6;
    QTest::newRow("no number") << kPorts << "Odd (COM)" << true << "COM" << 0;
    QTest::newRow("printer port") << kPorts << "Printer Port (LPT1)" << false << "" << 0;
    QTest::newRow("modem without COM") << kModem << "Internal Modem" << false << "" << 0;
    QTest::newRow("no class") << kNoClass << "Device (COM3)" << false << "" << 0;
    QTest::newRow("other class") << "{36fc9e60-c465-11cf-8056-444553540000}" << "Hub (COM3)" << false
                                 << "" << 0;
    QTest::newRow("class in upper case") << kPorts.toUpper() << "X (COM3)" << false << "" << 0;
}

void TestComEnumRules::portName()
{
    QFETCH(QString, classGuid);
    QFETCH(QString, caption);
    const std::optional<PortRecord> r =
        PortRules::recordFor(item(classGuid, caption, "ACPI\\PNP0501\\1", "D"), FakeRegistry());
    QTEST(r.has_value(), "listed");
    if (r) {
        QTEST(r->port, "port");
        QTEST(int(r->portNum), "portNum");
    }
}

void TestComEnumRules::silabsProductText_data()
{
    QTest::addColumn<QVariant>("firstData");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("description");

    const QString product = QStringLiteral("CP2102 USB to UART Bridge Controller");
    QTest::newRow("text of a later key when the first is not binary")
        << QVariant(QStringLiteral("plain text")) << "silabser" << product;
    QTest::newRow("blanks and NULs only do not count")
        << QVariant(utf16(QString::fromUtf16(u"  \0 ", 4))) << "silabser" << product;
    QTest::newRow("first binary text wins")
        << QVariant(utf16(QString::fromUtf16(u" CP2104\0", 8))) << "silabser" << "CP2104";
    QTest::newRow("service name in any case")
        << QVariant(utf16(QStringLiteral("CP2104"))) << "SilabSer" << "CP2104";
    QTest::newRow("other driver keeps its description")
        << QVariant(utf16(QStringLiteral("CP2104"))) << "usbser" << "Silicon Labs CP210x (COM4)";
}

void TestComEnumRules::silabsProductText()
{
    QFETCH(QVariant, firstData);
    QFETCH(QString, service);
    FakeRegistry registry;
    registry.keys[kSilabsBase.chopped(1)] = {"", "{a8b865dd-2e3d-4094-ad97-e593a70c75d6}",
                                            "{540b947e-8b40-45bc-a8a2-6a0b894cbda2}"};
    registry.keys[kSilabsBase + "{a8b865dd-2e3d-4094-ad97-e593a70c75d6}"] = {"0002"};
    registry.keys[kSilabsBase + "{a8b865dd-2e3d-4094-ad97-e593a70c75d6}\\0002"] = {"0000"};
    registry.keys[kSilabsBase + "{540b947e-8b40-45bc-a8a2-6a0b894cbda2}"] = {"0004"};
    registry.keys[kSilabsBase + "{540b947e-8b40-45bc-a8a2-6a0b894cbda2}\\0004"] = {"0000", "0001"};
    registry.values[kSilabsBase + "{a8b865dd-2e3d-4094-ad97-e593a70c75d6}\\0002\\0000\\Data"] =
        firstData;
    registry.values[kSilabsBase + "{540b947e-8b40-45bc-a8a2-6a0b894cbda2}\\0004\\0001\\Data"] =
        utf16(QString::fromUtf16(u"CP2102 USB to UART Bridge Controller\0", 37));

    const InventoryItem device =
        item(kPorts, "Silicon Labs CP210x (COM4)", kSilabsPath, "Silicon Labs CP210x (COM4)", service);
    const std::optional<PortRecord> r = PortRules::recordFor(device, registry);
    QVERIFY(r.has_value());
    QTEST(r->description, "description");
}

void TestComEnumRules::bluetoothName_data()
{
    QTest::addColumn<QVariant>("serviceName");
    QTest::addColumn<QString>("pnp");
    QTest::addColumn<QString>("description");

    const QString plain = QStringLiteral("Standard Serial over Bluetooth link");
    QTest::newRow("text") << QVariant(QStringLiteral("ESP32SPP")) << kBthPath << "ESP32SPP (Bluetooth)";
    QTest::newRow("quotes become apostrophes")
        << QVariant(QStringLiteral("My \"Radio\"")) << kBthPath << "My 'Radio' (Bluetooth)";
    QTest::newRow("UTF-16 bytes") << QVariant(utf16(QString::fromUtf16(u"Serial Port\0", 12))) << kBthPath
                                  << "Serial Port (Bluetooth)";
    QTest::newRow("empty name") << QVariant(QString()) << kBthPath << plain;
    QTest::newRow("name missing") << QVariant() << kBthPath << plain;
    QTest::newRow("no service GUID")
        << QVariant(QStringLiteral("ESP32SPP")) << "BTHENUM\\LOCALMFG&0002\\7&1" << plain;
    QTest::newRow("GUID not closed")
        << QVariant(QStringLiteral("ESP32SPP")) << "BTHENUM\\{00001101_LOCALMFG\\7&1" << plain;
}

void TestComEnumRules::bluetoothName()
{
    QFETCH(QVariant, serviceName);
    QFETCH(QString, pnp);
    FakeRegistry registry;
    if (serviceName.isValid())
        registry.values[kBthValue] = serviceName;
    const InventoryItem device = item(kModem, "Standard Serial over Bluetooth link (COM10)", pnp,
                                      "Standard Serial over Bluetooth link", "BTHMODEM");
    const std::optional<PortRecord> r = PortRules::recordFor(device, registry);
    QVERIFY(r.has_value());
    QTEST(r->description, "description");
}

void TestComEnumRules::skippedDevicesDoNotShiftOthers()
{
    const QList<InventoryItem> items{
        item(kPorts, "Communications Port (COM1)", "ACPI\\PNP0501\\1", "Communications Port"),
        item(kPorts, "Printer Port (LPT1)", "ACPI\\PNP0400\\0", "Printer Port"),
        item(kPorts, "USB-SERIAL CH340 (COM5)", "USB\\VID_1A86&PID_7523\\5&2", "USB-SERIAL CH340"),
        item(kModem, "Internal Modem", "PCI\\VEN_1234&DEV_5678\\1", "Internal Modem"),
        item(kNoClass, "Unknown (COM6)", "ROOT\\X\\1", "Unknown"),
        item(kPorts, "USB Serial Port (COM7)", "FTDIBUS\\VID_0403+PID_6001+A1\\0000", "USB Serial Port"),
    };
    const QList<PortRecord> records = PortRules::recordsFor(items, FakeRegistry());
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0).port, QStringLiteral("COM1"));
    QCOMPARE(records.at(0).pnp, items.at(0).pnpDeviceId);
    QCOMPARE(records.at(1).port, QStringLiteral("COM5"));
    QCOMPARE(records.at(1).pnp, items.at(2).pnpDeviceId);
    QCOMPARE(records.at(2).port, QStringLiteral("COM7"));
    QCOMPARE(records.at(2).pnp, items.at(5).pnpDeviceId);
}

QTEST_APPLESS_MAIN(TestComEnumRules)
#include "tst_comenum_rules.moc"
