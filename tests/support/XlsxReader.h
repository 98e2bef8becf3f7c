#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace ertragon::test {

// A workbook read back with Python's openpyxl, as a spreadsheet program reads it.
class XlsxReader
{
public:
    struct Cell
    {
        bool isNumber = false;
        QString text; // the number in Python's form, or the text
        QString format; // a number's number format
        std::optional<double> number() const;
    };
    struct Sheet
    {
        QString name;
        QList<QList<Cell>> rows;
        // The first row whose first cell is the text; -1 without one.
        qsizetype rowStarting(const QString &text) const;
    };
    // The sheets in order; empty with the reason in error when python3 or openpyxl fails.
    static QList<Sheet> read(const QString &path, QString *error);
};

} // namespace ertragon::test
