#pragma once

#include "SelectionModel.h"

#include <QDate>
#include <QLocale>
#include <QStringList>
#include <optional>

namespace ertragon {

class Prompter;
class ServerAccess;
struct DisplayState;

// The breakdown of the details frame: one row per organisational unit below the
// current selection with revenue and margin for a period range, optionally split
// into two customer or shipping groups.
class DetailsBreakdown
{
public:
    struct Range
    {
        QString from;
        QString to;
        int divisor = 1;
        bool operator==(const Range &) const = default;
    };
    struct Table
    {
        QStringList headings;
        QStringList rows; // columns separated by ";"
        bool failed = false;
    };

    DetailsBreakdown(ServerAccess &server, Prompter &prompter);

    // The period range and divisor for ValueKind, DetailPeriod and YearKind in the
    // year of today; month is the month input (1..12) for month values.
    static Range range(int valueKind, int detailPeriod, int yearKind, const QDate &today,
                       int month);
    // "Grp" and the value columns of the split flags.
    static QStringList headings(int splitFlags);

    // Nothing when a department-bound user has not chosen a department.
    std::optional<Table> run(const SelectionModel &selection, const DisplayState &display,
                             bool departmentBound, const QDate &today, int month,
                             const QLocale &locale = QLocale::system());

private:
    struct Rows
    {
        QStringList entries;
        int argument = -1; // index into the query arguments that each entry's code replaces
        int list = -1; // the selection list the entries come from
    };
    Rows chooseRows(const SelectionModel &selection, const FetchSelection &s);

    ServerAccess &m_server;
    Prompter &m_prompter;
};

} // namespace ertragon
