#include "identity/ProgramIdentity.h"
#include "ports/ExtraPorts.h"
#include "ports/SerialPortFacts.h"
#include "ports/SysfsTty.h"
#include "ports/SystemPortSource.h"
#include "ports/TtyDevice.h"
#include "ports/clsCOMenum2.h"
#include "settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// A pseudo-terminal whose slave path exists while the object lives.
class Pty
{
public:
    Pty()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0) {
            char name[128] = {};
            if (::ptsname_r(m_master, name, sizeof name) == 0)
                m_path = QString::fromLocal8Bit(name);
        }
    }
    ~Pty() { close(); }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    void close()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }
    QString path() const { return m_path; }

private:
    int m_master = -1;
    QString m_path;
};

class ValueRegistry : public RegistryReader
{
public:
    QVariant extraPorts;
    QVariant allKeys(const QString &) const override { return QVariantList{QVariant()}; }
    QVariant value(const QString &path) const override
    {
        return path == ExtraPorts::valuePath() ? extraPorts : QVariant();
    }
};

QList<PortRecord> withPath(const QList<PortRecord> &records, const QString &path)
{
    QList<PortRecord> found;
    for (const PortRecord &r : records) {
        if (r.path == path)
            found.append(r);
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(SerialPortFacts)

class TestComEnumPosix : public QObject
{
    Q_OBJECT

private slots:
    void trailingNumbers_data();
    void trailingNumbers();
    void recordFromFacts_data();
    void recordFromFacts();
    void sysfsBusAndDriver();
    void terminalMajors();
    void terminalDevices();
    void parseExtraPorts_data();
    void parseExtraPorts();
    void extraPortsListed();
    void extraPortsFromSettingsStore();
};

void TestComEnumPosix::trailingNumbers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("ttyUSB0") << "ttyUSB0" << 0;
    QTest::newRow("ttyS12") << "ttyS12" << 12;
    QTest::newRow("pts number") << "7" << 7;
    QTest::newRow("none") << "ttyACM" << 0;
    QTest::newRow("too large") << "tty99999" << 32767;
    QTest::newRow("empty") << "" << 0;
}

void TestComEnumPosix::trailingNumbers()
{
    QFETCH(QString, name);
    QTEST(int(trailingNumber(name)), "number");
}

void TestComEnumPosix::recordFromFacts_data()
{
    QTest::addColumn<SerialPortFacts>("facts");
    QTest::addColumn<QString>("vid");
    QTest::addColumn<QString>("pid");
    QTest::addColumn<QString>("did");
    QTest::addColumn<QString>("friendlyName");

    SerialPortFacts ch340;
    ch340.name = "ttyUSB0";
    ch340.systemLocation = "/dev/ttyUSB0";
    ch340.description = "USB2.0-Serial";
    ch340.hasVendorId = ch340.hasProductId = true;
    ch340.vendorId = 0x1a86;
    ch340.productId = 0x7523;
    QTest::newRow("no serial number") << ch340 << "1A86" << "7523" << "0000"
                                      << "USB2.0-Serial (ttyUSB0)";
    SerialPortFacts ftdi = ch340;
    ftdi.vendorId = 0x403;
    ftdi.productId = 0x6001;
    ftdi.serialNumber = "A12345";
    QTest::newRow("short identifiers padded") << ftdi << "0403" << "6001" << "A12345"
                                              << "USB2.0-Serial (ttyUSB0)";
    SerialPortFacts onboard;
    onboard.name = "ttyS0";
    onboard.systemLocation = "/dev/ttyS0";
    QTest::newRow("no identifiers, no description") << onboard << "0000" << "0000" << "0000" << "ttyS0";
}

void TestComEnumPosix::recordFromFacts()
{
    QFETCH(SerialPortFacts, facts);
    facts.bus = "USB";
    facts.driver = "ch341-uart";
    facts.manufacturer = "QinHeng";
    const PortRecord r = facts.toRecord();
    QCOMPARE(r.port, facts.name);
    QCOMPARE(r.portNum, trailingNumber(facts.name));
    QCOMPARE(r.description, facts.description);
    QTEST(r.vid, "vid");
    QTEST(r.pid, "pid");
    QTEST(r.did, "did");
    QTEST(r.id, "did");
    QTEST(r.friendlyName, "friendlyName");
    QCOMPARE(r.service, QStringLiteral("USB"));
    QCOMPARE(r.services, QStringLiteral("ch341-uart"));
    QCOMPARE(r.manufacturer, QStringLiteral("QinHeng"));
    QCOMPARE(r.pnp, facts.systemLocation);
    QCOMPARE(r.path, facts.systemLocation);
    QVERIFY(r.linked);
}

void TestComEnumPosix::sysfsBusAndDriver()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.filePath("class/tty");
    auto device = [&](const QString &name, const QString &subsystem, const QString &driver) {
        const QString d = root + "/" + name + "/device";
        QVERIFY(QDir().mkpath(d));
        QVERIFY(QFile::link("../../../../bus/" + subsystem, d + "/subsystem"));
        if (!driver.isEmpty())
            QVERIFY(QFile::link("../../../../bus/" + subsystem + "/drivers/" + driver, d + "/driver"));
    };
    device("ttyUSB0", "usb-serial", "ch341-uart");
    device("ttyACM0", "usb", "cdc_acm");
    device("ttyS0", "pnp", "serial");
    device("ttyS4", "platform", "");

    const SysfsTty sysfs(root);
    QCOMPARE(sysfs.bus("ttyUSB0"), QStringLiteral("USB"));
    QCOMPARE(sysfs.driver("ttyUSB0"), QStringLiteral("ch341-uart"));
    QCOMPARE(sysfs.bus("ttyACM0"), QStringLiteral("USB"));
    QCOMPARE(sysfs.driver("ttyACM0"), QStringLiteral("cdc_acm"));
    QCOMPARE(sysfs.bus("ttyS0"), QStringLiteral("PNP"));
    QCOMPARE(sysfs.bus("ttyS4"), QStringLiteral("PLATFORM"));
    QCOMPARE(sysfs.driver("ttyS4"), QString());
    QCOMPARE(sysfs.bus("ttyUSB9"), QString());
    QCOMPARE(sysfs.driver("../ttyUSB0"), QString());
}

