#include "CNumCtrl.h"
#include "SpinRepeater_p.h"
#include "comctl/HostSite.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace orvel {

SpinRepeater::SpinRepeater(CNumCtrl &control)
    : q(control)
{
}

qint64 SpinRepeater::tick() const
{
    if (m_tick)
        return m_tick();
    return q.site()->tickCount();
}

void SpinRepeater::start()
{
    m_firstRepeat = true;
    m_lastRepeat = tick();
    QCoreApplication::postEvent(&q, new QEvent(RepeatEvent));
}

void SpinRepeater::check()
{
    const bool leftDown
        = m_leftDown ? m_leftDown() : (QGuiApplication::mouseButtons() & Qt::LeftButton);
    const bool spinning
        = q.m_tracked == ButtonStrip::SpinUp || q.m_tracked == ButtonStrip::SpinDown;
    if (!leftDown || !spinning || !q.m_pressedLook)
        return;
    const qint64 now = tick();
    if (now >= m_lastRepeat + (m_firstRepeat ? 500 : 100)) {
        m_firstRepeat = false;
        m_lastRepeat = now;
        if (!q.state().locked)
            q.spin(q.m_tracked == ButtonStrip::SpinUp);
    }
    QCoreApplication::postEvent(&q, new QEvent(RepeatEvent));
}

} // namespace orvel
