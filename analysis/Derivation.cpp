#include "Derivation.h"

#include <optional>

namespace ertragon {

namespace {

using Figure = PeriodTotals::Figure;

// A period inside the table reads as its value (0 when never fetched); a period
// beyond it is a failing read, and the statement that uses it is skipped.
std::optional<double> read(const PeriodTotals &totals, int period, int figure)
{
    if (period < 1 || period > PeriodTotals::Periods)
        return std::nullopt;
    return totals.value(period, figure);
}

// MonthValues copies the cell as it is, so a month never fetched stays empty.
void copyCell(const PeriodTotals &totals, int period, int figure, SeriesTable &table, int month,
              int series)
{
    if (period < 1 || period > PeriodTotals::Periods)
        return;
    if (const auto v = totals.at(period, figure))
        table.set(month, series, *v);
}

void accumulate(const PeriodTotals &totals, int period, int figure, SeriesTable &table, int month,
                int series)
{
    if (const auto v = read(totals, period, figure))
        table.set(month, series, table.value(month - 1, series) + *v);
}

} // namespace

Derivation::Derivation(const PeriodTotals &totals, const DisplayState &state, int currentMonth)
    : m_totals(totals)
    , m_state(state)
    , m_currentMonth(currentMonth)
    , m_shift(state.monthShift())
{
}

DerivedValues Derivation::AbsolutMittel(const PeriodTotals &totals, const DisplayState &state,
                                        int currentMonth)
{
    Derivation d(totals, state, currentMonth);
    d.monthsAndRunningTotals();
    switch (state.graphMode) {
    case DisplayState::YearMean:
        d.yearMeanGraph();
        break;
    case DisplayState::LastQuarter:
        d.lastQuarterGraph();
        break;
    case DisplayState::Absolute:
        d.absoluteGraph();
        break;
    default:
        break;
    }
    if (state.dbPercent)
        d.marginPercent();
    return d.m_out;
}

void Derivation::monthsAndRunningTotals()
{
    SeriesTable &months = m_out.monthValues;
    SeriesTable &cumulated = m_out.cumulatedValues;
    const int k = m_shift;
    for (int i = 1; i <= 12; ++i) {
        const int current = 60 + k + i;
        copyCell(m_totals, current, Figure::Revenue, months, i, 1);
        copyCell(m_totals, current, Figure::Margin, months, i, 4);
        // The running total of the current year stops before the incomplete month.
        cumulated.set(i, 1, 0.0);
        cumulated.set(i, 4, 0.0);
        if (m_currentMonth != i + k) {
            accumulate(m_totals, current, Figure::Revenue, cumulated, i, 1);
            accumulate(m_totals, current, Figure::Margin, cumulated, i, 4);
        }

        const int previous = 48 + k + i;
        copyCell(m_totals, previous, Figure::Revenue, months, i, 2);
        copyCell(m_totals, previous, Figure::Margin, months, i, 5);
        accumulate(m_totals, previous, Figure::Revenue, cumulated, i, 2);
        accumulate(m_totals, previous, Figure::Margin, cumulated, i, 5);

        for (const int figure : { int(Figure::Revenue), int(Figure::Margin) }) {
            const int series = figure == Figure::Revenue ? 3 : 6;
            const double mean = threeYearSum(k + i, figure) / 3.0;
            months.set(i, series, mean);
            cumulated.set(i, series, cumulated.value(i - 1, series) + mean);
        }
    }
}

// The same month in the three years before the previous one (periods 36, 24, 12 + offset).
double Derivation::threeYearSum(int offset, int figure) const
{
    return m_totals.value(36 + offset, figure) + m_totals.value(24 + offset, figure)
        + m_totals.value(12 + offset, figure);
}

void Derivation::yearMeanGraph()
{
    const int k = m_shift;
    for (int y = 1; y <= 3; ++y) {
        double revenue = 0.0;
        double margin = 0.0;
        for (int i = 1; i <= 12; ++i) {
            // The current year covers complete months only.
            if (y == 1 && m_currentMonth - 1 < i + k)
                break;
            const int period = 72 - 12 * y + k + i;
            revenue += m_totals.value(period, Figure::Revenue);
            m_out.graphValues.set(i, y, revenue / i);
            margin += m_totals.value(period, Figure::Margin);
            m_out.graphValues.set(i, y + 3, margin / i);
        }
    }
}

void Derivation::lastQuarterGraph()
{
    const int k = m_shift;
    for (int y = 1; y <= 2; ++y) {
        for (int i = 1; i <= 12; ++i) {
            if (y == 1 && m_currentMonth - 1 < i + k)
                break;
            double revenue = 0.0;
            double margin = 0.0;
            for (int q = 0; q <= 3; ++q) {
                const int period = 72 - 12 * y + k + i - q;
                revenue += m_totals.value(period, Figure::Revenue);
                margin += m_totals.value(period, Figure::Margin);
            }
            m_out.graphValues.set(i, y, revenue / 4.0);
            m_out.graphValues.set(i, y + 3, margin / 4.0);
        }
    }
    for (int i = 1; i <= 12; ++i) {
        double revenue = 0.0;
        double margin = 0.0;
        for (int q = 0; q <= 3; ++q) {
            revenue += threeYearSum(k + i - q, Figure::Revenue) / 3.0;
            margin += threeYearSum(k + i - q, Figure::Margin) / 3.0;
        }
        m_out.graphValues.set(i, 3, revenue / 4.0);
        m_out.graphValues.set(i, 6, margin / 4.0);
    }
}

void Derivation::absoluteGraph()
{
    for (int i = 1; i <= 12; ++i)
        for (int s = 1; s <= 6; ++s)
            if (const auto v = m_out.monthValues.at(i, s))
                m_out.graphValues.set(i, s, *v);
}

void Derivation::marginPercent()
{
    SeriesTable &g = m_out.graphValues;
    for (int i = 1; i <= 12; ++i) {
        for (int s = 4; s <= 6; ++s) {
            const double revenue = g.value(i, s - 3);
            // A zero or empty revenue is a division by zero: the margin amount stays.
            if (revenue == 0.0 || !g.isSet(i, s))
                continue;
            g.set(i, s, g.value(i, s) / revenue * 100.0);
        }
    }
}

} // namespace ertragon
