#include "FixedLocaleInfo.h"

namespace orvel {

FixedLocaleInfo FixedLocaleInfo::germanLike()
{
    FixedLocaleInfo l;
    l.set(LocaleItem::CurrencyDigits, QStringLiteral("2"));
    l.set(LocaleItem::NumberDigits, QStringLiteral("2"));
    l.set(LocaleItem::CurrencyDecimalSep, QStringLiteral(","));
    l.set(LocaleItem::NumberDecimalSep, QStringLiteral(","));
    l.set(LocaleItem::CurrencyThousandSep, QStringLiteral("."));
    l.set(LocaleItem::NumberThousandSep, QStringLiteral("."));
    l.set(LocaleItem::CurrencyGrouping, QStringLiteral("3;0"));
    l.set(LocaleItem::NumberGrouping, QStringLiteral("3;0"));
    l.set(LocaleItem::CurrencySymbol, QStringLiteral("€"));
    l.set(LocaleItem::PositiveCurrencyLayout, QStringLiteral("3"));
    l.set(LocaleItem::NegativeCurrencyLayout, QStringLiteral("8"));
    l.set(LocaleItem::NegativeNumberLayout, QStringLiteral("1"));
    return l;
}

FixedLocaleInfo FixedLocaleInfo::englishLike()
{
    FixedLocaleInfo l;
    l.set(LocaleItem::CurrencyDigits, QStringLiteral("2"));
    l.set(LocaleItem::NumberDigits, QStringLiteral("2"));
    l.set(LocaleItem::CurrencyDecimalSep, QStringLiteral("."));
    l.set(LocaleItem::NumberDecimalSep, QStringLiteral("."));
    l.set(LocaleItem::CurrencyThousandSep, QStringLiteral(","));
    l.set(LocaleItem::NumberThousandSep, QStringLiteral(","));
    l.set(LocaleItem::CurrencyGrouping, QStringLiteral("3;0"));
    l.set(LocaleItem::NumberGrouping, QStringLiteral("3;0"));
    l.set(LocaleItem::CurrencySymbol, QStringLiteral("$"));
    l.set(LocaleItem::PositiveCurrencyLayout, QStringLiteral("0"));
    l.set(LocaleItem::NegativeCurrencyLayout, QStringLiteral("0"));
    l.set(LocaleItem::NegativeNumberLayout, QStringLiteral("1"));
    return l;
}

} // namespace orvel
