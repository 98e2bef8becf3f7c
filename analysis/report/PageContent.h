#pragma once

#include "ChartScale.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace ertragon::report {

// The texts and scales of one report page, as printed.
struct PageContent
{
    std::array<ChartScale, 2> scales; // revenue panel first
    QString legend;
    QString modeCaption;
    QStringList panelCaptions; // revenue, margin
    QString tableCaption;
    QList<QStringList> table; // 6 series rows of 12 month cells
    QString footer;
    QStringList monthNames; // 12
    QStringList seriesLabels; // 6
};

} // namespace ertragon::report
