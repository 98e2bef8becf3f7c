#include "Store.h"

#include "CommandParser.h"
#include "ConnectString.h"
#include "EchoedInput.h"
#include "GroupedSums.h"
#include "Period.h"
#include "PeriodSums.h"
#include "Rebuild.h"
#include "Schema.h"
#include "ServerText.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

namespace {

const QString datenClass = QStringLiteral("KXUmsatz.Daten");
const QString datWHClass = QStringLiteral("KXUmsatz.DatWH");
const QChar itemSeparator(0xFF);

void expectArguments(const QStringList &arguments, qsizetype count, const QString &queryName)
{
    if (arguments.size() != count)
        throw ServerError(error::ArgumentCount,
                          QStringLiteral("Abfrage %1 erwartet %2 Argumente, erhalten %3")
                              .arg(EchoedInput::quoted(queryName))
                              .arg(count)
                              .arg(arguments.size()));
}

int period(const QString &text)
{
    const auto parsed = Period::parse(text);
    if (!parsed)
        throw ServerError(error::BadArgument,
                          QStringLiteral("Ungültige Periode %1").arg(EchoedInput::quoted(text)));
    return *parsed;
}

QStringList oneRow(const SumRow &sums)
{
    return { PeriodSums::money(PeriodSums::revenue(sums)),
             PeriodSums::money(PeriodSums::margin(sums)) };
}

// Restricts the selection by the seven codes of the plain period queries:
// HGRP, UGRP, PCNR, HABT, ABTNR, PG, HVART.
void restrictPlain(SumSelection &selection, const QStringList &codes)
{
    static const QStringList order { "hgrp", "ugrp", "pcnr", "habt", "abtnr", "pg", "hvart" };
    for (qsizetype i = 0; i < order.size(); ++i)
        selection.restrict(order[i], codes.value(i));
}

} // namespace

Store::Store(std::unique_ptr<SqlConnection> connection)
    : m_sql(std::move(connection))
{
}

Store::~Store() = default;

std::unique_ptr<Store> Store::open(const QString &serverOrPath, const QString &port, bool create,
                                   QString *errorText, int *errorNumber, Target target,
                                   const PgLogin &login)
{
    const auto failed = [&](int number, const QString &why) {
        if (errorText)
            *errorText = why;
        if (errorNumber)
            *errorNumber = number;
        return nullptr;
    };
    const ConnectString where { serverOrPath, port };
    QString why;
    PgFailure failure = PgFailure::Unreachable;
    int fileFailure = error::ConnectFailed;
    std::unique_ptr<SqlConnection> connection = where.isFile()
        ? openSqlite(serverOrPath, create, &why, &fileFailure)
        : openPostgres(serverOrPath, port, &why, QStringLiteral("kordex"), target, login, &failure);
    if (!connection)
        return failed(where.isFile()                        ? fileFailure
                          : failure == PgFailure::Refused   ? error::LoginRefused
                          : failure == PgFailure::Untrusted ? error::ServerUntrusted
                                                            : error::ConnectFailed,
                      why);
    try {
        if (!Schema::exists(*connection)) {
            if (!create)
                return failed(
                    error::NotAStore,
                    QStringLiteral("no KORDEX store: %1").arg(EchoedInput::quoted(serverOrPath)));
            if (connection->dialect() == Dialect::Sqlite)
                connection->script(QStringLiteral("PRAGMA journal_mode=WAL"));
            Transaction transaction(*connection);
            Schema::create(*connection);
            transaction.commit();
        }
        if (const QString problem = Schema::problem(*connection); !problem.isEmpty())
            return failed(error::NotAStore,
                          QStringLiteral("not a usable KORDEX store: %1").arg(problem));
        if (connection->dialect() == Dialect::Postgres && !ServerRights::installed(*connection))
            return failed(error::NotAStore,
                          QStringLiteral("not a usable KORDEX store: it holds no user roles and"
                                         " policies yet (kordexdb upgrade DB makes them)"));
    } catch (const ServerError &e) {
        // A file that is no SQLite database at all fails its first query (NotAStore).
        return failed(e.number(), e.description());
    }
    auto store = std::make_unique<Store>(std::move(connection));
    store->m_hosts = serverOrPath;
    store->m_ports = port;
    store->m_login = login;
    if (store->m_sql->dialect() == Dialect::Postgres) {
        try {
            store->m_sessionUser = ServerRights::sessionUser(*store->m_sql);
        } catch (const ServerError &e) {
            return failed(e.number(), e.description());
        }
    }
    return store;
}

