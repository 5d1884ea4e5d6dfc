// SPDX-License-Identifier: GPL-3.0-or-later
// Program identity, the user's folders, the clock seam and the yielding wait.
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
    void cleanup() { Clock::setSource({}); }

    // Revisions 1 to 26 are letters, 100s and 2000s betas, 1000s alphas, 255 and 9999 final.
    void progVer_data()
    {
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("text");
        QTest::newRow("26") << 26 << "1.06z";
        QTest::newRow("100") << 100 << "1.06 Beta";
        QTest::newRow("1000") << 1000 << "1.06 Alpha";
        QTest::newRow("9999") << 9999 << "1.06\u00df";
    }
    void progVer()
    {
        QFETCH(int, revision);
        QTEST(ProgramIdentity::ProgVer(1, 6, revision), "text");
    }

    // A copy in a folder the user can write keeps its files beside itself, an installed one in the user's.
    void userFolders_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("autoLoadFile"); // both below the test's folder
        QTest::addColumn<QString>("firstSaveFolder");
        QTest::newRow("portable copy") << false << "presetta.csv" << "";
        QTest::newRow("installed copy") << true << "data/presetta/presetta.csv" << "home/Documents/";
    }
    void userFolders()
    {
        QFETCH(bool, installed);
        QFETCH(QString, autoLoadFile);
        QFETCH(QString, firstSaveFolder);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("home/Documents"));
        qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
        qputenv("HOME", dir.filePath("home").toLocal8Bit());
        ExeName::setProgramPathForTest((installed ? QStringLiteral("/proc/self") : dir.path()) + "/presetta");
        QCOMPARE(UserFolders::autoLoadFile(), dir.path() + '/' + autoLoadFile);
        QCOMPARE(UserFolders::firstSaveFolder(), dir.path() + '/' + firstSaveFolder);
        ExeName::setProgramPathForTest(QString());
    }

    void systemClockIsLocalTime()
    {
        qputenv("TZ", "XST-3:30"); // a zone away from UTC
        const int before = QTime::currentTime().msecsSinceStartOfDay();
        const double ms = Clock::secondsOfDay() * 1000;
        const int after = QTime::currentTime().msecsSinceStartOfDay();
        QVERIFY2(after < before || (ms >= before - 1 && ms <= after + 1), // unless midnight passed
                 qPrintable(QStringLiteral("%1 ms, not %2 to %3").arg(ms).arg(before).arg(after)));
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
        QObject context; // takes a call still queued when the test ends
        QMetaObject::invokeMethod(&context, [&ran] { ran = true; }, Qt::QueuedConnection);
        Wait::WaitS(seconds);
        QVERIFY2(ran, "events run during the wait, even one of 0 s");
        QCOMPARE_GE(40 * *readings, endsFrom);
        QCOMPARE_LT(40 * *readings, endsFrom + 3 * 40);
    }
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
