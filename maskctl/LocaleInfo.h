#pragma once

#include <QString>

namespace orvel {

// The national-language items the mask reads. Each answer is text in the form the
// platform's locale table gives it: digits as text ("2"), separators, "3;0" for grouping.
enum class LocaleItem {
    CurrencyDigits,
    NumberDigits,
    CurrencyDecimalSep,
    NumberDecimalSep,
    CurrencyThousandSep,
    NumberThousandSep,
    CurrencyGrouping,
    NumberGrouping,
    CurrencySymbol,
    PositiveCurrencyLayout,
    NegativeCurrencyLayout,
    NegativeNumberLayout,
};

// Source of the user's number and currency settings. Implementations answer afresh at
// every call; an item the locale does not define is an empty string.
class LocaleInfo
{
public:
    virtual ~LocaleInfo();
    virtual QString item(LocaleItem which) const = 0;
};

} // namespace orvel