SqlConnection &Store::writer()
{
    if (!m_sql->onStandby())
        return *m_sql;
    if (!m_primary || !m_primary->isOpen()) {
        QString why;
        m_primary = openPostgres(m_hosts, m_ports, &why, QStringLiteral("kordex"),
                                 Target::ReadWrite, m_login);
        if (!m_primary)
            throw ServerError(error::ConnectFailed,
                              QStringLiteral("Kein Primärserver erreichbar: %1").arg(why));
    }
    return *m_primary;
}

void Store::requireIntact()
{
    if (const QString damage = Schema::damage(*m_sql); !damage.isEmpty())
        throw ServerError(error::NotAStore,
                          QStringLiteral("the store is damaged (integrity check: %1); not written")
                              .arg(EchoedInput::quoted(damage, 200)));
}

void Store::holdWriterLock(const QString &work)
{
    if (m_sql->dialect() == Dialect::Sqlite && !m_writerLock)
        m_writerLock = WriterLock::take(m_hosts, work);
}

QString Store::contextCompany() const
{
    return m_context.company.isEmpty() ? QStringLiteral("1") : m_context.company;
}

bool Store::hasQuery(const QString &className, const QString &queryName)
{
    static const QStringList datenQueries { "Profitcenter",
                                            "HAbtInPC",
                                            "AbtInPC",
                                            "AbtInHAbt",
                                            "Versandarten",
                                            "PeriodenSumme",
                                            "PeriodenSummeAufteilung",
                                            "Zugriffsrechte",
                                            "EinheitenMitZahlen" };
    static const QStringList datWHQueries { "PeriodenSumme", "PeriodenSkonto" };
    if (className == datenClass)
        return datenQueries.contains(queryName);
    if (className == datWHClass)
        return datWHQueries.contains(queryName);
    return false;
}

Store::PlannedQuery Store::plan(const QString &className, const QString &queryName,
                                const QStringList &arguments)
{
    if (!hasQuery(className, queryName))
        throw ServerError(error::UnknownQuery,
                          QStringLiteral("Unbekannte Abfrage %1 der Klasse %2")
                              .arg(EchoedInput::quoted(queryName), EchoedInput::quoted(className)));
    return className == datenClass ? daten(queryName, arguments) : datWH(queryName, arguments);
}

SqlStatement Store::PlannedQuery::toRun() const
{
    return sums && statement.sql.isEmpty() ? PeriodSums::rollupStatement(*sums) : statement;
}

QList<QStringList> Store::runQuery(const QString &className, const QString &queryName,
                                   const QStringList &arguments)
{
    const PlannedQuery planned = plan(className, queryName, arguments);
    const SqlStatement statement = planned.toRun();
    const QList<SqlRow> rows = m_sql->query(statement.sql, statement.params);
    return planned.answer ? planned.answer(rows) : rows;
}

BatchResult Store::runQueryBatch(const QString &className, const QString &queryName,
                                 const QList<QStringList> &argumentSets)
{
    BatchResult result;
    QList<PlannedQuery> plans;
    plans.reserve(argumentSets.size());
    for (const QStringList &arguments : argumentSets) {
        try {
            plans.append(plan(className, queryName, arguments));
        } catch (const ServerError &e) {
            result.error = e;
            break;
        }
    }
    BatchResult rows = runPlanned(plans);
    for (qsizetype i = 0; i < rows.answers.size(); ++i) {
        try {
            result.answers.append(plans[i].answer ? plans[i].answer(rows.answers[i])
                                                  : rows.answers[i]);
        } catch (const ServerError &e) {
            result.error = e;
            return result;
        }
    }
    // A statement that failed comes before any set that could not be planned.
    if (rows.error)
        result.error = rows.error;
    return result;
}

