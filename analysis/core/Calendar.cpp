#include "Calendar.h"

#include <array>

namespace ertragon::Calendar {

QString MonthName(int index)
{
    static const std::array<const char *, 14> names = {
        "Jänner", "Februar", "März",     "April",   "Mai",      "Juni",   "Juli",
        "August", "September", "Oktober", "November", "Dezember", "Jänner", "Februar",
    };
    if (index < 0 || index >= int(names.size()))
        return {};
    return QString::fromUtf8(names[size_t(index)]);
}

QString SeriesLabel(int series, int yearKind, const QDate &today)
{
    if (series < 1 || series > 6)
        return {};
    const QString kind = yearKind == 1 ? QStringLiteral("WJ") : QStringLiteral("KJ");
    const QString prefix = series <= 3 ? QStringLiteral("U ") : QStringLiteral("DB ");
    const QString star = series == 1 ? QStringLiteral("*") : QString();
    return prefix + kind + star + QLatin1Char(' ') + SeriesYearText(series, yearKind, today);
}

QString SeriesYearText(int series, int /*yearKind*/, const QDate &today)
{
    const int y = today.year();
    switch ((series - 1) % 3) {
    case 0:
        return QString::number(y);
    case 1:
        return QString::number(y - 1);
    default:
        return QString::number(y - 4) + QLatin1Char('-') + QString::number(y - 2);
    }
}

QString PeriodKey(int year, int month)
{
    return QString::number(year - 1900) + QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

} // namespace ertragon::Calendar
