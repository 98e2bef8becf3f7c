#include "Clock.h"
#include "PumpingWaiter.h"

#include <QTest>

using namespace ertragon;

// The windows' waiter: waits by the clock, and ends at midnight.
class TestPumpingWaiter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pumpingWaiter_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<int>("hundredths");
        QTest::addColumn<int>("stepMs");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("minReads");

        QTest::newRow("ten seconds") << QTime(12, 0) << 1000 << 500 << 10 << 21;
        QTest::newRow("nothing to wait") << QTime(12, 0) << 0 << 500 << 0 << 1;
        QTest::newRow("ends at midnight") << QTime(23, 59, 58) << 1000 << 1000 << 2 << 3;
    }

    void pumpingWaiter()
    {
        QFETCH(QTime, start);
        QFETCH(int, stepMs);
        QFETCH(int, hundredths);
        QFETCH(int, seconds);
        QFETCH(int, minReads);
        // A clock that moves on by stepMs every time it is read.
        class SteppingClock final : public Clock
        {
        public:
            SteppingClock(QDateTime start, int stepMs)
                : m_now(std::move(start))
                , m_step(stepMs)
            {
            }
            QDateTime now() const override
            {
                ++reads;
                const QDateTime result = m_now;
                m_now = m_now.addMSecs(m_step);
                return result;
            }
            mutable int reads = 0;

        private:
            mutable QDateTime m_now;
            int m_step;
        };
        SteppingClock clock(QDateTime(QDate(2006, 1, 31), start), stepMs);
        PumpingWaiter waiter(clock);
        QCOMPARE(waiter.waitHundredths(hundredths), seconds);
        QVERIFY(clock.reads >= minReads);
    }
};

QTEST_MAIN(TestPumpingWaiter)
#include "tst_pumpingwaiter.moc"
