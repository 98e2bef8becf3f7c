#include "DetailsCsv.h"

#include "ReportExport.h"

#include <QAbstractItemModel>

namespace ertragon::report {

namespace {

QStringList rowCells(const QAbstractItemModel &table, int row, int role)
{
    // The first column is the unit's code alone (EditRole), as the file has always had it;
    // the window shows the name beside it.
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c)
        cells << table.index(row, c).data(c == 0 ? int(Qt::EditRole) : role).toString();
    return cells;
}

} // namespace

QStringList DetailsCsv::headings(const QAbstractItemModel &table)
{
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c)
        cells << table.headerData(c, Qt::Horizontal).toString();
    return cells;
}

QString DetailsCsv::text(const QAbstractItemModel &table, int role)
{
    QString csv = ReportExport::csvLine(headings(table));
    for (int row = 0; row < table.rowCount(); ++row)
        csv += ReportExport::csvLine(rowCells(table, row, role));
    return csv;
}

QString DetailsCsv::text(const QAbstractItemModel &table, const QList<int> &rows, int role,
                         QChar separator, const QString &lineEnd)
{
    QString text = headings(table).join(separator) + lineEnd;
    for (const int row : rows)
        text += rowCells(table, row, role).join(separator) + lineEnd;
    return text;
}

bool DetailsCsv::write(const QAbstractItemModel &table, const QString &path, QString *error,
                       int role)
{
    return ReportExport::writeFile(path, text(table, role).toUtf8(), error);
}

} // namespace ertragon::report
