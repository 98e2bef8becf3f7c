#pragma once

#include "PeriodSums.h"
#include "SqlConnection.h"

#include <QList>
#include <QStringList>

namespace kordex {

// Answers a batch of like period-sum queries with one statement per group: queries of
// one company and the same restricted levels that differ only in some values (the
// period of each month, the department of each row of a breakdown) become one
// statement over the grain that covers them, grouped by the columns whose values
// differ. Each query's answer is the row of its own values, zeros where none.
class GroupedSums
{
public:
    struct Group
    {
        QList<qsizetype> members; // indices into the selections, ascending
        SqlStatement statement;
        QStringList keys; // per member: its values of the grouped columns
        int groupedColumns = 0; // the statement's first columns; the six sums follow
    };

    // Every selection in exactly one group, the groups in the order of their first member.
    static QList<Group> plan(const QList<SumSelection> &selections, Dialect dialect);
    // For each member, the rows its own statement (PeriodSums::rollupStatement) answers.
    static QList<QList<SqlRow>> split(const Group &group, const QList<SqlRow> &rows);
};

} // namespace kordex
