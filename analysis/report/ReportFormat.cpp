#include "ReportFormat.h"

#include <cmath>

namespace ertragon::report::ReportFormat {

namespace {

QLocale withGrouping(QLocale locale)
{
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale;
}

QLocale withoutGrouping(QLocale locale)
{
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

qint64 roundedWhole(double value)
{
    if (!std::isfinite(value))
        return 0;
    return qint64(std::round(value));
}

double hundredths(double fraction)
{
    return std::isfinite(fraction) ? std::round(fraction * 10000) / 100 : 0;
}

} // namespace

QString grouped(double value, const QLocale &locale)
{
    return withGrouping(locale).toString(roundedWhole(value));
}

QString euro(double value, const QLocale &locale)
{
    return grouped(value, locale) + QStringLiteral(" €");
}

QString percent(double fraction, const QLocale &locale)
{
    return withoutGrouping(locale).toString(roundedWhole(fraction * 100)) + QLatin1Char('%');
}

QString percentTwoDecimals(double fraction, const QLocale &locale)
{
    return withoutGrouping(locale).toString(hundredths(fraction), 'f', 2) + QLatin1Char('%');
}

QString plainWhole(double value)
{
    return QString::number(roundedWhole(value));
}

QString plainPercent(double fraction, int decimals)
{
    if (decimals <= 0)
        return plainWhole(fraction * 100);
    return withoutGrouping(QLocale(QLocale::German)).toString(hundredths(fraction), 'f', 2);
}

} // namespace ertragon::report::ReportFormat
