#pragma once

#include <QString>
#include <QStringList>

namespace ertragon::report {

// The breakdown table of the details frame as CSV, in the form of the value
// table export: fields separated by ';', a field holding ';', '"' or a line
// break in double quotes (quotes doubled), CRLF line ends, UTF-8.
class DetailsCsv
{
public:
    // The columns of one list row whose texts are joined by ';'. Only the first
    // column (the entry code) can hold a ';' itself, so surplus pieces belong to it.
    static QStringList columns(const QString &row, qsizetype columnCount);
    // The headings line, then one line per row.
    static QString text(const QStringList &headings, const QStringList &rows);
    // Writes the whole file or nothing; a failure gives false and a message in error.
    static bool write(const QStringList &headings, const QStringList &rows, const QString &path,
                      QString *error = nullptr);
};

} // namespace ertragon::report
