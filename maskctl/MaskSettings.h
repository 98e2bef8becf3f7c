#pragma once

#include <QString>

namespace orvel {

// The mask properties of the control, with their persisted defaults.
struct MaskSettings
{
    int maskType = 1; // 0 numeric, 1 currency
    int decimalPlaces = -1; // -1: the locale's count
    QString decimalChar; // "": the locale's
    QString thousandSep; // "": the locale's
    int thousandDigits = -1; // -1: the locale's group size
    QString currencySymbol; // "": the locale's
    int posFormat = 0; // 0: the locale's layout
    int negFormat = 0; // 0: the locale's layout
    bool showCurrency = false;
    bool showThousandSep = false;
    bool decimalFixed = false;
    bool allowLeadZeros = false;
    bool zeroIfNull = true;
    int wholePlaces = -1; // -1: no limit
    bool allowNegative = true;

    bool isCurrency() const { return maskType == 1; }
};

} // namespace orvel
