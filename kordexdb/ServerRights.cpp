#include "ServerRights.h"

#include "Rebuild.h"
#include "Schema.h"
#include "SqlConnection.h"

#include <kordex/DepartmentRights.h>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

namespace {

const QString rightsKey = QStringLiteral("rechte");
const QString rightsVersion = QStringLiteral("1");

// Every policy reads the session's user through kordex_ich(), once per statement (an
// InitPlan), never per row.
QString me(const QString &field, const QString &condition = QString())
{
    return QStringLiteral("(SELECT i.%1 FROM kordex_ich() i%2)")
        .arg(field, condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition);
}

QString companyReadable()
{
    return QStringLiteral("firma = ") + me(QStringLiteral("firma"), QStringLiteral("i.liest"));
}

// Restricted users (department-bound ones too) see their own main department and the
// departments the table gives them.
QString unitsReadable()
{
    return companyReadable() + QStringLiteral(" AND (NOT ") + me(QStringLiteral("eingeschraenkt"))
        + QStringLiteral(" OR habt = ") + me(QStringLiteral("habt"))
        + QStringLiteral(" OR abtnr = ANY ((SELECT kordex_abteilungen())::text[]))");
}

struct Policy
{
    QString table;
    QString condition;
};

QList<Policy> policies()
{
    QList<Policy> list {
        { QStringLiteral("kordex_meta"), QStringLiteral("true") },
        { QStringLiteral("hauptkundengruppe"), me(QStringLiteral("liest")) },
        { QStringLiteral("artikeltyp"), me(QStringLiteral("liest")) },
        // the login reads the user's own records, whatever the user may do afterwards
        { QStringLiteral("personal"),
          QStringLiteral("firma = %1 AND kuerzel = %2")
              .arg(me(QStringLiteral("firma")), me(QStringLiteral("kuerzel"))) },
        { QStringLiteral("persbasis"),
          QStringLiteral("firma = %1 AND pnr = %2")
              .arg(me(QStringLiteral("firma")), me(QStringLiteral("pnr"))) },
        { QStringLiteral("abteilung"),
          companyReadable()
              + QStringLiteral(" OR (firma = %1 AND abtnr = %2)")
                    .arg(me(QStringLiteral("firma")), me(QStringLiteral("abtnr"))) },
        { QStringLiteral("summe_firma"),
          companyReadable() + QStringLiteral(" AND NOT ") + me(QStringLiteral("eingeschraenkt")) },
    };
    for (const char *table : { "firma", "profitcenter", "hauptabteilung", "hauptgruppe",
                               "untergruppe", "hauptversandart", "versandart", "datenbasis" })
        list.append({ QString::fromLatin1(table), companyReadable() });
    for (const Grain &grain : Schema::grains())
        if (grain.dimensions.contains(QLatin1String("abtnr")))
            list.append({ grain.table, unitsReadable() });
    return list;
}

QString quotedLiteral(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''"))
        + QLatin1Char('\'');
}

QString quotedIdentifier(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\""))
        + QLatin1Char('"');
}

