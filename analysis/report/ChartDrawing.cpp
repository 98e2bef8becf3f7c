#include "ChartDrawing.h"

#include "Calendar.h"
#include "PrintSurface.h"
#include "ReportFormat.h"
#include "SeriesLegend.h"
#include "TextBlockWriter.h"
#include "ValueTable.h"

#include <QPointF>
#include <cmath>

namespace ertragon::report {

namespace {

double twips(double mm)
{
    return ChartArea::twips(mm);
}

void line(PrintSurface &surface, double x1, double y1, double x2, double y2)
{
    surface.DrawLine(twips(x1), twips(y1), twips(x2), twips(y2));
}

void drawSeries(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                const ChartScale &scale, int panel, int series, int lastMonth)
{
    const int lastDrawn = ChartDrawing::lastDrawnMonth(series, lastMonth);
    const int pattern = SeriesLegend::penPattern(data, series);
    for (int m = 1; m <= lastDrawn; ++m) {
        const auto point = ChartDrawing::seriesPoint(data, area, scale, panel, series, m);
        const auto next = m == lastDrawn
            ? point
            : ChartDrawing::seriesPoint(data, area, scale, panel, series, m + 1);
        if (!point || !next)
            continue; // a value that cannot be placed is skipped
        surface.FillPattern(PrintSurface::FillTransparent);
        surface.PenColour(ValueTable::seriesColour(series));
        surface.PenPattern(pattern);
        surface.PenThickness(ChartDrawing::seriesPenWidth(series));
        line(surface, point->x(), point->y(), next->x(), next->y());
        if (pattern != PrintSurface::PenSolid)
            surface.PenPattern(PrintSurface::PenSolid); // markers keep a solid outline
        ChartDrawing::drawMarker(surface, series, *point);
    }
}

} // namespace

void ChartDrawing::drawMarker(PrintSurface &surface, int series, const QPointF &p)
{
    const double x = p.x();
    const double y = p.y();
    switch ((series - 1) % 3) {
    case 0:
        surface.DrawCircle(twips(x), twips(y), 57);
        break;
    case 1:
        surface.DrawRectangle(twips(x - 1), twips(y - 1), twips(x + 1), twips(y + 1));
        break;
    default:
        line(surface, x - 1, y - 1, x + 1, y - 1);
        line(surface, x + 1, y - 1, x, y + 1);
        line(surface, x, y + 1, x - 1, y - 1);
        break;
    }
}

std::optional<QPointF> ChartDrawing::seriesPoint(const ReportData &data, const ChartArea &area,
                                                 const ChartScale &scale, int panel, int series,
                                                 int month)
{
    const double f = (scale.hi - scale.lo) / area.panelHeight();
    if (f == 0 || !std::isfinite(f))
        return std::nullopt; // no scale, no points
    const double value = data.values.graphValues.value(month, series);
    const QPointF point(area.monthCentre(month), area.panelBottom(panel) - (value - scale.lo) / f);
    if (!std::isfinite(point.y()))
        return std::nullopt;
    return point;
}

int ChartDrawing::lastDrawnMonth(int series, int lastCurrentMonth)
{
    const bool current = series == 1 || series == 4;
    return current ? qBound(1, lastCurrentMonth, 12) : 12;
}

ChartDrawing::Scales ChartDrawing::scales(const ReportData &data, const ChartArea &area)
{
    const int c = data.now.date().month();
    const int k = data.display.monthShift();
    Scales result;
    for (int p = 1; p <= 2; ++p) {
        result[size_t(p - 1)] = ChartScale::fromValues(
            ChartScale::panelValues(data.values.graphValues, p, c, k), area.panelHeight());
    }
    return result;
}

QString ChartDrawing::gridLabel(const ReportData &data, int panel, double value)
{
    if (panel == 2 && data.display.dbPercent)
        return ReportFormat::percent(value / 100, data.locale);
    return ReportFormat::euro(value, data.locale);
}

QStringList ChartDrawing::monthNames(int yearKind)
{
    QStringList names;
    const int shift = yearKind == DisplayState::BusinessYear ? 2 : 0;
    for (int b = 0; b < 12; ++b)
        names.append(Calendar::MonthName(b + shift));
    return names;
}

int ChartDrawing::lastCurrentMonth(int calendarMonth, int yearKind)
{
    if (yearKind != DisplayState::BusinessYear)
        return calendarMonth - 1;
    if (calendarMonth == 1)
        return 10;
    if (calendarMonth == 2)
        return 11;
    return calendarMonth - 3;
}

double ChartDrawing::seriesPenWidth(int series)
{
    static const double widths[] = { 57, 43, 43, 43, 28, 28 };
    return series >= 1 && series <= 6 ? widths[series - 1] : 0;
}

void ChartDrawing::drawGrid(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                            const Scales &scales)
{
    TextBlockStyle labelStyle;
    labelStyle.alignment = PrintSurface::AlignRightMiddle;
    labelStyle.transparent = true;
    labelStyle.penPattern = PrintSurface::PenInvisible;
    labelStyle.fillPattern = PrintSurface::FillTransparent;
    for (int p = 1; p <= 2; ++p) {
        const ChartScale &scale = scales[size_t(p - 1)];
        for (int k = 0; k <= scale.n; ++k) {
            const double y = area.panelBottom(p) - k * scale.S;
            surface.PenColour(0);
            surface.PenPattern(PrintSurface::PenSolid);
            surface.PenThickness(k == 0 ? 28.5 : 0);
            line(surface, area.x0, y, area.x0 + area.W, y);
            const QString label = gridLabel(data, p, scale.lo + k * scale.s);
            TextBlockWriter::write(surface, label, area.x0 - 18, y - 3 + (k == 0 ? 2 : 0), 17, 6,
                                   labelStyle);
            if (k < scale.n && scale.q > 1) {
                surface.PenPattern(PrintSurface::PenDotted);
                surface.PenThickness(0);
                for (int j = 1; j < scale.q; ++j) {
                    const double yMinor = y - scale.S * j / scale.q;
                    line(surface, area.x0, yMinor, area.x0 + area.W, yMinor);
                }
            }
        }
    }
}

void ChartDrawing::drawMonthColumns(PrintSurface &surface, const ReportData &data,
                                    const ChartArea &area)
{
    const double C = area.columnWidth();
    const QStringList names = monthNames(data.display.yearKind);
    TextBlockStyle nameStyle;
    nameStyle.alignment = PrintSurface::AlignCentre;
    nameStyle.transparent = true;
    nameStyle.penPattern = PrintSurface::PenSolid;
    nameStyle.penThickness = 1;
    nameStyle.fillPattern = PrintSurface::FillTransparent;
    for (int b = 0; b <= 12; ++b) {
        const double x = area.x0 + b * C;
        surface.PenColour(0);
        surface.PenPattern(PrintSurface::PenSolid);
        surface.PenThickness(0);
        line(surface, x, area.y0, x, area.y0 + area.H / 2 - 2.5);
        line(surface, x, area.y0 + area.H / 2 + 2.5, x, area.y0 + area.H);
        if (b < 12) {
            TextBlockWriter::write(surface, names[b], x, area.y0 + area.H, C, 6, nameStyle);
            ValueTable::drawColumn(surface, data, area, b);
        }
    }
}

void ChartDrawing::drawCurves(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                              const Scales &scales)
{
    const int lastMonth = lastCurrentMonth(data.now.date().month(), data.display.yearKind);
    for (int p = 1; p <= 2; ++p) {
        const int first = p == 1 ? 1 : 4;
        for (int series = first; series < first + 3; ++series)
            drawSeries(surface, data, area, scales[size_t(p - 1)], p, series, lastMonth);
    }
}

} // namespace ertragon::report
