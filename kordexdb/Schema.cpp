#include "Schema.h"

#include "EchoedInput.h"
#include "ServerRights.h"
#include "SqlConnection.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

namespace {

const QString salesTable = QStringLiteral("umsatzzeile");

QString code(const QString &name)
{
    return name + QStringLiteral(" TEXT NOT NULL");
}

QString amount(const QString &name)
{
    return name + QStringLiteral(" BIGINT NOT NULL");
}

QString table(Dialect dialect, const QString &name, QStringList columns, const QString &key,
              const QString &include = QString())
{
    QString primary = QStringLiteral("PRIMARY KEY (%1)").arg(key);
    if (dialect == Dialect::Postgres && !include.isEmpty())
        primary += QStringLiteral(" INCLUDE (%1)").arg(include);
    columns.append(primary);
    QString sql
        = QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QStringLiteral(", ")));
    if (dialect == Dialect::Sqlite)
        sql += QStringLiteral(" WITHOUT ROWID");
    return sql;
}

QStringList masterTables(Dialect d)
{
    return {
        QStringLiteral(
            "CREATE TABLE kordex_meta (schluessel TEXT PRIMARY KEY, wert TEXT NOT NULL)"),
        table(d, QStringLiteral("firma"), { code("firma"), code("name") }, QStringLiteral("firma")),
        table(d, QStringLiteral("profitcenter"), { code("firma"), code("pcnr"), code("name") },
              QStringLiteral("firma, pcnr")),
        table(d, QStringLiteral("hauptabteilung"), { code("firma"), code("habt"), code("name") },
              QStringLiteral("firma, habt")),
        table(d, QStringLiteral("abteilung"),
              { code("firma"), code("abtnr"), code("name"), code("pcnr"), code("habt") },
              QStringLiteral("firma, abtnr")),
        table(d, QStringLiteral("hauptgruppe"), { code("firma"), code("hgrp"), code("name") },
              QStringLiteral("firma, hgrp")),
        table(d, QStringLiteral("untergruppe"),
              { code("firma"), code("hgrp"), code("ugrp"), code("name") },
              QStringLiteral("firma, hgrp, ugrp")),
        table(d, QStringLiteral("hauptversandart"), { code("firma"), code("hvart"), code("name") },
              QStringLiteral("firma, hvart")),
        table(d, QStringLiteral("versandart"),
              { code("firma"), code("svart"), code("name"), code("hvart") },
              QStringLiteral("firma, svart")),
        table(d, QStringLiteral("hauptkundengruppe"), { code("pg"), code("name") },
              QStringLiteral("pg")),
        table(d, QStringLiteral("artikeltyp"), { code("typ"), code("name") },
              QStringLiteral("typ")),
        table(d, QStringLiteral("personal"),
              { code("firma"), code("kuerzel"), code("pname"), code("pnr"), code("abtnr"),
                code("dw"), QStringLiteral("bergrp INTEGER NOT NULL"), code("aktiv"),
                code("passwort_hash"), code("erlaubt"), code("eingeschraenkt"),
                code("abteilungsgebunden") },
              QStringLiteral("firma, kuerzel")),
        table(d, QStringLiteral("persbasis"),
              { code("firma"), code("pnr"), code("fax"), code("email") },
              QStringLiteral("firma, pnr")),
        table(d, QStringLiteral("datenbasis"),
              { code("firma"), QStringLiteral("periode INTEGER NOT NULL"),
                QStringLiteral("tagnummer INTEGER NOT NULL") },
              QStringLiteral("firma")),
    };
}

QStringList salesColumns()
{
    QStringList columns { code("firma"), QStringLiteral("periode INTEGER NOT NULL"),
                          QStringLiteral("zeile BIGINT NOT NULL") };
    for (const QString &dimension : Schema::dimensions())
        columns.append(code(dimension));
    for (const QString &measure : Schema::measures())
        columns.append(amount(measure));
    return columns;
}

QString grainTable(Dialect d, const Grain &grain)
{
    QStringList columns { code("firma"), QStringLiteral("periode INTEGER NOT NULL") };
    for (const QString &dimension : grain.dimensions)
        columns.append(code(dimension));
    for (const QString &measure : Schema::measures())
        columns.append(amount(measure));
    const QString key
        = (QStringList { QStringLiteral("firma"), QStringLiteral("periode") } + grain.dimensions)
              .join(QStringLiteral(", "));
    return table(d, grain.table, columns, key, Schema::measures().join(QStringLiteral(", ")));
}

// PostgreSQL samples 300 rows per statistics unit. The dimensions have few
// distinct codes and the sums are never searched, so a small sample serves
// and keeps the ANALYZE after each rebuild short.
QString statisticsTarget(const QString &table, const QStringList &dimensions)
{
    QStringList settings;
    for (const QString &column : QStringList { "firma", "periode" } + dimensions)
        settings.append(QStringLiteral("ALTER %1 SET STATISTICS 20").arg(column));
    for (const QString &measure : Schema::measures())
        settings.append(QStringLiteral("ALTER %1 SET STATISTICS 0").arg(measure));
    return QStringLiteral("ALTER TABLE %1 %2").arg(table, settings.join(QStringLiteral(", ")));
}