void createGroupRole(SqlConnection &sql)
{
    if (sql.query(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = 'kordex_benutzer'"))
            .isEmpty())
        sql.script(QStringLiteral("CREATE ROLE kordex_benutzer NOLOGIN"));
}

void writeDepartmentTable(SqlConnection &sql)
{
    sql.script(QStringLiteral("CREATE TABLE IF NOT EXISTS abteilungsrecht (eigene TEXT NOT NULL,"
                              " erlaubt TEXT NOT NULL, praefix BOOLEAN NOT NULL,"
                              " PRIMARY KEY (eigene, erlaubt, praefix));"
                              "DELETE FROM abteilungsrecht"));
    for (const DepartmentRights::Rule &rule : DepartmentRights::rules())
        sql.execute(QStringLiteral("INSERT INTO abteilungsrecht VALUES (?, ?, ?)"),
                    { rule.own, rule.allowed,
                      rule.prefix ? QStringLiteral("true") : QStringLiteral("false") });
}

QString functions(const QString &schema)
{
    const QString path = QStringLiteral(" SET search_path = %1, pg_temp").arg(schema);
    QString body;
    for (QString statement : Rebuild::statements()) {
        statement.replace(QStringLiteral("{firma}"), QStringLiteral("p_firma"))
            .replace(QStringLiteral("{von}"), QStringLiteral("v_von"))
            .replace(QStringLiteral("{bis}"), QStringLiteral("p_bis"));
        body += QStringLiteral("    ") + statement + QStringLiteral(";\n");
    }
    const QString dataBasis = Rebuild::dataBasisStatement()
                                  .replace(QStringLiteral("{firma}"), QStringLiteral("p_firma"))
                                  .replace(QStringLiteral("{bis}"), QStringLiteral("p_bis"))
                                  .replace(QStringLiteral("{tag}"), QStringLiteral("p_tag"));
    return QStringLiteral(
               // The session's KORDEX user: one row, all null for any other role.
               // PL/pgSQL keeps its plans for the session: the policies call it once
               // per statement, so each call must cost next to nothing.
               "CREATE OR REPLACE FUNCTION kordex_ich(OUT firma text, OUT kuerzel text,"
               " OUT pnr text, OUT abtnr text, OUT habt text, OUT liest boolean,"
               " OUT eingeschraenkt boolean, OUT gebunden boolean)"
               " LANGUAGE plpgsql STABLE SECURITY DEFINER%1 AS $f$\n"
               "#variable_conflict use_column\n"
               "BEGIN\n"
               "  SELECT p.firma, p.kuerzel, p.pnr, p.abtnr, a.habt,"
               " p.erlaubt = 'J' AND p.aktiv = 'J' AND p.bergrp >= 3,"
               " p.eingeschraenkt = 'J', p.abteilungsgebunden = 'J'"
               " INTO firma, kuerzel, pnr, abtnr, habt, liest, eingeschraenkt, gebunden"
               " FROM personal p LEFT JOIN abteilung a ON a.firma = p.firma AND a.abtnr = p.abtnr"
               " WHERE p.rolle = session_user;\n"
               "END $f$;\n"
               // The departments a restricted user may choose; a department without
               // rules chooses any.
               "CREATE OR REPLACE FUNCTION kordex_abteilungen() RETURNS text[]"
               " LANGUAGE plpgsql STABLE SECURITY DEFINER%1 AS $f$\n"
               "DECLARE v_abteilungen text[];\n"
               "BEGIN\n"
               "  SELECT coalesce(array_agg(a.abtnr), '{}') INTO v_abteilungen FROM kordex_ich() i"
               " JOIN abteilung a ON a.firma = i.firma"
               " WHERE NOT EXISTS (SELECT 1 FROM abteilungsrecht r WHERE r.eigene = i.abtnr)"
               " OR EXISTS (SELECT 1 FROM abteilungsrecht r WHERE r.eigene = i.abtnr AND"
               " CASE WHEN r.praefix THEN starts_with(a.abtnr, r.erlaubt)"
               " ELSE a.abtnr = r.erlaubt END);\n"
               "  RETURN v_abteilungen;\n"
               "END $f$;\n"
               // A user may rebuild the own company when allowed to use the program;
               // a role that is no KORDEX user only as the store's owner.
               "CREATE OR REPLACE FUNCTION kordex_darf_generieren(p_firma text) RETURNS boolean"
               " LANGUAGE sql STABLE SECURITY DEFINER%1 AS $f$"
               " SELECT CASE WHEN EXISTS (SELECT 1 FROM personal WHERE rolle = session_user)"
               " THEN EXISTS (SELECT 1 FROM kordex_ich() i WHERE i.liest AND i.firma = p_firma)"
               " ELSE pg_has_role(session_user, (SELECT relowner FROM pg_class"
               " WHERE oid = 'personal'::regclass), 'USAGE') END $f$;\n"
               "CREATE OR REPLACE FUNCTION kordex_generieren(p_firma text, p_von integer,"
               " p_bis integer, p_tag integer) RETURNS void"
               " LANGUAGE plpgsql VOLATILE SECURITY DEFINER%1 AS $f$\n"
               "DECLARE v_von integer; v_wer text;\n"
               "BEGIN\n"
               "  IF NOT kordex_darf_generieren(p_firma) THEN\n"
               "    RAISE EXCEPTION 'Keine Berechtigung, die Daten der Firma % neu aufzubauen',"
               " p_firma USING ERRCODE = '42501';\n"
               "  END IF;\n"
               "  IF NOT EXISTS (SELECT 1 FROM firma WHERE firma.firma = p_firma) THEN\n"
               "    RAISE EXCEPTION 'Firma % unbekannt', p_firma USING ERRCODE = 'P0002';\n"
               "  END IF;\n"
               // One rebuild of a company at a time; a second one is refused at once and
               // told who runs the first.
               "  IF NOT pg_try_advisory_xact_lock(43817, p_firma::integer) THEN\n"
               "    SELECT coalesce(p.kuerzel || ' (' || p.pname || ')', a.usename::text)"
               " INTO v_wer FROM pg_locks l JOIN pg_stat_activity a ON a.pid = l.pid"
               " LEFT JOIN personal p ON p.rolle = a.usename::text"
               " WHERE l.locktype = 'advisory' AND l.classid = 43817"
               " AND l.objid = p_firma::integer::oid AND l.granted LIMIT 1;\n"
               "    RAISE EXCEPTION 'Die Daten der Firma % werden gerade von % neu aufgebaut."
               " Bitte später noch einmal versuchen.', p_firma, coalesce(v_wer, 'einem anderen"
               " Benutzer') USING ERRCODE = '55P03';\n"
               "  END IF;\n"
               "  PERFORM set_config('work_mem', '256MB', true);\n"
               "  PERFORM set_config('synchronous_commit', 'off', true);\n"
               // Archived years have no lines any more: their sums are kept as they are.
               "  v_von := greatest(p_von, coalesce((SELECT wert::integer FROM kordex_meta"
               " WHERE schluessel = 'archiviert_vor'), 0));\n"
               "  IF v_von <= p_bis THEN\n%2  END IF;\n"
               "  %3;\n"
               // a year or more moves the statistics; a few months hardly do
               "  IF (p_bis / 100 * 12 + p_bis % 100) - (p_von / 100 * 12 + p_von % 100) >= 11"
               " THEN\n"
               "    ANALYZE %4;\n"
               "  END IF;\n"
               "END $f$;\n")
        .arg(path, body, dataBasis, Rebuild::analysedTables().join(QStringLiteral(", ")));
}

} // namespace

