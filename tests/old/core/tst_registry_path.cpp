#include "settings/RegistryPath.h"

#include <QTest>

Q_DECLARE_METATYPE(RegistryRoot)

class TestRegistryPath : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void splitKey_data();
    void splitKey();
    void keyNames_data();
    void keyNames();
};

void TestRegistryPath::split_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<RegistryRoot>("root");
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("valueName");

    const auto cu = RegistryRoot::CurrentUser;
    QTest::newRow("value under key") << "HKCU\\Software\\A\\B\\LastDir" << false << cu
                                     << "Software\\A\\B" << "LastDir";
    QTest::newRow("two backslashes keep the value name whole")
        << "HKCU\\Software\\A\\\\My\\Value" << false << cu << "Software\\A" << "My\\Value";
    QTest::newRow("trailing backslash names the default value")
        << "HKLM\\SOFTWARE\\X\\" << false << RegistryRoot::LocalMachine << "SOFTWARE\\X" << "";
    QTest::newRow("three backslashes leave two on the value name")
        << "HKCU\\Key\\\\\\Value" << false << cu << "Key" << "\\\\Value";
    QTest::newRow("last double backslash wins")
        << "HKCU\\A\\\\B\\\\C" << false << cu << "A\\\\B" << "C";
    QTest::newRow("one name is a key's default value") << "HKCU\\Key" << false << cu << "Key" << "";
    QTest::newRow("value directly under the root") << "HKCU\\\\Value" << false << cu << "" << "Value";
    QTest::newRow("root and backslash only") << "HKCU\\" << false << cu << "" << "";
    QTest::newRow("root alone names its default value") << "HKCU" << false << cu << "" << "";
    QTest::newRow("blanks around the path") << "   HKCU\\Software\\A\\Port  " << false << cu
                                            << "Software\\A" << "Port";
    QTest::newRow("blanks around the root name") << "hkey_current_user \\A\\B" << false << cu
                                                 << "A" << "B";
    QTest::newRow("blanks inside names stay") << "HKCU\\My Key\\My Value" << false << cu
                                              << "My Key" << "My Value";
    QTest::newRow("lower-case root") << "hkcu\\A\\B" << false << cu << "A" << "B";
    QTest::newRow("HKU has no short form") << "HKU\\A\\B" << false << RegistryRoot::None << "A" << "B";
    QTest::newRow("users") << "HKEY_USERS\\A\\B" << false << RegistryRoot::Users << "A" << "B";
    QTest::newRow("short form") << "HKDD\\A\\B" << false << RegistryRoot::DynData << "A" << "B";
    QTest::newRow("empty") << "" << true << RegistryRoot::None << "" << "";
    QTest::newRow("blanks only") << "    " << true << RegistryRoot::None << "" << "";
}

void TestRegistryPath::split()
{
    QFETCH(QString, path);
    const RegistryPath p = RegistryPath::split(path);
    QTEST(p.empty, "empty");
    QTEST(p.root, "root");
    QTEST(p.keyPath, "keyPath");
    QTEST(p.valueName, "valueName");
}

void TestRegistryPath::splitKey_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("valueName");

    QTest::newRow("without trailing backslash") << "HKCU\\Software\\A" << false << "Software\\A" << "";
    QTest::newRow("with trailing backslash") << "HKCU\\Software\\A\\" << false << "Software\\A" << "";
    QTest::newRow("trailing blank before the backslash is added")
        << "HKCU\\Software\\A  " << false << "Software\\A" << "";
    QTest::newRow("root alone") << "HKCU" << false << "" << "";
    QTest::newRow("blank") << "  " << true << "" << "";
}

void TestRegistryPath::splitKey()
{
    QFETCH(QString, path);
    const RegistryPath p = RegistryPath::splitKey(path);
    QTEST(p.empty, "empty");
    QTEST(p.keyPath, "keyPath");
    QTEST(p.valueName, "valueName");
}

void TestRegistryPath::keyNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("nested") << "HKCU\\Software\\A\\B\\V" << true << QStringList{"Software", "A", "B"};
    QTest::newRow("the root itself") << "HKCU\\" << true << QStringList{};
    QTest::newRow("one key") << "HKCU\\K" << true << QStringList{"K"};
    QTest::newRow("empty name inside") << "HKCU\\A\\\\B\\\\\\C" << false << QStringList{"A", "", "B"};
    QTest::newRow("trailing separator") << "HKCU\\A\\\\\\\\B" << false << QStringList{"A", ""};
}

void TestRegistryPath::keyNames()
{
    QFETCH(QString, path);
    QStringList names;
    QTEST(RegistryPath::split(path).keyNames(names), "valid");
    QTEST(names, "names");
}

QTEST_APPLESS_MAIN(TestRegistryPath)
#include "tst_registry_path.moc"
