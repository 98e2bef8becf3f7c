#include "PageCursor.h"

#include <QtGlobal>

namespace ertragon::report {

bool PageCursor::press(int key)
{
    const bool wasOn = isOn();
    switch (key) {
    case Qt::Key_Left:
        m_column = wasOn ? qMax(0, m_column - 1) : 0;
        return true;
    case Qt::Key_Right:
        m_column = wasOn ? qMin(11, m_column + 1) : 0;
        return true;
    case Qt::Key_Home:
        m_column = 0;
        return true;
    case Qt::Key_End:
        m_column = 11;
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!wasOn)
            m_column = 0;
        else
            m_series = qBound(0, m_series + (key == Qt::Key_Down ? 1 : -1), 6);
        return true;
    default:
        return false;
    }
}

void PageCursor::place(const PageHit &hit)
{
    if (hit.column < 0)
        return; // a series label has no month
    m_column = hit.column;
    m_series = hit.kind == PageHit::Kind::MonthColumn ? 0 : hit.series;
}

std::optional<PageHit> PageCursor::hit() const
{
    if (!isOn())
        return std::nullopt;
    if (m_series == 0)
        return PageHit { PageHit::Kind::MonthColumn, m_column, 0 };
    return PageHit { PageHit::Kind::Cell, m_column, m_series };
}

} // namespace ertragon::report
