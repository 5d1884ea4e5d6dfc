// WaitS: waits by the time of day and keeps the event loop running.
#include "platform/Clock.h"
#include "platform/Wait.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

class TestWait : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::setSource({}); }
    void waitsByTheTimeOfDay_data();
    void waitsByTheTimeOfDay();
    void eventsRunDuringTheWait_data();
    void eventsRunDuringTheWait();
};

void TestWait::waitsByTheTimeOfDay_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<int>("atLeastMs");
    QTest::newRow("midday") << QTime(12, 0) << 0.3f << 290;
    // Past midnight the count restarts from 0: 0.15 s before it, then 0.3 s.
    QTest::newRow("across midnight") << QTime(23, 59, 59, 850) << 0.3f << 440;
}

void TestWait::waitsByTheTimeOfDay()
{
    QFETCH(QTime, start);
    QFETCH(float, seconds);
    QFETCH(int, atLeastMs);
    const QDateTime base(QDate(2026, 3, 1), start);
    auto running = std::make_shared<QElapsedTimer>();
    running->start();
    Clock::setSource([base, running] { return base.addMSecs(running->elapsed()); });

    QElapsedTimer t;
    t.start();
    Wait::WaitS(seconds);
    QVERIFY(t.elapsed() >= atLeastMs);
    QVERIFY(t.elapsed() < 5000);
}

void TestWait::eventsRunDuringTheWait_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<int>("timerMs");
    QTest::newRow("a timer inside a long wait") << 0.5f << 150;
    QTest::newRow("a queued call in a wait of 0") << 0.0f << -1;
}

void TestWait::eventsRunDuringTheWait()
{
    QFETCH(float, seconds);
    QFETCH(int, timerMs);
    bool ran = false;
    QObject context;
    if (timerMs >= 0)
        QTimer::singleShot(timerMs, &context, [&ran] { ran = true; });
    else
        QMetaObject::invokeMethod(&context, [&ran] { ran = true; }, Qt::QueuedConnection);
    Wait::WaitS(seconds);
    QVERIFY(ran);
}

QTEST_GUILESS_MAIN(TestWait)
#include "tst_wait.moc"
