#include "MaskFormatter.h"

namespace orvel {

namespace {

QString cutDecimals(const QString &value, const MaskSettings &settings, int places)
{
    const qsizetype point = value.indexOf(u'.');
    if (point < 0 && !(settings.decimalFixed && places > 0))
        return value;
    const QString whole = point < 0 ? value : value.left(point);
    QString decimals = point < 0 ? QString() : value.mid(point + 1);
    if (places <= 0)
        return whole;
    decimals = decimals.left(places);
    if (settings.decimalFixed)
        decimals = (decimals + QString(9, u'0')).left(places);
    if (!decimals.isEmpty() || point >= 0)
        return whole + u'.' + decimals;
    return whole;
}

} // namespace

FormattedValue MaskFormatter::format(const QString &input, const MaskSettings &settings,
                                     const EffectiveMask &mask)
{
    QString value = input == u"-" ? QString() : input;
    value = cutDecimals(value, settings, mask.decimalPlaces);

    const qsizetype point = value.indexOf(u'.');
    QString decimals = point < 0 ? QString() : value.mid(point);
    QString whole = point < 0 ? value : value.left(point);
    const bool negative = whole.startsWith(u'-');
    if (negative)
        whole.remove(0, 1);

    if (!settings.allowLeadZeros) {
        qsizetype zeros = 0;
        while (zeros < whole.size() - 1 && whole.at(zeros) == u'0')
            ++zeros;
        whole.remove(0, zeros);
    }
    if (whole.isEmpty() && (settings.zeroIfNull || !decimals.isEmpty()))
        whole = QStringLiteral("0");

    FormattedValue out;
    out.value = (negative ? QStringLiteral("-") : QString()) + whole + decimals;

    if (settings.showThousandSep)
        whole = group(whole, mask.thousandSep, mask.groupSize);
    if (decimals.startsWith(u'.') && !mask.decimalChar.isEmpty())
        decimals[0] = mask.decimalChar.at(0);

    const QString number = whole + decimals;
    if (number.isEmpty())
        return out;
    if (!negative || isZero(out.value))
        out.display = positiveLayout(number, mask.currencySymbol, mask.positiveLayout);
    else
        out.display = negativeLayout(number, mask.currencySymbol, mask.negativeLayout);
    return out;
}

QString MaskFormatter::group(const QString &whole, const QString &separator, int groupSize)
{
    if (groupSize <= 0)
        return whole;
    QString out;
    for (qsizetype i = whole.size() - 1; i >= 0; --i) {
        const qsizetype right = whole.size() - 1 - i;
        if (right > 0 && right % groupSize == 0)
            out.prepend(separator);
        out.prepend(whole.at(i));
    }
    return out;
}

QString MaskFormatter::positiveLayout(const QString &n, const QString &c, int code)
{
    switch (code) {
    case 1:
        return c + n;
    case 2:
        return n + c;
    case 3:
        return c + u' ' + n;
    case 4:
        return n + u' ' + c;
    default:
        return n;
    }
}

QString MaskFormatter::negativeLayout(const QString &n, const QString &c, int code)
{
    switch (code) {
    case 1:
        return u'(' + c + n + u')';
    case 2:
        return u'-' + c + n;
    case 3:
        return c + u'-' + n;
    case 4:
        return c + n + u'-';
    case 5:
        return c + u'(' + n + u')';
    case 6:
        return u'-' + n + c;
    case 7:
        return n + u'-' + c;
    case 8:
        return n + c + u'-';
    case 9:
        return u'-' + n + u' ' + c;
    case 10:
        return u'-' + c + u' ' + n;
    case 11:
        return n + u' ' + c + u'-';
    default: // a code outside the table must not drop the sign
        return negativeLayout(n, c, EffectiveMask::LeadingMinusLayout);
    }
}

bool MaskFormatter::isValidCandidate(const QString &candidate, const MaskSettings &settings,
                                     const EffectiveMask &mask)
{
    if (candidate.isEmpty())
        return true;
    for (const QChar c : candidate) {
        if (!EffectiveMask::isNativeDigit(c) && c != u'-' && c != u'.')
            return false;
    }
    if (candidate.count(u'.') > 1 || candidate.count(u'-') > 1)
        return false;
    // A sign anywhere but in front would not be a value string at all.
    if (candidate.contains(u'-') && (!settings.allowNegative || !candidate.startsWith(u'-')))
        return false;
    const qsizetype point = candidate.indexOf(u'.');
    QString whole = point < 0 ? candidate : candidate.left(point);
    if (whole.startsWith(u'-'))
        whole.remove(0, 1);
    if (!settings.allowLeadZeros && whole.size() >= 2 && whole.startsWith(u'0'))
        return false;
    if (point >= 0) {
        const qsizetype decimals = candidate.size() - point - 1;
        if (mask.decimalPlaces <= 0 || decimals > mask.decimalPlaces)
            return false;
    }
    return settings.wholePlaces < 0 || whole.size() <= settings.wholePlaces;
}

QString MaskFormatter::assignedTextToValue(const QString &text, const QString &decimalSeparator)
{
    QString value = text;
    if (!decimalSeparator.isEmpty() && decimalSeparator != u".") {
        const qsizetype at = value.indexOf(decimalSeparator);
        if (at >= 0)
            value.replace(at, decimalSeparator.size(), u'.');
    }
    return value;
}

bool MaskFormatter::isZero(const QString &value)
{
    for (const QChar c : value) {
        if (EffectiveMask::isNativeDigit(c) && c != u'0')
            return false;
    }
    return true;
}

int MaskFormatter::displayToValue(const QString &display, int position, const EffectiveMask &mask,
                                  bool negative)
{
    int p = qBound(0, position, int(display.size()));
    while (p < display.size() && mask.isLiteral(display.at(p)))
        ++p;
    int count = 0;
    for (int i = 0; i < p; ++i) {
        if (!mask.isLiteral(display.at(i)))
            ++count;
    }
    return count + (negative ? 1 : 0);
}

int MaskFormatter::valueToDisplay(const QString &display, int position, const EffectiveMask &mask,
                                  bool negative)
{
    const int steps = position - (negative ? 1 : 0);
    int p = 0;
    for (int i = 0; i < steps && p < display.size(); ++i) {
        while (p < display.size() && mask.isLiteral(display.at(p)))
            ++p;
        if (p < display.size())
            ++p;
    }
    return p;
}

} // namespace orvel
