#include "PrintJob.h"

#include "PageRenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace ertragon::report {

PrintJob::PrintJob(QPrinter &printer, Layout layout)
    : m_printer(printer)
    , m_layout(layout)
{
}

PrintJob::~PrintJob()
{
    finish();
}

bool PrintJob::begin(int orientation)
{
    m_printer.setFullPage(true);
    if (m_layout == Layout::A4)
        m_printer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4),
            orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    if (m_painter.begin(&m_printer))
        return true;
    m_failed = true;
    m_error = m_printer.outputFileName().isEmpty()
        ? QStringLiteral("Der Drucker \"%1\" kann nicht geöffnet werden.")
              .arg(m_printer.printerName())
        : QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
              .arg(m_printer.outputFileName());
    return false;
}

bool PrintJob::add(const PageDocument &document, int paperKind, int orientation)
{
    if (m_failed)
        return false;
    if (!m_painter.isActive() && !begin(orientation))
        return false;
    const QSizeF pageTwips = PageRenderer::pageSizeTwips(paperKind, orientation);
    const QList<PageOperations> pages
        = document.pages.isEmpty() ? QList<PageOperations> { {} } : document.pages;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if ((m_documents > 0 || i > 0) && !m_printer.newPage()) {
            m_failed = true;
            m_error = QStringLiteral("Der Drucker hat keine neue Seite angenommen.");
            return false;
        }
        PageRenderer::render(m_painter, pages[i], pageTwips, target(pageTwips));
    }
    ++m_documents;
    return true;
}

QRectF PrintJob::target(const QSizeF &pageTwips) const
{
    const QPageLayout layout = m_printer.pageLayout();
    const int resolution = m_printer.resolution();
    if (m_layout == Layout::A4)
        return QRectF(QPointF(0, 0), layout.fullRectPixels(resolution).size());
    // Within the margins, as large as the page's proportions allow, centred.
    const QRectF room = layout.paintRectPixels(resolution);
    const QSizeF fitted = pageTwips.scaled(room.size(), Qt::KeepAspectRatio);
    return QRectF(room.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

bool PrintJob::finish()
{
    if (m_painter.isActive() && !m_painter.end() && !m_failed) {
        m_failed = true;
        m_error = QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden.");
    }
    return !m_failed;
}

} // namespace ertragon::report
