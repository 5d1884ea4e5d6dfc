// The clock seam: the local time of day the waits count on.
#include "platform/Clock.h"

#include <QtTest>

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::setSource({}); }
    void secondsOfASetSource_data();
    void secondsOfASetSource();
    void systemClockIsLocalTime();
};

void TestClock::secondsOfASetSource_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<double>("seconds");
    QTest::newRow("midnight") << QTime(0, 0) << 0.0;
    QTest::newRow("with milliseconds") << QTime(12, 34, 56, 789) << 45296.789;
    QTest::newRow("last moment of the day") << QTime(23, 59, 59, 999) << 86399.999;
}

void TestClock::secondsOfASetSource()
{
    QFETCH(QTime, time);
    QFETCH(double, seconds);
    const QDateTime fixed(QDate(2026, 3, 29), time);
    Clock::setSource([fixed] { return fixed; });
    QCOMPARE(Clock::now(), fixed);
    QCOMPARE(Clock::secondsOfDay(), seconds);
}

void TestClock::systemClockIsLocalTime()
{
    // Read twice, so the offset kept from the first reading is used too.
    for (int i = 0; i < 2; ++i) {
        const int before = QTime::currentTime().msecsSinceStartOfDay();
        const double seconds = Clock::secondsOfDay();
        const int after = QTime::currentTime().msecsSinceStartOfDay();
        if (after < before)
            QSKIP("midnight passed while reading");
        QVERIFY2(seconds * 1000.0 >= before - 1 && seconds * 1000.0 <= after + 1,
                 qPrintable(QStringLiteral("%1 s is not between %2 and %3 ms").arg(seconds).arg(before).arg(after)));
    }
}

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