QString ServerRights::roleName(const QString &company, const QString &code)
{
    return QStringLiteral("kx_") + company + QLatin1Char('_') + code.toLower();
}

bool ServerRights::installed(SqlConnection &sql)
{
    return sql.scalar(QStringLiteral("SELECT wert FROM kordex_meta WHERE schluessel = ?"),
                      { rightsKey })
        == rightsVersion;
}

void ServerRights::install(SqlConnection &sql)
{
    const QString schema = quotedIdentifier(sql.scalar(QStringLiteral("SELECT current_schema()")));
    createGroupRole(sql);
    sql.script(QStringLiteral(
        "ALTER TABLE personal ADD COLUMN IF NOT EXISTS rolle TEXT GENERATED ALWAYS AS"
        " ('kx_' || firma || '_' || lower(kuerzel)) STORED;"
        "CREATE UNIQUE INDEX IF NOT EXISTS personal_rolle ON personal (rolle)"));
    writeDepartmentTable(sql);
    sql.script(functions(schema));
    sql.script(QStringLiteral("REVOKE ALL ON ALL FUNCTIONS IN SCHEMA %1 FROM PUBLIC;"
                              "GRANT USAGE ON SCHEMA %1 TO kordex_benutzer;"
                              "GRANT EXECUTE ON FUNCTION kordex_ich(), kordex_abteilungen(),"
                              " kordex_darf_generieren(text),"
                              " kordex_generieren(text, integer, integer, integer)"
                              " TO kordex_benutzer")
                   .arg(schema));
    for (const Policy &policy : policies()) {
        // personal: every column but the password hash
        const QString grant = policy.table == QLatin1String("personal")
            ? QStringLiteral("GRANT SELECT (firma, kuerzel, pname, pnr, abtnr, dw, bergrp, aktiv,"
                             " erlaubt, eingeschraenkt, abteilungsgebunden, rolle) ON personal"
                             " TO kordex_benutzer")
            : QStringLiteral("GRANT SELECT ON %1 TO kordex_benutzer").arg(policy.table);
        sql.script(QStringLiteral("REVOKE ALL ON %1 FROM PUBLIC, kordex_benutzer;"
                                  "ALTER TABLE %1 ENABLE ROW LEVEL SECURITY;"
                                  "DROP POLICY IF EXISTS kordex_lesen ON %1;"
                                  "CREATE POLICY kordex_lesen ON %1 FOR SELECT TO kordex_benutzer"
                                  " USING (%2);%3")
                       .arg(policy.table, policy.condition, grant));
    }
    // Tables no user reads: the sales lines and the department table.
    for (const char *table : { "umsatzzeile", "abteilungsrecht" })
        sql.script(QStringLiteral("REVOKE ALL ON %1 FROM PUBLIC, kordex_benutzer;"
                                  "ALTER TABLE %1 ENABLE ROW LEVEL SECURITY")
                       .arg(QLatin1String(table)));
    sql.execute(QStringLiteral("INSERT INTO kordex_meta (schluessel, wert) VALUES (?, ?)"
                               " ON CONFLICT (schluessel) DO UPDATE SET wert = excluded.wert"),
                { rightsKey, rightsVersion });
}

