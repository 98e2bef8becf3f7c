#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <array>

namespace kordex {

class SqlConnection;

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
    // Summed from one named table (a grain or the sales lines).
    static SumRow fromTable(SqlConnection &sql, const QString &table,
                            const SumSelection &selection);
    // Summed straight from the sales lines (for checks and tests).
    static SumRow fromSalesLines(SqlConnection &sql, const SumSelection &selection);
    static QString money(qint64 cents);

    static qint64 revenue(const SumRow &s) { return s[0] + s[1]; }
    static qint64 margin(const SumRow &s) { return s[0] + s[1] - s[2] - s[3]; }
};

} // namespace kordex
