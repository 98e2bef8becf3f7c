#include "PosixLocaleInfo.h"

#include <climits>
#include <clocale>

namespace orvel {

LocaleInfo::~LocaleInfo() = default;

namespace {

QString text(const char *s)
{
    return s ? QString::fromLocal8Bit(s) : QString();
}

QString digit(char value)
{
    if (value == CHAR_MAX || value < 0 || value > 9)
        return {};
    return QString::number(int(value));
}

QString grouping(const char *g)
{
    if (!g || !*g || *g == CHAR_MAX || *g <= 0 || *g > 9)
        return {};
    return QString::number(int(*g)) + QStringLiteral(";0");
}

// Positive currency layout as the digit 0..3: prefix/suffix, with or without a space.
QString positiveLayout(const lconv &lc)
{
    if (lc.p_cs_precedes == CHAR_MAX || lc.p_sep_by_space == CHAR_MAX)
        return {};
    const bool space = lc.p_sep_by_space != 0;
    if (lc.p_cs_precedes)
        return QString::number(space ? 2 : 0);
    return QString::number(space ? 3 : 1);
}

// Negative currency layout in the numbering of the mask's layout table minus one.
QString negativeLayout(const lconv &lc)
{
    if (lc.n_cs_precedes == CHAR_MAX || lc.n_sign_posn == CHAR_MAX)
        return {};
    const bool before = lc.n_cs_precedes != 0;
    const bool space = lc.n_sep_by_space != 0 && lc.n_sep_by_space != CHAR_MAX;
    switch (lc.n_sign_posn) {
    case 0:
        return QStringLiteral("0");
    case 1:
        if (before)
            return space ? QStringLiteral("9") : QStringLiteral("1");
        return space ? QStringLiteral("8") : QStringLiteral("5");
    case 2:
        if (before)
            return QStringLiteral("3");
        return space ? QStringLiteral("10") : QStringLiteral("7");
    case 3:
        return before ? QStringLiteral("2") : QStringLiteral("5");
    case 4:
        return before ? QStringLiteral("3") : QStringLiteral("6");
    default:
        return {};
    }
}

} // namespace

QString PosixLocaleInfo::item(LocaleItem which) const
{
    const lconv *lc = std::localeconv();
    if (!lc)
        return {};
    switch (which) {
    case LocaleItem::CurrencyDigits:
        return digit(lc->frac_digits);
    case LocaleItem::NumberDigits:
        // LC_NUMERIC carries no digit count; the monetary one is the closest match.
        return digit(lc->frac_digits);
    case LocaleItem::CurrencyDecimalSep:
        return text(lc->mon_decimal_point);
    case LocaleItem::NumberDecimalSep:
        return text(lc->decimal_point);
    case LocaleItem::CurrencyThousandSep:
        return text(lc->mon_thousands_sep);
    case LocaleItem::NumberThousandSep:
        return text(lc->thousands_sep);
    case LocaleItem::CurrencyGrouping:
        return grouping(lc->mon_grouping);
    case LocaleItem::NumberGrouping:
        return grouping(lc->grouping);
    case LocaleItem::CurrencySymbol:
        return text(lc->currency_symbol);
    case LocaleItem::PositiveCurrencyLayout:
        return positiveLayout(*lc);
    case LocaleItem::NegativeCurrencyLayout:
        return negativeLayout(*lc);
    case LocaleItem::NegativeNumberLayout:
        return QStringLiteral("1");
    }
    return {};
}

const LocaleInfo &PosixLocaleInfo::instance()
{
    static const PosixLocaleInfo posix;
    return posix;
}

} // namespace orvel
