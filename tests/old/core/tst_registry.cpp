#include "platform/Beep.h"
#include "settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace mRegistry2;

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTrip_data();
    void roundTrip();
    void notWritten_data();
    void notWritten();
    void missingValues_data();
    void missingValues();
    void readWithDefault();
    void unknownModeReads();
    void keysAndValuesListed();
    void emptyKeyListsOneNoValue_data();
    void emptyKeyListsOneNoValue();
    void createKey();
    void deleteKey();
    void deleteValue();
    void otherRootsTakeNoWrites_data();
    void otherRootsTakeNoWrites();
    void rootDefaultValue();
    void namesIgnoreCase();
    void backslashInValueName();
    void blankPaths();
    void fileLayout();
    void foreignTypesReadAsNoValue_data();
    void foreignTypesReadAsNoValue();
    void emptyBinaryOnFileBeeps();
    void defaultLocation();

private:
    void writeFile(const QByteArray &content);

    QTemporaryDir *m_dir = nullptr;
    int m_beeps = 0;
};

void TestRegistry::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    setStoreFile(m_dir->filePath(QStringLiteral("cfg/registry.json")));
    m_beeps = 0;
    Beep::setHandler([this] { ++m_beeps; });
}

void TestRegistry::cleanup()
{
    Beep::setHandler({});
    setStoreFile(QString());
    delete m_dir;
    m_dir = nullptr;
}

void TestRegistry::writeFile(const QByteArray &content)
{
    QDir().mkpath(QFileInfo(storeFile()).absolutePath());
    QFile f(storeFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void TestRegistry::roundTrip_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("read");

    QTest::newRow("int 5") << QVariant(5) << QVariant(5);
    QTest::newRow("text 5") << QVariant(QStringLiteral("5")) << QVariant(QStringLiteral("5"));
    QTest::newRow("negative int") << QVariant(-1) << QVariant(-1);
    QTest::newRow("int minimum") << QVariant(std::numeric_limits<int>::min())
                                 << QVariant(std::numeric_limits<int>::min());
    QTest::newRow("16-bit") << QVariant::fromValue<short>(-7) << QVariant(-7);
    QTest::newRow("8-bit unsigned") << QVariant::fromValue<uchar>(200) << QVariant(200);
    QTest::newRow("text cut at NUL") << QVariant(QString::fromUtf16(u"ab\0cd", 5))
                                     << QVariant(QStringLiteral("ab"));
    QTest::newRow("empty text") << QVariant(QString()) << QVariant(QString(""));
    QTest::newRow("text beyond 8 bits") << QVariant(QStringLiteral("/home/jürgen/Ω"))
                                        << QVariant(QStringLiteral("/home/jürgen/Ω"));
    QTest::newRow("floating point as text") << QVariant(1.5) << QVariant(QStringLiteral("1.5"));
    QTest::newRow("boolean as text") << QVariant(true) << QVariant(QStringLiteral("true"));
    QTest::newRow("64-bit as text") << QVariant::fromValue<qint64>(5000000000LL)
                                    << QVariant(QStringLiteral("5000000000"));
    QTest::newRow("no value as empty text") << QVariant() << QVariant(QString(""));
    QTest::newRow("list of texts") << QVariant(QStringList{"a", "b"}) << QVariant(QStringList{"a", "b"});
    QTest::newRow("list leaves out empty element")
        << QVariant(QStringList{"a", "", "b"}) << QVariant(QStringList{"a", "b"});
    QTest::newRow("list elements cut at NUL")
        << QVariant(QStringList{QString::fromUtf16(u"x\0y", 3), "z"}) << QVariant(QStringList{"x", "z"});
    QTest::newRow("bytes") << QVariant(QByteArray("\x00\x01\xff", 3))
                           << QVariant(QByteArray("\x00\x01\xff", 3));
}

void TestRegistry::roundTrip()
{
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, written);
    const QVariant got = Registry(QStringLiteral("HKCU\\Software\\A\\Port"));
    QCOMPARE(got.typeId(), read.typeId());
    QCOMPARE(got, read);
    QCOMPARE(m_beeps, 0);
}

void TestRegistry::notWritten_data()
{
    QTest::addColumn<QVariant>("written");

    QTest::newRow("all elements empty") << QVariant(QStringList{"", ""});
    QTest::newRow("empty list") << QVariant(QStringList{});
    QTest::newRow("elements empty after NUL") << QVariant(QStringList{QString::fromUtf16(u"\0x", 2)});
    QTest::newRow("empty bytes") << QVariant(QByteArray());
    QTest::newRow("mixed list") << QVariant(QVariantList{1, QStringLiteral("a")});
    QTest::newRow("no text form") << QVariant(QRect(1, 2, 3, 4));
}

