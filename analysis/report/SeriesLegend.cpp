#include "SeriesLegend.h"

#include "Calendar.h"
#include "ChartDrawing.h"
#include "PrintSurface.h"
#include "TextBlockWriter.h"
#include "ValueTable.h"

namespace ertragon::report {

namespace {

constexpr double EntryWidth = 34; // millimetres: line sample, gap and text
constexpr double SampleLength = 8;
constexpr double EntryHeight = 4;

} // namespace

int SeriesLegend::penPattern(const ReportData &data, int series)
{
    if (!shown(data))
        return PrintSurface::PenSolid;
    switch ((series - 1) % 3) {
    case 0:
        return PrintSurface::PenSolid;
    case 1:
        return PrintSurface::PenDashed;
    default:
        return PrintSurface::PenDashDotted;
    }
}

QString SeriesLegend::rowTitle(const ReportData &data, int series)
{
    return Calendar::SeriesLabel(series, data.display.yearKind, data.now.date());
}

QRectF SeriesLegend::rowTitleBox(const ChartArea &area, int series)
{
    const double C = area.columnWidth();
    return { area.x0 - 2 * C, area.y0 + area.H + 6 * series, 2 * C, 6 };
}

QString SeriesLegend::entryText(const ReportData &data, int year)
{
    // The label without "U": the kind of year and the year text, as both panels share it.
    return rowTitle(data, year).section(QLatin1Char(' '), 1);
}

QRectF SeriesLegend::entryBox(const ChartArea &area, int year)
{
    // Right-aligned in the 5 mm gap between the panels, where no grid line runs.
    const double right = area.x0 + area.W;
    const double top = area.panelBottom(1) + (5 - EntryHeight) / 2;
    return { right - (4 - year) * EntryWidth, top, EntryWidth, EntryHeight };
}

void SeriesLegend::drawEntry(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                             int year)
{
    const QRectF box = entryBox(area, year);
    const double y = box.center().y();
    const double x = box.left() + 1;
    surface.FillPattern(PrintSurface::FillTransparent);
    surface.PenColour(ValueTable::seriesColour(year));
    surface.PenPattern(penPattern(data, year));
    surface.PenThickness(ChartDrawing::seriesPenWidth(year));
    surface.DrawLine(ChartArea::twips(x), ChartArea::twips(y), ChartArea::twips(x + SampleLength),
                     ChartArea::twips(y));
    surface.PenPattern(PrintSurface::PenSolid);
    ChartDrawing::drawMarker(surface, year, QPointF(x + SampleLength / 2, y));

    TextBlockStyle style;
    style.points = 8;
    style.colour = ValueTable::seriesColour(year);
    style.alignment = PrintSurface::AlignLeftMiddle;
    style.transparent = true;
    const double textLeft = x + SampleLength + 1;
    TextBlockWriter::write(surface, entryText(data, year), textLeft, box.top(),
                           box.right() - textLeft, box.height(), style);
}

void SeriesLegend::draw(PrintSurface &surface, const ReportData &data, const ChartArea &area)
{
    if (!shown(data))
        return;
    TextBlockStyle style;
    style.alignment = PrintSurface::AlignLeftMiddle;
    style.transparent = true;
    for (int l = 1; l <= 6; ++l) {
        style.colour = ValueTable::seriesColour(l);
        const QRectF box = rowTitleBox(area, l);
        TextBlockWriter::write(surface, rowTitle(data, l), box.left(), box.top(), box.width(),
                               box.height(), style);
    }
    for (int year = 1; year <= 3; ++year)
        drawEntry(surface, data, area, year);
}

} // namespace ertragon::report
