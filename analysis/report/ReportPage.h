#pragma once

#include "ChartArea.h"
#include "PageContent.h"
#include "ReportData.h"

namespace ertragon::report {

class PrintSurface;

// One A4 landscape report page: chart, value table and frame. The values are
// derived beforehand; drawing never fails as a whole, a failing step is skipped.
class ReportPage
{
public:
    static PageContent content(const ReportData &data, const ChartArea &area = {});

    // The redraw after the derivation: begins the document, draws grid, month
    // columns with the value table and footer, the curves and the frame, and
    // ends the document.
    static void draw(PrintSurface &surface, const ReportData &data, const ChartArea &area = {});
};

} // namespace ertragon::report
