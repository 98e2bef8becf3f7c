#include "PreviewSurface.h"

#include "PageRenderer.h"
#include "PreviewPageView_p.h"

#include <QAction>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ertragon::report {

namespace {

constexpr int PageGap = 12; // pixels around and between pages
const double ZoomSteps[] = { 10, 25, 50, 75, 100, 125, 150, 200, 300, 400, 600, 800 };

} // namespace

PreviewPageView::PreviewPageView(PreviewSurface &surface, QWidget *parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAutoFillBackground(false);
}

QSizeF PreviewPageView::pagePixels() const
{
    return PageRenderer::pageSizeTwips(m_surface.paperKind(), m_surface.pageOrientation())
        * m_surface.pixelsPerTwip();
}

void PreviewPageView::relayout()
{
    const QSizeF page = pagePixels();
    const int shown = m_surface.PreviewPages();
    resize(int(shown * (page.width() + PageGap)) + PageGap, int(page.height()) + 2 * PageGap);
    update();
}

void PreviewPageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const PageDocument &document = m_surface.document();
    const QSizeF pageTwips
        = PageRenderer::pageSizeTwips(m_surface.paperKind(), m_surface.pageOrientation());
    const QSizeF page = pagePixels();
    for (int i = 0; i < m_surface.PreviewPages(); ++i) {
        const int index = m_surface.PreviewPage() - 1 + i;
        const QRectF target(PageGap + i * (page.width() + PageGap), PageGap, page.width(),
                            page.height());
        painter.fillRect(target.translated(3, 3), Qt::black);
        painter.fillRect(target, Qt::white);
        if (index >= 0 && index < document.pageCount())
            PageRenderer::render(painter, document.pages[index], pageTwips, target);
    }
}

PreviewSurface::PreviewSurface(QWidget *parent, std::shared_ptr<const TextMeasurer> measurer)
    : QWidget(parent)
    , RecordingSurface(std::move(measurer))
    , m_scroll(new QScrollArea(this))
    , m_view(new PreviewPageView(*this))
{
    setObjectName(QStringLiteral("VSPrinter1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    m_scroll->setWidget(m_view);
    m_scroll->setAccessibleName(QStringLiteral("Seitenansicht"));
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    auto addZoomAction = [this](const QList<QKeySequence> &keys, void (PreviewSurface::*slot)()) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addZoomAction({ QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal) },
                  &PreviewSurface::zoomIn);
    addZoomAction({ QKeySequence(Qt::CTRL | Qt::Key_Minus) }, &PreviewSurface::zoomOut);
    addZoomAction({ QKeySequence(Qt::CTRL | Qt::Key_0) }, &PreviewSurface::zoomReset);
    m_view->relayout();
}

PreviewSurface::~PreviewSurface() = default;

void PreviewSurface::Refresh()
{
    m_view->update();
}

double PreviewSurface::fittingPercent() const
{
    const QSizeF pageTwips = PageRenderer::pageSizeTwips(paperKind(), pageOrientation());
    const double screenPerTwip = logicalDpiX() / 1440.0;
    const QSize room = m_scroll->viewport()->size() - QSize(2 * PageGap, 2 * PageGap);
    const int shown = PreviewPages();
    const double byWidth = (room.width() - (shown - 1) * PageGap) / double(shown)
        / (pageTwips.width() * screenPerTwip);
    const double byHeight = room.height() / (pageTwips.height() * screenPerTwip);
    const double fit
        = RecordingSurface::ZoomMode() == ZoomPageWidth ? byWidth : qMin(byWidth, byHeight);
    return qMax(5.0, fit * 100);
}

double PreviewSurface::ZoomPercent() const
{
    if (RecordingSurface::ZoomMode() == ZoomPercentage)
        return RecordingSurface::ZoomPercent();
    return fittingPercent();
}

double PreviewSurface::pixelsPerTwip() const
{
    return ZoomPercent() / 100.0 * logicalDpiX() / 1440.0;
}

void PreviewSurface::zoomIn()
{
    const double current = ZoomPercent();
    for (double step : ZoomSteps) {
        if (step > current + 0.5) {
            setZoomPercent(step);
            return;
        }
    }
}

void PreviewSurface::zoomOut()
{
    const double current = ZoomPercent();
    for (auto it = std::rbegin(ZoomSteps); it != std::rend(ZoomSteps); ++it) {
        if (*it < current - 0.5) {
            setZoomPercent(*it);
            return;
        }
    }
}

void PreviewSurface::zoomReset()
{
    setZoomPercent(100);
}

void PreviewSurface::updateView()
{
    m_view->relayout();
}

void PreviewSurface::documentEnded()
{
    updateView();
    Q_EMIT previewChanged();
}

void PreviewSurface::pageSetupChanged()
{
    updateView();
    Q_EMIT layoutRequested();
}

void PreviewSurface::viewChanged()
{
    updateView();
    Q_EMIT previewChanged();
}

void PreviewSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (RecordingSurface::ZoomMode() != ZoomPercentage)
        updateView();
}

} // namespace ertragon::report
