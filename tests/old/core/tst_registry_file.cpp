#include "platform/Beep.h"
#include "settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace mRegistry2;

// How the store's file behaves when it is damaged or cannot be written.
class TestRegistryFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void corruptFileReadsAsEmpty_data();
    void corruptFileReadsAsEmpty();
    void corruptFileRepairedByNextWrite_data();
    void corruptFileRepairedByNextWrite();
    void unreadableFile();
    void failedWriteKeepsOldFile();
    void readOnlyDirectoryKeepsOldFile();
    void foreignContentSurvivesWrites();
    void noLockLeftBehind();

private:
    QByteArray fileContent() const;
    void setFileContent(const QByteArray &content);

    QTemporaryDir *m_dir = nullptr;
    int m_beeps = 0;
};

void TestRegistryFile::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    setStoreFile(m_dir->filePath(QStringLiteral("registry.json")));
    m_beeps = 0;
    Beep::setHandler([this] { ++m_beeps; });
}

void TestRegistryFile::cleanup()
{
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                             | QFileDevice::ExeOwner);
    Beep::setHandler({});
    setStoreFile(QString());
    delete m_dir;
    m_dir = nullptr;
}

QByteArray TestRegistryFile::fileContent() const
{
    QFile f(storeFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestRegistryFile::setFileContent(const QByteArray &content)
{
    QFile f(storeFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

static void corruptContents()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("garbage{");
    QTest::newRow("cut short") << QByteArray(R"({"HKEY_CURRENT_USER":{"keys":{"Software":{"val)");
    QTest::newRow("array") << QByteArray("[1,2]");
    QTest::newRow("root is a number") << QByteArray(R"({"HKEY_CURRENT_USER":5})");
    QTest::newRow("keys is a text") << QByteArray(R"({"HKEY_CURRENT_USER":{"keys":"x"}})");
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01{", 5);
}

void TestRegistryFile::corruptFileReadsAsEmpty_data()
{
    corruptContents();
}

void TestRegistryFile::corruptFileReadsAsEmpty()
{
    QFETCH(QByteArray, content);
    setFileContent(content);
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A\\Port")).isValid());
    QCOMPARE(ReadWithDefault(QStringLiteral("HKCU\\Software\\A\\Port"), 2), QVariant(2));
    QCOMPARE(GetAllKeys(QStringLiteral("HKCU\\Software")), QVariant(QVariantList{QVariant()}));
    QCOMPARE(GetAllValues(QStringLiteral("HKCU")), QVariant(QVariantList{QVariant()}));
    QVERIFY(!DeleteValue(QStringLiteral("HKCU\\Software\\A\\Port")));
    QCOMPARE(fileContent(), content);
    QCOMPARE(m_beeps, 0);
}

void TestRegistryFile::corruptFileRepairedByNextWrite_data()
{
    corruptContents();
}

void TestRegistryFile::corruptFileRepairedByNextWrite()
{
    QFETCH(QByteArray, content);
    setFileContent(content);
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, QStringLiteral("ttyUSB0"));
    QJsonParseError error{};
    QVERIFY(QJsonDocument::fromJson(fileContent(), &error).isObject());
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Port")), QVariant(QStringLiteral("ttyUSB0")));
}

void TestRegistryFile::unreadableFile()
{
    if (geteuid() == 0)
        QSKIP("file permissions do not bind root");
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, 1);
    QVERIFY(QFile::setPermissions(storeFile(), QFileDevice::WriteOwner));
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A\\Port")).isValid());
    Registry(QStringLiteral("HKCU\\Software\\A\\Top"), 0, 2);
    QVERIFY(QFile::setPermissions(storeFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Top")), QVariant(2));
}

void TestRegistryFile::failedWriteKeepsOldFile()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, QStringLiteral("old"));
    const QByteArray before = fileContent();
    QVERIFY(!before.isEmpty());

    // A file size limit far below the new file makes the write fail half-way.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    Registry(QStringLiteral("HKCU\\Software\\A\\Big"), 0, QString(100000, QLatin1Char('x')));
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, QString(100000, QLatin1Char('y')));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(fileContent(), before);
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Port")), QVariant(QStringLiteral("old")));
    QVERIFY(!Registry(QStringLiteral("HKCU\\Software\\A\\Big")).isValid());
    const QStringList leftovers = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(leftovers, QStringList{QStringLiteral("registry.json")});

    Registry(QStringLiteral("HKCU\\Software\\A\\Big"), 0, QString(100000, QLatin1Char('x')));
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Big")).toString().size(), 100000);
}

void TestRegistryFile::readOnlyDirectoryKeepsOldFile()
{
    if (geteuid() == 0)
        QSKIP("directory permissions do not bind root");
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, QStringLiteral("old"));
    const QByteArray before = fileContent();
    QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, QStringLiteral("new"));
    QCOMPARE(fileContent(), before);
    QCOMPARE(Registry(QStringLiteral("HKCU\\Software\\A\\Port")), QVariant(QStringLiteral("old")));
}

void TestRegistryFile::foreignContentSurvivesWrites()
{
    setFileContent(R"({"comment":"kept","HKEY_CURRENT_USER":{"values":{
        "Path":{"type":"REG_EXPAND_SZ","data":"%HOME%"}}}})");
    Registry(QStringLiteral("HKCU\\\\Other"), 0, 3);
    const QJsonObject doc = QJsonDocument::fromJson(fileContent()).object();
    QCOMPARE(doc["comment"].toString(), QStringLiteral("kept"));
    QCOMPARE(doc["HKEY_CURRENT_USER"]["values"]["Path"]["data"].toString(), QStringLiteral("%HOME%"));
    QCOMPARE(Registry(QStringLiteral("HKCU\\\\Other")), QVariant(3));
}

void TestRegistryFile::noLockLeftBehind()
{
    Registry(QStringLiteral("HKCU\\Software\\A\\Port"), 0, 1);
    QVERIFY(DeleteValue(QStringLiteral("HKCU\\Software\\A\\Port")));
    QVERIFY(!QFile::exists(storeFile() + QStringLiteral(".lock")));
}

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_registry_file.moc"
