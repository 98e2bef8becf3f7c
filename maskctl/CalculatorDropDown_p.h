#pragma once

#include "CalculatorPopup.h"

#include <QPointer>

class QKeyEvent;

namespace orvel {

class CNumCtrl;

// The drop-down calculator of a CNumCtrl: opens it under the control with the control's
// value (DropDown), routes the control's keys to it while it is open, and on "=" (Enter, F4,
// a click outside, the focus leaving) takes its result into Value and closes (CloseUp).
class CalculatorDropDown
{
public:
    explicit CalculatorDropDown(CNumCtrl &control);

    // The calculator window, made on first use, in the control's current look.
    CalculatorPopup *popup();
    // The window if it has been made (it may be hidden).
    CalculatorPopup *existingPopup() const { return m_popup; }
    bool isOpen() const { return m_open; }
    // The window while it shows, else null.
    CalculatorPopup *shownPopup() const;

    void open();
    void close();
    // Presses "=", transfers the result through Value and closes.
    void finish();

    // The keys while the calculator is open: at the key-down (Enter, F4, Escape, Delete) and
    // as characters.
    void key(QKeyEvent *event);
    void typed(QChar c);

    // The button a script names: caption, ASCII name or "#" and number; -1 for none.
    int buttonNamed(const QString &name) const;
    // The look changed (a caption): repaint an existing window with it.
    void lookChanged();
    // CalcWidth or CalcHeight changed: an open calculator takes the new size.
    void sizeChanged();
    QString displayText() const;

private:
    Q_DISABLE_COPY(CalculatorDropDown)

    CalculatorLook look() const;
    QSize size() const;
    void transfer();

    CNumCtrl &q;
    QPointer<CalculatorPopup> m_popup;
    bool m_open = false;
};

} // namespace orvel