QStringList statisticsTargets()
{
    QStringList statements { statisticsTarget(salesTable, Schema::dimensions()) };
    for (const Grain &grain : Schema::grains())
        statements.append(statisticsTarget(grain.table, grain.dimensions));
    return statements;
}

// The first period of a year and the first of the next, as partition bounds.
int firstPeriod(int year)
{
    return (year - 1900) * 100 + 1;
}

} // namespace

const QStringList &Schema::dimensions()
{
    static const QStringList list { "pcnr", "habt",  "abtnr", "hgrp", "ugrp",
                                    "pg",   "hvart", "svart", "typ" };
    return list;
}

const QStringList &Schema::measures()
{
    static const QStringList list { "umsatz",      "nebenerloes", "einsatz",
                                    "nebenkosten", "skonto",      "nachlass" };
    return list;
}

const QList<Grain> &Schema::grains()
{
    // Each key leads with the dimension every query of that grain restricts:
    // a grain is chosen only when its finest level is set.
    static const QList<Grain> list {
        { "summe_firma", { "pg", "hvart" }, "summe_abt" },
        { "summe_abt", { "abtnr", "pcnr", "habt", "pg", "hvart" }, "summe_hgrp" },
        { "summe_hgrp", { "hgrp", "abtnr", "pcnr", "habt", "pg", "hvart" }, "summe_ugrp" },
        { "summe_ugrp", { "hgrp", "ugrp", "abtnr", "pcnr", "habt", "pg", "hvart" }, "summe_voll" },
        { "summe_art",
          { "typ", "abtnr", "hgrp", "svart", "pcnr", "habt", "pg", "hvart" },
          "summe_voll" },
        { "summe_voll",
          { "hgrp", "ugrp", "typ", "abtnr", "svart", "pcnr", "habt", "pg", "hvart" },
          salesTable },
    };
    return list;
}

const Grain &Schema::covering(const QStringList &usedDimensions)
{
    for (const Grain &grain : grains()) {
        bool covers = true;
        for (const QString &dimension : usedDimensions)
            covers = covers && grain.dimensions.contains(dimension);
        if (covers)
            return grain;
    }
    return grains().last();
}

QList<Grain> Schema::buildOrder()
{
    QList<Grain> order = grains();
    std::reverse(order.begin(), order.end());
    return order;
}

QStringList Schema::tables()
{
    QStringList names { "kordex_meta",       "firma",           "profitcenter",
                        "hauptabteilung",    "abteilung",       "hauptgruppe",
                        "untergruppe",       "hauptversandart", "versandart",
                        "hauptkundengruppe", "artikeltyp",      "personal",
                        "persbasis",         "datenbasis",      salesTable };
    for (const Grain &grain : grains())
        names.append(grain.table);
    return names;
}

namespace {

// Profit centre and main department alone restrict columns behind the department in
// summe_abt's key. Covering indexes that lead with them, before the period, make a fetch
// of all months one index-only range per unit; led by the period, the planner scans the
// whole table for a list of 72 months. (SQLite reads its clustered table as fast:
// measured, an index there gains nothing.)
struct UnitIndex
{
    const char *name;
    const char *key;
};
constexpr UnitIndex unitIndexList[] { { "summe_abt_pc", "firma, pcnr, periode, habt" },
                                      { "summe_abt_habt", "firma, habt, periode" } };

QString createStatement(const UnitIndex &index)
{
    return QStringLiteral("CREATE INDEX %1 ON summe_abt (%2) INCLUDE (%3)")
        .arg(QLatin1String(index.name), QLatin1String(index.key),
             Schema::measures().join(QStringLiteral(", ")));
}

} // namespace

QStringList Schema::unitIndexes()
{
    QStringList statements;
    for (const UnitIndex &index : unitIndexList)
        statements.append(createStatement(index));
    return statements;
}

bool Schema::renewUnitIndexes(SqlConnection &connection)
{
    bool renewed = false;
    for (const UnitIndex &index : unitIndexList) {
        const QString name = QLatin1String(index.name);
        const QString kept = connection.scalar(
            QStringLiteral("SELECT indexdef FROM pg_indexes WHERE schemaname = current_schema()"
                           " AND indexname = ?"),
            { name });
        if (kept.contains(QStringLiteral("(%1)").arg(QLatin1String(index.key))))
            continue;
        connection.script(QStringLiteral("DROP INDEX IF EXISTS ") + name);
        connection.script(createStatement(index));
        renewed = true;
    }
    return renewed;
}

