#include "ports/InventoryPortSource.h"
#include "ports/clsCOMenum2.h"

#include <QTest>

namespace {

const QString kPorts = QStringLiteral("{4d36e978-e325-11ce-bfc1-08002be10318}");

class NoRegistry : public RegistryReader
{
public:
    QVariant allKeys(const QString &) const override { return QVariantList{QVariant()}; }
    QVariant value(const QString &) const override { return {}; }
};

InventoryItem port(const QString &caption, const QString &pnp, const QString &description)
{
    InventoryItem i;
    i.classGuid = kPorts;
    i.caption = caption;
    i.pnpDeviceId = pnp;
    i.description = description;
    i.name = caption;
    i.manufacturer = QStringLiteral("wch.cn");
    i.service = QStringLiteral("CH341SER_A64");
    return i;
}

// An inventory that a test can change between enumerations; counts the walks.
struct Inventory {
    QList<InventoryItem> items;
    int walks = 0;
};

std::unique_ptr<PortSource> sourceOver(Inventory &inventory)
{
    return std::make_unique<InventoryPortSource>(
        [&inventory] {
            ++inventory.walks;
            return inventory.items;
        },
        std::make_shared<NoRegistry>());
}

} // namespace

class TestComEnum : public QObject
{
    Q_OBJECT

private slots:
    void creationEnumeratesOnce();
    void propertiesByIndex();
    void enumeratingTwiceGivesSameRecords();
    void nothingLeftOver();
    void outsideIndexGivesEmptyFields_data();
    void outsideIndexGivesEmptyFields();
};

void TestComEnum::creationEnumeratesOnce()
{
    Inventory inventory;
    inventory.items = {port("A (COM1)", "ACPI\\PNP0501\\1", "A")};
    clsCOMenum2 e(sourceOver(inventory));
    QCOMPARE(inventory.walks, 1);
    QCOMPARE(e.Count(), qint16(1));
    e.EnumNow();
    QCOMPARE(inventory.walks, 2);
}

void TestComEnum::propertiesByIndex()
{
    Inventory inventory;
    inventory.items = {
        port("Communications Port (COM1)", "ACPI\\PNP0501\\1", "Communications Port"),
        port("Printer Port (LPT1)", "ACPI\\PNP0400\\0", "Printer Port"),
        port("USB-SERIAL CH340 (COM5)", "USB\\VID_1A86&PID_7523\\5&2A3C6B6B&0&2", "USB-SERIAL CH340"),
    };
    clsCOMenum2 e(sourceOver(inventory));
    QCOMPARE(e.Count(), qint16(2));
    QCOMPARE(e.Port(2), QStringLiteral("COM5"));
    QCOMPARE(e.PortNum(2), qint16(5));
    QCOMPARE(e.Description(2), QStringLiteral("USB-SERIAL CH340"));
    QCOMPARE(e.FriendlyName(2), QStringLiteral("USB-SERIAL CH340 (COM5)"));
    QVERIFY(e.Linked(2));
    QCOMPARE(e.Service(2), QStringLiteral("USB"));
    QCOMPARE(e.Services(2), QStringLiteral("CH341SER_A64"));
    QCOMPARE(e.Manufacturer(2), QStringLiteral("wch.cn"));
    QCOMPARE(e.VID(2), QStringLiteral("1A86"));
    QCOMPARE(e.PID(2), QStringLiteral("7523"));
    QCOMPARE(e.DID(2), QStringLiteral("5&2A3C6B6B&0&2"));
    QCOMPARE(e.ID(2), QStringLiteral("5&2A3C6B6B&0&2"));
    QCOMPARE(e.PNP(2), QStringLiteral("USB\\VID_1A86&PID_7523\\5&2A3C6B6B&0&2"));
    QCOMPARE(e.Path(2), QStringLiteral("COM5"));
    QCOMPARE(e.Port(1), QStringLiteral("COM1"));
    QCOMPARE(e.DID(1), QStringLiteral("1"));
}

void TestComEnum::enumeratingTwiceGivesSameRecords()
{
    Inventory inventory;
    inventory.items = {port("A (COM1)", "ACPI\\PNP0501\\1", "A"),
                       port("B (COM5)", "USB\\VID_1A86&PID_7523\\2", "B")};
    clsCOMenum2 e(sourceOver(inventory));
    e.EnumNow();
    QCOMPARE(e.Count(), qint16(2));
    QCOMPARE(e.Port(1), QStringLiteral("COM1"));
    QCOMPARE(e.Port(2), QStringLiteral("COM5"));
    QCOMPARE(e.Description(2), QStringLiteral("B"));
}

void TestComEnum::nothingLeftOver()
{
    Inventory inventory;
    inventory.items = {port("A (COM1)", "ACPI\\PNP0501\\1", "A"),
                       port("B (COM5)", "USB\\VID_1A86&PID_7523\\2", "B")};
    clsCOMenum2 e(sourceOver(inventory));
    inventory.items = {port("C (COM9)", "FTDIBUS\\VID_0403+PID_6001+X\\0000", "C")};
    e.EnumNow();
    QCOMPARE(e.Count(), qint16(1));
    QCOMPARE(e.Port(1), QStringLiteral("COM9"));
    QCOMPARE(e.Port(2), QString());
    inventory.items.clear();
    e.EnumNow();
    QCOMPARE(e.Count(), qint16(0));
    QCOMPARE(e.Port(1), QString());
}

void TestComEnum::outsideIndexGivesEmptyFields_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0;
    QTest::newRow("past the count") << 2;
    QTest::newRow("255") << 255;
}

void TestComEnum::outsideIndexGivesEmptyFields()
{
    QFETCH(int, index);
    Inventory inventory;
    inventory.items = {port("A (COM1)", "ACPI\\PNP0501\\1", "A")};
    clsCOMenum2 e(sourceOver(inventory));
    const auto i = static_cast<quint8>(index);
    QCOMPARE(e.Port(i), QString());
    QCOMPARE(e.PortNum(i), qint16(0));
    QCOMPARE(e.Description(i), QString());
    QVERIFY(!e.Linked(i));
    QCOMPARE(e.Path(i), QString());
}

QTEST_APPLESS_MAIN(TestComEnum)
#include "tst_comenum.moc"
