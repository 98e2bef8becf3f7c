#pragma once

#include <QString>

namespace kordex {

class SqlConnection;

// Rebuilds the period sums of one company for a period range from the sales
// lines: the full grain first, then each coarser grain from the next finer
// one, and the data basis, all in one transaction.
class Rebuild
{
public:
    Rebuild(SqlConnection &sql, int dayNumber);
    void run(const QString &company, int from, int to);
    // PostgreSQL: vacuums the sums at once rather than when autovacuum comes
    // round, so that index-only scans need no heap visits from the start.
    static void settle(SqlConnection &sql);

private:
    void settingsForBulkWork();
    void restoreSettings();
    void clear(const QString &company, int from, int to);
    void fill(const QString &company, int from, int to);
    void recordDataBasis(const QString &company, int to);
    void refreshStatistics();

    SqlConnection &m_sql;
    int m_dayNumber;
};

} // namespace kordex
