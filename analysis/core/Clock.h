#pragma once

#include <QDateTime>

namespace ertragon {

// Everything that depends on "now" reads one clock, so tests and batch runs
// can fix the date.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The system clock.
class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace ertragon
