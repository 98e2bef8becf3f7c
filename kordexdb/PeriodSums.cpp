#include "PeriodSums.h"

#include "Schema.h"
#include "SqlConnection.h"

namespace kordex {

namespace {

SumRow sumsFrom(SqlConnection &sql, const QString &table, const SumSelection &selection)
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
    const QString statement = QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                  .arg(sums.join(QStringLiteral(", ")), table, where);
    const QList<SqlRow> rows = sql.query(statement, params);
    SumRow result {};
    if (rows.isEmpty())
        return result;
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = rows.first().value(qsizetype(i)).toLongLong();
    return result;
}

} // namespace

void SumSelection::restrict(const QString &dimension, const QString &code)
{
    if (!code.isEmpty())
        filters.append({ dimension, code });
}

SumRow PeriodSums::fromRollup(SqlConnection &sql, const SumSelection &selection)
{
    QStringList used;
    for (const auto &filter : selection.filters)
        used.append(filter.first);
    return sumsFrom(sql, Schema::covering(used).table, selection);
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

QString PeriodSums::money(qint64 cents)
{
    const qint64 whole = cents / 100;
    const qint64 rest = cents < 0 ? -(cents % 100) : cents % 100;
    const QString sign = (cents < 0 && whole == 0) ? QStringLiteral("-") : QString();
    return sign + QString::number(whole) + QLatin1Char('.')
        + QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
}

} // namespace kordex
