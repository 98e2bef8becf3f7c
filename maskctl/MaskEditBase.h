#pragma once

#include "ButtonStrip.h"
#include "ColourRules.h"
#include "MaskEditState.h"
#include "NumberEditEngine.h"
#include "comctl/ComControl.h"

#include <QBasicTimer>

namespace orvel {

// CaretStyleConstants
enum CaretStyle : int {
    CaretStyleDefault = 0,
    CaretStyleSolid = 1,
    CaretStyleGray = 2,
    CaretStyleTriangle = 3,
    CaretStyleUnderline = 4,
    CaretStyleDotted = 5,
    CaretStyleCustom = 6,
};

// The masked edit window: it paints the shown text of its edit engine in the state's
// colours and font, draws caret and selection, scrolls horizontally, turns mouse input
// into caret moves and button presses on its button strip, and raises the stock mouse
// events. It keeps the property values of the control in its state.
class MaskEditBase : public comctl::ComControl
{
    Q_OBJECT
public:
    explicit MaskEditBase(QWidget *parent = nullptr);
    ~MaskEditBase() override;

    NumberEditEngine &engine() { return m_engine; }
    const NumberEditEngine &engine() const { return m_engine; }

    MaskEditState &state() { return m_state; }
    const MaskEditState &state() const { return m_state; }

    ColourState colourState() const;
    const ColourSet &colourSet() const { return m_state.colours; }
    // The client area inside the border.
    QRect clientRect() const;
    // The buttons shown at the right edge.
    ButtonStrip buttonStrip() const;
    // The rectangle the text is drawn in (the client area less the buttons).
    QRect textRect() const;
    // The button being tracked by the mouse and whether it looks pressed.
    ButtonStrip::Part trackedButton() const { return m_tracked; }
    bool buttonLooksPressed() const { return m_pressedLook; }
    int scrollOffset() const { return m_scroll; }
    // Character index under a point of the text rectangle.
    int indexAt(int x) const;
    // The box of the character at an index of the shown text; empty past the end.
    QRect characterRect(int index) const;
    // The caret rectangle for the current style, or an empty rectangle without focus.
    QRect caretRect() const;
    QSize sizeHint() const override;

protected:
    // The button of the strip named "spin-up", "spin-down", "ellipsis" or "dropdown":
    // this control with *point at its centre, or nothing when it is not shown.
    QWidget *buttonAt(const QString &name, QPoint *point);
    // The mouse pointer of MousePointer and MouseIcon.
    QCursor pointerCursor() const;

    // What the buttons of the strip do. A press on a button: false when the button is
    // disabled (then it is not tracked). Down: the button is tracked and looks pressed.
    // Clicked: released over the tracked button.
    virtual bool stripButtonPressed(ButtonStrip::Part) { return true; }
    virtual void stripButtonDown(ButtonStrip::Part) { }
    virtual void stripButtonClicked(ButtonStrip::Part) { }
    // A button of the strip was touched, or the pointer moved over the control.
    virtual void stripTouched() { }
    virtual void pointerMoved() { }

    // Keeps the caret visible after a caret move (horizontal scrolling).
    void ensureCaretVisible();
    void restartCaret();

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

    NumberEditEngine m_engine;

private:
    bool alignedRight() const;
    bool centred() const;
    int textOrigin(const QFontMetrics &metrics) const;
    QFont shownFont() const;
    void paintCaret(QPainter &painter, const QRect &cell) const;
    void paintButtons(QPainter &painter) const;
    void paintButtonFace(QPainter &painter, const QRect &r, ButtonStrip::Part part) const;
    // The press and release on the strip; false when they are for the text.
    bool pressStrip(QMouseEvent *event);
    bool releaseStrip(QMouseEvent *event);
    void pressText(QMouseEvent *event);
    void raiseMouseEvent(const QString &name, const QMouseEvent *event, Qt::MouseButtons buttons);

    MaskEditState m_state;
    int m_scroll = 0;
    bool m_dragging = false;
    bool m_caretOn = true;
    bool m_doubleClicked = false;
    QBasicTimer m_blink;

protected:
    ButtonStrip::Part m_tracked = ButtonStrip::None;
    bool m_pressedLook = false;
};

} // namespace orvel
