#include "CalculatorPopup.h"

#include "ColourRules.h"
#include "PopupWindowClasses.h"
#include "comctl/OleColor.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace orvel {

namespace {

// Grid cell (row, column) of each button; "+" spans rows 3 and 4.
constexpr int Cells[CalcButtonCount][2] = {
    { 4, 1 }, { 3, 1 }, { 3, 2 }, { 3, 3 }, { 2, 1 }, { 2, 2 }, { 2, 3 }, { 1, 1 },
    { 1, 2 }, { 1, 3 }, { 4, 2 }, { 4, 3 }, { 1, 0 }, { 2, 0 }, { 4, 0 }, { 1, 4 },
    { 2, 4 }, { 3, 4 }, { 0, 5 }, { 1, 5 }, { 2, 5 }, { 3, 5 }, { 4, 5 },
};

void drawEdge(QPainter &p, const QRect &r, bool sunken, const QPalette &pal)
{
    const QColor light = pal.color(QPalette::Light), dark = pal.color(QPalette::Dark);
    const QColor shadow = pal.color(QPalette::Shadow), mid = pal.color(QPalette::Midlight);
    p.setPen(sunken ? shadow : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? light : shadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    p.setPen(sunken ? dark : mid);
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(sunken ? mid : dark);
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());
}

} // namespace

CalculatorPopup::CalculatorPopup(QWidget *owner)
    : QWidget(owner, PopupWindowClasses::flags(QStringLiteral("ovCalculator")))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    resize(0, 0);
}

void CalculatorPopup::setLook(const CalculatorLook &look)
{
    m_look = look;
    update();
}

QRect CalculatorPopup::displayRect(QSize c)
{
    const int h = (c.height() - 8) / 6;
    return QRect(QPoint(4, 4), QPoint(c.width() - 4, h + 2));
}

QRect CalculatorPopup::buttonRect(QSize c, int type)
{
    if (type < 0 || type >= CalcButtonCount)
        return {};
    const int w = (c.width() - 8) / 6, h = (c.height() - 8) / 6;
    const int top = h + 2 + 2;
    const int row = Cells[type][0], column = Cells[type][1];
    const int height = type == CalcBtnAdd ? 2 * (h - 2) + 3 : h - 2;
    return QRect(4 + column * (w + 1), top + row * (h + 1), w - 2, height);
}

QRect CalculatorPopup::memoryIndicatorRect(QSize c)
{
    const int w = (c.width() - 8) / 6, h = (c.height() - 8) / 6;
    return QRect(4, h + 4, w - 2, h - 2);
}

int CalculatorPopup::buttonAt(const QPoint &pos) const
{
    for (int type = 0; type < CalcButtonCount; ++type) {
        if (buttonRect(size(), type).contains(pos))
            return type;
    }
    return -1;
}

QRect CalculatorPopup::placement(const QRect &control, QSize size, const QRect &desktop)
{
    QRect r(QPoint(control.left(), control.bottom() + 2), size);
    const bool fitsBelow = r.bottom() <= desktop.bottom();
    const bool fitsAbove = control.top() - 1 - size.height() >= desktop.top();
    if (!fitsBelow && fitsAbove)
        r.moveBottom(control.top() - 2);
    if (r.right() > desktop.right() && desktop.left() < control.left() - (size.width() + 1))
        r.moveRight(control.right());
    return r;
}

void CalculatorPopup::pressButton(int type)
{
    const bool done = m_engine.press(type);
    update();
    if (done)
        Q_EMIT buttonPressed(type);
}

QColor CalculatorPopup::colour(quint32 ole, const QColor &fallback) const
{
    return ole == IgnoreColor ? fallback : comctl::OleColor::toQColor(ole, palette());
}

QColor CalculatorPopup::captionColour(int type) const
{
    quint32 c = m_look.buttonFore;
    switch (type) {
    case CalcBtnEqual:
    case CalcBtnSignToggle:
    case CalcBtnSquareRoot:
    case CalcBtnMultiply:
    case CalcBtnSubtract:
    case CalcBtnAdd:
    case CalcBtnDivide:
        c = m_look.operatorFore;
        break;
    case CalcBtnClear:
        c = m_look.clearFore;
        break;
    case CalcBtnMemoryRecall:
    case CalcBtnMemoryAdd:
    case CalcBtnMemorySubtract:
        c = m_look.memoryButtonFore;
        break;
    default:
        break;
    }
    return colour(c, comctl::OleColor::toQColor(m_look.controlFore, palette()));
}

void CalculatorPopup::paintButton(QPainter &p, int type)
{
    const QRect r = buttonRect(size(), type);
    const bool sunken = m_pressed == type && m_pressedLook;
    p.fillRect(r, colour(m_look.buttonBack, palette().color(QPalette::Button)));
    drawEdge(p, r, sunken, palette());
    p.setFont(m_look.buttonFont);
    p.setPen(captionColour(type));
    p.drawText(sunken ? r.translated(1, 1) : r, Qt::AlignCenter, m_look.captions.value(type));
}

void CalculatorPopup::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), colour(m_look.back, palette().color(QPalette::Window)));
    drawEdge(p, rect(), false, palette());
    const QRect display = displayRect(size());
    p.fillRect(display, colour(m_look.displayBack, palette().color(QPalette::Base)));
    drawEdge(p, display, true, palette());
    p.setFont(m_look.displayFont);
    p.setPen(colour(m_look.displayFore, palette().color(QPalette::Text)));
    p.drawText(display.adjusted(3, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, displayText());

    const QRect memory = memoryIndicatorRect(size());
    if (m_look.memoryBack != IgnoreColor)
        p.fillRect(memory, colour(m_look.memoryBack, {}));
    drawEdge(p, memory, true, palette());
    if (m_engine.memory() != 0) {
        p.setFont(m_look.memoryFont);
        p.setPen(colour(m_look.memoryFore, palette().color(QPalette::Text)));
        p.drawText(memory, Qt::AlignCenter, m_look.memoryText);
    }
    for (int type = 0; type < CalcButtonCount; ++type)
        paintButton(p, type);
}

void CalculatorPopup::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (!rect().contains(pos)) {
        Q_EMIT outsideClick();
        return;
    }
    m_pressed = buttonAt(pos);
    m_pressedLook = m_pressed >= 0;
    update();
}

void CalculatorPopup::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed < 0)
        return;
    const bool over = buttonRect(size(), m_pressed).contains(event->position().toPoint());
    if (over != m_pressedLook) {
        m_pressedLook = over;
        update();
    }
}

void CalculatorPopup::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    m_pressedLook = false;
    update();
    if (pressed >= 0 && buttonRect(size(), pressed).contains(event->position().toPoint()))
        pressButton(pressed);
}

void CalculatorPopup::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

// While the calculator is shown, a press anywhere outside it closes it, as the mouse
// capture of a drop-down does.
bool CalculatorPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && isVisible()) {
        auto *widget = qobject_cast<QWidget *>(watched);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (widget && widget->window() != this
            && !geometry().contains(mouse->globalPosition().toPoint())
            && !(parentWidget() && widget == parentWidget()))
            Q_EMIT outsideClick();
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorPopup::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void CalculatorPopup::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Q_EMIT activated();
}

void CalculatorPopup::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

} // namespace orvel
