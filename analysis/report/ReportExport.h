#pragma once

#include "PageContent.h"
#include "PageOperation.h"
#include "ReportData.h"

#include <QString>

namespace ertragon::report {

// Writes a recorded document to files. Each file is written completely or
// not at all; a failure gives false and a message in error.
class ReportExport
{
public:
    static bool writePdf(const PageDocument &document, int paperKind, int orientation,
                         const QString &path, QString *error = nullptr);
    // The first page as a PNG image at dpi dots per inch (clamped to 10..1200).
    static bool writePng(const PageDocument &document, int paperKind, int orientation,
                         const QString &path, int dpi, QString *error = nullptr);
    // The value table: a header row with the month names, then one row per series
    // (its label and the twelve cell texts), separated by semicolons.
    static QString tableCsv(const PageContent &content);
    // The same rows with plain numbers: no grouping, a decimal comma, percentages
    // without "%".
    static QString plainTableCsv(const ReportData &data);
    // One CSV line: the fields separated by ";", a field with ";", a quote or a
    // line break in quotes (quotes doubled), ended by CR LF.
    static QString csvLine(const QStringList &fields);
    static bool writeCsv(const PageContent &content, const QString &path, QString *error = nullptr);
    static bool writePlainCsv(const ReportData &data, const QString &path,
                              QString *error = nullptr);
    static bool writeFile(const QString &path, const QByteArray &bytes, QString *error);
};

} // namespace ertragon::report
