#pragma once

namespace ertragon {

// Waits while the program stays responsive (window messages are pumped).
// Tests replace it so that a ten-second retry takes no time.
class Waiter
{
public:
    virtual ~Waiter() = default;
    // Returns after n hundredths of a second; gives back the elapsed whole seconds.
    virtual int waitHundredths(int n) = 0;
    // Lets pending window events run between server calls; without windows there are none.
    virtual void pumpEvents() { }
};

} // namespace ertragon
