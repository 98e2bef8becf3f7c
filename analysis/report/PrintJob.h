#pragma once

#include "PageOperation.h"

#include <QPainter>
#include <QString>

class QPrinter;

namespace ertragon::report {

// One job on a printer: documents are added one after the other, every page
// on a sheet of its own, so that all copies of a print end up in one job (and
// in one file when the printer writes a file).
class PrintJob
{
public:
    // A4: every sheet A4 in the document's orientation, the page filling it. Printer: the
    // printer's own page layout, the page scaled to fit its margins.
    enum class Layout { A4, Printer };

    explicit PrintJob(QPrinter &printer, Layout layout = Layout::A4);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    // Prints every page of the document; false when the printer cannot be opened.
    bool add(const PageDocument &document, int paperKind, int orientation);
    // Ends the job; false when any part of it failed. A job without documents succeeds.
    bool finish();

    int documents() const { return m_documents; }
    QString error() const { return m_error; }

private:
    bool begin(int orientation);
    QRectF target(const QSizeF &pageTwips) const;

    QPrinter &m_printer;
    Layout m_layout;
    QPainter m_painter;
    int m_documents = 0;
    bool m_failed = false;
    QString m_error;
};

} // namespace ertragon::report
