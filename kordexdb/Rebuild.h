#pragma once

#include <QString>
#include <QStringList>

namespace kordex {

class SqlConnection;

// Rebuilds the period sums of one company for a period range from the sales
// lines: the full grain first, then each coarser grain from the next finer
// one, and the data basis, all in one transaction. On PostgreSQL the work is the
// store's function kordex_generieren, which checks the caller's right to it, so
// that no user needs to write a table.
class Rebuild
{
public:
    Rebuild(SqlConnection &sql, int dayNumber);
    void run(const QString &company, int from, int to);
    // PostgreSQL: vacuums the sums at once rather than when autovacuum comes
    // round, so that index-only scans need no heap visits from the start.
    static void settle(SqlConnection &sql);

    // The statements that clear and fill the sums, with {firma}, {von} and {bis} where
    // the company and the first and last period go: bound as values here, the
    // function's own variables in PostgreSQL's kordex_generieren.
    static QStringList statements();
    // Records the data basis (with {tag}, the day number): a rebuild of older periods
    // keeps the later last period already built.
    static QString dataBasisStatement();
    // The tables ANALYZE refreshes after a rebuild of a year or more.
    static QStringList analysedTables();
    // A rebuild of a few months hardly moves the statistics; a year or more does.
    static bool movesStatistics(int from, int to);

private:
    void runHere(const QString &company, int from, int to);
    void execute(QString sql, const QString &company, int from, int to);
    void settingsForBulkWork();
    void restoreSettings();
    void refreshStatistics();

    SqlConnection &m_sql;
    int m_dayNumber;
};

} // namespace kordex
