#include "PrintController.h"

#include "PrintJob.h"
#include "PrinterDialog.h"
#include "RecordingSurface.h"
#include "ReportExport.h"

#include <QPageLayout>
#include <QPageSize>

namespace ertragon::report {

PrintController::PrintController(RecordingSurface &surface, PrinterDialog &dialog, Hooks hooks)
    : m_surface(surface)
    , m_dialog(dialog)
    , m_hooks(std::move(hooks))
    , m_printer(QPrinter::HighResolution)
{
    m_printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    m_printer.setFullPage(true);
    m_printer.setDocName(QStringLiteral("Ertragon"));
}

int PrintController::print()
{
    if (m_hooks.selectionChanged && m_hooks.selectionChanged() && m_hooks.fetch)
        m_hooks.fetch();
    const std::optional<int> copies = m_dialog.ask(m_printer);
    if (!copies)
        return 0;
    if (m_hooks.redraw)
        m_hooks.redraw();
    PrintJob job(m_printer);
    int printed = 0;
    m_surface.setPrintJob(&job);
    for (int copy = 1; copy <= *copies; ++copy) {
        m_surface.PrintDocument(false);
        ++printed;
    }
    m_surface.setPrintJob(nullptr);
    if (job.finish())
        return printed;
    if (m_hooks.failed)
        m_hooks.failed(job.error());
    return 0;
}

bool PrintController::exportPdf(const QString &path, QString *error) const
{
    return ReportExport::writePdf(m_surface.document(), m_surface.paperKind(),
                                  m_surface.pageOrientation(), path, error);
}

bool PrintController::exportPng(const QString &path, int dpi, QString *error) const
{
    return ReportExport::writePng(m_surface.document(), m_surface.paperKind(),
                                  m_surface.pageOrientation(), path, dpi, error);
}

bool PrintController::exportCsv(const QString &path, QString *error) const
{
    const PageContent content = m_hooks.content ? m_hooks.content() : PageContent {};
    return ReportExport::writeCsv(content, path, error);
}

} // namespace ertragon::report
