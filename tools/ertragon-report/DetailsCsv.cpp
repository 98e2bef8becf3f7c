#include "DetailsCsv.h"

#include "ReportExport.h"

namespace ertragon::report {

QStringList DetailsCsv::columns(const QString &row, qsizetype columnCount)
{
    QStringList pieces = row.split(QLatin1Char(';'));
    const qsizetype surplus = pieces.size() - qMax<qsizetype>(columnCount, 1);
    if (surplus > 0) {
        const QString code = pieces.mid(0, surplus + 1).join(QLatin1Char(';'));
        pieces = QStringList { code } + pieces.mid(surplus + 1);
    }
    return pieces;
}

QString DetailsCsv::text(const QStringList &headings, const QStringList &rows)
{
    QString csv = ReportExport::csvLine(headings);
    for (const QString &row : rows)
        csv += ReportExport::csvLine(columns(row, headings.size()));
    return csv;
}

bool DetailsCsv::write(const QStringList &headings, const QStringList &rows, const QString &path,
                       QString *error)
{
    return ReportExport::writeFile(path, text(headings, rows).toUtf8(), error);
}

} // namespace ertragon::report
