#pragma once

#include <QList>
#include <optional>

namespace ertragon {
class SeriesTable;
}

namespace ertragon::report {

// The value scale of one chart panel: the range rounded to two leading digits,
// the number of intervals n, the value step s, the grid spacing S in millimetres
// and the number q of minor parts between two grid lines.
struct ChartScale
{
    double lo = 0;
    double hi = 0;
    int n = 0;
    double s = 0;
    double S = 0;
    int q = 0;

    // The scale for the values of a panel (converted to whole numbers, halves to even).
    static ChartScale fromValues(const QList<double> &values, double panelHeightMm);
    // The values that set the scale of panel 1 (series 1..3) or 2 (series 4..6): the
    // previous year and the mean years for all months, the current year only for its
    // complete months 1 .. currentMonth - 1 - monthShift. Empty cells count as 0.
    static QList<double> panelValues(const SeriesTable &graphValues, int panel, int currentMonth,
                                     int monthShift);

    // The steps, public for tests and the batch output.
    static qint64 roundHigh(qint64 hi);
    static qint64 roundLow(qint64 lo, qint64 roundedHigh);
    // n for the range R; the value step is R / n.
    static int intervalCount(qint64 range);
    // q for a grid spacing of S millimetres.
    static int minorParts(double spacingMm);
    // Remainder after rounding both operands to whole numbers, halves to even;
    // no value when the divisor rounds to 0.
    static std::optional<double> roundedMod(double a, double b);
};

} // namespace ertragon::report
