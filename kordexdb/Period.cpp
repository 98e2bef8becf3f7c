#include "Period.h"

#include <QRegularExpression>

namespace kordex {

std::optional<int> Period::parse(const QString &text)
{
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("(0|[1-9][0-9]{0,2})(0[1-9]|1[0-2])")));
    const auto match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt() * 100 + match.captured(2).toInt();
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
