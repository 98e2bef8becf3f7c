#pragma once

#include <array>
#include <optional>

namespace ertragon {

// Revenue and contribution margin of 72 periods: p = (b - 1) * 12 + m with the
// year block b = 1..6 (6 is the current calendar year) and the month m = 1..12.
// A cell never written is empty: 0 in sums, no value where drawing tests it.
class PeriodTotals
{
public:
    static constexpr int Periods = 72;
    enum Figure { Revenue = 1, Margin = 2 };

    std::optional<double> at(int period, int figure) const
    {
        if (period < 1 || period > Periods || figure < 1 || figure > 2)
            return std::nullopt;
        return m_cells[period - 1][figure - 1];
    }
    // Empty cells and periods beyond the table count as 0.
    double value(int period, int figure) const { return at(period, figure).value_or(0.0); }
    bool set(int period, int figure, double v)
    {
        if (period < 1 || period > Periods || figure < 1 || figure > 2)
            return false;
        m_cells[period - 1][figure - 1] = v;
        return true;
    }
    void clear() { m_cells = {}; }

private:
    std::array<std::array<std::optional<double>, 2>, Periods> m_cells{};
};

} // namespace ertragon
