#include "EffectiveMask.h"

namespace orvel {

namespace {

// "first character minus '0'", or the fallback when the locale gave nothing.
int leadingDigit(const QString &text, int fallback)
{
    if (text.isEmpty())
        return fallback;
    return text.at(0).unicode() - u'0';
}

QString orLocale(const QString &property, const LocaleInfo &locale, LocaleItem item)
{
    return property.isEmpty() ? locale.item(item) : property;
}

} // namespace

EffectiveMask EffectiveMask::resolve(const MaskSettings &s, const LocaleInfo &locale)
{
    const bool cur = s.isCurrency();
    EffectiveMask m;
    m.decimalPlaces = s.decimalPlaces;
    if (s.decimalPlaces == -1) {
        const auto item = cur ? LocaleItem::CurrencyDigits : LocaleItem::NumberDigits;
        m.decimalPlaces = leadingDigit(locale.item(item), s.decimalPlaces);
    }
    m.decimalChar = orLocale(s.decimalChar, locale,
                             cur ? LocaleItem::CurrencyDecimalSep : LocaleItem::NumberDecimalSep);
    m.thousandSep = orLocale(s.thousandSep, locale,
                             cur ? LocaleItem::CurrencyThousandSep : LocaleItem::NumberThousandSep);
    m.groupSize = s.thousandDigits;
    if (s.thousandDigits == -1) {
        const auto item = cur ? LocaleItem::CurrencyGrouping : LocaleItem::NumberGrouping;
        m.groupSize = leadingDigit(locale.item(item), s.thousandDigits);
    }
    if (s.showCurrency)
        m.currencySymbol = orLocale(s.currencySymbol, locale, LocaleItem::CurrencySymbol);
    m.positiveLayout = s.posFormat;
    if (s.posFormat == 0) {
        const QString t = locale.item(LocaleItem::PositiveCurrencyLayout);
        m.positiveLayout = t.isEmpty() ? s.posFormat : leadingDigit(t, 0) + 1;
    }
    m.negativeLayout = s.negFormat;
    if (s.negFormat == 0) {
        const QString t = locale.item(cur ? LocaleItem::NegativeCurrencyLayout
                                          : LocaleItem::NegativeNumberLayout);
        // A locale without a sign layout (C, POSIX) gets the leading minus of the numeric
        // mask; code 0 would show a negative value without its sign.
        m.negativeLayout = t.isEmpty() ? LeadingMinusLayout : leadingDigit(t, 0) + 1;
    }
    return m;
}

bool EffectiveMask::isLiteral(QChar c) const
{
    return !isNativeDigit(c) && (decimalChar.isEmpty() || c != decimalChar.at(0));
}

QString localeDecimalSeparator(const MaskSettings &settings, const LocaleInfo &locale)
{
    return locale.item(settings.isCurrency() ? LocaleItem::CurrencyDecimalSep
                                             : LocaleItem::NumberDecimalSep);
}

} // namespace orvel
