#pragma once

#include "DerivedValues.h"
#include "DisplayState.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace ertragon {

// The full list-box texts (code and name) of the selection, for the legend.
struct SelectionTexts
{
    QString company; // the company list's text; its code is the first word
    QString SPG; // main customer group
    QString SPCNR; // profit centre
    QString SHABT; // main department
    QString SABTNR; // department
    QString SHGRP; // main group
    QString SUGRP; // subgroup
    QString SHVArt; // main shipping type
    QString SVART; // shipping type (extended selection)
    QString SSTyp; // type (extended selection)
};

// Everything one report page needs, already derived.
struct ReportData
{
    DerivedValues values;
    DisplayState display;
    bool extendedSelection = false; // "Erweiterte Auswahl" checked
    int discountView = 0; // DiscountView of the extended selection: 1 discount and rebate
    QDateTime now; // date and time of the redraw
    QString userFullName; // the login user's full name
    QString loginCompany; // the company of the login
    SelectionTexts selection;
    // The number format: the default locale, which is the POSIX one unless the program
    // set another (ertragon-report: German unless the caller chose otherwise).
    QLocale locale;
};

} // namespace ertragon
