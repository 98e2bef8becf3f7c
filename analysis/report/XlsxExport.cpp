#include "XlsxExport.h"

#include "DetailsCsv.h"
#include "ReportExport.h"
#include "ReportPage.h"
#include "ValueTable.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace ertragon::report {

namespace {

constexpr int maxSheetName = 31;

QString numberFormat(const ValueTable::Cell &cell)
{
    if (cell.kind == ValueTable::Cell::PercentTwoDecimals)
        return QStringLiteral("0.00");
    return cell.isPercent() ? QStringLiteral("0") : QStringLiteral("#,##0");
}

// Characters a column needs for a cell, numbers with room for their grouping.
int widthOf(const XlsxExport::Cell &cell)
{
    if (cell.value.typeId() == QMetaType::QString)
        return int(cell.value.toString().size());
    const qsizetype digits = QString::number(qint64(cell.value.toDouble())).size();
    return int(digits + digits / 3 + 3);
}

QList<double> columnWidths(const XlsxExport::Sheet &sheet)
{
    QList<double> widths(sheet.headings.size(), 8);
    for (qsizetype c = 0; c < sheet.headings.size(); ++c)
        widths[c] = qMax(widths[c], double(sheet.headings[c].size()));
    for (const QList<XlsxExport::Cell> &row : sheet.rows) {
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = qMax(widths[c], double(widthOf(row[c])));
    }
    if (!widths.isEmpty()) {
        for (const auto &[label, value] : sheet.header)
            widths[0] = qMax(widths[0], double(label.size()));
    }
    return widths;
}

// The formats of one workbook, made once per number format.
class Formats
{
public:
    explicit Formats(lxw_workbook *book)
        : m_book(book)
    {
        m_bold = workbook_add_format(book);
        format_set_bold(m_bold);
    }
    lxw_format *bold() const { return m_bold; }
    lxw_format *number(const QString &format)
    {
        if (format.isEmpty())
            return nullptr;
        lxw_format *&made = m_numbers[format];
        if (!made) {
            made = workbook_add_format(m_book);
            format_set_num_format(made, format.toUtf8().constData());
        }
        return made;
    }

private:
    lxw_workbook *m_book;
    lxw_format *m_bold = nullptr;
    QHash<QString, lxw_format *> m_numbers;
};

void writeCell(lxw_worksheet *sheet, int row, int column, const XlsxExport::Cell &cell,
               Formats &formats)
{
    if (cell.value.typeId() == QMetaType::QString) {
        const QByteArray text = cell.value.toString().toUtf8();
        worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(column), text.constData(), nullptr);
        return;
    }
    worksheet_write_number(sheet, lxw_row_t(row), lxw_col_t(column), cell.value.toDouble(),
                           formats.number(cell.format));
}

void writeSheet(lxw_worksheet *out, const XlsxExport::Sheet &sheet, Formats &formats)
{
    int row = 0;
    for (const auto &[label, value] : sheet.header) {
        worksheet_write_string(out, lxw_row_t(row), 0, label.toUtf8().constData(), formats.bold());
        worksheet_write_string(out, lxw_row_t(row), 1, value.toUtf8().constData(), nullptr);
        ++row;
    }
    if (!sheet.header.isEmpty())
        ++row; // an empty line between the header block and the table
    for (qsizetype c = 0; c < sheet.headings.size(); ++c)
        worksheet_write_string(out, lxw_row_t(row), lxw_col_t(c),
                               sheet.headings[c].toUtf8().constData(), formats.bold());
    ++row;
    for (const QList<XlsxExport::Cell> &cells : sheet.rows) {
        for (qsizetype c = 0; c < cells.size(); ++c)
            writeCell(out, row, int(c), cells[c], formats);
        ++row;
    }
    const QList<double> widths = columnWidths(sheet);
    for (qsizetype c = 0; c < widths.size(); ++c)
        worksheet_set_column(out, lxw_col_t(c), lxw_col_t(c), widths[c] + 2, nullptr);
}

// name made a valid sheet name (at most 31 characters, none of []:*?/\\) that none of
// taken has, case ignored.
QString sheetName(const QString &name, const QStringList &taken)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    QString base = QString(name).replace(forbidden, QStringLiteral("_")).trimmed();
    // Excel refuses a name that starts or ends with an apostrophe.
    while (base.startsWith(QLatin1Char('\'')) || base.endsWith(QLatin1Char('\'')))
        base = base.startsWith(QLatin1Char('\'')) ? base.mid(1) : base.chopped(1);
    if (base.isEmpty())
        base = QStringLiteral("Tabelle");
    const auto isTaken = [&taken](const QString &candidate) {
        return taken.contains(candidate, Qt::CaseInsensitive);
    };
    QString candidate = base.left(maxSheetName);
    for (int n = 2; isTaken(candidate); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        candidate = base.left(maxSheetName - suffix.size()) + suffix;
    }
    return candidate;
}

} // namespace

