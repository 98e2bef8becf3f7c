#pragma once

#include "ReportData.h"

namespace ertragon {

class ExtendedSelection;
class PeriodTotals;
class SelectionModel;
struct ServerContext;

// The report page's data for the current choices, in the window and in the batch
// tool alike: the derived values, the display state, the legend's texts and
// the login's names.
ReportData buildReportData(const PeriodTotals &totals, const DisplayState &display,
                           const SelectionModel &selection, const ExtendedSelection &extended,
                           const ServerContext &login, const QDateTime &now);

} // namespace ertragon
