#pragma once

#include "ChartArea.h"
#include "ReportData.h"

#include <QRectF>
#include <QString>

namespace ertragon::report {

class PrintSurface;

// "Legende und Zeilentitel": the series named in the free area left of the value
// table's rows and in a legend between the two chart panels, the three years drawn
// with their own dash patterns. Without the option the page has none of it.
class SeriesLegend
{
public:
    static bool shown(const ReportData &data) { return data.display.seriesLegend; }
    // The pen pattern of a series' curve: solid, dashed and dash-dotted with the
    // option, solid without it.
    static int penPattern(const ReportData &data, int series);

    // Row title of series 1..6, its box left of the row (millimetres).
    static QString rowTitle(const ReportData &data, int series);
    static QRectF rowTitleBox(const ChartArea &area, int series);
    // Legend entry 1..3 (the years): its text and its box in the gap between the panels.
    static QString entryText(const ReportData &data, int year);
    static QRectF entryBox(const ChartArea &area, int year);

    static void draw(PrintSurface &surface, const ReportData &data, const ChartArea &area);

private:
    static void drawEntry(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                          int year);
};

} // namespace ertragon::report
