#pragma once

#include "PageContent.h"
#include "PageOperation.h"
#include "PeriodTotals.h"
#include "ReportData.h"

#include <QJsonObject>

namespace ertragon::report {

// The batch tool's description of one report: inputs, derived tables, the
// texts as printed and the recorded operations. Empty cells are null.
class ReportJson
{
public:
    static QJsonObject build(const PeriodTotals &totals, const ReportData &data,
                             const PageContent &content, const PageDocument &document);
    // The same without the recorded operations: the figures and texts of a page.
    static QJsonObject figures(const PeriodTotals &totals, const ReportData &data,
                               const PageContent &content);
};

} // namespace ertragon::report
