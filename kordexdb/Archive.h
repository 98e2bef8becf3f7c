#pragma once

#include <QList>
#include <QString>

namespace kordex {

class SqlConnection;

// Takes the sales lines of whole years out of the store; their period sums
// stay and answer the queries as before. On PostgreSQL the years' partitions
// are dropped, or detached and kept beside the store as archiv_umsatzzeile_yYYYY;
// SQLite deletes the lines. The rebuild leaves the periods before the
// archive boundary alone from then on.
class Archive
{
public:
    struct Outcome
    {
        QList<int> years; // the years taken out
        qint64 lines = 0;
    };

    explicit Archive(SqlConnection &sql);

    // Every sales line before the period `before`, which must be the first
    // month of a year (ServerError BadInput otherwise; detaching needs a
    // partitioned store). One transaction.
    Outcome run(int before, bool detach);

    // The first period whose lines are still in the store (0: nothing archived).
    static int boundary(SqlConnection &sql);

private:
    SqlConnection &m_sql;
};

} // namespace kordex
