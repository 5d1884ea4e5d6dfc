// SPDX-License-Identifier: GPL-3.0-or-later
// Program identity, the clock seam and the yielding wait.
#include "identity/ExeName.h"
#include "identity/ProgramIdentity.h"
#include "identity/UserFolders.h"
#include "platform/Clock.h"
#include "platform/Wait.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_Platform : public QObject
{
    Q_OBJECT

private slots:
    void identity()
    {
        QStringList texts;
        for (int revision : {1, 26, 0, 27, 100, 199, 200, 255, 1000, 1999, 2000, 2999, 3000, 9999})
            texts << ProgramIdentity::ProgVer(1, 6, revision);
        QCOMPARE(texts, QStringList({"1.06a", "1.06z", "1.06", "1.06", "1.06 Beta", "1.06 Beta 99", "1.06", "1.06\u00df",
                                     "1.06 Alpha", "1.06 Alpha 999", "1.06 Beta", "1.06 Beta 999", "1.06", "1.06\u00df"}));
        QCOMPARE(ProgramIdentity::ProgVer(10, 2, 3), "10.02c");
        // The numbers and the date are the build's, from the top CMakeLists.txt.
        QCOMPARE(ProgramIdentity::versionText(), ProgramIdentity::ProgVer(ProgramVersion::kMajor, ProgramVersion::kMinor,
                                                                          ProgramVersion::kRevision));
        QCOMPARE(ProgramIdentity::caption(),
                 QString("ESP32 Presetta  v%1  [%2]").arg(ProgramIdentity::versionText(), ProgramVersion::kReleaseDate));
        QCOMPARE(ProgramIdentity::settingsPath(), "HKCU\\Software\\Norvane\\Presetta");
    }

    // A copy the user can write keeps its files beside itself; an installed
    // one (here a folder nobody writes) in the user's folders.
    void userFolders()
    {
        for (const bool installed : {false, true}) {
            QTemporaryDir dir;
            QVERIFY(QDir(dir.path()).mkpath("home/Documents"));
            qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
            qputenv("HOME", dir.filePath("home").toLocal8Bit());
            const QString folder = installed ? QStringLiteral("/proc/self/") : dir.path() + '/';
            ExeName::setProgramPathForTest(folder + "presetta");
            QCOMPARE(UserFolders::programFolderWritable(), !installed);
            QCOMPARE(UserFolders::autoLoadFile(), installed ? dir.filePath("data/presetta/presetta.csv") : folder + "presetta.csv");
            QCOMPARE(UserFolders::firstSaveFolder(), installed ? dir.filePath("home/Documents/") : folder);
        }
        ExeName::setProgramPathForTest(QString());
    }

    void systemClockIsLocalTime()
    {
        qputenv("TZ", "XST-3:30"); // a zone away from UTC
        const int before = QTime::currentTime().msecsSinceStartOfDay();
        const double ms = Clock::secondsOfDay() * 1000;
        const int after = QTime::currentTime().msecsSinceStartOfDay();
        QVERIFY2(after < before || (ms >= before - 1 && ms <= after + 1), qPrintable(QString::number(ms))); // unless midnight passed
    }

    // The clock moves 40 ms at every reading; past midnight the wait counts from 0.
    void wait_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<float>("seconds");
        QTest::addColumn<int>("endsFrom"); // ms after the start, the first reading that may end it
        QTest::newRow("no wait") << QTime(12, 0) << 0.0f << 40;
        QTest::newRow("midday") << QTime(12, 0) << 0.3f << 340;
        QTest::newRow("across midnight") << QTime(23, 59, 59, 850) << 0.3f << 150 + 300;
    }
    void wait()
    {
        QFETCH(QTime, start);
        QFETCH(float, seconds);
        QFETCH(int, endsFrom);
        const QDateTime base(QDate(2025, 7, 1), start);
        auto readings = std::make_shared<int>(0);
        Clock::setSource([base, readings] { return base.addMSecs(40 * ++*readings); });
        bool ran = false;
        QObject context; // takes a call still queued along when the test ends
        QMetaObject::invokeMethod(&context, [&ran] { ran = true; }, Qt::QueuedConnection);
        Wait::WaitS(seconds);
        QVERIFY(ran); // events run during the wait, even one of 0 s
        QCOMPARE_GE(40 * *readings, endsFrom);
        QCOMPARE_LT(40 * *readings, endsFrom + 3 * 40);
    }
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