void TestRegistry::notWritten()
{
    QFETCH(QVariant, written);
    const QString path = QStringLiteral("HKCU\\Software\\A\\Port");
    Registry(path, 0, QStringLiteral("old"));
    Registry(path, 0, written);
    QCOMPARE(m_beeps, 1);
    QCOMPARE(Registry(path), QVariant(QStringLiteral("old")));

    Registry(QStringLiteral("HKCU\\Software\\A\\Fresh"), 0, written);
    QCOMPARE(m_beeps, 2);
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A\\Fresh")).isValid());
}

void TestRegistry::missingValues_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("missing value") << "HKCU\\Software\\A\\Missing";
    QTest::newRow("missing key") << "HKCU\\Software\\Nowhere\\Port";
    QTest::newRow("local machine") << "HKLM\\Software\\A\\Port";
    QTest::newRow("no root") << "HKU\\Software\\A\\Port";
    QTest::newRow("empty key name") << "HKCU\\Software\\\\A\\\\\\Port";
}

void TestRegistry::missingValues()
{
    QFETCH(QString, path);
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, 3);
    QVERIFY(!Registry(path).isValid());
    QCOMPARE(ReadWithDefault(path, 100), QVariant(100));
    QCOMPARE(m_beeps, 0);
}

void TestRegistry::readWithDefault()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\Empty"), 0, QString());
    Registry(QStringLiteral("HKCU\\Software\\A\\Left"), 0, 120);
    QCOMPARE(ReadWithDefault(QStringLiteral("HKCU\\Software\\A\\Empty"), 100), QVariant(QString("")));
    QCOMPARE(ReadWithDefault(QStringLiteral("HKCU\\Software\\A\\Left"), 100), QVariant(120));
    QCOMPARE(ReadWithDefault(QStringLiteral("HKCU\\Software\\A\\Top"), QStringLiteral("x")),
             QVariant(QStringLiteral("x")));
}

void TestRegistry::unknownModeReads()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, 4);
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0), QVariant(4));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 6), QVariant(4));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Port"), -1), QVariant(4));
}

void TestRegistry::keysAndValuesListed()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\beta\\V"), 0, 1);
    Registry(QStringLiteral("HKCU\\Software\\A\\Alpha\\V"), 0, 1);
    Registry(QStringLiteral("HKCU\\Software\\A\\Zed"), 0, 1);
    Registry(QStringLiteral("HKCU\\Software\\A\\aim"), 0, 1);

    const QVariantList keys{QStringLiteral("Alpha"), QStringLiteral("beta")};
    QCOMPARE(GetAllKeys(QStringLiteral("HKCU\\Software\\A")), QVariant(keys));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\"), 1), QVariant(keys));
    const QVariantList values{QStringLiteral("aim"), QStringLiteral("Zed")};
    QCOMPARE(GetAllValues(QStringLiteral("HKCU\\Software\\A")), QVariant(values));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A"), 2), QVariant(values));
}

void TestRegistry::emptyKeyListsOneNoValue_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("mode");

    QTest::newRow("keys of key without sub-keys") << "HKCU\\Software\\A\\Leaf" << 1;
    QTest::newRow("keys of missing key") << "HKCU\\Software\\Missing" << 1;
    QTest::newRow("keys under other root") << "HKLM\\Software" << 1;
    QTest::newRow("values of key without values") << "HKCU\\Software" << 2;
    QTest::newRow("values of missing key") << "HKCU\\Software\\Missing" << 2;
}

void TestRegistry::emptyKeyListsOneNoValue()
{
    QFETCH(QString, path);
    QFETCH(int, mode);
    QVERIFY(CreateKey(QStringLiteral("HKCU\\Software\\A\\Leaf")));
    const QVariant result = Registry(path, mode);
    QCOMPARE(result.typeId(), QMetaType::QVariantList);
    const QVariantList list = result.toList();
    QCOMPARE(list.size(), 1);
    QVERIFY(!list.first().isValid());
}

void TestRegistry::createKey()
{
    QVERIFY(CreateKey(QStringLiteral("HKCU\\Software\\New\\Deep")));
    QCOMPARE(GetAllKeys(QStringLiteral("HKCU\\Software\\New")), QVariant(QVariantList{"Deep"}));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\New\\Deep\\"), 3), QVariant(true));
    QVERIFY(!CreateKey(QStringLiteral("HKLM\\Software\\New")));
    QVERIFY(!CreateKey(QStringLiteral("HKCU\\Software\\\\\\\\Bad")));
}

