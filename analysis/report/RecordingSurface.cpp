#include "RecordingSurface.h"

#include "PrintJob.h"
#include "TextMeasurer.h"

namespace ertragon::report {

using Kind = PageOperation::Kind;

RecordingSurface::RecordingSurface(std::shared_ptr<const TextMeasurer> measurer)
    : m_measurer(measurer ? std::move(measurer) : std::make_shared<FontTextMeasurer>())
{
}

RecordingSurface::~RecordingSurface() = default;

void RecordingSurface::setPrintHandler(std::function<void(const PageDocument &)> print)
{
    m_print = std::move(print);
}

void RecordingSurface::setPaperKind(int kind)
{
    if (kind == m_paperKind)
        return;
    m_paperKind = kind;
    pageSetupChanged();
}

void RecordingSurface::setPageOrientation(int orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    pageSetupChanged();
}

void RecordingSurface::BeginDocument()
{
    m_document = {};
    m_document.pages.append(PageOperations {});
    m_open = true;
}

void RecordingSurface::NewPage()
{
    if (!m_open)
        BeginDocument();
    else
        m_document.pages.append(PageOperations {});
}

void RecordingSurface::EndDocument()
{
    m_open = false;
    if (m_previewPage > PageCount())
        m_previewPage = qMax(1, PageCount());
    documentEnded();
}

void RecordingSurface::record(const PageOperation &op)
{
    // Drawing outside BeginDocument starts a document, as a page needs one.
    if (m_document.pages.isEmpty()) {
        m_document.pages.append(PageOperations {});
        m_open = true;
    }
    m_document.pages.last().append(op);
}

void RecordingSurface::FontFace(const QString &face)
{
    m_face = face;
    record(PageOperation::fontFace(face));
}

void RecordingSurface::FontPoints(double points)
{
    m_points = points;
    record(PageOperation::setting(Kind::FontPoints, points));
}

void RecordingSurface::TextColour(int rgb)
{
    record(PageOperation::setting(Kind::TextColour, rgb));
}

void RecordingSurface::TextAlignment(int code)
{
    record(PageOperation::setting(Kind::TextAlignment, code));
}

void RecordingSurface::TextAngle(int tenthsOfDegree)
{
    record(PageOperation::setting(Kind::TextAngle, tenthsOfDegree));
}

void RecordingSurface::PenColour(int rgb)
{
    record(PageOperation::setting(Kind::PenColour, rgb));
}

void RecordingSurface::PenPattern(int pattern)
{
    record(PageOperation::setting(Kind::PenPattern, pattern));
}

void RecordingSurface::PenThickness(double twips)
{
    record(PageOperation::setting(Kind::PenThickness, twips));
}

void RecordingSurface::FillColour(int rgb)
{
    record(PageOperation::setting(Kind::FillColour, rgb));
}

void RecordingSurface::FillPattern(int pattern)
{
    record(PageOperation::setting(Kind::FillPattern, pattern));
}

void RecordingSurface::setMeasureParameters(double, double)
{
    // Measuring always covers the whole text on one line; nothing to keep.
}

QSizeF RecordingSurface::MeasureText(const QString &text)
{
    return m_measurer->measure(text, m_face, m_points);
}

void RecordingSurface::TextBlock(const QString &text, double left, double top, double width,
                                 double height, bool wrap, bool transparent)
{
    record(PageOperation::textBlock(text, left, top, width, height, wrap, transparent));
}

void RecordingSurface::DrawLine(double x1, double y1, double x2, double y2)
{
    record(PageOperation::shape(Kind::DrawLine, x1, y1, x2, y2));
}

void RecordingSurface::DrawRectangle(double x1, double y1, double x2, double y2)
{
    record(PageOperation::shape(Kind::DrawRectangle, x1, y1, x2, y2));
}

void RecordingSurface::DrawCircle(double x, double y, double radius)
{
    record(PageOperation::shape(Kind::DrawCircle, x, y, radius));
}

void RecordingSurface::setZoomPercent(double percent)
{
    if (percent <= 0)
        return;
    m_zoomPercent = qBound(5.0, percent, 1000.0);
    m_zoomMode = ZoomPercentage;
    viewChanged();
}

void RecordingSurface::setZoomMode(int mode)
{
    m_zoomMode = (mode >= ZoomAllPages && mode <= ZoomPageWidth) ? mode : ZoomPercentage;
    viewChanged();
}

void RecordingSurface::setPreviewPage(int page)
{
    const int last = qMax(1, PageCount() - PreviewPages() + 1);
    m_previewPage = qBound(1, page, last);
    viewChanged();
}

int RecordingSurface::PreviewPages() const
{
    const int pages = qMax(1, PageCount());
    switch (m_zoomMode) {
    case ZoomAllPages:
        return pages;
    case ZoomTwoPages:
        return qMin(2, pages);
    default:
        return 1;
    }
}

void RecordingSurface::PrintDocument(bool)
{
    if (m_print) {
        m_print(m_document);
    } else if (m_job) {
        m_job->add(m_document, m_paperKind, m_orientation);
    } else if (m_printer) {
        PrintJob job(*m_printer);
        job.add(m_document, m_paperKind, m_orientation);
    }
}

} // namespace ertragon::report
