#include "MaskEditBase.h"

#include "PosixLocaleInfo.h"
#include "comctl/KeyCodes.h"
#include "comctl/OleColor.h"

#include <QApplication>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyle>
#include <utility>

namespace orvel {

MaskEditBase::MaskEditBase(QWidget *parent)
    : comctl::ComControl(parent)
    , m_engine(&PosixLocaleInfo::instance())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
}

MaskEditBase::~MaskEditBase() = default;

ColourState MaskEditBase::colourState() const
{
    ColourState s;
    s.enabled = isEnabled();
    s.locked = m_state.locked;
    s.focused = m_engine.focused();
    s.maskError = m_engine.maskError();
    s.nullShown = m_engine.nullShown();
    s.negative = m_engine.isNegative();
    return s;
}

QRect MaskEditBase::clientRect() const
{
    const int border = m_state.borderStyle == 1 ? (m_state.appearance == 1 ? 2 : 1) : 0;
    return rect().adjusted(border, border, -border, -border);
}

ButtonStrip MaskEditBase::buttonStrip() const
{
    ButtonStrip::Options o;
    o.dropDown = m_state.calcDropDown;
    o.ellipsis = m_state.ellipsesButton;
    o.ellipsisWidth = m_state.ellipsesButtonWidth;
    o.spin = m_state.spinButton;
    o.spinWidth = m_state.spinButtonWidth;
    o.flatSingleBorder = m_state.borderStyle == 1 && m_state.appearance == 0;
    return ButtonStrip::layout(clientRect(), o);
}

QRect MaskEditBase::textRect() const
{
    QRect r = clientRect().adjusted(1, 0, -1, 0);
    r.setRight(qMin(r.right(), buttonStrip().textRight - 2));
    return r;
}

QSize MaskEditBase::sizeHint() const
{
    const QFontMetrics m(font());
    return { m.averageCharWidth() * 12 + 8, m.height() + 6 };
}

bool MaskEditBase::alignedRight() const
{
    const int alignment = m_state.alignment;
    if (m_engine.focused())
        return alignment == 1;
    const int display = m_state.displayAlignment;
    return display == 2 || (display == 3 && alignment == 1);
}

bool MaskEditBase::centred() const
{
    return !m_engine.focused() && m_state.displayAlignment == 1;
}

QFont MaskEditBase::shownFont() const
{
    return m_engine.nullShown() ? m_state.nullFont : font();
}

// x of the first character of the shown text.
int MaskEditBase::textOrigin(const QFontMetrics &metrics) const
{
    const QRect r = textRect();
    const QString &text = m_engine.shown();
    const int full = metrics.horizontalAdvance(text);
    if (full <= r.width()) {
        if (alignedRight())
            return r.right() - full;
        if (centred())
            return r.left() + (r.width() - full) / 2;
        return r.left();
    }
    return r.left() - metrics.horizontalAdvance(text.left(m_scroll));
}

int MaskEditBase::indexAt(int x) const
{
    const QFontMetrics metrics(shownFont());
    const QString &text = m_engine.shown();
    const int origin = textOrigin(metrics);
    for (int i = 0; i < text.size(); ++i) {
        const int left = origin + metrics.horizontalAdvance(text.left(i));
        const int width = metrics.horizontalAdvance(text.at(i));
        if (x < left + width / 2)
            return i;
    }
    return int(text.size());
}

QRect MaskEditBase::characterRect(int index) const
{
    const QString &text = m_engine.shown();
    if (index < 0 || index >= text.size())
        return {};
    const QFontMetrics metrics(shownFont());
    const QRect r = textRect();
    const int x = textOrigin(metrics) + metrics.horizontalAdvance(text.left(index));
    const int top = r.top() + (r.height() - metrics.height()) / 2;
    return QRect(x, top, metrics.horizontalAdvance(text.at(index)), metrics.height());
}

QRect MaskEditBase::caretRect() const
{
    if (!m_engine.focused())
        return {};
    const QFontMetrics metrics(shownFont());
    const QString &text = m_engine.shown();
    const int caret = m_engine.caret();
    const QRect r = textRect();
    int x = textOrigin(metrics) + metrics.horizontalAdvance(text.left(caret));
    int width = caret < text.size() ? metrics.horizontalAdvance(text.at(caret))
                                    : (alignedRight() ? 2 : metrics.averageCharWidth());
    const int style = m_engine.insertMode() ? m_state.caretStyle : m_state.caretStyleOvertype;
    if (style == CaretStyleDefault)
        width = 2;
    const int top = r.top() + (r.height() - metrics.height()) / 2;
    if (x + width > r.right() + 1)
        x = r.right() + 1 - width;
    return QRect(qMax(x, r.left()), top, qMax(1, width), metrics.height());
}

