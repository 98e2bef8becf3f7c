#include "CNumCtrl.h"
#include "CalculatorDropDown_p.h"
#include "ToolTipPoller_p.h"
#include "comctl/OleColor.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>

namespace orvel {

ToolTipPoller::ToolTipPoller(CNumCtrl &control)
    : q(control)
{
}

void ToolTipPoller::start()
{
    m_window = new ToolTipWindow(&q);
    QObject::connect(m_window, &ToolTipWindow::mouseActivity, &q, [this] { close(true); });
    auto *timer = new QTimer(&q);
    timer->setInterval(ToolTipModel::TickMs);
    QObject::connect(timer, &QTimer::timeout, &q, [this] { tick(); });
    timer->start();
}

ToolTipWindow *ToolTipPoller::shownWindow() const
{
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}

bool ToolTipPoller::pointerOver() const
{
    if (m_pointerOver)
        return m_pointerOver();
    const QWidget *under = QApplication::widgetAt(QCursor::pos());
    return under == &q
        || (under && under->parentWidget() == &q && under != m_window
            && under != q.m_calculator->existingPopup());
}

void ToolTipPoller::tick()
{
    if (!m_window || !q.state().toolTips || !q.isEnabled() || !q.isVisible())
        return;
    const bool over = pointerOver();
    const bool active = q.window() && q.window()->isActiveWindow();
    const bool buttonDown = QGuiApplication::mouseButtons() != Qt::NoButton;
    ToolTipModel::Settings settings;
    settings.delay = q.state().toolTipDelay;
    settings.timeout = q.state().toolTipTimeout;
    const bool wasVisible = m_model.visible();
    switch (m_model.tick(over && active ? 0 : -1, buttonDown, settings)) {
    case ToolTipModel::Action::Show:
        show();
        break;
    case ToolTipModel::Action::Hide:
        if (wasVisible)
            hide();
        break;
    case ToolTipModel::Action::None:
        break;
    }
}

void ToolTipPoller::show()
{
    qint16 cancel = 0;
    const auto answers = q.fire(&CNumCtrl::ToolTipBegin, QStringLiteral("ToolTipBegin"), cancel);
    if (!answers || !m_window)
        return;
    const QString text = q.calculatorOpen() ? QString() : q.state().toolTipText;
    if (cancel != 0 || answers->value(0).toInt() != 0 || text.isEmpty()) {
        // Asked once for this rest of the pointer; the next poll must not ask again.
        m_model.declined();
        return;
    }
    m_window->setText(text);
    m_window->setFont(q.state().toolTipFont);
    m_window->setColours(comctl::OleColor::toQColor(q.state().toolTipBackColor, q.palette()),
                         comctl::OleColor::toQColor(q.state().toolTipForeColor, q.palette()));
    const QRect work = q.screen() ? q.screen()->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
    m_window->setGeometry(ToolTipWindow::placement(QCursor::pos(), m_window->sizeForText(), work,
                                                   q.mapToGlobal(QPoint(0, 0)).y()));
    m_window->show();
    m_window->raise();
    m_model.shown();
}

void ToolTipPoller::hide()
{
    m_window->hide();
    q.fire(&CNumCtrl::ToolTipEnd, QStringLiteral("ToolTipEnd"));
}

void ToolTipPoller::close(bool block)
{
    const bool wasVisible = m_model.visible();
    m_model.hidden(block);
    if (wasVisible && m_window)
        hide();
}

} // namespace orvel
