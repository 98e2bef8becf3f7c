#pragma once

#include "ReportData.h"

#include <QString>

namespace ertragon::report {

// The file names the export commands suggest and complete.
namespace ExportNames {

// "Ertragon_<company>_<unit>_<yyyy-mm-dd>.<extension>": the company's code, the code of
// the deepest chosen level ("Alle" when none is chosen) and the day of the report,
// reduced to ASCII letters, digits, "-" and "_" so that every program takes the name.
QString suggested(const ReportData &data, const QString &extension);
// path with ".<extension>" added unless it already ends with it (in any case);
// an empty path stays empty.
QString withExtension(const QString &path, const QString &extension);

} // namespace ExportNames

} // namespace ertragon::report