void Schema::create(SqlConnection &connection)
{
    const Dialect d = connection.dialect();
    QStringList statements = masterTables(d);
    QString sales = table(d, salesTable, salesColumns(), QStringLiteral("firma, periode, zeile"));
    if (d == Dialect::Postgres)
        sales += QStringLiteral(" PARTITION BY RANGE (periode)");
    statements.append(sales);
    for (const Grain &grain : grains())
        statements.append(grainTable(d, grain));
    if (d == Dialect::Postgres) {
        statements += statisticsTargets();
        statements += unitIndexes();
    }
    for (const QString &sql : statements)
        connection.script(sql);
    connection.execute(QStringLiteral("INSERT INTO kordex_meta VALUES ('schema', ?)"),
                       { QString::number(version) });
    connection.execute(QStringLiteral("INSERT INTO kordex_meta VALUES ('naechste_zeile', '1')"));
    connection.script(
        QStringLiteral("INSERT INTO hauptkundengruppe VALUES ('P', 'Privat'), ('G', 'Gewerbe');"
                       "INSERT INTO artikeltyp VALUES ('L', 'Lagerartikel'),"
                       " ('B', 'Bestellartikel'), ('W', 'Werbeartikel')"));
    if (d == Dialect::Postgres)
        ServerRights::install(connection);
}

bool Schema::exists(SqlConnection &connection)
{
    const QString sql = connection.dialect() == Dialect::Sqlite
        ? QStringLiteral(
            "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='kordex_meta'")
        : QStringLiteral("SELECT count(*) FROM pg_tables WHERE schemaname = current_schema()"
                         " AND tablename = 'kordex_meta'");
    return connection.scalar(sql) == QLatin1String("1");
}

QString Schema::problem(SqlConnection &connection)
{
    const QString stored = connection.scalar(
        QStringLiteral("SELECT wert FROM kordex_meta WHERE schluessel = 'schema'"));
    if (stored != QString::number(version))
        return QStringLiteral("schema version %1, expected %2")
            .arg(stored.isEmpty() ? QStringLiteral("none") : EchoedInput::quoted(stored))
            .arg(version);
    const QString sql = connection.dialect() == Dialect::Sqlite
        ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")
        : QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema()");
    QStringList present;
    for (const SqlRow &row : connection.query(sql))
        present.append(row.value(0));
    QStringList missing;
    for (const QString &name : tables())
        if (!present.contains(name))
            missing.append(name);
    return missing.isEmpty()
        ? QString()
        : QStringLiteral("table %1 missing").arg(missing.join(QStringLiteral(", ")));
}

QString Schema::damage(SqlConnection &connection)
{
    if (connection.dialect() != Dialect::Sqlite)
        return QString();
    QList<SqlRow> rows;
    try {
        rows = connection.query(QStringLiteral("PRAGMA quick_check(5)"));
    } catch (const ServerError &e) {
        // damage the check cannot even walk past
        if (e.number() == error::NotAStore)
            return e.description();
        throw;
    }
    QStringList found;
    for (const SqlRow &row : rows)
        if (row.value(0) != QLatin1String("ok"))
            found.append(row.value(0));
    return found.join(QStringLiteral("; "));
}

bool Schema::partitioned(SqlConnection &connection)
{
    return connection.dialect() == Dialect::Postgres
        && connection.scalar(QStringLiteral("SELECT relkind FROM pg_class WHERE oid ="
                                            " to_regclass('umsatzzeile')"))
        == QLatin1String("p");
}

QString Schema::partitionName(int year)
{
    return QStringLiteral("umsatzzeile_y%1").arg(year);
}

QList<int> Schema::partitionYears(SqlConnection &connection)
{
    QList<int> years;
    if (!partitioned(connection))
        return years;
    for (const SqlRow &row : connection.query(
             QStringLiteral("SELECT c.relname FROM pg_inherits i JOIN pg_class c ON c.oid ="
                            " i.inhrelid WHERE i.inhparent = to_regclass('umsatzzeile')"
                            " ORDER BY c.relname"))) {
        bool ok = false;
        const int year = row.value(0).mid(salesTable.size() + 2).toInt(&ok); // umsatzzeile_yYYYY
        if (ok)
            years.append(year);
    }
    std::sort(years.begin(), years.end());
    return years;
}

void Schema::addPartition(SqlConnection &connection, int year)
{
    const QString name = partitionName(year);
    connection.script(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 PARTITION OF %2"
                                     " FOR VALUES FROM (%3) TO (%4)")
                          .arg(name, salesTable)
                          .arg(firstPeriod(year))
                          .arg(firstPeriod(year + 1)));
    connection.script(statisticsTarget(name, dimensions()));
}

void Schema::drop(SqlConnection &connection)
{
    QStringList names = tables();
    if (connection.dialect() == Dialect::Postgres)
        names.append(QStringLiteral("abteilungsrecht"));
    for (const QString &name : std::as_const(names))
        connection.script(QStringLiteral("DROP TABLE IF EXISTS %1").arg(name));
}

} // namespace kordex
