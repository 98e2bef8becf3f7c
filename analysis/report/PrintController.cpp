#include "PrintController.h"

#include "PageSetupDialog.h"
#include "PrintJob.h"
#include "PrinterDialog.h"
#include "Prompter.h"
#include "RecordingSurface.h"
#include "ReportExport.h"
#include "ReportPage.h"
#include "ReportSource.h"

#include <QPageLayout>
#include <QPageSize>

namespace ertragon::report {

PrintController::PrintController(RecordingSurface &surface, PrinterDialog &dialog,
                                 ReportSource &source, Prompter &prompter)
    : m_surface(surface)
    , m_dialog(dialog)
    , m_source(source)
    , m_prompter(prompter)
    , m_printer(QPrinter::HighResolution)
{
    m_printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    m_printer.setFullPage(true);
    m_printer.setDocName(QStringLiteral("Ertragon"));
}

int PrintController::print()
{
    m_source.fetchIfSelectionChanged();
    const std::optional<int> copies = m_dialog.ask(m_printer);
    if (!copies)
        return 0;
    m_source.redraw();
    PrintJob job(m_printer, m_pageSetUp ? PrintJob::Layout::Printer : PrintJob::Layout::A4);
    int printed = 0;
    m_surface.setPrintJob(&job);
    for (int copy = 1; copy <= *copies; ++copy) {
        m_surface.PrintDocument(false);
        ++printed;
    }
    m_surface.setPrintJob(nullptr);
    if (job.finish())
        return printed;
    m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Fehlermeldung"),
                      QStringLiteral("Der Bericht konnte nicht gedruckt werden.\n") + job.error());
    return 0;
}

bool PrintController::setUpPage(PageSetupDialog &dialog)
{
    if (!dialog.ask(m_printer))
        return false;
    m_pageSetUp = true;
    return true;
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

const ReportData &PrintController::report() const
{
    return m_source.report();
}

bool PrintController::exportCsv(const QString &path, QString *error) const
{
    return ReportExport::writePlainCsv(m_source.report(), path, error);
}

} // namespace ertragon::report
