#pragma once

namespace ertragon {

// How the main window shows the figures; changing it redraws without a fetch.
struct DisplayState
{
    enum GraphModes { YearMean = 0, LastQuarter = 1, Absolute = 2 };
    enum TableModes {
        Cumulated = 0,
        TableAbsolute = 1,
        PercentOfMean = 2,
        PercentOfPrevious = 3,
        GraphValuesTable = 4
    };
    enum YearKinds { CalendarYear = 0, BusinessYear = 1 };

    int graphMode = YearMean; // GraphMode
    bool dbPercent = false; // DbPercent
    int tableMode = PercentOfMean; // TableMode
    int yearKind = CalendarYear; // YearKind
    int valueKind = 0; // ValueKind: 0 year values, 1 month values
    int detailPeriod = 0; // DetailPeriod: 0 current, 1 previous, 2 three-year mean
    // "Legende und Zeilentitel": series named on the page and told apart by dash patterns.
    bool seriesLegend = false;

    // MonthShift: business years start in March.
    int monthShift() const { return yearKind == BusinessYear ? 2 : 0; }
};

} // namespace ertragon
