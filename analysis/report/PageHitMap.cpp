#include "PageHitMap.h"

#include "Calendar.h"
#include "ReportFormat.h"
#include "SeriesLegend.h"
#include "ValueTable.h"

#include <QLineF>
#include <QStringList>

namespace ertragon::report {

namespace {

constexpr double PointReachMm = 2.5;

QRectF twipsOf(const QRectF &mm)
{
    return { ChartArea::twips(mm.left()), ChartArea::twips(mm.top()), ChartArea::twips(mm.width()),
             ChartArea::twips(mm.height()) };
}

int yearOf(int series)
{
    return (series - 1) % 3 + 1; // 1 current year, 2 previous year, 3 mean years
}

} // namespace

PageHitMap::PageHitMap(const ReportData &data, const ChartArea &area)
    : m_data(data)
    , m_area(area)
{
    addPoints(ChartDrawing::scales(data, area));
    addAreas();
}

void PageHitMap::addPoints(const ChartDrawing::Scales &scales)
{
    const int lastMonth
        = ChartDrawing::lastCurrentMonth(m_data.now.date().month(), m_data.display.yearKind);
    for (int series = 1; series <= 6; ++series) {
        const int panel = series <= 3 ? 1 : 2;
        const ChartScale &scale = scales[size_t(panel - 1)];
        for (int m = 1; m <= ChartDrawing::lastDrawnMonth(series, lastMonth); ++m) {
            const auto point = ChartDrawing::seriesPoint(m_data, m_area, scale, panel, series, m);
            if (point)
                m_points.append(
                    { QPointF(ChartArea::twips(point->x()), ChartArea::twips(point->y())),
                      { PageHit::Kind::Point, m - 1, series } });
        }
    }
}

void PageHitMap::addAreas()
{
    if (SeriesLegend::shown(m_data)) {
        for (int year = 1; year <= 3; ++year)
            m_areas.append({ twipsOf(SeriesLegend::entryBox(m_area, year)),
                             { PageHit::Kind::SeriesLabel, -1, year } });
        for (int l = 1; l <= 6; ++l)
            m_areas.append({ twipsOf(SeriesLegend::rowTitleBox(m_area, l)),
                             { PageHit::Kind::SeriesLabel, -1, l } });
    }
    const double C = m_area.columnWidth();
    for (int b = 0; b < 12; ++b) {
        const double x = m_area.x0 + b * C;
        for (int l = 1; l <= 6; ++l)
            m_areas.append(
                { twipsOf(ValueTable::cellBox(m_area, b, l)), { PageHit::Kind::Cell, b, l } });
        // The chart's column and its month name.
        m_areas.append(
            { twipsOf({ x, m_area.y0, C, m_area.H + 6 }), { PageHit::Kind::MonthColumn, b, 0 } });
    }
}

std::optional<PageHit> PageHitMap::at(const QPointF &twips) const
{
    const double reach = ChartArea::twips(PointReachMm);
    const Point *nearest = nullptr;
    double best = reach;
    for (const Point &p : m_points) {
        const double d = QLineF(p.twips, twips).length();
        if (d <= best) {
            best = d;
            nearest = &p;
        }
    }
    if (nearest)
        return nearest->hit;
    for (const Area &a : m_areas)
        if (a.twips.contains(twips))
            return a.hit;
    return std::nullopt;
}

QRectF PageHitMap::areaOf(const PageHit &hit) const
{
    if (hit.kind == PageHit::Kind::Point) {
        for (const Point &p : m_points)
            if (p.hit == hit)
                return { p.twips.x() - 57, p.twips.y() - 57, 114, 114 };
        return {};
    }
    for (const Area &a : m_areas)
        if (a.hit == hit)
            return a.twips;
    return {};
}

QRectF PageHitMap::cursorBand(int column) const
{
    if (column < 0 || column > 11)
        return {};
    const double C = m_area.columnWidth();
    return twipsOf(
        { m_area.x0 + column * C, m_area.y0, C, ValueTable::bottom(m_area) - m_area.y0 });
}

int PageHitMap::calendarMonth(int column) const
{
    return (column + m_data.display.monthShift()) % 12 + 1;
}

QString PageHitMap::yearLine(int series) const
{
    const QString label = SeriesLegend::entryText(m_data, yearOf(series));
    return (yearOf(series) == 3 ? QStringLiteral("Jahre: ") : QStringLiteral("Jahr: ")) + label;
}

QString PageHitMap::toolTip(const PageHit &hit) const
{
    const QLocale &locale = m_data.locale;
    if (hit.kind == PageHit::Kind::SeriesLabel)
        return yearLine(hit.series) + QStringLiteral("\nKlick: Aufteilung des Jahres");
    const QString month = ChartDrawing::monthNames(m_data.display.yearKind).value(hit.column);
    if (hit.kind == PageHit::Kind::MonthColumn)
        return QStringLiteral("Monat: ") + month
            + QStringLiteral("\nKlick oder Eingabetaste: Aufteilung des Monats");
    const int year = yearOf(hit.series);
    const SeriesTable &months = m_data.values.monthValues;
    const int m = hit.column + 1;
    const double revenue = months.value(m, year);
    const double margin = months.value(m, year + 3);
    const QString share = revenue != 0 && months.isSet(m, year + 3)
        ? ReportFormat::percentTwoDecimals(margin / revenue, locale)
        : QStringLiteral("–");
    return QStringList { QStringLiteral("Monat: ") + month, yearLine(hit.series),
                         QStringLiteral("Umsatz: ") + ReportFormat::euro(revenue, locale),
                         QStringLiteral("DB: ") + ReportFormat::euro(margin, locale),
                         QStringLiteral("DB %: ") + share }
        .join(QLatin1Char('\n'));
}

BreakdownChoice PageHitMap::breakdownFor(const PageHit &hit) const
{
    if (hit.kind == PageHit::Kind::SeriesLabel)
        return { 0, yearOf(hit.series) - 1, 0 };
    // Month values have no three-year mean: the mean years' month opens the current year.
    const int period = hit.series > 0 && yearOf(hit.series) == 2 ? 1 : 0;
    return { 1, period, calendarMonth(hit.column) };
}

} // namespace ertragon::report
