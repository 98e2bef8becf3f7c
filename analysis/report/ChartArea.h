#pragma once

namespace ertragon::report {

// The chart area of the page in millimetres and the conversion to twips.
struct ChartArea
{
    static constexpr double TwipsPerMm = 57;
    static constexpr double PageWidth = 297;
    static constexpr double PageHeight = 210;

    double x0 = 50; // left edge of the chart
    double y0 = 26; // top edge of the chart
    double W = PageWidth - 70; // width
    double H = PageHeight - 80; // height

    double panelHeight() const { return (H - 5) / 2; }
    // Bottom of panel 1 (revenue) or 2 (margin).
    double panelBottom(int panel) const { return y0 + panel * panelHeight() + 5 * (panel - 1); }
    double columnWidth() const { return W / 12; }
    double monthCentre(int month) const
    {
        return x0 + (month - 1) * columnWidth() + columnWidth() / 2;
    }

    static double twips(double mm) { return mm * TwipsPerMm; }
};

} // namespace ertragon::report
