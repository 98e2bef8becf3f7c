#include "Period.h"

namespace kordex {

std::optional<int> Period::parse(const QString &text)
{
    // One to three digits of the year since 1900 without a leading zero ("0" itself for
    // 1900), then the month as 01 to 12. Read by hand: every period sum parses one.
    const qsizetype length = text.size();
    if (length < 3 || length > 5)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    const int month = value % 100;
    if (month < 1 || month > 12 || (length > 3 && text.front() == u'0'))
        return std::nullopt;
    return value;
}

int Period::fromDate(const QDate &date)
{
    return (date.year() - 1900) * 100 + date.month();
}

int Period::shifted(int period, int months)
{
    const int index = (period / 100) * 12 + (period % 100 - 1) + months;
    return (index / 12) * 100 + index % 12 + 1;
}

QString Period::text(int period)
{
    // Year 1900 is "0": March 1900 is "003", which parse() reads back.
    return QString::number(period / 100)
        + QStringLiteral("%1").arg(period % 100, 2, 10, QLatin1Char('0'));
}

int Period::dayNumber(const QDate &date)
{
    return (date.year() - 1900) * 10000 + date.month() * 100 + date.day();
}

} // namespace kordex
