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
