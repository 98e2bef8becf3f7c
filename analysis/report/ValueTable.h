#pragma once

#include "ChartArea.h"
#include "ReportData.h"

#include <QString>

namespace ertragon::report {

class PrintSurface;

// The table of twelve months by six series below the chart.
class ValueTable
{
public:
    // The text of the cell of month 1..12 and series 1..6 in the current TableMode.
    static QString cellText(const ReportData &data, int month, int series);
    static QString caption(const ReportData &data);
    static int seriesColour(int series);

    // The six cells of month column b (0..11).
    static void drawColumn(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                           int b);
    // Caption, the two heavy rectangles and the footer.
    static void drawClosing(PrintSurface &surface, const ReportData &data, const ChartArea &area);
};

} // namespace ertragon::report
