#pragma once

#include "ChartArea.h"
#include "ChartScale.h"
#include "ReportData.h"

#include <QPointF>
#include <QStringList>
#include <array>
#include <optional>

namespace ertragon::report {

class PrintSurface;

// The two chart panels: grid with labels, month columns (with the value
// table's cells), and the curves of the six series.
class ChartDrawing
{
public:
    using Scales = std::array<ChartScale, 2>;

    static Scales scales(const ReportData &data, const ChartArea &area);
    // The label of grid line k in panel 1 or 2.
    static QString gridLabel(const ReportData &data, int panel, double value);
    // The twelve month names as the month row shows them.
    static QStringList monthNames(int yearKind);
    // The last month drawn of the current-year series.
    static int lastCurrentMonth(int calendarMonth, int yearKind);
    static double seriesPenWidth(int series);
    // The last month whose point a series' curve draws: the current year's stop early.
    static int lastDrawnMonth(int series, int lastCurrentMonth);
    // Where the point of month 1..12 of a series lies on its panel (millimetres); none
    // when the scale or the value cannot place it.
    static std::optional<QPointF> seriesPoint(const ReportData &data, const ChartArea &area,
                                              const ChartScale &scale, int panel, int series,
                                              int month);
    // The series' marker at p (millimetres): circle, square or triangle.
    static void drawMarker(PrintSurface &surface, int series, const QPointF &p);

    static void drawGrid(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                         const Scales &scales);
    static void drawMonthColumns(PrintSurface &surface, const ReportData &data,
                                 const ChartArea &area);
    static void drawCurves(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                           const Scales &scales);
};

} // namespace ertragon::report
