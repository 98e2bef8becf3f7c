#include "DecimalNumber.h"

#include <limits>

namespace inkora {

namespace {

bool allDigits(const QString &text)
{
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Adds one unit at the last digit of a digit string; returns true on a carry out of the front.
bool incrementDigits(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
    }
    return true;
}

// Whether dropping `rest` (the digits after the kept ones) rounds the kept digits up, with
// halves going to the even neighbour of the last kept digit.
bool roundsUp(const QString &rest, QChar lastKept)
{
    if (rest.isEmpty() || rest[0] < QLatin1Char('5'))
        return false;
    if (rest[0] > QLatin1Char('5'))
        return true;
    for (qsizetype i = 1; i < rest.size(); ++i) {
        if (rest[i] != QLatin1Char('0'))
            return true;
    }
    const int last = lastKept.isDigit() ? lastKept.digitValue() : 0;
    return last % 2 == 1;
}

} // namespace

std::optional<DecimalNumber> DecimalNumber::parse(const QString &text, QChar decimalSign)
{
    QString body = text;
    DecimalNumber number;
    if (body.startsWith(QLatin1Char('-'))) {
        number.m_negative = true;
        body.remove(0, 1);
    }
    const qsizetype sign = body.indexOf(decimalSign);
    const QString whole = sign < 0 ? body : body.left(sign);
    const QString frac = sign < 0 ? QString() : body.mid(sign + 1);
    if (whole.isEmpty() && frac.isEmpty())
        return std::nullopt;
    if (!allDigits(whole) || !allDigits(frac))
        return std::nullopt;
    number.m_int = whole;
    number.m_frac = frac;
    number.normalise();
    number.roundToSignificantDigits();
    number.normalise();
    return number;
}

DecimalNumber DecimalNumber::fromInt(qint64 value)
{
    DecimalNumber number;
    number.m_negative = value < 0;
    QString digits = QString::number(value);
    if (number.m_negative)
        digits.remove(0, 1);
    number.m_int = digits;
    number.normalise();
    return number;
}

void DecimalNumber::normalise()
{
    qsizetype lead = 0;
    while (lead < m_int.size() && m_int[lead] == QLatin1Char('0'))
        ++lead;
    m_int.remove(0, lead);
    while (!m_frac.isEmpty() && m_frac.back() == QLatin1Char('0'))
        m_frac.chop(1);
    if (isZero())
        m_negative = false;
}

void DecimalNumber::roundToSignificantDigits()
{
    QString digits = m_int + m_frac;
    const qsizetype intLength = m_int.size();
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == QLatin1Char('0'))
        ++first;
    const qsizetype keep = first + significantDigits;
    if (keep >= digits.size())
        return;
    const QString rest = digits.mid(keep);
    QString kept = digits.left(keep);
    if (roundsUp(rest, kept.back()) && incrementDigits(kept))
        kept.prepend(QLatin1Char('1'));
    const qsizetype grown = kept.size() - keep;
    // Positions past the kept digits become zeros in the whole part, vanish in the fraction.
    const qsizetype newIntLength = intLength + grown;
    while (kept.size() < newIntLength)
        kept.append(QLatin1Char('0'));
    m_int = kept.left(newIntLength);
    m_frac = kept.mid(newIntLength);
}

int DecimalNumber::compareMagnitude(const DecimalNumber &a, const DecimalNumber &b)
{
    if (a.m_int.size() != b.m_int.size())
        return a.m_int.size() < b.m_int.size() ? -1 : 1;
    if (const int c = a.m_int.compare(b.m_int); c != 0)
        return c < 0 ? -1 : 1;
    const qsizetype length = std::max(a.m_frac.size(), b.m_frac.size());
    const QString fa = a.m_frac.leftJustified(length, QLatin1Char('0'));
    const QString fb = b.m_frac.leftJustified(length, QLatin1Char('0'));
    const int c = fa.compare(fb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int DecimalNumber::compare(const DecimalNumber &a, const DecimalNumber &b)
{
    if (a.m_negative != b.m_negative)
        return a.m_negative ? -1 : 1;
    const int magnitude = compareMagnitude(a, b);
    return a.m_negative ? -magnitude : magnitude;
}

DecimalNumber DecimalNumber::roundedToWhole() const
{
    DecimalNumber result = *this;
    result.m_frac.clear();
    const QChar last = m_int.isEmpty() ? QLatin1Char('0') : m_int.back();
    if (roundsUp(m_frac, last)) {
        if (result.m_int.isEmpty())
            result.m_int = QStringLiteral("1");
        else if (incrementDigits(result.m_int))
            result.m_int.prepend(QLatin1Char('1'));
    }
    result.normalise();
    return result;
}

QString DecimalNumber::toString(QChar decimalSign) const
{
    QString text = m_negative ? QStringLiteral("-") : QString();
    text += m_int.isEmpty() ? QStringLiteral("0") : m_int;
    if (!m_frac.isEmpty())
        text += decimalSign + m_frac;
    return text;
}

qint64 DecimalNumber::toInt64Clamped() const
{
    constexpr auto maximum = std::numeric_limits<qint64>::max();
    if (m_int.size() > 18) {
        bool ok = false;
        const qint64 value = m_int.toLongLong(&ok);
        if (!ok)
            return m_negative ? std::numeric_limits<qint64>::min() : maximum;
        return m_negative ? -value : value;
    }
    const qint64 value = m_int.isEmpty() ? 0 : m_int.toLongLong();
    return m_negative ? -value : value;
}

} // namespace inkora
