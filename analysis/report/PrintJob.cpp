#include "PrintJob.h"

#include "PageRenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace ertragon::report {

PrintJob::PrintJob(QPrinter &printer)
    : m_printer(printer)
{
}

PrintJob::~PrintJob()
{
    finish();
}

bool PrintJob::begin(int orientation)
{
    m_printer.setFullPage(true);
    m_printer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF()));
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
        const QRectF target = m_printer.pageLayout().fullRectPixels(m_printer.resolution());
        PageRenderer::render(m_painter, pages[i], pageTwips, QRectF(QPointF(0, 0), target.size()));
    }
    ++m_documents;
    return true;
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
