#pragma once

#include "ChartArea.h"
#include "ChartDrawing.h"
#include "ReportData.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <optional>

namespace ertragon::report {

// What lies under a place of the report page.
struct PageHit
{
    enum class Kind { Point, Cell, MonthColumn, SeriesLabel };
    Kind kind = Kind::MonthColumn;
    int column = -1; // month column 0..11 as the page shows it; -1 for a series label
    int series = 0; // 1..6; 0 for a month column

    bool operator==(const PageHit &) const = default;
};

// The breakdown a hit asks for: the details frame's options and the month input.
struct BreakdownChoice
{
    int valueKind = 0; // 0 year values, 1 month values
    int detailPeriod = 0; // 0 current year, 1 previous year, 2 three-year mean
    int month = 0; // calendar month 1..12 of month values

    bool operator==(const BreakdownChoice &) const = default;
};

// The page's points, cells, month columns and series labels with the places the page
// drawing gives them, in page twips as the surface records them. Widget-free: the
// preview maps the mouse through its zoom into page twips and asks here.
class PageHitMap
{
public:
    PageHitMap() = default;
    explicit PageHitMap(const ReportData &data, const ChartArea &area = {});

    bool isEmpty() const { return m_areas.isEmpty() && m_points.isEmpty(); }
    // A curve's point within 2.5 mm first, the nearest one; then labels, cells, columns.
    std::optional<PageHit> at(const QPointF &twips) const;
    // The place of a hit in page twips (a point's marker, a cell, a column, a label).
    QRectF areaOf(const PageHit &hit) const;
    // The month cursor's band: the column from the chart's top to the table's bottom.
    QRectF cursorBand(int column) const;

    QString toolTip(const PageHit &hit) const;
    BreakdownChoice breakdownFor(const PageHit &hit) const;
    // The calendar month 1..12 of month column 0..11.
    int calendarMonth(int column) const;

private:
    struct Area
    {
        QRectF twips;
        PageHit hit;
    };
    struct Point
    {
        QPointF twips;
        PageHit hit;
    };
    void addPoints(const ChartDrawing::Scales &scales);
    void addAreas();
    QString yearLine(int series) const;

    ReportData m_data;
    ChartArea m_area;
    QList<Point> m_points;
    QList<Area> m_areas; // in the order they are asked
};

} // namespace ertragon::report
