#include "ToolTipWindow.h"

#include "PopupWindowClasses.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace orvel {

ToolTipWindow::ToolTipWindow(QWidget *owner)
    : QWidget(owner, PopupWindowClasses::flags(QStringLiteral("ovToolTip")))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    resize(0, 0);
}

void ToolTipWindow::setColours(const QColor &back, const QColor &fore)
{
    m_back = back;
    m_fore = fore;
    update();
}

QSize ToolTipWindow::sizeForText() const
{
    const QFontMetrics m(font());
    return { m.horizontalAdvance(m_text) + 5, m.height() + 4 };
}

QRect ToolTipWindow::placement(const QPoint &pointer, QSize size, const QRect &work, int toolTop)
{
    QRect r(QPoint(pointer.x(), pointer.y() + 16), size);
    if (r.right() > work.right())
        r.moveRight(work.right());
    if (r.bottom() > work.bottom())
        r.moveBottom(toolTop - 1);
    return r;
}

void ToolTipWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_back);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(m_fore);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
}

// The counterpart of the mouse hook: any mouse activity of the application hides the tip.
bool ToolTipWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        if (isVisible())
            Q_EMIT mouseActivity();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ToolTipWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void ToolTipWindow::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

} // namespace orvel