void TestComEnumPosix::terminalMajors()
{
    const QString devices = QStringLiteral("Character devices:\n"
                                           "  1 mem\n"
                                           "  4 /dev/vc/0\n"
                                           "  4 tty\n"
                                           "  5 /dev/tty\n"
                                           " 10 misc\n"
                                           "136 pts\n"
                                           "188 ttyUSB\n"
                                           "216 rfcomm\n"
                                           "\n"
                                           "Block devices:\n"
                                           "  8 sd\n"
                                           "  9 ttyfake\n");
    QCOMPARE(TtyDevice::terminalMajors(devices), (QSet<int>{4, 5, 136, 188, 216}));
    QVERIFY(TtyDevice::terminalMajors(QString()).isEmpty());
}

void TestComEnumPosix::terminalDevices()
{
    Pty pty;
    QVERIFY(!pty.path().isEmpty());
    QTemporaryDir dir;
    const QString regular = dir.filePath("plain");
    QFile f(regular);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    QVERIFY(TtyDevice::isTerminal(pty.path()));
    QVERIFY(!TtyDevice::isTerminal(regular));
    QVERIFY(!TtyDevice::isTerminal(dir.path()));
    QVERIFY(!TtyDevice::isTerminal(dir.filePath("missing")));
    QVERIFY(!TtyDevice::isTerminal(QStringLiteral("/dev/null")));
    // Without a driver list any character device has to do.
    QVERIFY(TtyDevice::isTerminal(QStringLiteral("/dev/null"), dir.filePath("no-such-list")));
    QVERIFY(!TtyDevice::isTerminal(regular, dir.filePath("no-such-list")));
}

void TestComEnumPosix::parseExtraPorts_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("descriptions");

    QTest::newRow("simulator entry") << QVariant(QStringList{"/dev/pts/3|Receiver simulator"})
                                     << QStringList{"/dev/pts/3"} << QStringList{"Receiver simulator"};
    QTest::newRow("single text") << QVariant(QStringLiteral("/dev/pts/4")) << QStringList{"/dev/pts/4"}
                                 << QStringList{""};
    QTest::newRow("blanks trimmed, later bars kept")
        << QVariant(QStringList{" /dev/a | Desc | more "}) << QStringList{"/dev/a"}
        << QStringList{"Desc | more"};
    QTest::newRow("empty paths skipped") << QVariant(QStringList{"|Nothing", "  ", "/dev/b|"})
                                         << QStringList{"/dev/b"} << QStringList{""};
    QTest::newRow("number") << QVariant(5) << QStringList{} << QStringList{};
    QTest::newRow("no value") << QVariant() << QStringList{} << QStringList{};
}

