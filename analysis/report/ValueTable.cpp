#include "ValueTable.h"

#include "Calendar.h"
#include "PrintSurface.h"
#include "ReportFormat.h"
#include "ReportFrame.h"
#include "TextBlockWriter.h"

#include <cmath>

namespace ertragon::report {

namespace {

using Cell = ValueTable::Cell;

// own / other as a ratio, or an empty cell when the division fails.
Cell ratio(double own, double other)
{
    if (other == 0 || !std::isfinite(own) || !std::isfinite(other))
        return {};
    return { Cell::Percent, own / other };
}

// Modes 2 and 3: the series in 100%, the divisor of each other series.
Cell percentCell(const ReportData &data, int month, int series, int reference)
{
    const SeriesTable &graph = data.values.graphValues;
    const int base = series > 3 ? 3 : 0;
    const int local = series - base; // 1..3 within its panel
    if (local == reference)
        return { Cell::Percent, 1.0 };
    int divisor = 0;
    if (reference == 3)
        divisor = local == 1 ? series + 2 : series + 1;
    else
        divisor = local == 1 ? series + 1 : series - 1;
    // The current year's cell stays "0" when it has no value of its own.
    if (local == 1 && !graph.isSet(month, series))
        return {};
    return ratio(graph.value(month, series), graph.value(month, divisor));
}

} // namespace

int ValueTable::seriesColour(int series)
{
    switch ((series - 1) % 3) {
    case 0:
        return 255; // current year: red
    case 1:
        return 16711680; // previous year: blue
    default:
        return 0; // mean years: black
    }
}

double ValueTable::Cell::number() const
{
    return isPercent() ? value * 100 : value;
}

ValueTable::Cell ValueTable::cell(const ReportData &data, int month, int series)
{
    const DerivedValues &v = data.values;
    if (data.display.dbPercent && series >= 4)
        return { Cell::PercentTwoDecimals, v.graphValues.value(month, series) / 100 };
    switch (data.display.tableMode) {
    case DisplayState::Cumulated:
        return { Cell::Amount, v.cumulatedValues.value(month, series) };
    case DisplayState::TableAbsolute:
        return { Cell::Amount, v.monthValues.value(month, series) };
    case DisplayState::PercentOfMean:
        return percentCell(data, month, series, 3);
    case DisplayState::PercentOfPrevious:
        return percentCell(data, month, series, 2);
    case DisplayState::GraphValuesTable:
        return { Cell::Amount, v.graphValues.value(month, series) };
    default:
        return {};
    }
}

QString ValueTable::cellText(const ReportData &data, int month, int series)
{
    const Cell c = cell(data, month, series);
    switch (c.kind) {
    case Cell::Amount:
        return ReportFormat::grouped(c.value, data.locale);
    case Cell::Percent:
        return ReportFormat::percent(c.value, data.locale);
    case Cell::PercentTwoDecimals:
        return ReportFormat::percentTwoDecimals(c.value, data.locale);
    case Cell::Empty:
        break;
    }
    return QStringLiteral("0");
}

QString ValueTable::plainText(const ReportData &data, int month, int series)
{
    const Cell c = cell(data, month, series);
    switch (c.kind) {
    case Cell::Amount:
        return ReportFormat::plainWhole(c.value);
    case Cell::Percent:
    case Cell::PercentTwoDecimals:
        return ReportFormat::plainPercent(c.value, c.decimals());
    case Cell::Empty:
        break;
    }
    return QStringLiteral("0");
}

QString ValueTable::caption(const ReportData &data)
{
    const QDate today = data.now.date();
    const int yearKind = data.display.yearKind;
    switch (data.display.tableMode) {
    case DisplayState::Cumulated:
        return QStringLiteral("Werte Kumuliert");
    case DisplayState::TableAbsolute:
        return QStringLiteral("Werte Absolut");
    case DisplayState::PercentOfMean:
        return QStringLiteral(" in % v. ") + Calendar::SeriesYearText(3, yearKind, today);
    case DisplayState::PercentOfPrevious:
        return QStringLiteral(" in % v. ") + Calendar::SeriesYearText(2, yearKind, today);
    case DisplayState::GraphValuesTable:
        return QStringLiteral("Werte Graph");
    default:
        return {};
    }
}

QRectF ValueTable::cellBox(const ChartArea &area, int b, int series)
{
    const double C = area.columnWidth();
    return { area.x0 + b * C, area.y0 + area.H + 6 * series, C, 6 };
}

double ValueTable::bottom(const ChartArea &area)
{
    return area.y0 + area.H + 42;
}

void ValueTable::drawColumn(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                            int b)
{
    TextBlockStyle style;
    style.alignment = PrintSurface::AlignCentre;
    style.transparent = true;
    style.penPattern = PrintSurface::PenSolid;
    style.penThickness = 1;
    style.fillPattern = PrintSurface::FillTransparent;
    for (int l = 1; l <= 6; ++l) {
        style.colour = seriesColour(l);
        const QRectF box = cellBox(area, b, l);
        TextBlockWriter::write(surface, cellText(data, b + 1, l), box.x(), box.y(), box.width(),
                               box.height(), style);
    }
}

void ValueTable::drawClosing(PrintSurface &surface, const ReportData &data, const ChartArea &area)
{
    const double C = area.columnWidth();
    TextBlockStyle style;
    style.alignment = PrintSurface::AlignLeftMiddle;
    style.transparent = false;
    style.penPattern = PrintSurface::PenSolid;
    style.penThickness = 1;
    style.fillPattern = PrintSurface::FillTransparent;
    TextBlockWriter::write(surface, caption(data), area.x0 - 2 * C, area.y0 + area.H, 2 * C, 6,
                           style);

    surface.PenColour(0);
    surface.PenPattern(PrintSurface::PenSolid);
    surface.PenThickness(28.5);
    const double left = ChartArea::twips(area.x0 - 2.25 * C);
    const double right = ChartArea::twips(area.x0 + area.W);
    const double top = area.y0 + area.H;
    surface.DrawRectangle(left, ChartArea::twips(top + 6), right, ChartArea::twips(top + 24));
    surface.DrawRectangle(left, ChartArea::twips(top + 24), right, ChartArea::twips(bottom(area)));

    ReportFrame::drawFooter(surface, data, area);
}

} // namespace ertragon::report
