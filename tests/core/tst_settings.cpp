// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store, and its file: replaced atomically, repaired, shared.
#include "TestFiles.h"
#include "platform/Beep.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryPath.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace mRegistry2;

static const QString kA = QStringLiteral("HKCU\\Software\\A\\");
static const QString kV = QStringLiteral("HKCU\\Software\\V");
static constexpr int kWrites = 100;

static QString writerValue(const QString &writer, int i) { return kA + "W" + writer + "_" + QString::number(i); }

class TestSettings : public QObject
{
    Q_OBJECT
    TestStore m_store;
    int m_beeps = 0;

private slots:
    void init() { QFile::remove(storeFile()); m_beeps = 0; Beep::setHandler([this] { ++m_beeps; }); }

    // How a path splits ("key path|value name"), and what the store makes of
    // it: nothing there yet, and a write that lands only under the user's root.
    void paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("root");
        QTest::addColumn<QString>("split");
        QTest::addColumn<bool>("writable");
        const int cu = int(RegistryRoot::CurrentUser);
        QTest::newRow("value, key exists") << "HKCU\\Software\\A\\LastDir" << cu << "Software\\A|LastDir" << true;
        QTest::newRow("two keep the name whole") << "HKCU\\S\\A\\\\My\\Value" << cu << "S\\A|My\\Value" << true;
        QTest::newRow("three leave two") << "HKCU\\Key\\\\\\Value" << cu << "Key|\\\\Value" << true;
        QTest::newRow("last pair wins") << "HKCU\\A\\\\B\\\\C" << cu << "A\\\\B|C" << false;
        QTest::newRow("trailing one") << "HKLM\\SOFT\\X\\" << int(RegistryRoot::LocalMachine) << "SOFT\\X|" << false;
        QTest::newRow("root alone") << "HKCU" << cu << "|" << true;
        QTest::newRow("blanks, lower case") << "  hkey_current_user \\A\\B " << cu << "A|B" << true;
        QTest::newRow("HKU is no root") << "HKU\\A\\B" << int(RegistryRoot::None) << "A|B" << false;
        QTest::newRow("users") << "HKEY_USERS\\A\\B" << int(RegistryRoot::Users) << "A|B" << false;
        QTest::newRow("blank") << "   " << int(RegistryRoot::None) << "|" << false;
    }
    void paths()
    {
        QFETCH(QString, path);
        QFETCH(bool, writable);
        const RegistryPath p = RegistryPath::split(path);
        QTEST(int(p.root), "root");
        QTEST(p.keyPath + '|' + p.valueName, "split");
        Registry(kA + "Port", 0, 3);
        const QByteArray before = readBytes(storeFile());
        QVERIFY(!Registry(path).isValid());
        QCOMPARE(ReadWithDefault(path, 100), QVariant(100));
        Registry(path, 0, 6);
        QCOMPARE(Registry(path), writable ? QVariant(6) : QVariant());
        QCOMPARE(readBytes(storeFile()) != before, writable);
        QCOMPARE(m_beeps, 0);
    }

    // Written over "old", or found in the file as `stored`; a refused value
    // beeps and leaves the old one. Whatever the file held, the next write lands.
    void values_data()
    {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QVariant>("read");
        QTest::addColumn<int>("beeps");
        const auto row = [](const char *name, const QVariant &written, const QVariant &read, int beeps = 0, const char *stored = "") {
            QTest::newRow(name) << written << QByteArray(stored) << read << beeps;
        };
        row("int", 5, 5);
        row("16-bit", QVariant::fromValue<short>(-7), -7);
        row("8-bit", QVariant::fromValue<uchar>(200), 200);
        row("text to NUL", QString::fromUtf16(u"ab\0c", 4), "ab");
        row("beyond 8 bits", "/home/jürgen/Ω", "/home/jürgen/Ω");
        row("64-bit as text", Q_INT64_C(5000000000), "5000000000");
        row("no value as text", QVariant(), "");
        row("list without empties, cut at NUL", QStringList{"a", "", QString::fromUtf16(u"x\0y", 3)}, QStringList{"a", "x"});
        row("bytes", QByteArray("\0\1\xff", 3), QByteArray("\0\1\xff", 3));
        row("all elements empty", QStringList{"", QString(1, QChar(0))}, "old", 1);
        row("empty bytes", QByteArray(), "old", 1);
        row("mixed list", QVariantList{1, "a"}, "old", 1);
        row("no text form", QRect(1, 2, 3, 4), "old", 1);
        row("other type", {}, {}, 0, R"({"type":"REG_EXPAND_SZ","data":"%HOME%"})");
        row("too large", {}, {}, 0, R"({"type":"REG_DWORD","data":2147483648})");
        row("bad hex", {}, {}, 0, R"({"type":"REG_BINARY","data":"0g"})");
        row("stored NUL", {}, "ab", 0, R"({"type":"REG_SZ","data":"ab\u0000c"})");
        row("trailing empties", {}, QStringList{"a", "", "b"}, 0, R"({"type":"REG_MULTI_SZ","data":["a","","b","",""]})");
        row("stored empty bytes", {}, {}, 1, R"({"type":"REG_BINARY","data":""})");
        row("not JSON", {}, {}, 0, "{\xff");
    }
    void values()
    {
        QFETCH(QVariant, written);
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, read);
        Registry(kV, 0, QStringLiteral("old"));
        if (stored.isEmpty())
            Registry(kV, 0, written);
        else
            QVERIFY(writeBytes(storeFile(), R"({"HKEY_CURRENT_USER":{"keys":{"Software":{"values":{"V":)" + stored + "}}}}}"));
        const QVariant got = ReadWithDefault(kV, QVariant());
        QCOMPARE(got.typeId(), read.typeId());
        QCOMPARE(got, read);
        QTEST(m_beeps, "beeps");
        Registry(kA + "Next", 0, 9);
        QCOMPARE(Registry(kA + "Next"), QVariant(9));
    }

    void keyOperations()
    {
        for (const char *name : {"beta\\V", "Alpha\\V", "Zed", "aim", "ALPHA\\v"})
            Registry(kA + name, 0, 1);
        const QVariant keys(QVariantList{"Alpha", "beta"});
        const QVariant none(QVariantList{QVariant()});
        // Operations in this order, and their results.
        const QVariantList done{
            GetAllKeys("HKCU\\Software\\A"), Registry(kA, 1), Registry("HKCU\\Software\\A", 2), GetAllValues(kA + "alpha"),
            GetAllKeys(kA + "Alpha"), GetAllValues(kA + "Missing"), GetAllKeys(" "), Registry(kA + "New\\Deep", 3),
            CreateKey("HKLM\\Software\\New"), CreateKey(kA + "\\\\\\Bad"), DeleteKey(kA + "New"), DeleteKey(kA + "New\\Deep"),
            DeleteKey(kA + "New\\Deep"), Registry(kA + "New", 4), DeleteKey("HKCU"), GetAllKeys(kA),
            DeleteValue(kA + "Zed"), Registry(kA + "aim", 5), DeleteValue(kA + "aim"), DeleteValue("HKLM\\Software\\A\\Zed"),
            GetAllValues(kA), Registry(kA + "Alpha\\V", 6)};
        const QVariantList results{keys, keys, QVariantList{"aim", "Zed"}, QVariantList{"V"}, none, none, QVariant(), true,
                                   false, false, false, true, false, true, false, keys, true, true, false, false, none, 1};
        QCOMPARE(done, results);
    }

    // The program's own values: read by their kind, another kind gives the
    // default, and the setters store the kinds the window always stored.
    void programSettings()
    {
        ProgramSettings s;
        const auto put = [](const char *name, const QVariant &v) { Registry(ProgramSettings::path(name), 0, v); };
        const auto kinds = [&] {
            QStringList k;
            for (const char *name : {"LastDir", "Win.Left", "Win.Top", "COM-Port", "ExtraPorts"})
                k << Registry(ProgramSettings::path(name)).typeName();
            return k.join(' ') + QStringLiteral(" | %1 %2 %3 %4 %5").arg(s.lastDir("/default/")).arg(s.winLeft().value_or(-1))
                .arg(s.winTop().value_or(-1)).arg(s.comPort().toString(), s.extraPorts().join(','));
        };
        QCOMPARE(kinds(), "     | /default/ -1 -1  ");
        put("LastDir", 5), put("Win.Left", "120"), put("Win.Top", QStringList{"1"}), put("COM-Port", QByteArray("3"));
        put("ExtraPorts", 7);
        QCOMPARE(kinds(), "int QString QStringList QByteArray int | /default/ -1 -1  ");
        put("LastDir", ""), put("COM-Port", 3), put("ExtraPorts", "/dev/a|A");
        QCOMPARE(kinds(), "QString QString QStringList int QString | /default/ -1 -1 3 /dev/a|A");
        s.setLastDir("/a/"), s.setWindowPosition(-2000, 40), s.setComPort("ttyUSB0"), s.setExtraPorts({"/dev/b", "/dev/c|C"});
        QCOMPARE(kinds(), "QString int int QString QStringList | /a/ -2000 40 ttyUSB0 /dev/b,/dev/c|C");
        s.setExtraPorts({});
        QVERIFY(!Registry(ProgramSettings::path("ExtraPorts")).isValid());
    }

    void failedWriteKeepsOldFile()
    {
        Registry(kV, 0, QStringLiteral("old"));
        const QByteArray before = readBytes(storeFile());
        // A file size limit below the new file makes the write fail half-way.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{4096, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        Registry(kV, 0, QString(100000, QLatin1Char('y')));
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(readBytes(storeFile()), before);
    }

    void twoWritersLoseNothing()
    {
        QProcess writers[2];
        for (int w = 0; w < 2; ++w)
            writers[w].start(QCoreApplication::applicationFilePath(), {"--settings-writer", storeFile(), QString::number(w)});
        for (QProcess &p : writers)
            QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 120000);
        for (int i = 0; i < 2 * kWrites; ++i)
            QCOMPARE(Registry(writerValue(QString::number(i % 2), i / 2)), QVariant(i / 2));
    }

    void defaultLocation() // last: it leaves XDG_CONFIG_HOME changed
    {
        setStoreFile(QString());
        qputenv("XDG_CONFIG_HOME", "relative/dir");
        QCOMPARE(storeFile(), QDir::homePath() + "/.config/presetta/registry.json");
        qputenv("XDG_CONFIG_HOME", m_store.dir().toLocal8Bit());
        QCOMPARE(storeFile(), m_store.dir() + "/presetta/registry.json");
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--settings-writer") == 0) { // a writer of twoWritersLoseNothing
        setStoreFile(QString::fromLocal8Bit(argv[2]));
        for (int i = 0; i < kWrites; ++i)
            Registry(writerValue(argv[3], i), 0, i);
        return 0;
    }
    TestSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
