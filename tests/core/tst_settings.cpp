// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store, and its file: replaced atomically, repaired, shared.
#include "TestFiles.h"
#include "platform/Beep.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryPath.h"

#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <thread>

using namespace mRegistry2;

static const QString kA = QStringLiteral("HKCU\\Software\\A\\");
static const QString kV = QStringLiteral("HKCU\\Software\\V");

class TestSettings : public QObject
{
    Q_OBJECT
    TestStore m_store;
    int m_beeps = 0;

private slots:
    void init()
    {
        QFile::remove(storeFile());
        m_beeps = 0;
        Beep::setHandler([this] { ++m_beeps; });
    }

    // How a path splits; a value lands only under the user's root, in a key path without empty names.
    void paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<RegistryRoot>("root");
        QTest::addColumn<QString>("keyPath");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<bool>("writable");
        const RegistryRoot cu = RegistryRoot::CurrentUser;
        QTest::newRow("two keep the name whole") << "HKCU\\S\\A\\\\My\\Value" << cu << "S\\A" << "My\\Value" << true;
        QTest::newRow("last pair wins") << "HKCU\\A\\\\B\\\\C" << cu << "A\\\\B" << "C" << false;
        QTest::newRow("trailing one") << "HKLM\\SOFT\\X\\" << RegistryRoot::LocalMachine << "SOFT\\X" << "" << false;
        QTest::newRow("blank") << "   " << RegistryRoot::None << "" << "" << false;
    }
    void paths()
    {
        QFETCH(QString, path);
        QFETCH(bool, writable);
        const RegistryPath p = RegistryPath::split(path);
        QTEST(p.root, "root");
        QTEST(p.keyPath, "keyPath");
        QTEST(p.valueName, "valueName");
        const QByteArray before = readBytes(storeFile());
        Registry(path, 0, 6);
        QCOMPARE(Registry(path), writable ? QVariant(6) : QVariant());
        QCOMPARE(readBytes(storeFile()) != before, writable);
    }

    // A value written over "old" (refused: a beep, "old" stays), or put in the file by hand, read back.
    void values_data()
    {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QByteArray>("stored"); // the value V under HKCU\Software, instead of a write
        QTest::addColumn<QVariant>("read");
        QTest::addColumn<int>("beeps");
        const QVariant none;
        QTest::newRow("text beyond 8 bits, to NUL") << QVariant(QString::fromUtf16(u"jü\u03a9\0c", 5)) << QByteArray() << QVariant("jü\u03a9") << 0;
        QTest::newRow("list without empties, cut at NUL") << QVariant(QStringList{"a", "", QString::fromUtf16(u"x\0y", 3)}) << QByteArray()
                                                          << QVariant(QStringList{"a", "x"}) << 0;
        QTest::newRow("all elements empty") << QVariant(QStringList{"", QString(1, QChar(0))}) << QByteArray() << QVariant("old") << 1;
        QTest::newRow("stored, too large") << none << QByteArray(R"({"type":"REG_DWORD","data":2147483648})") << none << 0;
        QTest::newRow("stored, trailing empties") << none << QByteArray(R"({"type":"REG_MULTI_SZ","data":["a","","b","",""]})")
                                                  << QVariant(QStringList{"a", "", "b"}) << 0;
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

    // A value of another kind than its own counts as none; the setters store the window's kinds.
    void programSettings()
    {
        QCOMPARE(ProgramSettings::path("COM-Port"), "HKCU\\Software\\Norvane\\Presetta\\COM-Port");
        ProgramSettings s;
        const auto put = [](const char *name, const QVariant &v) { Registry(ProgramSettings::path(name), 0, v); };
        put("Win.Left", "120");
        put("COM-Port", QByteArray("3"));
        QVERIFY(!s.winLeft().has_value());
        QCOMPARE(s.comPort(), QVariant());
        put("COM-Port", 3); // as an older version stored it
        put("ExtraPorts", "/dev/a|A");
        QCOMPARE(s.comPort(), QVariant(3));
        QCOMPARE(s.extraPorts(), QStringList{"/dev/a|A"});
        s.setWindowPosition(-2000, 40);
        s.setComPort("ttyUSB0");
        s.setExtraPorts({"/dev/b", "/dev/c|C"});
        QCOMPARE(s.winLeft().value_or(0), -2000);
        QCOMPARE(s.winTop().value_or(0), 40);
        QCOMPARE(Registry(ProgramSettings::path("COM-Port")), QVariant("ttyUSB0"));
        QCOMPARE(Registry(ProgramSettings::path("ExtraPorts")), QVariant(QStringList({"/dev/b", "/dev/c|C"})));
        s.setExtraPorts({});
        QVERIFY2(!Registry(ProgramSettings::path("ExtraPorts")).isValid(), "an empty list is no value");
        // An empty folder would make the save proposal a bare file name.
        put("LastDir", "");
        QCOMPARE(s.lastDir("/first/"), "/first/");
        s.setLastDir("/home/me/");
        QCOMPARE(s.lastDir("/first/"), "/home/me/");
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

    // Each change re-reads the file under the lock, so two writers at once lose nothing.
    void twoWritersLoseNothing()
    {
        const auto writer = [](const QString &name) {
            for (int i = 0; i < 100; ++i)
                Registry(kA + name + QString::number(i), 0, i);
        };
        std::thread first(writer, "a"), second(writer, "b");
        first.join();
        second.join();
        QCOMPARE(GetAllValues(kA).toList().size(), 200);
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

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
