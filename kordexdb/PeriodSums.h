#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <array>

namespace kordex {

class SqlConnection;
struct SqlStatement;

// A selection of period sums: one company, a period range, and the dimension
// values that are set (an empty value leaves its level open).
struct SumSelection
{
    QString company;
    int from = 0;
    int to = 0;
    QList<QPair<QString, QString>> filters; // dimension column, code

    void restrict(const QString &dimension, const QString &code);
};

// The six sums in cents: umsatz nebenerloes einsatz nebenkosten skonto nachlass.
using SumRow = std::array<qint64, 6>;

class PeriodSums
{
public:
    // Summed by the engine from the coarsest grain that covers the selection.
    static SumRow fromRollup(SqlConnection &sql, const SumSelection &selection);
    // The statement fromRollup runs, and its one row read as sums.
    static SqlStatement rollupStatement(const SumSelection &selection);
    static SumRow sumsOf(const QList<QStringList> &rows);
    // Summed from one named table (a grain or the sales lines).
    static SumRow fromTable(SqlConnection &sql, const QString &table,
                            const SumSelection &selection);
    // Summed straight from the sales lines (for checks and tests).
    static SumRow fromSalesLines(SqlConnection &sql, const SumSelection &selection);
    static QString money(qint64 cents);

    // umsatz + nebenerloes and that less einsatz and nebenkosten; a result
    // beyond 64-bit cents raises ServerError(SqlFailure) instead of wrapping.
    static qint64 revenue(const SumRow &s);
    static qint64 margin(const SumRow &s);
};

} // namespace kordex
