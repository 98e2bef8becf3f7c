#pragma once

#include "DerivedValues.h"
#include "DisplayState.h"
#include "PeriodTotals.h"

namespace ertragon {

// AbsolutMittel: derives the monthly figures, the running totals and the
// values the chart plots from the 72 fetched periods, for one display state and
// the current calendar month (1..12). Every table is computed into fresh
// storage, so a failing statement (a division by zero, a period beyond the
// table) leaves its cell empty or as an earlier statement of this run left it.
class Derivation
{
public:
    static DerivedValues AbsolutMittel(const PeriodTotals &totals, const DisplayState &state,
                                       int currentMonth);

private:
    Derivation(const PeriodTotals &totals, const DisplayState &state, int currentMonth);

    double threeYearSum(int offset, int figure) const;
    void monthsAndRunningTotals();
    void yearMeanGraph();
    void lastQuarterGraph();
    void absoluteGraph();
    void marginPercent();

    const PeriodTotals &m_totals;
    const DisplayState &m_state;
    const int m_currentMonth;
    const int m_shift;
    DerivedValues m_out;
};

} // namespace ertragon
