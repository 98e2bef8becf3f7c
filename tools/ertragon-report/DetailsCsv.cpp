#include "DetailsCsv.h"

#include "BreakdownTable.h"
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
        // The unit's code alone, as the file has always had it; the window adds the name.
        cells << table.index(row, 0).data(BreakdownTable::SortRole).toString();
        for (int c = 1; c < table.columnCount(); ++c)
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
