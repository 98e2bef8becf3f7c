#include "XlsxReader.h"

#include <QFileInfo>
#include <QProcess>

namespace ertragon::test {

namespace {

// Prints each sheet as "sheet\t<name>", then its rows, each cell "n<number>|<format>",
// "s<text>" or "-" for an empty one, tab-separated.
const char *const script = R"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    print("sheet\t" + sheet.title)
    for row in sheet.iter_rows():
        cells = []
        for c in row:
            if c.value is None:
                cells.append("-")
            elif isinstance(c.value, (int, float)):
                cells.append("n%r|%s" % (float(c.value), c.number_format))
            else:
                cells.append("s" + str(c.value).replace("\t", " ").replace("\n", " "))
        print("\t".join(cells))
)";

} // namespace

std::optional<double> XlsxReader::Cell::number() const
{
    return isNumber ? std::optional<double>(text.toDouble()) : std::nullopt;
}

QList<XlsxReader::Sheet> XlsxReader::read(const QString &path, QString *error)
{
    // Debian's own Python, which python3-openpyxl installs into, before any other on PATH.
    const QString debianPython = QStringLiteral("/usr/bin/python3");
    QProcess python;
    python.start(QFileInfo::exists(debianPython) ? debianPython : QStringLiteral("python3"),
                 { QStringLiteral("-c"), QString::fromUtf8(script), path });
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        *error = QString::fromUtf8(python.readAllStandardError()) + python.errorString();
        return {};
    }
    QList<Sheet> sheets;
    const QStringList lines = QString::fromUtf8(python.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("sheet\t"))) {
            sheets.append({ line.mid(6), {} });
            continue;
        }
        if (sheets.isEmpty())
            continue;
        QList<Cell> row;
        for (const QString &field : line.split(QLatin1Char('\t'))) {
            if (field.startsWith(QLatin1Char('n')))
                row.append({ true, field.mid(1).section(QLatin1Char('|'), 0, 0),
                             field.section(QLatin1Char('|'), 1) });
            else
                row.append({ false, field == QLatin1String("-") ? QString() : field.mid(1), {} });
        }
        sheets.last().rows.append(row);
    }
    return sheets;
}

qsizetype XlsxReader::Sheet::rowStarting(const QString &text) const
{
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (!rows[r].isEmpty() && !rows[r][0].isNumber && rows[r][0].text == text)
            return r;
    }
    return -1;
}

} // namespace ertragon::test
