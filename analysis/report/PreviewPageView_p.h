#pragma once

#include <QWidget>

namespace ertragon::report {

class PreviewSurface;
struct PageHit;

// The widget inside the preview's scroll area that paints the shown pages, and where
// the page is questioned: hover tooltips, clicks and the keyboard's month cursor, drawn
// over the page, never into it.
class PreviewPageView : public QWidget
{
public:
    explicit PreviewPageView(PreviewSurface &surface, QWidget *parent = nullptr);
    void relayout();
    // Where page i (0 the first shown) lies in the widget.
    QRectF pageTarget(int i) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QSizeF pagePixels() const;
    void paintCursor(QPainter &painter) const;
    void showCursorTip();
    PreviewSurface &m_surface;
};

} // namespace ertragon::report
