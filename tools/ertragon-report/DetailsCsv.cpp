#include "DetailsCsv.h"

#include "ReportExport.h"

#include <QAbstractItemModel>

namespace ertragon::report {

QString DetailsCsv::text(const QAbstractItemModel &table)
{
    QStringList headings;
    for (int c = 0; c < table.columnCount(); ++c)
        headings << table.headerData(c, Qt::Horizontal).toString();
    QString csv = ReportExport::csvLine(headings);
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells << table.index(row, c).data().toString();
        csv += ReportExport::csvLine(cells);
    }
    return csv;
}

bool DetailsCsv::write(const QAbstractItemModel &table, const QString &path, QString *error)
{
    return ReportExport::writeFile(path, text(table).toUtf8(), error);
}

} // namespace ertragon::report
