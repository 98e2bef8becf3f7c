#pragma once

#include "RecordingSurface.h"

#include <QWidget>

class QScrollArea;

namespace ertragon::report {

class PreviewPageView;

// The main window's print surface VSPrinter1: records the report and shows
// the recorded pages as a zoomable preview.
class PreviewSurface : public QWidget, public RecordingSurface
{
    Q_OBJECT
public:
    explicit PreviewSurface(QWidget *parent = nullptr,
                            std::shared_ptr<const TextMeasurer> measurer = {});
    ~PreviewSurface() override;

    void Refresh() override;
    // In the fitting zoom modes the percentage follows the window size.
    double ZoomPercent() const override;

    // Screen pixels per twip at the current zoom.
    double pixelsPerTwip() const;

public Q_SLOTS:
    void zoomIn();
    void zoomOut();
    void zoomReset();

Q_SIGNALS:
    // The document needs laying out again (page set-up changed): redraw it.
    void layoutRequested();
    // The page shown or the zoom changed: synchronise the navigation controls.
    void previewChanged();

protected:
    void documentEnded() override;
    void pageSetupChanged() override;
    void viewChanged() override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateView();
    double fittingPercent() const;

    QScrollArea *m_scroll = nullptr;
    PreviewPageView *m_view = nullptr;
    int m_wheelAngle = 0;
};

} // namespace ertragon::report
