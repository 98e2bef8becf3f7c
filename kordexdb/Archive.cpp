#include "Archive.h"

#include "Period.h"
#include "Schema.h"
#include "SqlConnection.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

namespace {

const QString boundaryKey = QStringLiteral("archiviert_vor");

} // namespace

Archive::Archive(SqlConnection &sql)
    : m_sql(sql)
{
}

int Archive::boundary(SqlConnection &sql)
{
    return sql
        .scalar(QStringLiteral("SELECT wert FROM kordex_meta WHERE schluessel = ?"),
                { boundaryKey }, QStringLiteral("0"))
        .toInt();
}

Archive::Outcome Archive::run(int before, bool detach)
{
    if (Period::month(before) != 1)
        throw ServerError(
            error::BadInput,
            QStringLiteral("--before %1 lies inside a year: only whole years are"
                           " archived (give the first month, %2)")
                .arg(Period::text(before), Period::text(before - Period::month(before) + 1)));
    const bool partitioned = Schema::partitioned(m_sql);
    if (detach && !partitioned)
        throw ServerError(error::BadInput,
                          QStringLiteral("--detach needs a store whose sales lines are"
                                         " partitioned by year (PostgreSQL)"));
    const int lastYear = Period::year(before) - 1;
    Outcome outcome;
    Transaction transaction(m_sql);
    if (partitioned) {
        for (int year : Schema::partitionYears(m_sql)) {
            if (year > lastYear)
                continue;
            const QString name = Schema::partitionName(year);
            outcome.lines
                += m_sql.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(name)).toLongLong();
            outcome.years.append(year);
            if (detach) {
                m_sql.script(QStringLiteral("ALTER TABLE umsatzzeile DETACH PARTITION %1;"
                                            " ALTER TABLE %1 RENAME TO archiv_%1")
                                 .arg(name));
            } else {
                m_sql.script(QStringLiteral("DROP TABLE %1").arg(name));
            }
        }
    } else {
        for (const SqlRow &row : m_sql.query(
                 QStringLiteral("SELECT periode / 100, count(*) FROM umsatzzeile WHERE periode < ?"
                                " GROUP BY periode / 100 ORDER BY 1"),
                 { qint64(before) })) {
            outcome.years.append(row.value(0).toInt() + 1900);
            outcome.lines += row.value(1).toLongLong();
        }
        m_sql.execute(QStringLiteral("DELETE FROM umsatzzeile WHERE periode < ?"),
                      { qint64(before) });
    }
    if (before > boundary(m_sql))
        m_sql.execute(
            QStringLiteral("INSERT INTO kordex_meta (schluessel, wert) VALUES (?, ?)"
                           " ON CONFLICT (schluessel) DO UPDATE SET wert = excluded.wert"),
            { boundaryKey, QString::number(before) });
    transaction.commit();
    return outcome;
}

} // namespace kordex