BatchResult Store::runPlanned(const QList<PlannedQuery> &plans)
{
    QList<SumSelection> selections;
    selections.reserve(plans.size());
    for (const PlannedQuery &planned : plans) {
        if (!planned.sums) { // unlike queries: one by one
            QList<SqlStatement> statements;
            for (const PlannedQuery &each : plans)
                statements.append(each.toRun());
            return m_sql->queryBatch(statements);
        }
        selections.append(*planned.sums);
    }
    // Like period-sum queries: one statement per group, one round trip for all.
    const QList<GroupedSums::Group> groups = GroupedSums::plan(selections, m_sql->dialect());
    QList<SqlStatement> grouped;
    for (const GroupedSums::Group &group : groups)
        grouped.append(group.statement);
    const BatchResult answered = m_sql->queryBatch(grouped);
    QList<QList<SqlRow>> rowsOf(plans.size());
    qsizetype failedFrom = plans.size(); // the first query whose statement did not answer
    for (qsizetype g = 0; g < groups.size(); ++g) {
        if (g >= answered.answers.size()) {
            failedFrom = std::min(failedFrom, groups[g].members.first());
            continue;
        }
        const QList<QList<SqlRow>> split = GroupedSums::split(groups[g], answered.answers[g]);
        for (qsizetype m = 0; m < groups[g].members.size(); ++m)
            rowsOf[groups[g].members[m]] = split[m];
    }
    BatchResult result;
    result.answers = rowsOf.mid(0, failedFrom);
    result.error = answered.error;
    return result;
}

Store::PlannedQuery Store::daten(const QString &queryName, const QStringList &args)
{
    if (queryName == QLatin1String("Profitcenter")) {
        if (args.size() > 1)
            expectArguments(args, 1, queryName);
        const QString company = args.isEmpty() ? contextCompany() : args.first();
        return { { QStringLiteral("SELECT pcnr, name FROM profitcenter WHERE firma = ?"
                                  " ORDER BY pcnr"),
                   { company } },
                 {},
                 {} };
    }
    if (queryName == QLatin1String("HAbtInPC")) {
        expectArguments(args, 2, queryName);
        return { { QStringLiteral("SELECT h.habt, h.name FROM hauptabteilung h WHERE h.firma = ?"
                                  " AND (CAST(? AS TEXT) = '' OR EXISTS (SELECT 1 FROM abteilung a"
                                  " WHERE a.firma = h.firma AND a.habt = h.habt AND a.pcnr = ?))"
                                  " ORDER BY h.habt"),
                   { args[0], args[1], args[1] } },
                 {},
                 {} };
    }
    if (queryName == QLatin1String("AbtInPC") || queryName == QLatin1String("AbtInHAbt")) {
        expectArguments(args, 2, queryName);
        const QString column = queryName == QLatin1String("AbtInPC") ? QStringLiteral("pcnr")
                                                                     : QStringLiteral("habt");
        return { { QStringLiteral("SELECT abtnr, name FROM abteilung WHERE firma = ?"
                                  " AND (CAST(? AS TEXT) = '' OR %1 = ?) ORDER BY abtnr")
                       .arg(column),
                   { args[0], args[1], args[1] } },
                 {},
                 {} };
    }
    if (queryName == QLatin1String("Versandarten")) {
        expectArguments(args, 2, queryName);
        return { { QStringLiteral("SELECT svart, name FROM versandart WHERE firma = ?"
                                  " AND (CAST(? AS TEXT) = '' OR hvart = ?) ORDER BY svart"),
                   { args[0], args[1], args[1] } },
                 {},
                 {} };
    }
    if (queryName == QLatin1String("EinheitenMitZahlen"))
        return unitsWithFigures(args);
    if (queryName == QLatin1String("Zugriffsrechte")) {
        expectArguments(args, 2, queryName);
        return { { QStringLiteral("SELECT erlaubt, eingeschraenkt, abteilungsgebunden FROM"
                                  " personal WHERE firma = ? AND kuerzel = ?"),
                   { args[0], args[1] } },
                 [](const QList<SqlRow> &rows) -> QList<QStringList> {
                     return { rows.isEmpty() ? QStringList { "N", "N", "N" } : rows.first() };
                 },
                 {} };
    }
    const auto sums = [](const SumSelection &selection) {
        return PlannedQuery { {},
                              [](const QList<SqlRow> &rows) -> QList<QStringList> {
                                  return { oneRow(PeriodSums::sumsOf(rows)) };
                              },
                              selection };
    };
    if (queryName == QLatin1String("PeriodenSumme")) {
        expectArguments(args, 9, queryName);
        SumSelection selection { args[0], period(args[1]), period(args[1]), {} };
        restrictPlain(selection, applyUserRules(args.mid(2), 3, 4));
        return sums(selection);
    }
    // PeriodenSummeAufteilung
    expectArguments(args, 10, queryName);
    SumSelection selection { args[0], period(args[1]), period(args[2]), {} };
    if (selection.from > selection.to)
        throw ServerError(error::BadArgument,
                          QStringLiteral("Periode von %1 liegt nach bis %2").arg(args[1], args[2]));
    restrictPlain(selection, applyUserRules(args.mid(3), 3, 4));
    return sums(selection);
}

