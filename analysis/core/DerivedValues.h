#pragma once

#include "SeriesTable.h"

namespace ertragon {

// The three tables derived from PeriodTotals before every redraw.
struct DerivedValues
{
    SeriesTable monthValues;     // MonthValues
    SeriesTable cumulatedValues; // CumulatedValues (row 0 stays empty)
    SeriesTable graphValues;     // GraphValues
};

} // namespace ertragon
