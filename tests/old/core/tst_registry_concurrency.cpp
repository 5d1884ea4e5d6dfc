#include "settings/Registry.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace mRegistry2;

namespace {

const QString kRaceKey = QStringLiteral("HKCU\\Software\\Race\\");
const char kWriterSwitch[] = "--registry-writer";

// Child mode: write values <prefix>0, <prefix>1, ... each holding its
// number; `count` 0 writes until killed.
int runWriter(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 5)
        return 2;
    setStoreFile(QString::fromLocal8Bit(argv[2]));
    const QString prefix = QString::fromLocal8Bit(argv[3]);
    const int count = QByteArray(argv[4]).toInt();
    for (int i = 0; count == 0 || i < count; ++i) {
        Registry(kRaceKey + prefix + QString::number(i), 0, i);
        if (i == 0) {
            std::fputs("started\n", stdout);
            std::fflush(stdout);
        }
    }
    return 0;
}

} // namespace

// Two programs writing the store at the same time, and one killed mid-write.
class TestRegistryConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoWritersLoseNothing();
    void killedWriterLeavesValidFile();

private:
    void startWriter(QProcess &process, const QString &prefix, int count);
    static bool fileParses(const QString &file);

    QTemporaryDir *m_dir = nullptr;
};

void TestRegistryConcurrency::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    setStoreFile(m_dir->filePath(QStringLiteral("registry.json")));
}

void TestRegistryConcurrency::cleanup()
{
    setStoreFile(QString());
    delete m_dir;
    m_dir = nullptr;
}

void TestRegistryConcurrency::startWriter(QProcess &process, const QString &prefix, int count)
{
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  {QString::fromLatin1(kWriterSwitch), storeFile(), prefix, QString::number(count)});
    QVERIFY(process.waitForStarted());
}

bool TestRegistryConcurrency::fileParses(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QJsonParseError error{};
    return QJsonDocument::fromJson(f.readAll(), &error).isObject()
        && error.error == QJsonParseError::NoError;
}

void TestRegistryConcurrency::twoWritersLoseNothing()
{
    constexpr int kCount = 1000;
    QProcess a;
    QProcess b;
    startWriter(a, QStringLiteral("A"), kCount);
    startWriter(b, QStringLiteral("B"), kCount);
    QVERIFY(a.waitForFinished(600000));
    QVERIFY(b.waitForFinished(600000));
    QCOMPARE(a.exitStatus(), QProcess::NormalExit);
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitStatus(), QProcess::NormalExit);
    QCOMPARE(b.exitCode(), 0);

    QVERIFY(fileParses(storeFile()));
    for (const QString &prefix : {QStringLiteral("A"), QStringLiteral("B")}) {
        for (int i = 0; i < kCount; ++i) {
            const QString path = kRaceKey + prefix + QString::number(i);
            QCOMPARE(Registry(path), QVariant(i));
        }
    }
    QCOMPARE(GetAllValues(kRaceKey).toList().size(), 2 * kCount);
}

void TestRegistryConcurrency::killedWriterLeavesValidFile()
{
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        const QString prefix = QStringLiteral("K%1_").arg(round);
        QProcess writer;
        startWriter(writer, prefix, 0);
        QVERIFY(writer.waitForReadyRead(60000));
        QTest::qWait(QRandomGenerator::global()->bounded(40));
        writer.kill(); // SIGKILL: no chance to finish or clean up
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        QVERIFY2(fileParses(storeFile()), qPrintable(QStringLiteral("round %1").arg(round)));
        // Values are written in order, so the ones kept are an unbroken run.
        int kept = 0;
        while (Registry(kRaceKey + prefix + QString::number(kept)) == QVariant(kept))
            ++kept;
        QVERIFY(kept >= 1);
        const QVariantList names = GetAllValues(kRaceKey).toList();
        const auto ofRound = std::count_if(names.begin(), names.end(), [&](const QVariant &n) {
            return n.toString().startsWith(prefix);
        });
        QCOMPARE(ofRound, kept);
    }
    // The lock the last writer held is taken over, not waited for.
    Registry(kRaceKey + QStringLiteral("After"), 0, 1);
    QCOMPARE(Registry(kRaceKey + QStringLiteral("After")), QVariant(1));
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], kWriterSwitch) == 0)
        return runWriter(argc, argv);
    QCoreApplication app(argc, argv);
    TestRegistryConcurrency test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_registry_concurrency.moc"
