#pragma once

#include "Clock.h"
#include "Waiter.h"

namespace ertragon {

// Waits by the clock's seconds since midnight while pumping window messages.
// A wait that runs over midnight ends there, as the day's seconds start again.
class PumpingWaiter final : public Waiter
{
public:
    explicit PumpingWaiter(const Clock &clock);

    int waitHundredths(int n) override;

private:
    double secondsSinceMidnight() const;

    const Clock &m_clock;
};

} // namespace ertragon