Store::PlannedQuery Store::datWH(const QString &queryName, const QStringList &args)
{
    expectArguments(args, 3, queryName);
    const QStringList pieces = applyUserRules(args[2].split(QLatin1Char('`')), 1, 2);
    if (pieces.size() > 9)
        throw ServerError(error::BadArgument,
                          QStringLiteral("Parametertext mit mehr als neun Teilen: %1")
                              .arg(EchoedInput::quoted(args[2])));
    // PCNR`HABT`ABTNR`HGRP`UGRP`article type`HVART`SVART`PG
    static const QStringList order { "pcnr", "habt",  "abtnr", "hgrp", "ugrp",
                                     "typ",  "hvart", "svart", "pg" };
    SumSelection selection { args[0], period(args[1]), period(args[1]), {} };
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (order[i] == QLatin1String("typ") && pieces[i] == QLatin1String("A"))
            continue; // all article types
        selection.restrict(order[i], pieces[i]);
    }
    const bool discounts = queryName != QLatin1String("PeriodenSumme");
    return { {},
             [discounts](const QList<SqlRow> &rows) -> QList<QStringList> {
                 const SumRow s = PeriodSums::sumsOf(rows);
                 // PeriodenSumme: goods revenue, other revenue, cost of goods, other cost.
                 // PeriodenSkonto: cash discount, rebate, cash discount, 0 — so that
                 // c1 + c2 is all deductions and (c1 + c2) - (c3 + c4) the rebate.
                 const QList<qint64> columns = discounts ? QList<qint64> { s[4], s[5], s[4], 0 }
                                                         : QList<qint64> { s[0], s[1], s[2], s[3] };
                 QStringList row;
                 for (qint64 value : columns)
                     row.append(PeriodSums::money(value));
                 return { row };
             },
             selection };
}

Store::PlannedQuery Store::unitsWithFigures(const QStringList &args)
{
    // company, from, to, the units' levels as "habt`abtnr" (pcnr habt abtnr hgrp)
    expectArguments(args, 4, QStringLiteral("EinheitenMitZahlen"));
    static const QStringList levels { "pcnr", "habt", "abtnr", "hgrp" };
    const QStringList columns = args[3].split(QLatin1Char('`'));
    for (const QString &column : columns)
        if (!levels.contains(column) || columns.count(column) > 1)
            throw ServerError(error::BadArgument,
                              QStringLiteral("Ungültige Ebenen %1 (pcnr, habt, abtnr, hgrp)")
                                  .arg(EchoedInput::quoted(args[3])));
    const QString list = columns.join(QStringLiteral(", "));
    // A row with revenue or cost has a figure; a unit with none is left out of a book.
    return { { QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE firma = ? AND periode BETWEEN ?"
                              " AND ? AND (umsatz + nebenerloes <> 0 OR einsatz + nebenkosten <> 0)"
                              " ORDER BY %1")
                   .arg(list, Schema::covering(columns).table),
               { args[0], qint64(period(args[1])), qint64(period(args[2])) } },
             {},
             {} };
}

QStringList Store::applyUserRules(QStringList codes, qsizetype habt, qsizetype abtnr) const
{
    if (!m_sessionUser || !m_sessionUser->restricted)
        return codes;
    if (!codes.value(habt).isEmpty() || !codes.value(abtnr).isEmpty())
        return codes;
    if (m_sessionUser->departmentBound)
        throw ServerError(error::NotAllowed,
                          QStringLiteral("Sie Müssen eine Abteilung auswählen!"));
    // A restricted user's figures without a unit chosen are those of the own main department.
    while (codes.size() <= habt)
        codes.append(QString());
    codes[habt] = m_sessionUser->mainDepartment;
    return codes;
}

std::optional<QStringList> Store::user(const QString &company, const QString &code)
{
    // A PostgreSQL store keeps no password hash: the server checked the login.
    const QString hash = m_sql->dialect() == Dialect::Postgres ? QStringLiteral("''")
                                                               : QStringLiteral("passwort_hash");
    const QList<SqlRow> rows = m_sql->query(
        QStringLiteral("SELECT pname, pnr, abtnr, dw, bergrp, aktiv, %1 FROM personal"
                       " WHERE firma = ? AND kuerzel = ?")
            .arg(hash),
        { company, code });
    return rows.isEmpty() ? std::nullopt : std::optional(rows.first());
}

