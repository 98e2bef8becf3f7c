#include "Rebuild.h"

#include "Archive.h"
#include "Period.h"
#include "Schema.h"
#include "SqlConnection.h"

#include <QRegularExpression>

namespace kordex {

Rebuild::Rebuild(SqlConnection &sql, int dayNumber)
    : m_sql(sql)
    , m_dayNumber(dayNumber)
{
}

QStringList Rebuild::statements()
{
    QStringList list;
    for (const Grain &grain : Schema::grains())
        list.append(QStringLiteral("DELETE FROM %1 WHERE firma = {firma} AND periode BETWEEN"
                                   " {von} AND {bis}")
                        .arg(grain.table));
    QStringList sums;
    for (const QString &measure : Schema::measures())
        sums.append(QStringLiteral("SUM(%1)").arg(measure));
    for (const Grain &grain : Schema::buildOrder()) {
        const QString keys = (QStringList { QStringLiteral("firma"), QStringLiteral("periode") }
                              + grain.dimensions)
                                 .join(QStringLiteral(", "));
        list.append(QStringLiteral("INSERT INTO %1 (%2, %3) SELECT %2, %4 FROM %5"
                                   " WHERE firma = {firma} AND periode BETWEEN {von} AND {bis}"
                                   " GROUP BY %2")
                        .arg(grain.table, keys, Schema::measures().join(QStringLiteral(", ")),
                             sums.join(QStringLiteral(", ")), grain.source));
    }
    return list;
}

QStringList Rebuild::analysedTables()
{
    QStringList tables;
    for (const Grain &grain : Schema::grains())
        tables.append(grain.table);
    return tables;
}

QString Rebuild::dataBasisStatement()
{
    return QStringLiteral("INSERT INTO datenbasis (firma, periode, tagnummer)"
                          " VALUES ({firma}, {bis}, {tag}) ON CONFLICT (firma) DO UPDATE SET"
                          " periode = CASE WHEN excluded.periode > datenbasis.periode"
                          " THEN excluded.periode ELSE datenbasis.periode END,"
                          " tagnummer = excluded.tagnummer");
}

bool Rebuild::movesStatistics(int from, int to)
{
    return Period::shifted(from, 11) <= to;
}

void Rebuild::run(const QString &company, int from, int to)
{
    if (m_sql.dialect() == Dialect::Postgres) {
        m_sql.query(QStringLiteral("SELECT kordex_generieren(?, ?, ?, ?)"),
                    { company, qint64(from), qint64(to), qint64(m_dayNumber) });
        return;
    }
    settingsForBulkWork();
    try {
        runHere(company, from, to);
    } catch (...) {
        restoreSettings();
        throw;
    }
    restoreSettings();
    if (movesStatistics(from, to))
        refreshStatistics();
}

void Rebuild::runHere(const QString &company, int from, int to)
{
    Transaction transaction(m_sql);
    // Archived years have no lines any more: their sums are kept as they are.
    const int first = std::max(from, Archive::boundary(m_sql));
    if (first <= to) {
        for (const QString &sql : statements())
            execute(sql, company, first, to);
    }
    execute(dataBasisStatement(), company, first, to);
    transaction.commit();
}

void Rebuild::execute(QString sql, const QString &company, int from, int to)
{
    static const QRegularExpression slot(QStringLiteral("\\{(firma|von|bis|tag)\\}"));
    QList<SqlValue> values;
    for (auto it = slot.globalMatch(sql); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (name == QLatin1String("firma"))
            values.append(company);
        else
            values.append(qint64(name == QLatin1String("von")       ? from
                                     : name == QLatin1String("bis") ? to
                                                                    : m_dayNumber));
    }
    m_sql.execute(sql.replace(slot, QStringLiteral("?")), values);
}

void Rebuild::settingsForBulkWork()
{
    m_sql.script(QStringLiteral("PRAGMA cache_size=-1048576"));
}

void Rebuild::restoreSettings()
{
    m_sql.script(QStringLiteral("PRAGMA cache_size=-65536"));
}

void Rebuild::refreshStatistics()
{
    m_sql.script(QStringLiteral("PRAGMA analysis_limit=1000"));
    for (const QString &table : analysedTables())
        m_sql.script(QStringLiteral("ANALYZE %1").arg(table));
}

void Rebuild::settle(SqlConnection &sql)
{
    if (sql.dialect() != Dialect::Postgres)
        return;
    sql.script(
        QStringLiteral("VACUUM ANALYZE %1").arg(analysedTables().join(QStringLiteral(", "))));
}

} // namespace kordex
