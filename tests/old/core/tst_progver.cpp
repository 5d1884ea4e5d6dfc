#include "identity/ProgramIdentity.h"

#include <QTest>

class tst_ProgVer : public QObject
{
    Q_OBJECT

private slots:
    void suffix_data();
    void suffix();
    void majorAndMinor_data();
    void majorAndMinor();
    void identityTexts();
};

void tst_ProgVer::suffix_data()
{
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1") << 1 << "1.06a";
    QTest::newRow("3") << 3 << "1.06c";
    QTest::newRow("26") << 26 << "1.06z";
    QTest::newRow("0") << 0 << "1.06";
    QTest::newRow("27") << 27 << "1.06";
    QTest::newRow("negative") << -1 << "1.06";
    QTest::newRow("99") << 99 << "1.06";
    QTest::newRow("1000") << 1000 << "1.06 Alpha";
    QTest::newRow("1003") << 1003 << "1.06 Alpha 3";
    QTest::newRow("1999") << 1999 << "1.06 Alpha 999";
    QTest::newRow("100") << 100 << "1.06 Beta";
    QTest::newRow("101") << 101 << "1.06 Beta 1";
    QTest::newRow("199") << 199 << "1.06 Beta 99";
    QTest::newRow("200") << 200 << "1.06";
    QTest::newRow("2000") << 2000 << "1.06 Beta";
    QTest::newRow("2005") << 2005 << "1.06 Beta 5";
    QTest::newRow("2999") << 2999 << "1.06 Beta 999";
    QTest::newRow("3000") << 3000 << "1.06";
    QTest::newRow("254") << 254 << "1.06";
    QTest::newRow("255") << 255 << QString::fromUtf8("1.06\u00DF");
    QTest::newRow("256") << 256 << "1.06";
    QTest::newRow("9999") << 9999 << QString::fromUtf8("1.06\u00DF");
    QTest::newRow("9998") << 9998 << "1.06";
}

void tst_ProgVer::suffix()
{
    QFETCH(int, revision);
    QFETCH(QString, expected);
    QCOMPARE(ProgramIdentity::ProgVer(1, 6, revision), expected);
}

void tst_ProgVer::majorAndMinor_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("expected");

    QTest::newRow("minor zero") << 2 << 0 << "2.00c";
    QTest::newRow("minor two digits") << 1 << 12 << "1.12c";
    QTest::newRow("major two digits") << 10 << 5 << "10.05c";
}

void tst_ProgVer::majorAndMinor()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, expected);
    QCOMPARE(ProgramIdentity::ProgVer(major, minor, 3), expected);
}

void tst_ProgVer::identityTexts()
{
    QCOMPARE(ProgramIdentity::versionText(), QStringLiteral("1.06c"));
    // Two blanks before "v" and before "[".
    QCOMPARE(ProgramIdentity::caption(), QStringLiteral("ESP32 Presetta  v1.06c  [2025.07.01]"));
    QCOMPARE(ProgramIdentity::settingsPath(), QStringLiteral("HKCU\\Software\\Norvane\\Presetta"));
}

QTEST_APPLESS_MAIN(tst_ProgVer)
#include "tst_progver.moc"
