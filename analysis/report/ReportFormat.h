#pragma once

#include <QLocale>
#include <QString>

namespace ertragon::report {

// The number formats of the report page, with grouping and decimal characters
// from the given locale. Whole numbers round halves away from zero.
namespace ReportFormat {

// "#,##0": grouped whole number ("1.234" under a German locale).
QString grouped(double value, const QLocale &locale);
// "#,##0 €": grouped whole number and the euro sign.
QString euro(double value, const QLocale &locale);
// "0%" and "#0%": the fraction times 100 as a whole number and "%".
QString percent(double fraction, const QLocale &locale);
// "#0.00%": the fraction times 100 with two decimals and "%".
QString percentTwoDecimals(double fraction, const QLocale &locale);

// The plain forms for spreadsheets: no grouping, a decimal comma, no "%".
// The whole number as grouped() rounds it.
QString plainWhole(double value);
// The fraction times 100, rounded as percent() (decimals 0) or percentTwoDecimals()
// (decimals 2) round it.
QString plainPercent(double fraction, int decimals);

} // namespace ReportFormat

} // namespace ertragon::report
