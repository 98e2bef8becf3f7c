#pragma once

#include <QWidget>

namespace ertragon::report {

class PreviewSurface;

// The widget inside the preview's scroll area that paints the shown pages.
class PreviewPageView : public QWidget
{
public:
    explicit PreviewPageView(PreviewSurface &surface, QWidget *parent = nullptr);
    void relayout();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSizeF pagePixels() const;
    PreviewSurface &m_surface;
};

} // namespace ertragon::report
