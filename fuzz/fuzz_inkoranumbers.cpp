// Inkora's decimal and hexadecimal arithmetic against an exact integer
// reference: numbers of up to 36 digits are held as a 128-bit mantissa and a
// decimal scale, rounded to 28 significant digits and to whole numbers half
// to even, compared and cut to 64 bits; hexadecimal texts are read by a rule
// written out here and written back.
#include "FuzzInput.h"
#include "editctl/DecimalNumber.h"
#include "editctl/HexText.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

using inkora::DecimalNumber;
using inkora::HexText;

namespace {

using Int128 = __int128;

Int128 power10(int exponent)
{
    Int128 result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

int digitCount(Int128 value)
{
    if (value < 0)
        value = -value;
    int count = 0;
    while (value != 0) {
        value /= 10;
        ++count;
    }
    return count;
}

// m / d rounded half to even (d > 0).
Int128 divideHalfEven(Int128 m, Int128 d)
{
    Int128 q = m / d;
    const Int128 r = m % d;
    const Int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += m < 0 ? -1 : 1;
    return q;
}

// An exact decimal: mantissa * 10^-scale (a negative scale adds zeros).
struct Exact
{
    Int128 mantissa = 0;
    int scale = 0;

    Exact roundedToSignificant(int digits) const
    {
        const int surplus = digitCount(mantissa) - digits;
        if (surplus <= 0)
            return *this;
        return { divideHalfEven(mantissa, power10(surplus)), scale - surplus };
    }
    Exact roundedToWhole() const
    {
        if (scale <= 0)
            return *this;
        return { divideHalfEven(mantissa, power10(scale)), 0 };
    }
    Int128 truncated() const
    {
        return scale <= 0 ? mantissa * power10(-scale) : mantissa / power10(scale);
    }
    // The shortest text: no leading or trailing zeros, "0" for zero, "-" only when not zero.
    QString text(QChar sign) const
    {
        Int128 m = mantissa < 0 ? -mantissa : mantissa;
        QString digits;
        while (m != 0) {
            digits.prepend(QChar(u'0' + int(m % 10)));
            m /= 10;
        }
        if (digits.isEmpty())
            return QStringLiteral("0");
        if (scale < 0)
            digits += QString(-scale, u'0');
        QString whole = digits, fraction;
        if (scale > 0) {
            const qsizetype cut = digits.size() - scale;
            whole = cut > 0 ? digits.left(cut) : QString();
            fraction = cut > 0 ? digits.mid(cut) : QString(-cut, u'0') + digits;
        }
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
        QString out = (mantissa < 0 ? QStringLiteral("-") : QString())
            + (whole.isEmpty() ? QStringLiteral("0") : whole);
        if (!fraction.isEmpty())
            out += sign + fraction;
        return out;
    }
};

int compareExact(const Exact &a, const Exact &b)
{
    const int scale = std::max(a.scale, b.scale);
    const Int128 x = a.mantissa * power10(scale - a.scale);
    const Int128 y = b.mantissa * power10(scale - b.scale);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// A number text of up to `maxDigits` digits from the input, and its exact value.
QString numberText(FuzzInput &in, int maxDigits, QChar sign, Exact *exact)
{
    const bool negative = in.flag();
    const int digits = in.choice(maxDigits + 1);
    const int fraction = in.choice(digits + 1);
    QString text = negative ? QStringLiteral("-") : QString();
    Int128 mantissa = 0;
    for (int i = 0; i < digits; ++i) {
        if (i == digits - fraction)
            text += sign;
        const int digit = in.byte() % 10;
        text += QChar(u'0' + digit);
        mantissa = mantissa * 10 + digit;
    }
    *exact = { negative ? -mantissa : mantissa, fraction };
    return text;
}

// Hex digits are 0-9 and A-F in either case; the last eight count; up to four
// are a 16-bit value, more a 32-bit one.
qint32 referenceHexRead(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f'))
            digits += c;
    }
    digits = digits.right(8);
    quint32 value = 0;
    for (QChar c : std::as_const(digits)) {
        const char16_t u = c.unicode();
        value = value * 16 + (u <= u'9' ? u - u'0' : (u >= u'a' ? u - u'a' + 10 : u - u'A' + 10));
    }
    return digits.size() <= 4 ? qint32(qint16(quint16(value))) : qint32(value);
}

void checkDecimals(FuzzInput &in)
{
    const QChar sign = in.flag() ? u',' : u'.';
    Exact exact;
    const QString text = numberText(in, 36, sign, &exact);
    const auto parsed = DecimalNumber::parse(text, sign);
    const bool hasDigit = text.contains(QRegularExpression(QStringLiteral("[0-9]")));
    FuzzInput::check(parsed.has_value() == hasDigit, "a number with a digit parses", text);
    if (!parsed)
        return;
    const Exact held = exact.roundedToSignificant(DecimalNumber::significantDigits);
    FuzzInput::check(parsed->toString(sign) == held.text(sign),
                     "28 significant digits, halves to even", text);
    FuzzInput::check(parsed->roundedToWhole().toString(sign) == held.roundedToWhole().text(sign),
                     "rounded to whole, halves to even", text);
    const Int128 whole = held.truncated();
    const qint64 clamped = whole > std::numeric_limits<qint64>::max()
        ? std::numeric_limits<qint64>::max()
        : (whole < std::numeric_limits<qint64>::min() ? std::numeric_limits<qint64>::min()
                                                      : qint64(whole));
    FuzzInput::check(parsed->toInt64Clamped() == clamped, "the whole part, clamped to 64 bits",
                     text);

    Exact a, b;
    const QString first = numberText(in, 19, sign, &a);
    const QString second = numberText(in, 19, sign, &b);
    const auto x = DecimalNumber::parse(first, sign);
    const auto y = DecimalNumber::parse(second, sign);
    if (x && y)
        FuzzInput::check(DecimalNumber::compare(*x, *y) == compareExact(a, b),
                         "comparison of exact values", first + QLatin1Char(' ') + second);
    const qint64 n = in.int64();
    FuzzInput::check(DecimalNumber::fromInt(n).toString(sign) == QString::number(n),
                     "a whole number prints as itself", QString::number(n));
}

void checkHex(FuzzInput &in)
{
    const qint64 n = in.int64() >> in.choice(64);
    const QString written = HexText::write(n);
    const qint64 clamped = std::clamp<qint64>(n, std::numeric_limits<qint32>::min(),
                                              std::numeric_limits<qint32>::max());
    FuzzInput::check(HexText::read(written) == clamped, "hex text reads back its number",
                     QString::number(n) + QLatin1Char(' ') + written);
    FuzzInput::check(!written.contains(QRegularExpression(QStringLiteral("[^0-9A-F]"))),
                     "hex text is upper-case digits", written);
    const QString text = in.text(24);
    FuzzInput::check(HexText::read(text) == referenceHexRead(text),
                     "hex text read by the written rule", text);
}

void checkAnyText(const QString &text)
{
    for (const QChar sign : { QChar(u','), QChar(u'.') }) {
        const auto parsed = DecimalNumber::parse(text, sign);
        if (!parsed)
            continue;
        const QString printed = parsed->toString(sign);
        const auto again = DecimalNumber::parse(printed, sign);
        FuzzInput::check(again && DecimalNumber::compare(*again, *parsed) == 0
                             && again->toString(sign) == printed,
                         "a parsed number prints and parses to itself", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkAnyText(FuzzInput(data, size).rest());
    FuzzInput in(data, size);
    checkDecimals(in);
    checkHex(in);
    return 0;
}
