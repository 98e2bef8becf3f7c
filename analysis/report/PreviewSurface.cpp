#include "PreviewSurface.h"

#include "PageRenderer.h"
#include "PreviewPageView_p.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace ertragon::report {

namespace {

constexpr int PageGap = 12; // pixels around and between pages
const double ZoomSteps[] = { 10, 25, 50, 75, 100, 125, 150, 200, 300, 400, 600, 800 };

QRectF viewRectOf(const PreviewSurface &surface, const QRectF &twips)
{
    const auto topLeft = surface.viewPoint(twips.topLeft());
    const auto bottomRight = surface.viewPoint(twips.bottomRight());
    if (!topLeft || !bottomRight)
        return {};
    return QRectF(*topLeft, *bottomRight);
}

} // namespace

PreviewPageView::PreviewPageView(PreviewSurface &surface, QWidget *parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setObjectName(QStringLiteral("previewPage"));
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Berichtsseite"));
    setAccessibleDescription(
        QStringLiteral("Pfeiltasten wählen einen Monat, die Eingabetaste öffnet seine Aufteilung"));
}

QSizeF PreviewPageView::pagePixels() const
{
    return PageRenderer::pageSizeTwips(m_surface.paperKind(), m_surface.pageOrientation())
        * m_surface.pixelsPerTwip();
}

QRectF PreviewPageView::pageTarget(int i) const
{
    const QSizeF page = pagePixels();
    return { PageGap + i * (page.width() + PageGap), double(PageGap), page.width(), page.height() };
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
    for (int i = 0; i < m_surface.PreviewPages(); ++i) {
        const int index = m_surface.PreviewPage() - 1 + i;
        const QRectF target = pageTarget(i);
        painter.fillRect(target.translated(3, 3), Qt::black);
        painter.fillRect(target, Qt::white);
        if (index >= 0 && index < document.pageCount())
            PageRenderer::render(painter, document.pages[index], pageTwips, target);
    }
    paintCursor(painter);
}

void PreviewPageView::paintCursor(QPainter &painter) const
{
    PageCursor &cursor = m_surface.cursor();
    if (!hasFocus() || !cursor.isOn())
        return;
    const QColor highlight = palette().color(QPalette::Highlight);
    const QRectF band = viewRectOf(m_surface, m_surface.hitMap().cursorBand(cursor.column()));
    QColor wash = highlight;
    wash.setAlpha(40);
    painter.fillRect(band, wash);
    painter.setPen(QPen(highlight, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band);
    if (const auto hit = cursor.hit(); hit && hit->series > 0)
        painter.drawRect(viewRectOf(m_surface, m_surface.hitMap().areaOf(*hit)));
}

bool PreviewPageView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const auto hit = m_surface.hitAt(help->pos());
    if (hit)
        QToolTip::showText(help->globalPos(), m_surface.hitMap().toolTip(*hit), this);
    else
        QToolTip::hideText();
    return true;
}

void PreviewPageView::mouseMoveEvent(QMouseEvent *event)
{
    const Qt::CursorShape shape
        = m_surface.hitAt(event->position()) ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
    QWidget::mouseMoveEvent(event);
}

void PreviewPageView::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const auto hit = m_surface.hitAt(event->position());
    if (!hit)
        return;
    m_surface.cursor().place(*hit);
    update();
    m_surface.activate(*hit);
}

void PreviewPageView::keyPressEvent(QKeyEvent *event)
{
    PageCursor &cursor = m_surface.cursor();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers
        = event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    if (m_surface.hitMap().isEmpty() || modifiers.toInt() != 0
        || !(enter || cursor.press(event->key()))) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    update();
    if (!enter) {
        showCursorTip();
        return;
    }
    if (const auto hit = cursor.hit())
        m_surface.activate(*hit);
}

void PreviewPageView::showCursorTip()
{
    // The keyboard gets the values a hover shows, beside the cursor's column or cell.
    const auto hit = m_surface.cursor().hit();
    if (!hit)
        return;
    const QRectF area = viewRectOf(m_surface, m_surface.hitMap().areaOf(*hit));
    QToolTip::showText(mapToGlobal(area.bottomRight().toPoint()), m_surface.hitMap().toolTip(*hit),
                       this);
}

void PreviewPageView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

// Also sent while the surface is being destroyed: it is not asked for anything here.
void PreviewPageView::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
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
    m_scroll->viewport()->installEventFilter(this);
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

void PreviewSurface::setHitMap(PageHitMap map)
{
    m_hitMap = std::move(map);
    m_view->update();
}

QWidget *PreviewSurface::pageView() const
{
    return m_view;
}

std::optional<QPointF> PreviewSurface::viewPoint(const QPointF &twips) const
{
    if (PreviewPage() != 1)
        return std::nullopt;
    const QSizeF page = PageRenderer::pageSizeTwips(paperKind(), pageOrientation());
    const QRectF target = m_view->pageTarget(0);
    return target.topLeft()
        + QPointF(twips.x() * target.width() / page.width(),
                  twips.y() * target.height() / page.height());
}

std::optional<QPointF> PreviewSurface::pagePoint(const QPointF &viewPos) const
{
    const QRectF target = m_view->pageTarget(0);
    if (PreviewPage() != 1 || !target.contains(viewPos))
        return std::nullopt;
    const QSizeF page = PageRenderer::pageSizeTwips(paperKind(), pageOrientation());
    const QPointF inPage = viewPos - target.topLeft();
    return QPointF(inPage.x() * page.width() / target.width(),
                   inPage.y() * page.height() / target.height());
}

std::optional<PageHit> PreviewSurface::hitAt(const QPointF &viewPos) const
{
    const auto twips = pagePoint(viewPos);
    return twips ? m_hitMap.at(*twips) : std::nullopt;
}

void PreviewSurface::activate(const PageHit &hit)
{
    Q_EMIT breakdownWanted(m_hitMap.breakdownFor(hit));
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

bool PreviewSurface::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || watched != m_scroll->viewport())
        return QWidget::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    // Ctrl+wheel zooms by the steps of Ctrl++ and Ctrl+-; a touchpad's small deltas add up.
    m_wheelAngle += wheel->angleDelta().y();
    for (; m_wheelAngle >= QWheelEvent::DefaultDeltasPerStep;
         m_wheelAngle -= QWheelEvent::DefaultDeltasPerStep)
        zoomIn();
    for (; m_wheelAngle <= -QWheelEvent::DefaultDeltasPerStep;
         m_wheelAngle += QWheelEvent::DefaultDeltasPerStep)
        zoomOut();
    return true;
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