void TestComEnumPosix::parseExtraPorts()
{
    QFETCH(QVariant, value);
    QStringList paths;
    QStringList descriptions;
    for (const ExtraPorts::Entry &e : ExtraPorts::parse(value)) {
        paths << e.path;
        descriptions << e.description;
    }
    QTEST(paths, "paths");
    QTEST(descriptions, "descriptions");
}

void TestComEnumPosix::extraPortsListed()
{
    Pty simulator;
    Pty plain;
    QVERIFY(!simulator.path().isEmpty() && !plain.path().isEmpty());
    QTemporaryDir dir;
    const QString regular = dir.filePath("plain");
    QFile f(regular);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    auto registry = std::make_shared<ValueRegistry>();
    registry->extraPorts = QStringList{dir.filePath("missing") + "|Gone",
                                       simulator.path() + "|Receiver simulator",
                                       regular + "|Not a port",
                                       "/dev/null|Not a terminal",
                                       plain.path(),
                                       simulator.path() + "|Twice"};
    SystemPortSource source(registry, SysfsTty(dir.filePath("no-sysfs")));
    const QList<PortRecord> records = source.ports();

    const QList<PortRecord> sim = withPath(records, simulator.path());
    QCOMPARE(sim.size(), 1);
    QCOMPARE(sim.first().description, QStringLiteral("Receiver simulator"));
    QCOMPARE(sim.first().port, QFileInfo(simulator.path()).fileName());
    QCOMPARE(sim.first().portNum, trailingNumber(sim.first().port));
    QCOMPARE(sim.first().pnp, simulator.path());
    QCOMPARE(sim.first().vid, QStringLiteral("0000"));
    QVERIFY(sim.first().linked);

    const QList<PortRecord> other = withPath(records, plain.path());
    QCOMPARE(other.size(), 1);
    QCOMPARE(other.first().description, QStringLiteral("Virtual port"));

    QVERIFY(withPath(records, regular).isEmpty());
    QVERIFY(withPath(records, dir.filePath("missing")).isEmpty());
    QVERIFY(withPath(records, QStringLiteral("/dev/null")).isEmpty());
    // Virtual ports follow the platform's own.
    QCOMPARE(records.at(records.size() - 2).path, simulator.path());
    QCOMPARE(records.last().path, plain.path());
}

void TestComEnumPosix::extraPortsFromSettingsStore()
{
    QTemporaryDir dir;
    mRegistry2::setStoreFile(dir.filePath("registry.json"));
    Pty pty;
    QVERIFY(!pty.path().isEmpty());
    // Through a link of our own: a closed pty's number can be taken at once by
    // another test running in parallel, a removed link cannot.
    const QString link = dir.filePath("ttySIM");
    QVERIFY(QFile::link(pty.path(), link));
    mRegistry2::Registry(ProgramIdentity::settingsPath() + "\\ExtraPorts", 0,
                         QStringList{link + "|Receiver simulator"});

    clsCOMenum2 e;
    int found = 0;
    for (int i = 1; i <= e.Count(); ++i) {
        if (e.Path(static_cast<quint8>(i)) == link) {
            found = i;
            QCOMPARE(e.Description(static_cast<quint8>(i)), QStringLiteral("Receiver simulator"));
        }
    }
    QVERIFY(found > 0);

    // A port that is gone is not offered by the next enumeration.
    const qint16 before = e.Count();
    QVERIFY(QFile::remove(link));
    e.EnumNow();
    QCOMPARE(e.Count(), qint16(before - 1));
    for (int i = 1; i <= e.Count(); ++i)
        QVERIFY(e.Path(static_cast<quint8>(i)) != link);
    mRegistry2::setStoreFile(QString());
}

QTEST_GUILESS_MAIN(TestComEnumPosix)
#include "tst_comenum_posix.moc"
