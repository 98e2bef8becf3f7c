#pragma once

#include "DerivedValues.h"
#include "DisplayState.h"

#include <QDateTime>
#include <QString>

namespace ertragon {

// What the main window's redraw (Zeichnen) hands to the report page: the
// derived values, the display state and the texts of the selection legend.
struct RedrawData
{
    DerivedValues values;
    DisplayState display;
    QDateTime now;
    QString userFullName;
    QString loginCompany;

    // Full list texts (code and name).
    QString firma, SPG, SPCNR, SHABT, SABTNR, SHGRP, SUGRP, SHVArt, SVART, SSTyp;
};

} // namespace ertragon
