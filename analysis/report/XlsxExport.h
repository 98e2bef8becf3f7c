#pragma once

#include "ReportData.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QAbstractItemModel;

namespace ertragon::report {

// Workbooks for spreadsheets: each sheet a header block (label and value per line),
// a headings row and the rows of a table, numbers as numeric cells with a number format.
class XlsxExport
{
public:
    struct Cell
    {
        QVariant value; // a QString, or a number
        QString format; // the number format of a number, such as "#,##0"
    };
    struct Sheet
    {
        QString name;
        QList<std::pair<QString, QString>> header;
        QStringList headings;
        QList<QList<Cell>> rows;
    };

    // The company, the chosen levels and the day of the report, as the sheets' header.
    static QList<std::pair<QString, QString>> header(const ReportData &data);
    // The value table of the page, its kind in the header: the month columns, one row per series,
    // the figures at full precision, amounts as "#,##0", ratios in percent as "0" or "0.00".
    static Sheet valueTable(const ReportData &data, const QString &name);
    // A table model: the first column as text, the others the numbers behind numberRole,
    // formatted "#,##0".
    static Sheet table(const QAbstractItemModel &model, int numberRole, const QString &name,
                       const QList<std::pair<QString, QString>> &header);
    // A report's workbook: the value table ("Werte") and, when given, the breakdown
    // ("Details") with the numbers behind numberRole.
    static QList<Sheet> report(const ReportData &data, const QAbstractItemModel *breakdown,
                               int numberRole);

    // The workbook's bytes; empty with a message in error when it cannot be made.
    static QByteArray workbook(const QList<Sheet> &sheets, QString *error = nullptr);
    // Writes the workbook whole or not at all; a failure gives false and a message in error.
    static bool write(const QList<Sheet> &sheets, const QString &path, QString *error = nullptr);
};

} // namespace ertragon::report
