#pragma once

#include "ChartArea.h"
#include "ReportData.h"

#include <QRectF>
#include <QString>

namespace ertragon::report {

class PrintSurface;

// The table of twelve months by six series below the chart.
class ValueTable
{
public:
    // One cell's figure: an amount, or a ratio as a fraction shown in whole or
    // two-decimal percent; Empty where the page shows a bare "0".
    struct Cell
    {
        enum Kind { Amount, Percent, PercentTwoDecimals, Empty };
        Kind kind = Empty;
        double value = 0; // the amount, or the fraction of a ratio
        // The figure as a spreadsheet holds it: the amount, or the ratio times 100.
        double number() const;
        int decimals() const { return kind == PercentTwoDecimals ? 2 : 0; }
        bool isPercent() const { return kind == Percent || kind == PercentTwoDecimals; }
    };

    // The cell of month 1..12 and series 1..6 in the current TableMode.
    static Cell cell(const ReportData &data, int month, int series);
    // Its text on the page, in the report's locale.
    static QString cellText(const ReportData &data, int month, int series);
    // Its plain text: no grouping, a decimal comma, no "%".
    static QString plainText(const ReportData &data, int month, int series);
    static QString caption(const ReportData &data);
    static int seriesColour(int series);
    // Where the page draws the cell of month column b (0..11) and series 1..6 (mm), and
    // where the table ends below the chart: the hit map follows the drawing by these.
    static QRectF cellBox(const ChartArea &area, int b, int series);
    static double bottom(const ChartArea &area);

    // The six cells of month column b (0..11).
    static void drawColumn(PrintSurface &surface, const ReportData &data, const ChartArea &area,
                           int b);
    // Caption, the two heavy rectangles and the footer.
    static void drawClosing(PrintSurface &surface, const ReportData &data, const ChartArea &area);
};

} // namespace ertragon::report
