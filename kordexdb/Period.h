#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace kordex {

// A period as the server writes it: the year minus 1900 without leading zeros,
// followed by the two-digit month ("10503" is March 2005, "9912" December 1999).
class Period
{
public:
    // The period of the text, or nothing when it is not in that form (years
    // 1900 to 2899; four-digit years such as "200503" are refused).
    static std::optional<int> parse(const QString &text);
    static int fromDate(const QDate &date);
    static int shifted(int period, int months);
    static int year(int period) { return period / 100 + 1900; }
    static int month(int period) { return period % 100; }
    // The text parse() reads back ("003" for March 1900).
    static QString text(int period);
    // (year - 1900) * 10000 + month * 100 + day
    static int dayNumber(const QDate &date);
};

} // namespace kordex
