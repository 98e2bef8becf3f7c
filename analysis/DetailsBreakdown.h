#pragma once

#include "SelectionModel.h"

#include <QDate>
#include <QList>
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
    // One unit: its code and the amounts of the value columns, whole numbers, and the
    // unit's name from its selection list. The row with the empty code is the total of
    // the level.
    struct Row
    {
        QString code;
        QList<double> values;
        QString name = {};
        bool operator==(const Row &) const = default;
    };
    struct Table
    {
        QStringList headings;
        QList<Row> rows;
        bool failed = false;
        Range range = {}; // the periods the amounts belong to
    };

    DetailsBreakdown(ServerAccess &server, Prompter &prompter);

    // The period range and divisor for ValueKind, DetailPeriod and YearKind in the
    // year of today; month is the month input (1..12) for month values.
    static Range range(int valueKind, int detailPeriod, int yearKind, const QDate &today,
                       int month);
    // "Grp" and the value columns of the split flags.
    static QStringList headings(int splitFlags);

    // Nothing when a department-bound user has not chosen a department, or when the
    // choices hold one the user was refused; refusal() then says why.
    std::optional<Table> run(const SelectionModel &selection, const DisplayState &display,
                             const QDate &today, int month);

    const QString &refusal() const { return m_refusal; }

private:
    struct Rows
    {
        QList<SelectionEntry> entries;
        int argument = -1; // index into the query arguments that each entry's code replaces
        int list = -1; // the selection list the entries come from
    };
    Rows chooseRows(const SelectionModel &selection, const FetchSelection &s);

    ServerAccess &m_server;
    Prompter &m_prompter;
    QString m_refusal;
};

} // namespace ertragon
