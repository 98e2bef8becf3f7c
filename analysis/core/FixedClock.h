#pragma once

#include "Clock.h"

#include <utility>

namespace ertragon {

// A clock that shows a set time until it is moved (tests, --today of the batch tool).
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now)
        : m_now(std::move(now))
    {
    }

    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

} // namespace ertragon
