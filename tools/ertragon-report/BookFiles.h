#pragma once

#include "BookPdf.h"
#include "ReportBook.h"
#include "XlsxExport.h"

#include <QJsonArray>
#include <QString>

namespace ertragon::report {

// The report book as the batch tool writes it: the PDF with its outline, the
// value tables of all pages in one CSV (the unit's columns first) and the
// figures per unit as JSON, and the value tables as a workbook with one sheet per unit.
// Each file is written whole or not at all.
class BookFiles
{
public:
    struct Paths
    {
        QString pdf, csv, json, xlsx;
    };

    BookFiles(Paths paths, const BookPdf::Metadata &metadata);

    // Draws the page and takes its table and figures.
    void add(const ReportBook::Page &page);
    void setLeftOut(const QList<ReportBook::Unit> &units) { m_leftOut = units; }
    int pageCount() const { return m_pages; }

    // Writes the files asked for; false with *error naming the file that failed.
    bool write(QString *error);

private:
    Paths m_paths;
    BookPdf::Metadata m_metadata;
    BookPdf m_pdf;
    QString m_csv;
    QJsonArray m_units;
    QList<XlsxExport::Sheet> m_sheets;
    QList<ReportBook::Unit> m_leftOut;
    int m_pages = 0;
};

} // namespace ertragon::report
