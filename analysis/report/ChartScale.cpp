#include "ChartScale.h"

#include "SeriesTable.h"

#include <QString>
#include <cmath>
#include <limits>

namespace ertragon::report {

namespace {

constexpr qint64 InitialHigh = -2147483646;
constexpr qint64 InitialLow = 2147483647;

QString text(qint64 v)
{
    return QString::number(v);
}

// The number a text starts with: an optional sign and digits; none gives 0.
qint64 leadingNumber(const QString &t)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    qint64 v = 0;
    for (; i < t.size() && t[i].isDigit(); ++i)
        v = v * 10 + t[i].digitValue();
    return negative ? -v : v;
}

qint64 timesTenPower(qint64 v, int e)
{
    for (int i = 0; i < e; ++i)
        v *= 10;
    return v;
}

// A step as the page would print it: up to 15 significant digits.
QString stepText(double s)
{
    return QString::number(s, 'g', 15);
}

// True when R / n is not a multiple of 10^L for its own length L (L > 1).
bool notRoundForItsLength(qint64 range, int n)
{
    if (n == 0)
        return false; // division by zero: the test is skipped
    const double s = double(range) / n;
    const qsizetype L = stepText(s).size() - 2;
    if (L <= 1)
        return false;
    const auto mod = ChartScale::roundedMod(s, std::pow(10.0, double(L)));
    return mod && *mod != 0;
}

// True when R / n has a non-zero digit below the tens place of ten times itself.
bool notRoundTenth(qint64 range, int n)
{
    if (n == 0)
        return false;
    const auto mod = ChartScale::roundedMod(double(range) / n * 10, 100);
    return mod && *mod != 0;
}

qint64 wholeNumber(double v)
{
    const double r = std::nearbyint(v);
    if (r > double(std::numeric_limits<qint64>::max() / 100))
        return std::numeric_limits<qint64>::max() / 100;
    if (r < double(std::numeric_limits<qint64>::min() / 100))
        return std::numeric_limits<qint64>::min() / 100;
    return qint64(r);
}

} // namespace

std::optional<double> ChartScale::roundedMod(double a, double b)
{
    const double ra = std::nearbyint(a);
    const double rb = std::nearbyint(b);
    if (rb == 0 || !std::isfinite(ra) || !std::isfinite(rb))
        return std::nullopt;
    return std::fmod(ra, rb);
}

qint64 ChartScale::roundHigh(qint64 hi)
{
    const QString t = text(hi);
    const int e = int(t.size()) - 2;
    const qint64 leading = leadingNumber(t.left(2)) + 1;
    return timesTenPower(leading, e);
}

qint64 ChartScale::roundLow(qint64 lo, qint64 roundedHigh)
{
    const bool negative = lo < 0;
    const QString t = text(negative ? -lo : lo);
    const int e = int(t.size()) - 2;
    qint64 low = leadingNumber(t.left(2)) + (negative ? 1 : 0);
    if (!negative) {
        const qint64 last = low % 10;
        if (e >= 0 && last >= 5)
            low = (low / 10) * 10 + 5;
        else if (e >= 0 && last != 0)
            low = (low / 10) * 10;
        else if (e < 0 && low > 4)
            low = 5;
    }
    low = timesTenPower(low, e);
    const QString lowText = text(low < 0 ? -low : low);
    if (text(roundedHigh).size() != lowText.size()) {
        const qint64 first = leadingNumber(lowText.left(1)) + (negative ? 1 : 0);
        low = timesTenPower(first, int(lowText.size()) - 1);
    }
    return negative ? -low : low;
}

int ChartScale::intervalCount(qint64 range)
{
    const QString t = text(range);
    const int d = qMax(1, int(t.indexOf(QLatin1Char('0'))));
    int n = int(leadingNumber(t.left(d)));
    if (n == 1)
        n = 10;
    while (n > 10)
        n /= 2;
    if (n == 1)
        n = 10;
    if (notRoundForItsLength(range, n))
        n += 1;
    if (notRoundForItsLength(range, n))
        n -= 2;
    if (notRoundTenth(range, n))
        n += 2;
    if (notRoundTenth(range, n))
        n -= 1;
    if (notRoundTenth(range, n))
        n -= 2;
    return n;
}

int ChartScale::minorParts(double spacingMm)
{
    const double r = std::nearbyint(spacingMm);
    if (r >= 0 && r <= 3)
        return 0;
    if (r >= 4 && r <= 8)
        return 2;
    if (r >= 9 && r <= 14)
        return 3;
    if (r >= 15 && r <= 20)
        return 5;
    return 10;
}

ChartScale ChartScale::fromValues(const QList<double> &values, double panelHeightMm)
{
    qint64 hi = InitialHigh;
    qint64 lo = InitialLow;
    for (double v : values) {
        if (!std::isfinite(v))
            continue; // a value that cannot be converted is skipped
        const qint64 w = wholeNumber(v);
        hi = qMax(hi, w);
        lo = qMin(lo, w);
    }
    ChartScale scale;
    const qint64 high = roundHigh(hi);
    const qint64 low = roundLow(lo, high);
    scale.hi = double(high);
    scale.lo = double(low);
    const qint64 range = high - low;
    scale.n = intervalCount(range);
    if (scale.n != 0) {
        scale.s = double(range) / scale.n;
        scale.S = panelHeightMm / scale.n;
    }
    scale.q = minorParts(scale.S);
    return scale;
}

QList<double> ChartScale::panelValues(const SeriesTable &graphValues, int panel, int currentMonth,
                                      int monthShift)
{
    const int first = panel == 2 ? 4 : 1;
    QList<double> values;
    for (int series = first + 1; series <= first + 2; ++series) {
        for (int m = 1; m <= 12; ++m)
            values.append(graphValues.value(m, series));
    }
    const int lastComplete = currentMonth - 1 - monthShift;
    for (int m = 1; m <= qMin(12, lastComplete); ++m)
        values.append(graphValues.value(m, first));
    return values;
}

} // namespace ertragon::report
