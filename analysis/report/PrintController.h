#pragma once

#include "PageContent.h"

#include <QPrinter>
#include <QString>
#include <functional>

namespace ertragon::report {

class PrinterDialog;
class RecordingSurface;

// The print command mDrucken and the exports of the shown report.
class PrintController
{
public:
    struct Hooks
    {
        std::function<bool()> selectionChanged; // SelectionChanged is set
        std::function<void()> fetch; // fetch the period data again
        std::function<void()> redraw; // Zeichnen
        std::function<PageContent()> content; // the texts of the shown page
        std::function<void(const QString &error)> failed; // printing did not work
    };

    PrintController(RecordingSurface &surface, PrinterDialog &dialog, Hooks hooks);

    // mDrucken: fetch again if the selection changed, ask the printer dialog,
    // redraw once and print the document once per copy, all copies in one job
    // on the chosen printer. Returns the number of documents printed (0 when
    // cancelled or failed; a failure is handed to the failed hook).
    int print();

    bool exportPdf(const QString &path, QString *error = nullptr) const;
    bool exportPng(const QString &path, int dpi, QString *error = nullptr) const;
    bool exportCsv(const QString &path, QString *error = nullptr) const;

    // The printer the surface prints on (A4 landscape).
    QPrinter &printer() { return m_printer; }

private:
    RecordingSurface &m_surface;
    PrinterDialog &m_dialog;
    Hooks m_hooks;
    QPrinter m_printer;
};

} // namespace ertragon::report
