#include "DetailsCsv.h"

#include "ReportExport.h"

namespace ertragon::report {

namespace {

QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields)
        out.append(field(f));
    return out.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

} // namespace

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
    QString csv = line(headings);
    for (const QString &row : rows)
        csv += line(columns(row, headings.size()));
    return csv;
}

bool DetailsCsv::write(const QStringList &headings, const QStringList &rows, const QString &path,
                       QString *error)
{
    return ReportExport::writeFile(path, text(headings, rows).toUtf8(), error);
}

} // namespace ertragon::report
