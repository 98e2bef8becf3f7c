#pragma once

#include "Clock.h"
#include "Waiter.h"

namespace ertragon {

// The windows' waiter: waits by the clock's seconds since midnight while pumping window
// messages, and pumps them between server calls. A wait that runs over midnight ends
// there, as the day's seconds start again.
class PumpingWaiter final : public Waiter
{
public:
    explicit PumpingWaiter(const Clock &clock);

    int waitHundredths(int n) override;
    void pumpEvents() override { pump(); }
    // Lets pending window events run.
    static void pump();

private:
    double secondsSinceMidnight() const;

    const Clock &m_clock;
};

} // namespace ertragon
