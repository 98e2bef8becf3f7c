#pragma once

#include "LocaleInfo.h"
#include "MaskSettings.h"

#include <QChar>
#include <QString>

namespace orvel {

// The mask settings in force: the properties, with the locale filling every item whose
// property holds its "system default" value. Resolved afresh at every use.
struct EffectiveMask
{
    // Negative layout "-" C N: the fallback wherever no layout is given or known.
    static constexpr int LeadingMinusLayout = 2;

    int decimalPlaces = -1;
    QString decimalChar;
    QString thousandSep;
    int groupSize = -1;
    QString currencySymbol;
    int positiveLayout = 0;
    int negativeLayout = 0;

    static EffectiveMask resolve(const MaskSettings &settings, const LocaleInfo &locale);

    // First character of the decimal character, or a null QChar when there is none.
    QChar decimalCharacter() const { return decimalChar.isEmpty() ? QChar() : decimalChar.at(0); }
    static bool isNativeDigit(QChar c) { return c >= u'0' && c <= u'9'; }
    // Every character that is neither a native digit nor the decimal character.
    bool isLiteral(QChar c) const;
};

// The locale's decimal separator the assigned-text conversion looks for.
QString localeDecimalSeparator(const MaskSettings &settings, const LocaleInfo &locale);

} // namespace orvel
