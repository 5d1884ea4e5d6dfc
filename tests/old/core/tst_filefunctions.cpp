#include "files/Exists.h"
#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"
#include "files/FileRWLite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {
void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
} // namespace

class TestFileFunctions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString path(const QString &name) const { return m_tmp->filePath(name); }
    QString folder() const { return m_tmp->path(); }

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
    }

    void fileSize()
    {
        writeBytes(path("five"), "12345");
        writeBytes(path("empty"), "");
        QCOMPARE(mExists::FileSize(path("five")), 5);
        QCOMPARE(mExists::FileSize(path("empty")), 0);
        QCOMPARE(mExists::FileSize(path("missing")), -1);
        QCOMPARE(mExists::FileSize(folder()), -1);
        QCOMPARE(mExists::FileSize(QString()), -1);
        QCOMPARE(mExists::FileSize(path("five") + QChar(0) + "x"), -1);
        QCOMPARE(mExists::FileSize(QStringLiteral("/dev/null")), -1);
    }

    void fileRead()
    {
        writeBytes(path("text"), "A\xfc\x80\r\n");
        writeBytes(path("empty"), "");
        QString error;
        QCOMPARE(mFileRWLite::FileRead(path("text"), &error), QStringLiteral("Aü€\r\n"));
        QCOMPARE(mFileRWLite::FileRead(path("empty"), &error), QString());
        QCOMPARE(mFileRWLite::FileRead(path("missing"), &error), QString());
        QCOMPARE(mFileRWLite::FileRead(folder(), &error), QString());
        QVERIFY(error.isEmpty());
    }

    void fileReadRefusesHugeFile()
    {
        QFile f(path("huge"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(mFileRWLite::kMaxReadSize + 1)); // sparse, costs no disk
        f.close();
        QString error;
        QCOMPARE(mFileRWLite::FileRead(path("huge"), &error), QString());
        QVERIFY(!error.isEmpty());
    }

    void fileReadReportsUnreadable()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not bind root");
        writeBytes(path("secret"), "x");
        QVERIFY(QFile::setPermissions(path("secret"), QFileDevice::Permissions()));
        QString error;
        QCOMPARE(mFileRWLite::FileRead(path("secret"), &error), QString());
        QVERIFY(!error.isEmpty());
    }

    void fileWriteReplacesWholeContent()
    {
        writeBytes(path("f.csv"), QByteArray(1000, 'x'));
        QString error;
        QVERIFY(mFileRWLite::FileWrite(path("f.csv"), QStringLiteral("Zü€\r\n"), &error));
        QCOMPARE(readBytes(path("f.csv")), QByteArray("Z\xfc\x80\r\n"));
        QVERIFY(mFileRWLite::FileWrite(path("new.csv"), QStringLiteral(" a ")));
        QCOMPARE(readBytes(path("new.csv")), QByteArray(" a "));
        QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), 2);
    }

    void fileWriteRefusesBlankText()
    {
        writeBytes(path("old"), "keep");
        QString error;
        QVERIFY(!mFileRWLite::FileWrite(path("old"), QStringLiteral("   "), &error));
        QVERIFY(!mFileRWLite::FileWrite(path("none"), QString()));
        QCOMPARE(readBytes(path("old")), QByteArray("keep"));
        QVERIFY(!QFile::exists(path("none")));
    }

    void fileWriteFailuresReport_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("device full") << QStringLiteral("/dev/full");
        QTest::newRow("no folder") << QStringLiteral("/nonexistent-folder/x.csv");
        QTest::newRow("a folder") << QDir::tempPath();
    }
    void fileWriteFailuresReport()
    {
        QFETCH(QString, target);
        QString error;
        QVERIFY(!mFileRWLite::FileWrite(target, QStringLiteral("data"), &error));
        QVERIFY(!error.isEmpty());
        if (target == QLatin1String("/dev/full")) // still the device, never replaced
            QCOMPARE(mExists::FileSize(target), -1);
    }

    void fileWriteKeepsOldFileInReadOnlyFolder()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not bind root");
        writeBytes(path("old.csv"), "keep");
        QVERIFY(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QString error;
        const bool ok = mFileRWLite::FileWrite(path("old.csv"), QStringLiteral("new"), &error);
        QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ExeOwner);
        QVERIFY(!ok);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readBytes(path("old.csv")), QByteArray("keep"));
    }

    // A write that fails half way (here: the file size limit) must leave the
    // old file and no stray temporary file behind; works for root too.
    void fileWriteKeepsOldFileWhenWriteFails()
    {
        writeBytes(path("old.csv"), "keep");
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 16;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool ok = mFileRWLite::FileWrite(path("old.csv"), QString(100, QLatin1Char('n')), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!ok);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readBytes(path("old.csv")), QByteArray("keep"));
        QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.csv"});
    }

    void extract_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows") << "C:\\Data\\list.csv" << "list.csv" << "C:\\Data\\";
        QTest::newRow("posix") << "/home/u/list.csv" << "list.csv" << "/home/u/";
        QTest::newRow("mixed, last wins") << "C:\\a/b\\c.csv" << "c.csv" << "C:\\a/b\\";
        QTest::newRow("no separator") << "list.csv" << "list.csv" << "";
        QTest::newRow("folder only") << "/home/u/" << "" << "/home/u/";
        QTest::newRow("empty") << "" << "" << "";
    }
    void extract()
    {
        QFETCH(QString, path);
        QFETCH(QString, fileName);
        QFETCH(QString, folder);
        QCOMPARE(mExtractFileName::ExtractFileName(path), fileName);
        QCOMPARE(mExtractPath::ExtractPath(path), folder);
    }
};

QTEST_GUILESS_MAIN(TestFileFunctions)
#include "tst_filefunctions.moc"
