#pragma once

#include "FixedLocaleInfo.h"
#include "MaskSettings.h"

#include <QString>

// Helpers shared by the mask tests: fixed locales by name and masks from compact text.
namespace orvel::test {

inline FixedLocaleInfo localeNamed(const QString &name)
{
    if (name == u"de")
        return FixedLocaleInfo::germanLike();
    if (name == u"en")
        return FixedLocaleInfo::englishLike();
    return FixedLocaleInfo();
}

// Compact mask description: "key=value" pairs separated by blanks.
inline MaskSettings settingsFrom(const QString &description)
{
    MaskSettings s;
    const auto parts = description.split(u' ', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString key = part.section(u'=', 0, 0);
        const QString val = part.section(u'=', 1);
        if (key == u"type")
            s.maskType = val.toInt();
        else if (key == u"places")
            s.decimalPlaces = val.toInt();
        else if (key == u"dec")
            s.decimalChar = val;
        else if (key == u"sep")
            s.thousandSep = val;
        else if (key == u"group")
            s.thousandDigits = val.toInt();
        else if (key == u"sym")
            s.currencySymbol = val;
        else if (key == u"pos")
            s.posFormat = val.toInt();
        else if (key == u"neg")
            s.negFormat = val.toInt();
        else if (key == u"cur")
            s.showCurrency = val == u"1";
        else if (key == u"grp")
            s.showThousandSep = val == u"1";
        else if (key == u"fixed")
            s.decimalFixed = val == u"1";
        else if (key == u"lead")
            s.allowLeadZeros = val == u"1";
        else if (key == u"zero")
            s.zeroIfNull = val == u"1";
        else if (key == u"whole")
            s.wholePlaces = val.toInt();
        else if (key == u"negok")
            s.allowNegative = val == u"1";
    }
    return s;
}

} // namespace orvel::test
