#include "ToolTipModel.h"

namespace orvel {

ToolTipModel::Action ToolTipModel::tick(int tool, bool buttonDown, const Settings &settings)
{
    if (m_visible) {
        if (tool >= 0 && tool == m_current) {
            m_shownTime += TickMs;
            if (settings.timeout != 0 && m_shownTime >= settings.timeout) {
                hidden(true);
                return Action::Hide;
            }
            return Action::None;
        }
        hidden(false);
        return Action::Hide;
    }
    if (tool < 0) {
        hidden(false);
        m_current = -1;
        m_quick = false;
        return Action::None;
    }
    if (buttonDown)
        return Action::None;
    if (tool != m_current) {
        m_current = tool;
        m_wait = 0;
        m_blocked = false;
    }
    if (m_blocked)
        return Action::None;
    m_wait += TickMs;
    return m_wait >= settings.delay || m_quick ? Action::Show : Action::None;
}

void ToolTipModel::pointerMoved()
{
    if (!m_visible)
        m_wait = 0;
}

void ToolTipModel::shown()
{
    m_visible = true;
    m_quick = true;
    m_shownTime = 0;
}

void ToolTipModel::declined()
{
    m_wait = 0;
    m_blocked = true;
}

void ToolTipModel::hidden(bool block)
{
    m_visible = false;
    m_wait = 0;
    m_blocked = block;
}

} // namespace orvel
