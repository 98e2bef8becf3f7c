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
    explicit PrintJob(QPrinter &printer);
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

    QPrinter &m_printer;
    QPainter m_painter;
    int m_documents = 0;
    bool m_failed = false;
    QString m_error;
};

} // namespace ertragon::report
