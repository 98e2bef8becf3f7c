#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

class QAbstractItemModel;

namespace ertragon::report {

// The breakdown table of the details frame as CSV, in the form of the value
// table export: fields separated by ';', a field holding ';', '"' or a line
// break in double quotes (quotes doubled), CRLF line ends, UTF-8.
class DetailsCsv
{
public:
    // The headings line, then one line per row of the table model, each cell's text
    // of the given role (as shown, or a model's plain form of its numbers).
    static QString text(const QAbstractItemModel &table, int role = Qt::DisplayRole);
    // The same with the given separator and line end, for the clipboard.
    static QString text(const QAbstractItemModel &table, const QList<int> &rows, int role,
                        QChar separator, const QString &lineEnd);
    // The table's column headings, as every export of it starts.
    static QStringList headings(const QAbstractItemModel &table);
    // Writes the whole file or nothing; a failure gives false and a message in error.
    static bool write(const QAbstractItemModel &table, const QString &path,
                      QString *error = nullptr, int role = Qt::DisplayRole);
};

} // namespace ertragon::report
