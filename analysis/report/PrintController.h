#pragma once

#include <QPrinter>
#include <QString>

namespace ertragon {
struct ReportData;
class Prompter;
class ReportSource;
} // namespace ertragon

namespace ertragon::report {

class PageSetupDialog;
class PrinterDialog;
class RecordingSurface;

// The print command mDrucken and the exports of the report of an analysis, whose
// page is drawn on the surface.
class PrintController
{
public:
    PrintController(RecordingSurface &surface, PrinterDialog &dialog, ReportSource &source,
                    Prompter &prompter);

    // mDrucken: fetch again if the selection changed, ask the printer dialog,
    // redraw once and print the document once per copy, all copies in one job
    // on the chosen printer. Returns the number of documents printed (0 when
    // cancelled or failed; a failure is told the user).
    int print();
    // "Druckereinstellungen": the page set-up on the printer; once accepted, the prints
    // that follow use its paper, orientation and margins, the page scaled to fit.
    // False when the user cancelled (nothing changes).
    bool setUpPage(PageSetupDialog &dialog);
    bool pageSetUp() const { return m_pageSetUp; }

    bool exportPdf(const QString &path, QString *error = nullptr) const;
    bool exportPng(const QString &path, int dpi, QString *error = nullptr) const;
    // The value table as CSV with plain numbers.
    bool exportCsv(const QString &path, QString *error = nullptr) const;
    // The page's data as the exports take it.
    const ReportData &report() const;

    // The printer the surface prints on (A4 landscape).
    QPrinter &printer() { return m_printer; }

private:
    RecordingSurface &m_surface;
    PrinterDialog &m_dialog;
    ReportSource &m_source;
    Prompter &m_prompter;
    QPrinter m_printer;
    bool m_pageSetUp = false;
};

} // namespace ertragon::report