std::optional<QStringList> Store::department(const QString &company, const QString &code)
{
    const QList<SqlRow> rows = m_sql->query(
        QStringLiteral("SELECT name, abtnr, habt FROM abteilung WHERE firma = ? AND abtnr = ?"),
        { company, code });
    return rows.isEmpty() ? std::nullopt : std::optional(rows.first());
}

std::optional<QStringList> Store::personnelBasis(const QString &company, const QString &number)
{
    const QList<SqlRow> rows = m_sql->query(
        QStringLiteral("SELECT fax, email FROM persbasis WHERE firma = ? AND pnr = ?"),
        { company, number });
    return rows.isEmpty() ? std::nullopt : std::optional(rows.first());
}

void Store::generieren(const QString &company, const QString &from, const QString &to)
{
    const int first = period(from);
    const int last = period(to);
    if (first > last)
        throw ServerError(error::BadArgument,
                          QStringLiteral("Periode von %1 liegt nach bis %2").arg(from, to));
    SqlConnection &sql = writer();
    // PostgreSQL's kordex_generieren checks the company and the caller's right itself.
    if (sql.dialect() == Dialect::Sqlite
        && sql.query(QStringLiteral("SELECT 1 FROM firma WHERE firma = ?"), { company }).isEmpty())
        throw ServerError(error::ObjectNotFound,
                          QStringLiteral("Firma %1 unbekannt").arg(EchoedInput::quoted(company)));
    // SQLite: no other writer meanwhile (the tool's commands hold the lock already).
    std::unique_ptr<WriterLock> lock;
    if (sql.dialect() == Dialect::Sqlite && !m_writerLock)
        lock = WriterLock::take(
            m_hosts,
            QStringLiteral("Neuaufbau der Firma %1, Perioden %2 bis %3").arg(company, from, to));
    Rebuild(sql, Period::dayNumber(today())).run(company, first, last);
}

std::optional<DataBasis> Store::dataBasis(const QString &company)
{
    const QList<SqlRow> rows = m_sql->query(
        QStringLiteral("SELECT periode, tagnummer FROM datenbasis WHERE firma = ?"), { company });
    if (rows.isEmpty())
        return std::nullopt;
    return DataBasis { rows.first().value(0).toInt(), rows.first().value(1).toInt() };
}

QString Store::listOutput(const QString &sql, const QList<SqlValue> &params)
{
    QStringList items;
    for (const SqlRow &row : m_sql->query(sql, params))
        items.append(row.value(0) + QLatin1Char('`') + toScreenText(row.value(1)));
    return items.join(itemSeparator);
}

QString Store::xecute(const QString &text)
{
    const auto command = CommandParser::parse(text);
    if (!command)
        throw ServerError(error::UnknownCommand,
                          QStringLiteral("Unbekannter Befehl: %1").arg(EchoedInput::quoted(text)));
    const QString company = contextCompany();
    switch (command->kind) {
    case Command::Context:
        m_context = { command->company, command->branch, command->user };
        return QString();
    case Command::Terminal:
        return QString();
    case Command::MainGroups:
        return listOutput(
            QStringLiteral("SELECT hgrp, name FROM hauptgruppe WHERE firma = ? ORDER BY hgrp"),
            { company });
    case Command::Departments:
        return listOutput(
            QStringLiteral("SELECT abtnr, name FROM abteilung WHERE firma = ? ORDER BY abtnr"),
            { company });
    case Command::MainDepartments:
        return listOutput(
            QStringLiteral("SELECT habt, name FROM hauptabteilung WHERE firma = ? ORDER BY habt"),
            { company });
    case Command::SubGroups:
        return listOutput(
            QStringLiteral("SELECT ugrp, name FROM untergruppe WHERE firma = ? AND hgrp = ?"
                           " ORDER BY ugrp"),
            { company, command->argument });
    case Command::DataBasis: {
        const auto basis = dataBasis(company);
        return basis
            ? QStringLiteral("%1`%2").arg(Period::text(basis->lastPeriod)).arg(basis->dayNumber)
            : QString();
    }
    }
    return QString();
}

} // namespace kordex
