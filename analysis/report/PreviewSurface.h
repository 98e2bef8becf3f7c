#pragma once

#include "PageContent.h"
#include "PageCursor.h"
#include "PageHitMap.h"
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

    // What the first page's places are, from the data it was drawn from.
    void setHitMap(PageHitMap map);
    const PageHitMap &hitMap() const { return m_hitMap; }
    // The first page's texts, for assistive technology.
    void setPageContent(PageContent content) { m_content = std::move(content); }
    const PageContent &pageContent() const { return m_content; }
    PageCursor &cursor() { return m_cursor; }
    // The widget that shows the pages and takes the mouse and the keys.
    QWidget *pageView() const;
    // A place of the first page shown (page twips) in the page view's pixels, and back;
    // none when the first page is not shown.
    std::optional<QPointF> viewPoint(const QPointF &twips) const;
    std::optional<QPointF> pagePoint(const QPointF &viewPos) const;
    // What lies under a place of the page view.
    std::optional<PageHit> hitAt(const QPointF &viewPos) const;
    // A click or Enter on a hit: the breakdown it asks for is wanted.
    void activate(const PageHit &hit);

public Q_SLOTS:
    void zoomIn();
    void zoomOut();
    void zoomReset();

Q_SIGNALS:
    // The document needs laying out again (page set-up changed): redraw it.
    void layoutRequested();
    // The page shown or the zoom changed: synchronise the navigation controls.
    void previewChanged();
    // A month, point, cell or series label of the page was clicked or chosen with Enter.
    void breakdownWanted(const ertragon::report::BreakdownChoice &choice);

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
    PageHitMap m_hitMap;
    PageContent m_content;
    PageCursor m_cursor;
};

} // namespace ertragon::report