void MaskEditBase::ensureCaretVisible()
{
    const QFontMetrics metrics(shownFont());
    const QString &text = m_engine.shown();
    const QRect r = textRect();
    const int caret = m_engine.caret();
    const int avg = qMax(1, metrics.averageCharWidth());
    const int step = qMax(1, (r.width() / 4) / avg);
    if (metrics.horizontalAdvance(text) <= r.width()) {
        m_scroll = 0;
        return;
    }
    const auto widthTo
        = [&](int from) { return metrics.horizontalAdvance(text.mid(from, caret - from)) + 2; };
    if (caret < m_scroll) {
        m_scroll = qMax(0, caret - step);
    } else if (widthTo(m_scroll) > r.width()) {
        int needed = m_scroll;
        while (needed < caret && widthTo(needed) > r.width())
            ++needed;
        m_scroll = needed + step;
    }
    // Never scroll further than needed to bring the end of the text to the right edge.
    int maxScroll = 0;
    while (maxScroll < text.size() && metrics.horizontalAdvance(text.mid(maxScroll)) > r.width())
        ++maxScroll;
    m_scroll = qBound(0, m_scroll, maxScroll);
}

void MaskEditBase::restartCaret()
{
    m_caretOn = true;
    if (m_engine.focused()) {
        const int interval = QApplication::cursorFlashTime() / 2;
        if (interval > 0)
            m_blink.start(interval, this);
    } else {
        m_blink.stop();
    }
    ensureCaretVisible();
    update();
}

void MaskEditBase::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_caretOn = !m_caretOn;
        update();
        return;
    }
    comctl::ComControl::timerEvent(event);
}

void MaskEditBase::paintCaret(QPainter &p, const QRect &cell) const
{
    const bool insert = m_engine.insertMode();
    const int style = insert ? m_state.caretStyle : m_state.caretStyleOvertype;
    const QColor ink = palette().color(QPalette::Text);
    switch (style) {
    case CaretStyleSolid:
        p.fillRect(cell, ink);
        break;
    case CaretStyleGray:
        p.fillRect(cell, QBrush(ink, Qt::Dense4Pattern));
        break;
    case CaretStyleTriangle: {
        const QPolygon triangle({ QPoint(cell.left(), cell.bottom()),
                                  QPoint(cell.right(), cell.bottom()),
                                  QPoint(cell.center().x(), cell.bottom() - cell.height() / 3) });
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawPolygon(triangle);
        break;
    }
    case CaretStyleUnderline:
        p.fillRect(QRect(cell.left(), cell.bottom() - 1, cell.width(), 2), ink);
        break;
    case CaretStyleDotted:
        for (int y = cell.top(); y <= cell.bottom(); y += 2)
            p.fillRect(QRect(cell.left(), y, cell.width(), 1), QBrush(ink, Qt::Dense4Pattern));
        break;
    case CaretStyleCustom: {
        const QPixmap pic
            = (insert ? m_state.caretPicture : m_state.caretPictureOvertype).value_or(QPixmap());
        if (!pic.isNull()) {
            p.drawPixmap(cell, pic);
            break;
        }
        p.fillRect(QRect(cell.left(), cell.top(), 2, cell.height()), ink);
        break;
    }
    default:
        p.fillRect(QRect(cell.left(), cell.top(), 2, cell.height()), ink);
        break;
    }
}

void MaskEditBase::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    const ColourState state = colourState();
    const ColourSet colours = colourSet();
    p.fillRect(rect(), comctl::OleColor::toQColor(ColourRules::backColour(state, colours), pal));
    if (m_state.borderStyle == 1) {
        p.setPen(pal.color(QPalette::Dark));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (m_state.appearance == 1) {
            p.setPen(pal.color(QPalette::Shadow));
            p.drawRect(rect().adjusted(1, 1, -2, -2));
        }
    }
    const QRect r = textRect();
    p.setClipRect(r);
    const QFont f = shownFont();
    p.setFont(f);
    const QFontMetrics metrics(f);
    const QString &text = m_engine.shown();
    const int origin = textOrigin(metrics);
    const int baseline = r.top() + (r.height() - metrics.height()) / 2 + metrics.ascent();
    p.setPen(comctl::OleColor::toQColor(ColourRules::textColour(state, colours), pal));
    p.drawText(origin, baseline, text);

    const bool showSelection = m_engine.hasSelection()
        && (m_engine.focused() || (!m_state.hideSelection && !m_engine.textReplaced()));
    if (showSelection) {
        const int from = m_engine.selectionStart(), to = m_engine.selectionEnd();
        const QString part = text.mid(from, to - from);
        const int x = origin + metrics.horizontalAdvance(text.left(from));
        const QRect sel(x, r.top() + (r.height() - metrics.height()) / 2,
                        metrics.horizontalAdvance(part), metrics.height());
        p.fillRect(sel, comctl::OleColor::toQColor(m_state.selBackColor, pal));
        p.setPen(comctl::OleColor::toQColor(m_state.selForeColor, pal));
        p.drawText(x, baseline, part);
    }
    if (m_engine.focused() && hasFocus() && m_caretOn)
        paintCaret(p, caretRect());
    p.setClipping(false);
    paintButtons(p);
}

