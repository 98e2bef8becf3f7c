#pragma once

#include "CalculatorEngine.h"
#include "CalculatorLook.h"

#include <QWidget>

namespace orvel {

// The drop-down calculator window (class "ovCalculator"): paints the engine's display, the
// memory indicator and the 23 buttons in their grid, and turns clicks into button presses.
class CalculatorPopup : public QWidget
{
    Q_OBJECT
public:
    explicit CalculatorPopup(QWidget *owner);

    CalculatorEngine &engine() { return m_engine; }
    void setLook(const CalculatorLook &look);
    const CalculatorLook &look() const { return m_look; }

    // Presses a button: the operation, a repaint and buttonPressed when it was not ignored.
    void pressButton(int type);
    QString displayText() const { return m_engine.displayText(m_look.errorText); }

    // Grid geometry for a client size.
    static QRect displayRect(QSize client);
    static QRect buttonRect(QSize client, int type);
    static QRect memoryIndicatorRect(QSize client);
    int buttonAt(const QPoint &pos) const;

    // Where the calculator goes: below the control, or above when only that fits; aligned
    // to the control's right edge when it would leave the desktop on the right.
    static QRect placement(const QRect &control, QSize size, const QRect &desktop);

Q_SIGNALS:
    void buttonPressed(int type);
    // A press outside the calculator while it watches the mouse.
    void outsideClick();
    // The platform made the calculator the active window (some do for any shown window).
    void activated();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QColor colour(quint32 ole, const QColor &fallback) const;
    QColor captionColour(int type) const;
    void paintButton(QPainter &p, int type);

    CalculatorEngine m_engine;
    CalculatorLook m_look;
    int m_pressed = -1;
    bool m_pressedLook = false;
};

} // namespace orvel
