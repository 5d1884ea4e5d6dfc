// Saves that cannot be written: the user is told why, the old file stays as
// it was, and the folder is not remembered.

#include "tst_frmmain_files_common.h"

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kPriorDir = QStringLiteral("/prior/folder/");

// Lowers the file size limit while it lives. The signal the limit would raise
// is ignored, so the write fails with an error instead of ending the test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_ok = ::getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_ok = m_ok && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

} // namespace

class tst_FrmMainFilesSaveFail : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void failureIsReported_data();
    void failureIsReported();
    void fileSizeLimitKeepsOldFile();
    void readOnlyFolderKeepsOldFile();
    void saveWorksAgainAfterAFailure();

private:
    // The message of the one failure, checked in the house style.
    static void verifyMessage(const FrmMainHarness &h, const QString &fileName);
    FilesFixture m_fx;
};

void tst_FrmMainFilesSaveFail::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_FrmMainFilesSaveFail::init()
{
    QVERIFY(m_fx.setUp());
    mRegistry2::Registry(lastDirSetting(), 0, kPriorDir);
}

void tst_FrmMainFilesSaveFail::cleanup()
{
    m_fx.tearDown();
}

void tst_FrmMainFilesSaveFail::verifyMessage(const FrmMainHarness &h, const QString &fileName)
{
    QCOMPARE(h.dialogs.messages.size(), 1);
    const RecordingDialogs::Message m = h.dialogs.messages.first();
    QCOMPARE(m.title, QStringLiteral(" ERROR"));
    const QString start = QStringLiteral("  Could not save \"%1\": ").arg(fileName);
    QVERIFY2(m.text.startsWith(start), qPrintable(m.text));
    QVERIFY2(m.text.endsWith(QStringLiteral("  ")), qPrintable(m.text));
    // A reason follows the file name.
    QVERIFY2(!m.text.mid(start.size()).trimmed().isEmpty(), qPrintable(m.text));
    QCOMPARE(h.dialogs.beeps, 0);
}

void tst_FrmMainFilesSaveFail::failureIsReported_data()
{
    QTest::addColumn<QString>("target"); // relative to the test folder, or absolute
    QTest::addColumn<QString>("fileName");

    QTest::newRow("missing folder") << "no/such/folder/list.csv" << "list.csv";
    QTest::newRow("target is a folder") << "folder.csv" << "folder.csv";
    QTest::newRow("full device") << "/dev/full" << "full";
}

void tst_FrmMainFilesSaveFail::failureIsReported()
{
    QFETCH(QString, target);
    QFETCH(QString, fileName);

    const QString path = target.startsWith(QLatin1Char('/')) ? target : m_fx.filesDir() + QLatin1Char('/') + target;
    if (target == QLatin1String("folder.csv"))
        QVERIFY(QDir().mkpath(path));
    if (target.startsWith(QLatin1String("/dev/")) && !QFile::exists(path))
        QSKIP("no such device here");

    auto h = m_fx.startWindow();
    QVERIFY(h);
    saveAs(*h, path);
    verifyMessage(*h, fileName);
    QCOMPARE(mRegistry2::Registry(lastDirSetting()), QVariant(kPriorDir));
    if (target == QLatin1String("folder.csv"))
        QVERIFY(QFileInfo(path).isDir());
}

void tst_FrmMainFilesSaveFail::fileSizeLimitKeepsOldFile()
{
    const QString path = m_fx.file("kept.csv");
    const QByteArray old = QByteArray(kHeader + "100400;OLD;0000;0;1\r\n");
    QVERIFY(writeBytes(path, old));
    auto h = m_fx.startWindow();
    QVERIFY(h);
    {
        // Room for a little, not for the 100 lines of a full table.
        FileSizeLimit limit(300);
        QVERIFY(limit.ok());
        saveAs(*h, path);
    }
    verifyMessage(*h, QStringLiteral("kept.csv"));
    QCOMPARE(readBytes(path), old);
    // No half-written file left beside it.
    QCOMPARE(QDir(m_fx.filesDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.csv"});
    QCOMPARE(mRegistry2::Registry(lastDirSetting()), QVariant(kPriorDir));
}

void tst_FrmMainFilesSaveFail::readOnlyFolderKeepsOldFile()
{
    if (::geteuid() == 0)
        QSKIP("root writes into read-only folders");
    const QString dir = m_fx.file("readonly");
    QVERIFY(QDir().mkpath(dir));
    const QString path = dir + QStringLiteral("/kept.csv");
    const QByteArray old = QByteArray(kHeader + "100400;OLD;0000;0;1\r\n");
    QVERIFY(writeBytes(path, old));
    QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    auto h = m_fx.startWindow();
    QVERIFY(h);

    saveAs(*h, path);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    verifyMessage(*h, QStringLiteral("kept.csv"));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(mRegistry2::Registry(lastDirSetting()), QVariant(kPriorDir));
}

void tst_FrmMainFilesSaveFail::saveWorksAgainAfterAFailure()
{
    auto h = m_fx.startWindow();
    QVERIFY(h);
    saveAs(*h, m_fx.file("missing/list.csv"));
    QCOMPARE(h->dialogs.messages.size(), 1);

    saveAs(*h, m_fx.file("list.csv"));
    QCOMPARE(h->dialogs.messages.size(), 1);
    QCOMPARE(readBytes(m_fx.file("list.csv")), memoryFile({}));
    QCOMPARE(mRegistry2::Registry(lastDirSetting()), QVariant(m_fx.filesDir() + QLatin1Char('/')));
}

QTEST_MAIN(tst_FrmMainFilesSaveFail)
#include "tst_frmmain_files_savefail.moc"