void MaskEditBase::paintButtons(QPainter &p) const
{
    const ButtonStrip strip = buttonStrip();
    for (auto part : { ButtonStrip::DropDown, ButtonStrip::Ellipsis, ButtonStrip::SpinUp,
                       ButtonStrip::SpinDown }) {
        const QRect r = strip.rectOf(part);
        if (!r.isEmpty())
            paintButtonFace(p, r, part);
    }
}

void MaskEditBase::paintButtonFace(QPainter &p, const QRect &r, ButtonStrip::Part part) const
{
    const bool sunken = m_tracked == part && m_pressedLook;
    const QPalette &pal = palette();
    p.fillRect(r, pal.color(QPalette::Button));
    p.setPen(sunken ? pal.color(QPalette::Shadow) : pal.color(QPalette::Light));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? pal.color(QPalette::Light) : pal.color(QPalette::Shadow));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QPoint c = r.center() + (sunken ? QPoint(1, 1) : QPoint());
    const bool spinOff = (part == ButtonStrip::SpinUp || part == ButtonStrip::SpinDown)
        && !m_state.spinButtonEnabled;
    const QColor ink = !isEnabled() || spinOff
        ? comctl::OleColor::toQColor(SysGrayText, pal)
        : comctl::OleColor::toQColor(m_state.colours.fore, pal);
    switch (part) {
    case ButtonStrip::DropDown:
        p.fillRect(QRect(c.x() - 2, c.y() - 1, 5, 1), ink);
        p.fillRect(QRect(c.x() - 1, c.y(), 3, 1), ink);
        p.fillRect(QRect(c.x(), c.y() + 1, 1, 1), ink);
        break;
    case ButtonStrip::Ellipsis: {
        const bool enabled = isEnabled() && m_state.ellipsesButtonEnabled;
        const QPixmap pic
            = (enabled ? m_state.ellipsesButtonPic : m_state.ellipsesButtonPicDisabled)
                  .value_or(QPixmap());
        if (!pic.isNull()) {
            p.save();
            p.setClipRect(r.adjusted(1, 1, -1, -1));
            p.drawPixmap(c.x() - pic.width() / 2, c.y() - pic.height() / 2, pic);
            p.restore();
            break;
        }
        const QColor dots = enabled ? ink : comctl::OleColor::toQColor(SysGrayText, pal);
        const int y = r.bottom() - r.height() / 3;
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRect(c.x() - 4 + i * 3, y, 2, 2), dots);
        break;
    }
    case ButtonStrip::SpinUp:
        p.fillRect(QRect(c.x() - 2, c.y(), 5, 1), ink);
        p.fillRect(QRect(c.x(), c.y() - 2, 1, 5), ink);
        p.fillRect(QRect(c.x() + 3, c.y() + 1, 1, 1), QColor(128, 128, 128));
        p.fillRect(QRect(c.x() + 1, c.y() + 3, 1, 1), QColor(128, 128, 128));
        break;
    case ButtonStrip::SpinDown:
        p.fillRect(QRect(c.x() - 2, c.y(), 5, 1), ink);
        p.fillRect(QRect(c.x() - 2, c.y() + 1, 5, 1), QColor(128, 128, 128));
        break;
    default:
        break;
    }
}

// ------------------------------------------------------------------ mouse

