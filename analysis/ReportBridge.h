#pragma once

// Hands the main window's redraw data to the report page.

#include "RedrawData.h"
#include "ReportData.h"

namespace ertragon {

inline report::ReportData toReportData(const RedrawData &d)
{
    report::ReportData r;
    r.values = d.values;
    r.display = d.display;
    r.now = d.now;
    r.userFullName = d.userFullName;
    r.loginCompany = d.loginCompany;
    r.selection = { d.firma, d.SPG,   d.SPCNR,  d.SHABT, d.SABTNR,
                    d.SHGRP, d.SUGRP, d.SHVArt, d.SVART, d.SSTyp };
    return r;
}

} // namespace ertragon
