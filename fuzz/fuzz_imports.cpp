// The CSV reader and both importers on a store in memory that holds a part of
// the demo's master data. The first byte chooses the importer, the rest is the
// file. An import either writes every row or nothing, and what it writes
// passes the rules; any failure but a rejection is a finding.
#include "CsvReader.h"
#include "FuzzInput.h"
#include "MasterImport.h"
#include "SalesImport.h"
#include "Schema.h"
#include "ServerText.h"
#include "SqlConnection.h"
#include "Validation.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <memory>

using namespace kordex;

namespace {

// A few records of each kind, a subset of the demo's: the corpus uses these codes.
const QStringList &masterLines()
{
    static const QStringList lines {
        "FIRMA;1;;Baumärkte Müller & Söhne",
        "PC;1;1;Baumarkt",
        "PC;1;2;Gärtnerei",
        "HABT;1;20;Werkzeug und Eisenwaren",
        "HABT;1;40;Garten",
        "ABT;1;M1;Werkzeuge;1;20",
        "ABT;1;M3;Gartengeräte;2;40",
        "HGRP;1;03;Werkzeug",
        "HGRP;1;06;Garten",
        "UGRP;1;031;Handwerkzeug;03",
        "UGRP;1;061;Gartengeräte;06",
        "HVART;1;L;Lager",
        "HVART;1;S;Strecke",
        "VART;1;LA;Abholung;L",
        "VART;1;SD;Direktlieferung;S",
    };
    return lines;
}

const QStringList &masterTables()
{
    static const QStringList tables {
        "firma",       "profitcenter", "hauptabteilung",  "abteilung",
        "hauptgruppe", "untergruppe",  "hauptversandart", "versandart"
    };
    return tables;
}

// One store for every input: made once, and put back after an import that wrote.
SqlConnection &store()
{
    static const std::unique_ptr<SqlConnection> sql = [] {
        QString why;
        auto made = openSqlite(QStringLiteral(":memory:"), true, &why);
        FuzzInput::check(made != nullptr, "an in-memory store opens", why);
        Transaction transaction(*made);
        Schema::create(*made);
        transaction.commit();
        MasterImport(*made).run(masterLines());
        return made;
    }();
    return *sql;
}

void putBack(SqlConnection &sql)
{
    Transaction transaction(sql);
    for (const QString &table : masterTables())
        sql.execute(QStringLiteral("DELETE FROM %1").arg(table));
    sql.execute(QStringLiteral("DELETE FROM umsatzzeile"));
    sql.execute(
        QStringLiteral("UPDATE kordex_meta SET wert = '1' WHERE schluessel = 'naechste_zeile'"));
    transaction.commit();
    MasterImport(sql).run(masterLines());
}

// Everything an import may change, as text.
QString snapshot(SqlConnection &sql)
{
    QStringList parts;
    for (const QString &table : masterTables())
        for (const SqlRow &row : sql.query(QStringLiteral("SELECT * FROM %1").arg(table)))
            parts.append(table + QLatin1Char(';') + row.join(QLatin1Char(';')));
    parts.sort();
    parts.append(sql.scalar(QStringLiteral("SELECT count(*) || ';' || COALESCE(SUM(umsatz), 0)"
                                           " FROM umsatzzeile")));
    parts.append(sql.scalar(
        QStringLiteral("SELECT wert FROM kordex_meta WHERE schluessel = 'naechste_zeile'")));
    return parts.join(QLatin1Char('\n'));
}

void checkStoredRows(SqlConnection &sql)
{
    for (const QString &table : masterTables())
        for (const SqlRow &row : sql.query(QStringLiteral("SELECT name FROM %1").arg(table)))
            FuzzInput::check(Validation::nameProblem(toScreenText(row.value(0))).isEmpty(),
                             "every stored name passes the rules", row.value(0));
    const QString orphans = sql.scalar(QStringLiteral(
        "SELECT count(*) FROM umsatzzeile u WHERE NOT EXISTS (SELECT 1 FROM abteilung a"
        " WHERE a.firma = u.firma AND a.abtnr = u.abtnr AND a.pcnr = u.pcnr AND a.habt = u.habt)"
        " OR NOT EXISTS (SELECT 1 FROM untergruppe g WHERE g.firma = u.firma AND g.hgrp = u.hgrp"
        " AND g.ugrp = u.ugrp)"));
    FuzzInput::check(orphans == QLatin1String("0"), "every sales line refers to master data",
                     orphans);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool sales = (data[0] & 1) != 0;
    const QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    SqlConnection &sql = store();
    static const QString before = snapshot(sql);
    qint64 written = 0;
    try {
        const QStringList lines = CsvReader::lines(file);
        written = sales ? SalesImport(sql).run(lines) : MasterImport(sql).run(lines);
    } catch (const ServerError &e) {
        FuzzInput::check(e.number() == error::ImportRejected, "an import only ever rejects",
                         QStringLiteral("%1: %2").arg(e.number()).arg(e.description()));
        FuzzInput::check(e.description().size() < 20000,
                         "a rejection lists a bounded number of rows",
                         QString::number(e.description().size()));
        FuzzInput::check(snapshot(sql) == before, "a rejected import writes nothing");
        return 0;
    }
    FuzzInput::check(written > 0, "an import that is not rejected writes rows");
    if (sales)
        FuzzInput::check(sql.scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile"))
                             == QString::number(written),
                         "every sales line counted is stored");
    checkStoredRows(sql);
    putBack(sql);
    FuzzInput::check(snapshot(sql) == before, "the store is put back");
    return 0;
}
