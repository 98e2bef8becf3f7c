#pragma once

#include <QEvent>
#include <QtGlobal>
#include <functional>

namespace orvel {

class CNumCtrl;

// The auto-repeat of a CNumCtrl's spin buttons: while the left button holds a spin button
// down and the pointer stays on it, one more spin step after 500 ms, then every 100 ms. It
// checks the time by events it posts to the control, so it runs inside the event loop.
class SpinRepeater
{
public:
    static constexpr QEvent::Type RepeatEvent = QEvent::Type(QEvent::User + 100);

    explicit SpinRepeater(CNumCtrl &control);

    // Time in milliseconds (default: the host site's tick count) and the left mouse button.
    void setTickSource(std::function<qint64()> source) { m_tick = std::move(source); }
    void setLeftButtonSource(std::function<bool()> source) { m_leftDown = std::move(source); }

    // A spin button was pressed.
    void start();
    // The control received a RepeatEvent.
    void check();

private:
    qint64 tick() const;

    CNumCtrl &q;
    std::function<qint64()> m_tick;
    std::function<bool()> m_leftDown;
    qint64 m_lastRepeat = 0;
    bool m_firstRepeat = true;
};

} // namespace orvel
