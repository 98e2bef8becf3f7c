#pragma once

#include <QDate>
#include <QString>

namespace ertragon::Calendar {

// Month names, index 0..13; index m - 1 names calendar month m, and business
// years (starting in March) reach 12 and 13, which wrap to January and February.
QString MonthName(int index);

// The six series labels for the year of today, e.g. "U KJ* 2005", "U KJ 2004",
// "U KJ 2001-2003", "DB KJ 2005", ...; yearKind 1 writes "WJ" instead of "KJ".
QString SeriesLabel(int series, int yearKind, const QDate &today);

// The year text of a label: its third blank-separated word ("2005", "2001-2003").
QString SeriesYearText(int series, int yearKind, const QDate &today);

// The server's period number as text: year - 1900 followed by the two-digit month
// (January 2005 is "10501", December 1999 is "9912").
QString PeriodKey(int year, int month);

} // namespace ertragon::Calendar
