#include "PumpingWaiter.h"

#include <QCoreApplication>
#include <QThread>

namespace ertragon {

namespace {
constexpr unsigned long sliceMs = 5;
constexpr double secondsPerDay = 86400.0;
} // namespace

PumpingWaiter::PumpingWaiter(const Clock &clock)
    : m_clock(clock)
{
}

double PumpingWaiter::secondsSinceMidnight() const
{
    return m_clock.now().time().msecsSinceStartOfDay() / 1000.0;
}

void PumpingWaiter::pump()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

int PumpingWaiter::waitHundredths(int n)
{
    const double start = secondsSinceMidnight();
    const double end = start + n / 100.0;
    double now = start;
    while (now < end && now + 0.01 > start) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(sliceMs);
        now = secondsSinceMidnight();
    }
    // Past midnight the day's seconds start again; the elapsed time counts on.
    const double elapsed = now >= start ? now - start : now + secondsPerDay - start;
    return int(elapsed);
}

} // namespace ertragon
