#pragma once

#include <array>
#include <optional>

namespace ertragon {

// Months 0..12 by series 1..6 (1 revenue current year, 2 previous year,
// 3 three-year mean, 4..6 the same for the contribution margin).
// Row 0 exists for running totals and stays empty. Empty cells count as 0
// in sums and as no value where drawing tests them.
class SeriesTable
{
public:
    static constexpr int Months = 12;
    static constexpr int Series = 6;

    std::optional<double> at(int month, int series) const
    {
        if (!inRange(month, series))
            return std::nullopt;
        return m_cells[month][series - 1];
    }
    double value(int month, int series) const { return at(month, series).value_or(0.0); }
    bool isSet(int month, int series) const { return at(month, series).has_value(); }
    bool set(int month, int series, double v)
    {
        if (!inRange(month, series))
            return false;
        m_cells[month][series - 1] = v;
        return true;
    }
    void clear() { m_cells = {}; }

private:
    static bool inRange(int month, int series)
    {
        return month >= 0 && month <= Months && series >= 1 && series <= Series;
    }
    std::array<std::array<std::optional<double>, Series>, Months + 1> m_cells{};
};

} // namespace ertragon