void ServerRights::setRole(SqlConnection &sql, const QString &company, const QString &code,
                           const std::optional<QString> &password, bool active)
{
    const QString role = quotedIdentifier(roleName(company, code));
    if (sql.query(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"),
                  { roleName(company, code) })
            .isEmpty())
        sql.script(QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(role));
    sql.script(QStringLiteral("GRANT kordex_benutzer TO %1;ALTER ROLE %1 %2")
                   .arg(role, active ? QStringLiteral("LOGIN") : QStringLiteral("NOLOGIN")));
    if (password)
        sql.script(
            QStringLiteral("ALTER ROLE %1 PASSWORD %2")
                .arg(role,
                     quotedLiteral(sql.passwordVerifier(roleName(company, code), *password))));
}

QStringList ServerRights::carryOverUsers(SqlConnection &sql)
{
    QStringList needPassword;
    // A role made before (an earlier upgrade, a password set since) keeps its password.
    for (const SqlRow &row : sql.query(QStringLiteral(
             "SELECT firma, kuerzel, aktiv FROM personal ORDER BY firma, kuerzel"))) {
        const bool existed = !sql.query(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"),
                                        { roleName(row[0], row[1]) })
                                  .isEmpty();
        setRole(sql, row[0], row[1], std::nullopt, row[2] == QLatin1String("J"));
        if (!existed)
            needPassword.append(row[0] + QLatin1Char('/') + row[1]);
    }
    sql.script(QStringLiteral("UPDATE personal SET passwort_hash = '' WHERE passwort_hash <> ''"));
    return needPassword;
}

std::optional<SessionUser> ServerRights::sessionUser(SqlConnection &sql)
{
    const QList<SqlRow> rows = sql.query(QStringLiteral(
        "SELECT firma, kuerzel, abtnr, habt, liest, eingeschraenkt, gebunden FROM kordex_ich()"
        " WHERE firma IS NOT NULL"));
    if (rows.isEmpty())
        return std::nullopt;
    const SqlRow &r = rows.first();
    const auto yes = [](const QString &flag) { return flag == QLatin1String("t"); };
    return SessionUser { r[0], r[1], r[2], r[3], yes(r[4]), yes(r[5]), yes(r[6]) };
}

} // namespace kordex
