#include "ReportPage.h"

#include "Calendar.h"
#include "ChartDrawing.h"
#include "PrintSurface.h"
#include "ReportFrame.h"
#include "SeriesLegend.h"
#include "ValueTable.h"

namespace ertragon::report {

namespace {

// Runs one drawing step; a step that fails leaves the page as far as it got.
template<typename Step> void guarded(Step &&step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

PageContent ReportPage::content(const ReportData &data, const ChartArea &area)
{
    PageContent page;
    page.scales = ChartDrawing::scales(data, area);
    page.legend = ReportFrame::legend(data);
    page.modeCaption = ReportFrame::modeCaption(data.display.graphMode);
    page.panelCaptions = ReportFrame::panelCaptions(data);
    page.tableCaption = ValueTable::caption(data);
    for (int l = 1; l <= 6; ++l) {
        QStringList row;
        for (int m = 1; m <= 12; ++m)
            row.append(ValueTable::cellText(data, m, l));
        page.table.append(row);
    }
    page.footer = ReportFrame::footer(data);
    page.monthNames = ChartDrawing::monthNames(data.display.yearKind);
    for (int s = 1; s <= 6; ++s)
        page.seriesLabels.append(Calendar::SeriesLabel(s, data.display.yearKind, data.now.date()));
    return page;
}

void ReportPage::draw(PrintSurface &surface, const ReportData &data, const ChartArea &area)
{
    ChartDrawing::Scales scales {};
    guarded([&] { scales = ChartDrawing::scales(data, area); });
    surface.setPreviewMode(true);
    surface.BeginDocument();
    guarded([&] { ChartDrawing::drawGrid(surface, data, area, scales); });
    guarded([&] { ChartDrawing::drawMonthColumns(surface, data, area); });
    guarded([&] { ValueTable::drawClosing(surface, data, area); });
    guarded([&] { ChartDrawing::drawCurves(surface, data, area, scales); });
    guarded([&] { SeriesLegend::draw(surface, data, area); });
    guarded([&] { ReportFrame::draw(surface, data, area); });
    surface.Refresh();
    surface.EndDocument();
}

} // namespace ertragon::report
