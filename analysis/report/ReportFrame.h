#pragma once

#include "ChartArea.h"
#include "ReportData.h"

#include <QStringList>

namespace ertragon::report {

class PrintSurface;

// The frame of the page: title, selection legend, the vertical mode and panel
// captions, and the footer line.
class ReportFrame
{
public:
    static QString legend(const ReportData &data);
    static QString modeCaption(int graphMode);
    // The revenue and the margin caption.
    static QStringList panelCaptions(const ReportData &data);
    static QString footer(const ReportData &data);

    // Title, legend and the vertical captions.
    static void draw(PrintSurface &surface, const ReportData &data, const ChartArea &area);
    // The footer line below the value table.
    static void drawFooter(PrintSurface &surface, const ReportData &data, const ChartArea &area);
};

} // namespace ertragon::report