void TestRegistry::deleteKey()
{
    QVERIFY(!DeleteKey(QStringLiteral("HKCU\\Software\\Missing")));
    QVERIFY(!DeleteValue(QStringLiteral("HKCU\\Software\\Missing")));
    // Nothing to delete leaves no trace: not even the store's folder.
    QVERIFY(!QFileInfo::exists(QFileInfo(storeFile()).absolutePath()));
    QVERIFY(CreateKey(QStringLiteral("HKCU\\Software\\New\\Deep")));
    QVERIFY(!DeleteKey(QStringLiteral("HKCU\\Software\\New")));
    QVERIFY(DeleteKey(QStringLiteral("HKCU\\Software\\New\\Deep")));
    QVERIFY(!DeleteKey(QStringLiteral("HKCU\\Software\\New\\Deep")));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\New"), 4), QVariant(true));
    QCOMPARE(GetAllKeys(QStringLiteral("HKCU\\Software")), QVariant(QVariantList{QVariant()}));
    QVERIFY(!DeleteKey(QStringLiteral("HKCU")));
}

void TestRegistry::deleteValue()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, 3);
    Registry(QStringLiteral("HKCU\\Software\\A\\Keep"), 0, 4);
    QVERIFY(!DeleteValue(QStringLiteral("HKCU\\Software\\A\\Missing")));
    QVERIFY(!DeleteValue(QStringLiteral("HKCU\\Software\\Nowhere\\Port")));
    QVERIFY(DeleteValue(QStringLiteral("HKCU\\Software\\A\\Port")));
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A\\Port")).isValid());
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Keep"), 5), QVariant(true));
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A\\Keep")).isValid());
}

void TestRegistry::otherRootsTakeNoWrites_data()
{
    QTest::addColumn<QString>("root");
    QTest::newRow("HKU, no root") << "HKU";
    QTest::newRow("local machine") << "HKLM";
    QTest::newRow("users") << "HKEY_USERS";
    QTest::newRow("classes root") << "HKCR";
}

void TestRegistry::otherRootsTakeNoWrites()
{
    QFETCH(QString, root);
    const QString path = root + QStringLiteral("\\Software\\A\\Port");
    Registry(path, 0, 5);
    Registry(path, 0, QVariantList{1, 2});
    QVERIFY(!QFile::exists(storeFile()));
    QVERIFY(!Registry(path).isValid());
    QVERIFY(!DeleteValue(path));
    QCOMPARE(m_beeps, 0);
}

void TestRegistry::rootDefaultValue()
{
    Registry(QStringLiteral("HKCU"), 0, QStringLiteral("top"));
    QCOMPARE(Registry(QStringLiteral("HKCU\\")), QVariant(QStringLiteral("top")));
    QCOMPARE(Registry(QStringLiteral("hkey_current_user")), QVariant(QStringLiteral("top")));
    QCOMPARE(GetAllValues(QStringLiteral("HKCU")), QVariant(QVariantList{QString("")}));
    // A trailing backslash names a key's default value, not a value called "".
    Registry(QStringLiteral("HKCU\\Software\\A\\"), 0, 9);
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\")), QVariant(9));
    // Without it the last name is a value of the key above.
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A")).isValid());
}