QCursor MaskEditBase::pointerCursor() const
{
    static const Qt::CursorShape shapes[] = {
        Qt::IBeamCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    const int pointer = m_state.mousePointer;
    if (pointer == 99) {
        const QPixmap icon = m_state.mouseIcon.value_or(QPixmap());
        return icon.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(icon);
    }
    return QCursor(shapes[qBound(0, pointer, 15)]);
}

QWidget *MaskEditBase::buttonAt(const QString &name, QPoint *point)
{
    static const QHash<QString, ButtonStrip::Part> buttons = {
        { QStringLiteral("spin-up"), ButtonStrip::SpinUp },
        { QStringLiteral("spin-down"), ButtonStrip::SpinDown },
        { QStringLiteral("ellipsis"), ButtonStrip::Ellipsis },
        { QStringLiteral("dropdown"), ButtonStrip::DropDown },
    };
    const QRect r = buttons.contains(name) ? buttonStrip().rectOf(buttons.value(name)) : QRect();
    if (r.isEmpty() || !isVisible())
        return nullptr;
    *point = r.center();
    return this;
}

void MaskEditBase::raiseMouseEvent(const QString &name, const QMouseEvent *event,
                                   Qt::MouseButtons buttons)
{
    // Button, Shift, X, Y of the stock mouse events.
    raiseEvent(name,
               { qint16(buttons.toInt()), comctl::KeyCodes::shiftState(event->modifiers()),
                 float(event->position().x()), float(event->position().y()) });
}

bool MaskEditBase::pressStrip(QMouseEvent *e)
{
    stripTouched();
    if (e->button() != Qt::LeftButton || !isEnabled())
        return false;
    const ButtonStrip strip = buttonStrip();
    const ButtonStrip::Part part = strip.hit(e->position().toPoint());
    if (part == ButtonStrip::None)
        return strip.strip.contains(e->position().toPoint());
    if (!stripButtonPressed(part))
        return true;
    m_tracked = part;
    m_pressedLook = true;
    repaint();
    stripButtonDown(part);
    return true;
}

bool MaskEditBase::releaseStrip(QMouseEvent *e)
{
    stripTouched();
    if (m_tracked == ButtonStrip::None)
        return false;
    const ButtonStrip::Part part = m_tracked;
    const bool over = buttonStrip().rectOf(part).contains(e->position().toPoint());
    m_tracked = ButtonStrip::None;
    m_pressedLook = false;
    update();
    if (over)
        stripButtonClicked(part);
    return true;
}

void MaskEditBase::pressText(QMouseEvent *event)
{
    comctl::ComControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !textRect().contains(event->position().toPoint()))
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    m_engine.placeCaret(indexAt(int(event->position().x())), shift);
    m_dragging = true;
    restartCaret();
}

void MaskEditBase::mousePressEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    if (!pressStrip(event))
        pressText(event);
    raiseMouseEvent(QStringLiteral("MouseDown"), event, event->button());
}

void MaskEditBase::mouseMoveEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    pointerMoved();
    const QPoint pos = event->position().toPoint();
    const ButtonStrip strip = buttonStrip();
    setCursor(strip.strip.contains(pos) ? QCursor(Qt::ArrowCursor) : pointerCursor());
    if (m_tracked != ButtonStrip::None) {
        const bool over = strip.rectOf(m_tracked).contains(pos);
        if (over != m_pressedLook) {
            m_pressedLook = over;
            update();
        }
        return;
    }
    comctl::ComControl::mouseMoveEvent(event);
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        m_engine.placeCaret(indexAt(int(event->position().x())), true);
        restartCaret();
    }
    raiseMouseEvent(QStringLiteral("MouseMove"), event, event->buttons());
}

void MaskEditBase::mouseReleaseEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    QPointer<MaskEditBase> self(this);
    const bool onButton
        = releaseStrip(event) || buttonStrip().strip.contains(event->position().toPoint());
    if (!self)
        return;
    if (!onButton) {
        comctl::ComControl::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            m_dragging = false;
    }
    // Every MouseDown gets its MouseUp, on the buttons as well; a button's own click is its
    // event (SpinClick, EllipsesClick), not the control's Click.
    raiseMouseEvent(QStringLiteral("MouseUp"), event, event->button());
    // The release that ends a double click is no Click of its own.
    const bool afterDoubleClick = std::exchange(m_doubleClicked, false);
    if (self && !onButton && !afterDoubleClick && rect().contains(event->position().toPoint()))
        raiseEvent(QStringLiteral("Click"));
}

void MaskEditBase::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    // The double click stands for the second press: on the button strip it presses the
    // button again, with the MouseDown its release will match.
    if (buttonStrip().strip.contains(event->position().toPoint())) {
        QPointer<MaskEditBase> self(this);
        pressStrip(event);
        if (self)
            raiseMouseEvent(QStringLiteral("MouseDown"), event, event->button());
        return;
    }
    comctl::ComControl::mouseDoubleClickEvent(event); // the press (MouseDown, caret), then the word
    if (event->button() == Qt::LeftButton && textRect().contains(event->position().toPoint())) {
        m_engine.selectWordAt(indexAt(int(event->position().x())));
        restartCaret();
    }
    m_doubleClicked = true;
    raiseEvent(QStringLiteral("DblClick"));
}

} // namespace orvel
