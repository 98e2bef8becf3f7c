#include "Rebuild.h"

#include "Archive.h"
#include "Period.h"
#include "Schema.h"
#include "SqlConnection.h"

namespace kordex {

Rebuild::Rebuild(SqlConnection &sql, int dayNumber)
    : m_sql(sql)
    , m_dayNumber(dayNumber)
{
}

void Rebuild::run(const QString &company, int from, int to)
{
    settingsForBulkWork();
    try {
        Transaction transaction(m_sql);
        if (m_sql.dialect() == Dialect::Postgres)
            m_sql.script(
                QStringLiteral("SET LOCAL work_mem = '256MB'; SET LOCAL synchronous_commit = off"));
        // Archived years have no lines any more: their sums are kept as they are.
        const int first = std::max(from, Archive::boundary(m_sql));
        if (first <= to) {
            clear(company, first, to);
            fill(company, first, to);
        }
        recordDataBasis(company, to);
        transaction.commit();
    } catch (...) {
        restoreSettings();
        throw;
    }
    restoreSettings();
    // A rebuild of a few months hardly moves the statistics; a year or more does.
    if (Period::shifted(from, 11) <= to)
        refreshStatistics();
}

void Rebuild::settingsForBulkWork()
{
    if (m_sql.dialect() == Dialect::Sqlite)
        m_sql.script(QStringLiteral("PRAGMA cache_size=-1048576"));
}

void Rebuild::restoreSettings()
{
    if (m_sql.dialect() == Dialect::Sqlite)
        m_sql.script(QStringLiteral("PRAGMA cache_size=-65536"));
}

void Rebuild::clear(const QString &company, int from, int to)
{
    for (const Grain &grain : Schema::grains())
        m_sql.execute(QStringLiteral("DELETE FROM %1 WHERE firma = ? AND periode BETWEEN ? AND ?")
                          .arg(grain.table),
                      { company, qint64(from), qint64(to) });
}

void Rebuild::fill(const QString &company, int from, int to)
{
    for (const Grain &grain : Schema::buildOrder()) {
        const QString keys = (QStringList { QStringLiteral("firma"), QStringLiteral("periode") }
                              + grain.dimensions)
                                 .join(QStringLiteral(", "));
        QStringList sums;
        for (const QString &measure : Schema::measures())
            sums.append(QStringLiteral("SUM(%1)").arg(measure));
        const QString sql
            = QStringLiteral("INSERT INTO %1 (%2, %3) SELECT %2, %4 FROM %5"
                             " WHERE firma = ? AND periode BETWEEN ? AND ?"
                             " GROUP BY %2")
                  .arg(grain.table, keys, Schema::measures().join(QStringLiteral(", ")),
                       sums.join(QStringLiteral(", ")), grain.source);
        m_sql.execute(sql, { company, qint64(from), qint64(to) });
    }
}

void Rebuild::recordDataBasis(const QString &company, int to)
{
    // A rebuild of older periods keeps the later last period already built.
    m_sql.execute(
        QStringLiteral("INSERT INTO datenbasis (firma, periode, tagnummer) VALUES (?, ?, ?)"
                       " ON CONFLICT (firma) DO UPDATE SET"
                       " periode = CASE WHEN excluded.periode > datenbasis.periode"
                       " THEN excluded.periode ELSE datenbasis.periode END,"
                       " tagnummer = excluded.tagnummer"),
        { company, qint64(to), qint64(m_dayNumber) });
}

void Rebuild::refreshStatistics()
{
    QStringList tables;
    for (const Grain &grain : Schema::grains())
        tables.append(grain.table);
    if (m_sql.dialect() == Dialect::Sqlite) {
        m_sql.script(QStringLiteral("PRAGMA analysis_limit=1000"));
        for (const QString &table : std::as_const(tables))
            m_sql.script(QStringLiteral("ANALYZE %1").arg(table));
        return;
    }
    // Autovacuum sets the visibility map (for index-only scans) in the background.
    m_sql.script(QStringLiteral("ANALYZE %1").arg(tables.join(QStringLiteral(", "))));
}

void Rebuild::settle(SqlConnection &sql)
{
    if (sql.dialect() != Dialect::Postgres)
        return;
    QStringList tables;
    for (const Grain &grain : Schema::grains())
        tables.append(grain.table);
    sql.script(QStringLiteral("VACUUM ANALYZE %1").arg(tables.join(QStringLiteral(", "))));
}

} // namespace kordex