QList<std::pair<QString, QString>> XlsxExport::header(const ReportData &data)
{
    const SelectionTexts &s = data.selection;
    QList<std::pair<QString, QString>> lines { { QStringLiteral("Firma"), s.company.trimmed() } };
    const QList<std::pair<QString, const QString *>> levels {
        { QStringLiteral("HKG"), &s.SPG },      { QStringLiteral("PC"), &s.SPCNR },
        { QStringLiteral("HABT"), &s.SHABT },   { QStringLiteral("ABT"), &s.SABTNR },
        { QStringLiteral("HG"), &s.SHGRP },     { QStringLiteral("UG"), &s.SUGRP },
        { QStringLiteral("HVArt"), &s.SHVArt }, { QStringLiteral("SVArt"), &s.SVART },
        { QStringLiteral("STyp"), &s.SSTyp },
    };
    for (const auto &[label, text] : levels) {
        if (!text->trimmed().isEmpty())
            lines.append({ label, text->trimmed() });
    }
    lines.append(
        { QStringLiteral("Stand"), data.now.date().toString(QStringLiteral("dd.MM.yyyy")) });
    return lines;
}

XlsxExport::Sheet XlsxExport::valueTable(const ReportData &data, const QString &name)
{
    const PageContent content = ReportPage::content(data);
    Sheet sheet {
        name, header(data), QStringList { content.tableCaption.trimmed() } + content.monthNames, {}
    };
    sheet.header.insert(sheet.header.size() - 1,
                        { QStringLiteral("Tabelle"), content.tableCaption.trimmed() });
    for (int series = 1; series <= content.table.size(); ++series) {
        QList<Cell> row { { content.seriesLabels.value(series - 1), {} } };
        for (int month = 1; month <= 12; ++month) {
            const ValueTable::Cell cell = ValueTable::cell(data, month, series);
            row.append({ cell.number(), numberFormat(cell) });
        }
        sheet.rows.append(row);
    }
    return sheet;
}

XlsxExport::Sheet XlsxExport::table(const QAbstractItemModel &model, int numberRole,
                                    const QString &name,
                                    const QList<std::pair<QString, QString>> &header)
{
    Sheet sheet { name, header, DetailsCsv::headings(model), {} };
    for (int r = 0; r < model.rowCount(); ++r) {
        QList<Cell> row { { model.index(r, 0).data(Qt::EditRole).toString(), {} } };
        for (int c = 1; c < model.columnCount(); ++c) {
            const QVariant number = model.index(r, c).data(numberRole);
            if (number.canConvert<double>() && number.isValid())
                row.append({ number.toDouble(), QStringLiteral("#,##0") });
            else
                row.append({ number.toString(), {} });
        }
        sheet.rows.append(row);
    }
    return sheet;
}

QList<XlsxExport::Sheet> XlsxExport::report(const ReportData &data,
                                            const QAbstractItemModel *breakdown, int numberRole)
{
    QList<Sheet> sheets { valueTable(data, QStringLiteral("Werte")) };
    if (breakdown)
        sheets.append(table(*breakdown, numberRole, QStringLiteral("Details"), header(data)));
    return sheets;
}

QByteArray XlsxExport::workbook(const QList<Sheet> &sheets, QString *error)
{
    // libxlsxwriter writes to a file name: a scratch file first, whose bytes the caller
    // then writes into place as every other export does.
    QTemporaryDir dir;
    const QString scratch = dir.filePath(QStringLiteral("book.xlsx"));
    lxw_workbook *book = dir.isValid() ? workbook_new(scratch.toUtf8().constData()) : nullptr;
    if (!book) {
        if (error)
            *error = QStringLiteral("Arbeitsmappe kann nicht angelegt werden");
        return {};
    }
    Formats formats(book);
    QStringList names;
    for (const Sheet &sheet : sheets) {
        names << sheetName(sheet.name, names);
        lxw_worksheet *out = workbook_add_worksheet(book, names.last().toUtf8().constData());
        if (out)
            writeSheet(out, sheet, formats);
    }
    const lxw_error closed = workbook_close(book);
    QFile file(scratch);
    if (closed != LXW_NO_ERROR || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QString::fromUtf8(lxw_strerror(closed));
        return {};
    }
    return file.readAll();
}

bool XlsxExport::write(const QList<Sheet> &sheets, const QString &path, QString *error)
{
    const QByteArray bytes = workbook(sheets, error);
    return !bytes.isEmpty() && ReportExport::writeFile(path, bytes, error);
}

} // namespace ertragon::report
