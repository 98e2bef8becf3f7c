#include "PeriodSums.h"

#include "Schema.h"
#include "SqlConnection.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

namespace {

[[noreturn]] void outOfRange()
{
    throw ServerError(error::SqlFailure,
                      QStringLiteral("Summe außerhalb des Zahlenbereichs (64 Bit in Cent)"));
}

qint64 checkedSum(std::initializer_list<qint64> add, std::initializer_list<qint64> subtract)
{
    qint64 total = 0;
    for (qint64 value : add)
        if (__builtin_add_overflow(total, value, &total))
            outOfRange();
    for (qint64 value : subtract)
        if (__builtin_sub_overflow(total, value, &total))
            outOfRange();
    return total;
}

SqlStatement sumsStatement(const QString &table, const SumSelection &selection)
{
    QStringList sums;
    for (const QString &measure : Schema::measures())
        sums.append(QStringLiteral("COALESCE(SUM(%1), 0)").arg(measure));
    QString where = QStringLiteral("firma = ?");
    QList<SqlValue> params { selection.company };
    if (selection.from == selection.to) {
        where += QStringLiteral(" AND periode = ?");
        params.append(qint64(selection.from));
    } else {
        where += QStringLiteral(" AND periode BETWEEN ? AND ?");
        params.append(qint64(selection.from));
        params.append(qint64(selection.to));
    }
    for (const auto &[dimension, code] : selection.filters) {
        where += QStringLiteral(" AND %1 = ?").arg(dimension);
        params.append(code);
    }
    return { QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                 .arg(sums.join(QStringLiteral(", ")), table, where),
             params };
}

SumRow sumsFrom(SqlConnection &sql, const QString &table, const SumSelection &selection)
{
    const SqlStatement statement = sumsStatement(table, selection);
    return PeriodSums::sumsOf(sql.query(statement.sql, statement.params));
}

const QString &rollupTable(const SumSelection &selection)
{
    QStringList used;
    for (const auto &filter : selection.filters)
        used.append(filter.first);
    return Schema::covering(used).table;
}

} // namespace

void SumSelection::restrict(const QString &dimension, const QString &code)
{
    if (!code.isEmpty())
        filters.append({ dimension, code });
}

SumRow PeriodSums::fromRollup(SqlConnection &sql, const SumSelection &selection)
{
    return sumsFrom(sql, rollupTable(selection), selection);
}

SqlStatement PeriodSums::rollupStatement(const SumSelection &selection)
{
    return sumsStatement(rollupTable(selection), selection);
}

SumRow PeriodSums::sumsOf(const QList<QStringList> &rows)
{
    SumRow result {};
    if (rows.isEmpty())
        return result;
    for (size_t i = 0; i < result.size(); ++i) {
        // PostgreSQL sums bigint into numeric: a sum beyond 64 bits arrives as text.
        bool ok = false;
        result[i] = rows.first().value(qsizetype(i)).toLongLong(&ok);
        if (!ok)
            outOfRange();
    }
    return result;
}

SumRow PeriodSums::fromTable(SqlConnection &sql, const QString &table,
                             const SumSelection &selection)
{
    return sumsFrom(sql, table, selection);
}

SumRow PeriodSums::fromSalesLines(SqlConnection &sql, const SumSelection &selection)
{
    return sumsFrom(sql, QStringLiteral("umsatzzeile"), selection);
}

qint64 PeriodSums::revenue(const SumRow &s)
{
    return checkedSum({ s[0], s[1] }, {});
}

qint64 PeriodSums::margin(const SumRow &s)
{
    return checkedSum({ s[0], s[1] }, { s[2], s[3] });
}

QString PeriodSums::money(qint64 cents)
{
    // Written backwards into one buffer: every answer of a fetch is formatted here.
    char text[24];
    char *end = text + sizeof text;
    char *at = end;
    quint64 rest = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    for (int digit = 0; digit < 3 || rest > 0; ++digit) {
        if (digit == 2)
            *--at = '.';
        *--at = char('0' + rest % 10);
        rest /= 10;
    }
    if (cents < 0)
        *--at = '-';
    return QString::fromLatin1(at, end - at);
}

} // namespace kordex
