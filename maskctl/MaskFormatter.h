#pragma once

#include "EffectiveMask.h"
#include "MaskSettings.h"

#include <QString>

namespace orvel {

// Result of one formatting pass: the canonical value string and the display text.
struct FormattedValue
{
    QString value;
    QString display;
};

// Widget-free rules of the numeric mask: the formatting pass, grouping, layouts, the
// validity check of candidate value strings and the display/value position mapping.
class MaskFormatter
{
public:
    static FormattedValue format(const QString &value, const MaskSettings &settings,
                                 const EffectiveMask &mask);

    static QString group(const QString &whole, const QString &separator, int groupSize);
    static QString positiveLayout(const QString &number, const QString &currency, int code);
    static QString negativeLayout(const QString &number, const QString &currency, int code);

    // Validity of a candidate value string ("." as the decimal point): only digits, one
    // leading "-" and one ".", lead zeros, whole and decimal places within the mask.
    static bool isValidCandidate(const QString &candidate, const MaskSettings &settings,
                                 const EffectiveMask &mask);

    // Text assigned from outside (Text, paste) turned into a value string: the first
    // decimal separator becomes ".".
    static QString assignedTextToValue(const QString &text, const QString &decimalSeparator);

    // True when the value string denotes zero ("-0.00", "0", ".0").
    static bool isZero(const QString &value);

    static int displayToValue(const QString &display, int position, const EffectiveMask &mask,
                              bool negative);
    static int valueToDisplay(const QString &display, int position, const EffectiveMask &mask,
                              bool negative);
};

} // namespace orvel