void TestRegistry::namesIgnoreCase()
{
    Registry(QStringLiteral("hkcu\\Software\\Abc\\Name"), 0, 1);
    QCOMPARE(Registry(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\aBC\\NAME")), QVariant(1));
    Registry(QStringLiteral("HKCU\\software\\ABC\\nAmE"), 0, 2);
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\Abc\\Name")), QVariant(2));
    QCOMPARE(GetAllKeys(QStringLiteral("HKCU\\SOFTWARE")), QVariant(QVariantList{"Abc"}));
    QCOMPARE(GetAllValues(QStringLiteral("HKCU\\Software\\abc")), QVariant(QVariantList{"Name"}));
}

void TestRegistry::backslashInValueName()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\\\My\\Value"), 0, 7);
    QCOMPARE(GetAllValues(QStringLiteral("HKCU\\Software\\A")), QVariant(QVariantList{"My\\Value"}));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\\\My\\Value")), QVariant(7));
    QCOMPARE(GetAllKeys(QStringLiteral("HKCU\\Software\\A")), QVariant(QVariantList{QVariant()}));
}

void TestRegistry::blankPaths()
{
    Registry(QStringLiteral("   "), 0, 5);
    QVERIFY(!QFile::exists(storeFile()));
    QVERIFY(!Registry(QString()).isValid());
    QVERIFY(!GetAllKeys(QStringLiteral(" ")).isValid());
    QVERIFY(!GetAllValues(QString()).isValid());
    QVERIFY(!CreateKey(QString()));
    QVERIFY(!DeleteKey(QString()));
    QVERIFY(!DeleteValue(QStringLiteral("  ")));
    QCOMPARE(ReadWithDefault(QString(), 3), QVariant(3));
    QCOMPARE(m_beeps, 0);
}

void TestRegistry::fileLayout()
{
    Registry(QStringLiteral("HKCU\\Software\\Norvane\\Left"), 0, 5);
    Registry(QStringLiteral("HKCU\\Software\\Norvane\\Dir"), 0, QStringLiteral("/tmp"));
    Registry(QStringLiteral("HKCU\\Software\\Norvane\\Ports"), 0, QStringList{"a", "b"});
    Registry(QStringLiteral("HKCU\\Software\\Norvane\\Raw"), 0, QByteArray("\x01\xab", 2));

    QFile f(storeFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject doc = QJsonDocument::fromJson(f.readAll()).object();
    const QJsonObject values = doc["HKEY_CURRENT_USER"]["keys"]["Software"]["keys"]["Norvane"]["values"]
                                   .toObject();
    QCOMPARE(values["Left"].toObject(),
             QJsonObject({{"type", "REG_DWORD"}, {"data", 5}}));
    QCOMPARE(values["Dir"].toObject(),
             QJsonObject({{"type", "REG_SZ"}, {"data", "/tmp"}}));
    QCOMPARE(values["Ports"].toObject(),
             QJsonObject({{"type", "REG_MULTI_SZ"}, {"data", QJsonArray{"a", "b"}}}));
    QCOMPARE(values["Raw"].toObject(),
             QJsonObject({{"type", "REG_BINARY"}, {"data", "01ab"}}));
}

void TestRegistry::foreignTypesReadAsNoValue_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QVariant>("read");

    QTest::newRow("expandable string") << QByteArray(R"({"type":"REG_EXPAND_SZ","data":"%HOME%"})")
                                       << QVariant();
    QTest::newRow("64-bit number") << QByteArray(R"({"type":"REG_QWORD","data":5})") << QVariant();
    QTest::newRow("fractional number") << QByteArray(R"({"type":"REG_DWORD","data":1.5})")
                                       << QVariant();
    QTest::newRow("number too large") << QByteArray(R"({"type":"REG_DWORD","data":4294967295})")
                                      << QVariant();
    QTest::newRow("text that is a number") << QByteArray(R"({"type":"REG_SZ","data":5})") << QVariant();
    QTest::newRow("bad hex") << QByteArray(R"({"type":"REG_BINARY","data":"0g"})") << QVariant();
    QTest::newRow("list with a number") << QByteArray(R"({"type":"REG_MULTI_SZ","data":["a",1]})")
                                        << QVariant();
    QTest::newRow("not an object") << QByteArray("17") << QVariant();
    QTest::newRow("text with NUL")
        << QByteArray(R"({"type":"REG_SZ","data":"ab\u0000cd"})") << QVariant(QStringLiteral("ab"));
    QTest::newRow("list, trailing empties dropped")
        << QByteArray(R"({"type":"REG_MULTI_SZ","data":["a","","b","",""]})")
        << QVariant(QStringList{"a", "", "b"});
    QTest::newRow("empty list") << QByteArray(R"({"type":"REG_MULTI_SZ","data":[]})")
                                << QVariant(QStringList{});
    QTest::newRow("upper-case hex") << QByteArray(R"({"type":"REG_BINARY","data":"0AFF"})")
                                    << QVariant(QByteArray("\x0a\xff", 2));
}

void TestRegistry::foreignTypesReadAsNoValue()
{
    QFETCH(QByteArray, value);
    QFETCH(QVariant, read);
    writeFile(R"({"HKEY_CURRENT_USER":{"keys":{"Software":{"values":{"V":)" + value + "}}}}}");
    const QVariant got = Registry(QStringLiteral("HKCU\\Software\\V"));
    QCOMPARE(got.typeId(), read.typeId());
    QCOMPARE(got, read);
    QCOMPARE(m_beeps, 0);
}

void TestRegistry::emptyBinaryOnFileBeeps()
{
    writeFile(R"({"HKEY_CURRENT_USER":{"values":{"V":{"type":"REG_BINARY","data":""}}}})");
    QVERIFY(!Registry(QStringLiteral("HKCU\\\\V")).isValid());
    QCOMPARE(m_beeps, 1);
    QCOMPARE(ReadWithDefault(QStringLiteral("HKCU\\\\V"), 8), QVariant(8));
}

void TestRegistry::defaultLocation()
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    setStoreFile(QString());
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    QCOMPARE(storeFile(), m_dir->filePath(QStringLiteral("presetta/registry.json")));
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, 1);
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("presetta/registry.json"))));

    qputenv("XDG_CONFIG_HOME", "relative/dir");
    QCOMPARE(storeFile(), QDir::homePath() + QStringLiteral("/.config/presetta/registry.json"));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(storeFile(), QDir::homePath() + QStringLiteral("/.config/presetta/registry.json"));
    if (!saved.isNull())
        qputenv("XDG_CONFIG_HOME", saved);
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
