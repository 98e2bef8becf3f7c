#pragma once

#include <QString>
#include <optional>

namespace inkora {

// An exact decimal number on digit strings, held to 28 significant digits (halves rounded to
// the even neighbour), for the comparisons and roundings of the edit control: a double cannot
// compare "0,1" with "0,10000000000000000001" or long bounds exactly.
class DecimalNumber
{
public:
    static constexpr int significantDigits = 28;

    // Reads [-]digits[<sign>digits]; at least one digit. nullopt for anything else
    // (a lone "-", a lone decimal sign, two signs, letters).
    static std::optional<DecimalNumber> parse(const QString &text, QChar decimalSign);
    static DecimalNumber fromInt(qint64 number);

    // -1, 0 or 1.
    static int compare(const DecimalNumber &a, const DecimalNumber &b);

    // Rounded to a whole number, halves to the even neighbour.
    DecimalNumber roundedToWhole() const;
    QString toString(QChar decimalSign) const;
    bool isNegative() const { return m_negative; }
    bool isZero() const { return m_int.isEmpty() && m_frac.isEmpty(); }
    // The whole part, clamped into the qint64 range.
    qint64 toInt64Clamped() const;

    friend bool operator<(const DecimalNumber &a, const DecimalNumber &b)
    {
        return compare(a, b) < 0;
    }
    friend bool operator>(const DecimalNumber &a, const DecimalNumber &b)
    {
        return compare(a, b) > 0;
    }
    friend bool operator==(const DecimalNumber &a, const DecimalNumber &b)
    {
        return compare(a, b) == 0;
    }

private:
    void normalise();
    void roundToSignificantDigits();
    static int compareMagnitude(const DecimalNumber &a, const DecimalNumber &b);

    bool m_negative = false;
    QString m_int; // no leading zeros; empty for 0
    QString m_frac; // no trailing zeros
};

} // namespace inkora
