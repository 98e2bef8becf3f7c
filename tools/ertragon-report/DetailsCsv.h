#pragma once

#include <QString>

class QAbstractItemModel;

namespace ertragon::report {

// The breakdown table of the details frame as CSV, in the form of the value
// table export: fields separated by ';', a field holding ';', '"' or a line
// break in double quotes (quotes doubled), CRLF line ends, UTF-8.
class DetailsCsv
{
public:
    // The headings line, then one line per row of the table model, each cell as shown.
    static QString text(const QAbstractItemModel &table);
    // Writes the whole file or nothing; a failure gives false and a message in error.
    static bool write(const QAbstractItemModel &table, const QString &path,
                      QString *error = nullptr);
};

} // namespace ertragon::report
