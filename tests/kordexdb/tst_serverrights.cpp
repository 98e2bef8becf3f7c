// The rights a PostgreSQL store holds itself, seen as a desktop user sees them: each
// KORDEX user logs in with libpq as their own role, with nothing but their own code and
// password, and can read no more than the program shows, and write nothing.
#include "CreateFactory.h"
#include "DemoGenerator.h"
#include "PgTestServer.h"
#include "Schema.h"
#include "ServerAccess.h"
#include "ServerRights.h"
#include "Store.h"
#include "StoreFactory_p.h"
#include "TestDoubles.h"
#include "UserAdmin.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <kordex/DepartmentRights.h>
#include <libpq-fe.h>
#include <memory>

using ertragon::test::PgTestServer;

namespace {

const QString denied = QStringLiteral("denied");

struct Connection
{
    PGconn *conn = nullptr;
    ~Connection() { PQfinish(conn); }
};

// One value, "denied" for a refused privilege, or the error itself.
QString answer(PGconn *conn, const QString &sql)
{
    PGresult *result = PQexec(conn, sql.toUtf8().constData());
    QString text;
    const auto status = PQresultStatus(result);
    if (status == PGRES_TUPLES_OK)
        text = PQntuples(result) > 0 ? QString::fromUtf8(PQgetvalue(result, 0, 0)) : QString();
    else if (status == PGRES_COMMAND_OK)
        text = QStringLiteral("done");
    else if (qstrcmp(PQresultErrorField(result, PG_DIAG_SQLSTATE), "42501") == 0)
        text = denied;
    else
        text = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    PQclear(result);
    return text;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

} // namespace

class TestServerRights : public QObject
{
    Q_OBJECT

    PgTestServer m_server;

    std::unique_ptr<Connection> connectAs(const QString &code, const QString &password = "demo",
                                          const QString &company = QStringLiteral("1"))
    {
        auto c = std::make_unique<Connection>();
        const QByteArray info
            = QStringLiteral("host=%1 port=%2 dbname=kordex user=%3 password='%4'")
                  .arg(m_server.host(), m_server.port(),
                       kordex::ServerRights::roleName(company, code), password)
                  .toUtf8();
        c->conn = PQconnectdb(info.constData());
        return c;
    }
    std::unique_ptr<kordex::Store> admin()
    {
        QString why;
        auto store = kordex::Store::open(m_server.host(), m_server.port(), false, &why);
        if (!store)
            qWarning("%s", qPrintable(why));
        return store;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString why;
        if (PgTestServer::binaryDirectory().isEmpty())
            QSKIP("PostgreSQL is not installed");
        QVERIFY2(m_server.start(&why), qPrintable(why));
        auto store = kordex::Store::open(m_server.host(), m_server.port(), true, &why);
        QVERIFY2(store, qPrintable(why));
        kordex::DemoGenerator::Options options;
        options.lines = 20000;
        options.today = QDate(2025, 6, 15);
        kordex::DemoGenerator(store->sql(), options).run();
    }

    void loginNeedsTheUsersOwnPassword_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("restricted user") << "LEH"
                                         << "demo" << true;
        QTest::newRow("wrong password") << "LEH"
                                        << "Demo" << false;
        QTest::newRow("no password") << "LEH"
                                     << "" << false;
        QTest::newRow("unknown code") << "XYZ"
                                      << "demo" << false;
        QTest::newRow("inactive user") << "ALT"
                                       << "demo" << false;
    }

    void loginNeedsTheUsersOwnPassword()
    {
        QFETCH(QString, code);
        QFETCH(QString, password);
        const auto c = connectAs(code, password);
        QTEST(PQstatus(c->conn) == CONNECTION_OK, "loggedIn");
    }

    // What each user reads: "denied", "t"/"f", a count or a code.
    void whatAUserReads_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        for (const char *user : { "LEH", "OTT", "DEM" }) {
            const QString u = QString::fromLatin1(user);
            QTest::newRow(qPrintable(u + QStringLiteral(": password hashes")))
                << u << "SELECT passwort_hash FROM personal" << denied;
            QTest::newRow(qPrintable(u + QStringLiteral(": server verifiers")))
                << u << "SELECT rolpassword FROM pg_authid" << denied;
            QTest::newRow(qPrintable(u + QStringLiteral(": pg_shadow")))
                << u << "SELECT passwd FROM pg_shadow" << denied;
            QTest::newRow(qPrintable(u + QStringLiteral(": personnel records")))
                << u << "SELECT count(*) FROM personal"
                << "1";
            QTest::newRow(qPrintable(u + QStringLiteral(": own record")))
                << u << "SELECT kuerzel FROM personal" << u;
            QTest::newRow(qPrintable(u + QStringLiteral(": basis records")))
                << u << "SELECT count(*) FROM persbasis"
                << "1";
            QTest::newRow(qPrintable(u + QStringLiteral(": sales lines")))
                << u << "SELECT count(*) FROM umsatzzeile" << denied;
            QTest::newRow(qPrintable(u + QStringLiteral(": department table")))
                << u << "SELECT count(*) FROM abteilungsrecht" << denied;
            QTest::newRow(qPrintable(u + QStringLiteral(": another company's lists")))
                << u << "SELECT count(*) FROM abteilung WHERE firma = '2'"
                << "0";
            QTest::newRow(qPrintable(u + QStringLiteral(": the department list")))
                << u << "SELECT count(*) > 20 FROM abteilung"
                << "t";
        }
        // LEH: restricted, own department B0 in main department 10; may choose B* and M7
        QTest::newRow("LEH: a forbidden department")
            << "LEH"
            << "SELECT count(*) FROM summe_abt WHERE abtnr = 'M1'"
            << "0";
        QTest::newRow("LEH: forbidden, at the finest grain")
            << "LEH"
            << "SELECT count(*) FROM summe_voll WHERE habt <> '10' AND abtnr <> 'M7'"
            << "0";
        QTest::newRow("LEH: a department the table allows")
            << "LEH"
            << "SELECT count(*) > 0 FROM summe_hgrp WHERE abtnr = 'M7'"
            << "t";
        QTest::newRow("LEH: the own main department")
            << "LEH"
            << "SELECT count(*) > 0 FROM summe_abt WHERE habt = '10'"
            << "t";
        QTest::newRow("LEH: the company total") << "LEH"
                                                << "SELECT count(*) FROM summe_firma"
                                                << "0";
        // OTT: department-bound, own department B1; may choose B1 and M7
        QTest::newRow("OTT: a forbidden department")
            << "OTT"
            << "SELECT count(*) FROM summe_ugrp WHERE abtnr = 'M5'"
            << "0";
        QTest::newRow("OTT: the company total") << "OTT"
                                                << "SELECT count(*) FROM summe_firma"
                                                << "0";
        QTest::newRow("OTT: a department the table allows")
            << "OTT"
            << "SELECT count(*) > 0 FROM summe_art WHERE abtnr = 'M7'"
            << "t";
        // DEM: full rights in company 1 only
        QTest::newRow("DEM: the company total")
            << "DEM"
            << "SELECT count(*) > 0 FROM summe_firma WHERE firma = '1'"
            << "t";
        QTest::newRow("DEM: another company's sums")
            << "DEM"
            << "SELECT count(*) FROM summe_abt WHERE firma = '2'"
            << "0";
        // below rights group 3 or not permitted: the own records for the login, nothing else
        for (const char *user : { "AZU", "GAS" }) {
            const QString u = QString::fromLatin1(user);
            QTest::newRow(qPrintable(u + QStringLiteral(": sums")))
                << u << "SELECT count(*) FROM summe_abt"
                << "0";
            QTest::newRow(qPrintable(u + QStringLiteral(": lists")))
                << u << "SELECT count(*) FROM profitcenter"
                << "0";
            QTest::newRow(qPrintable(u + QStringLiteral(": own department record")))
                << u << "SELECT count(*) FROM abteilung"
                << "1";
            QTest::newRow(qPrintable(u + QStringLiteral(": own record")))
                << u << "SELECT kuerzel FROM personal" << u;
        }
    }

    void whatAUserReads()
    {
        QFETCH(QString, code);
        QFETCH(QString, sql);
        const auto c = connectAs(code);
        QVERIFY2(PQstatus(c->conn) == CONNECTION_OK, PQerrorMessage(c->conn));
        QTEST(answer(c->conn, sql), "expected");
    }

    void writesAreRefused_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("sql");
        QStringList tables = kordex::Schema::tables();
        tables << QStringLiteral("abteilungsrecht");
        auto store = admin();
        QVERIFY(store);
        for (const char *user : { "LEH", "OTT", "DEM" }) {
            const QString u = QString::fromLatin1(user);
            for (const QString &table : std::as_const(tables)) {
                const QString column = store->sql().scalar(
                    QStringLiteral("SELECT column_name FROM information_schema.columns WHERE"
                                   " table_name = ? ORDER BY ordinal_position LIMIT 1"),
                    { table });
                QTest::newRow(qPrintable(u + QStringLiteral(": insert into ") + table))
                    << u << QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
                QTest::newRow(qPrintable(u + QStringLiteral(": update ") + table))
                    << u << QStringLiteral("UPDATE %1 SET %2 = %2").arg(table, column);
                QTest::newRow(qPrintable(u + QStringLiteral(": delete from ") + table))
                    << u << QStringLiteral("DELETE FROM %1").arg(table);
            }
            QTest::newRow(qPrintable(u + QStringLiteral(": own rights")))
                << u << "UPDATE personal SET eingeschraenkt = 'N'";
            QTest::newRow(qPrintable(u + QStringLiteral(": another user's password")))
                << u << "ALTER ROLE kx_1_mai PASSWORD 'neu'";
            QTest::newRow(qPrintable(u + QStringLiteral(": own login group")))
                << u << "ALTER ROLE kordex_benutzer LOGIN";
        }
    }

    void writesAreRefused()
    {
        QFETCH(QString, code);
        QFETCH(QString, sql);
        const auto c = connectAs(code);
        QVERIFY2(PQstatus(c->conn) == CONNECTION_OK, PQerrorMessage(c->conn));
        QCOMPARE(answer(c->conn, sql), denied);
    }

    void rebuildNeedsTheRight_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("day"); // the build day the rebuild records
        QTest::addColumn<QString>("expected");
        QTest::newRow("full rights") << "DEM"
                                     << "1"
                                     << "1250601"
                                     << "";
        QTest::newRow("restricted, own company") << "LEH"
                                                 << "1"
                                                 << "1250602"
                                                 << "";
        QTest::newRow("rights group 2") << "AZU"
                                        << "1"
                                        << "1250603" << denied;
        QTest::newRow("not permitted") << "GAS"
                                       << "1"
                                       << "1250604" << denied;
        QTest::newRow("another company") << "DEM"
                                         << "2"
                                         << "1250605" << denied;
    }

    void rebuildNeedsTheRight()
    {
        QFETCH(QString, code);
        QFETCH(QString, company);
        QFETCH(QString, day);
        QFETCH(QString, expected);
        const auto c = connectAs(code);
        QVERIFY2(PQstatus(c->conn) == CONNECTION_OK, PQerrorMessage(c->conn));
        QCOMPARE(answer(c->conn,
                        QStringLiteral("SELECT kordex_generieren('%1', 12504, 12505, %2)")
                            .arg(company, day)),
                 expected);
        // a refused rebuild wrote nothing
        auto store = admin();
        QVERIFY(store);
        const QString recorded = store->sql().scalar(
            QStringLiteral("SELECT tagnummer FROM datenbasis WHERE firma = ?"), { company });
        QCOMPARE(recorded == day, expected != denied);
    }

    // The store's copy of the department table is the program's, and the policies give
    // a restricted user exactly the departments the program lets them choose.
    void departmentRulesAgree()
    {
        auto store = admin();
        QVERIFY(store);
        QSet<QString> stored;
        for (const QStringList &row : store->sql().query(
                 QStringLiteral("SELECT eigene, erlaubt, praefix FROM abteilungsrecht")))
            stored.insert(row.join(QLatin1Char('|')));
        QSet<QString> defined;
        for (const auto &rule : kordex::DepartmentRights::rules())
            defined.insert(rule.own + u'|' + rule.allowed
                           + (rule.prefix ? QStringLiteral("|t") : QStringLiteral("|f")));
        QCOMPARE(stored, defined);

        QStringList departments;
        for (const QStringList &row : store->sql().query(
                 QStringLiteral("SELECT abtnr FROM abteilung WHERE firma = '1' ORDER BY abtnr")))
            departments << row.first();
        QSet<QString> owners { QStringLiteral("S1") }; // one without rules: chooses any
        for (const auto &rule : kordex::DepartmentRights::rules())
            owners.insert(rule.own);
        kordex::UserAdmin users(store->sql());
        for (const QString &own : std::as_const(owners)) {
            kordex::UserSettings s;
            s.company = QStringLiteral("1");
            s.code = QStringLiteral("LEH");
            s.department = own;
            users.set(s);
            QStringList allowed;
            for (const QString &department : std::as_const(departments))
                if (kordex::DepartmentRights::allowed(own, department))
                    allowed << department;
            const auto c = connectAs(QStringLiteral("LEH"));
            const QString seen
                = answer(c->conn,
                         QStringLiteral("SELECT array_to_string(ARRAY(SELECT"
                                        " unnest(kordex_abteilungen()) ORDER BY 1), ',')"));
            QCOMPARE(seen, allowed.join(QLatin1Char(',')));
        }
        kordex::UserSettings back;
        back.company = QStringLiteral("1");
        back.code = QStringLiteral("LEH");
        back.department = QStringLiteral("B0");
        users.set(back);
    }

    // A store of the earlier kind (no roles, no policies, password hashes in the table)
    // moves over: every user gets a role; those without one are named.
    void upgradeCarriesUsersOver()
    {
        auto store = admin();
        QVERIFY(store);
        kordex::SqlConnection &sql = store->sql();
        sql.script(QStringLiteral(
            "DELETE FROM kordex_meta WHERE schluessel = 'rechte'; DROP ROLE kx_1_abe;"
            "UPDATE personal SET passwort_hash = 'pbkdf2-sha256$1$YQ==$YQ==';"
            "DROP INDEX summe_abt_pc; CREATE INDEX summe_abt_pc ON summe_abt (firma, periode)"));
        QString why;
        QVERIFY(!kordex::Store::open(m_server.host(), m_server.port(), false, &why));
        QVERIFY2(why.contains(QLatin1String("kordexdb upgrade")), qPrintable(why));
        kordex::Transaction transaction(sql);
        kordex::ServerRights::install(sql);
        const QStringList needPassword = kordex::ServerRights::carryOverUsers(sql);
        QVERIFY(kordex::Schema::renewUnitIndexes(sql)); // the old index shape
        QVERIFY(!kordex::Schema::renewUnitIndexes(sql));
        transaction.commit();
        QCOMPARE(needPassword, QStringList { QStringLiteral("1/ABE") });
        QCOMPARE(
            sql.scalar(QStringLiteral("SELECT count(*) FROM personal WHERE passwort_hash <> ''")),
            QStringLiteral("0"));
        QVERIFY(admin());
        QCOMPARE(PQstatus(connectAs(QStringLiteral("DEM"))->conn), CONNECTION_OK);
        QVERIFY(PQstatus(connectAs(QStringLiteral("ABE"))->conn) != CONNECTION_OK);
        kordex::UserSettings abe;
        abe.company = QStringLiteral("1");
        abe.code = QStringLiteral("ABE");
        abe.password = QStringLiteral("neu");
        kordex::UserAdmin(sql).set(abe);
        QCOMPARE(PQstatus(connectAs(QStringLiteral("ABE"), QStringLiteral("neu"))->conn),
                 CONNECTION_OK);
    }

    // TLS with sslmode=verify-full: a server whose certificate comes from the given root
    // is accepted; one from another root is refused with a German message, not retried.
    void verifiedServer()
    {
        QTemporaryDir dir;
        const auto path = [&dir](const char *name) { return dir.filePath(QLatin1String(name)); };
        for (const char *ca : { "root", "foreign" })
            QVERIFY(run(QStringLiteral("openssl"),
                        { "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                          QStringLiteral("/CN=Kette %1").arg(QLatin1String(ca)), "-keyout",
                          path(ca) + ".key", "-out", path(ca) + ".crt" }));
        QVERIFY(run(QStringLiteral("openssl"),
                    { "req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1", "-keyout",
                      path("server.key"), "-out", path("server.csr") }));
        QFile extensions(path("san.cnf"));
        QVERIFY(extensions.open(QIODevice::WriteOnly));
        extensions.write("subjectAltName = IP:127.0.0.1\n");
        extensions.close();
        QVERIFY(run(QStringLiteral("openssl"),
                    { "x509", "-req", "-in", path("server.csr"), "-CA", path("root.crt"), "-CAkey",
                      path("root.key"), "-CAcreateserial", "-days", "2", "-extfile",
                      path("san.cnf"), "-out", path("server.crt") }));
        PgTestServer tls;
        tls.useTls(path("server.crt"), path("server.key"));
        QString why;
        QVERIFY2(tls.start(&why), qPrintable(why));
        {
            auto store = kordex::Store::open(tls.host(), tls.port(), true, &why);
            QVERIFY2(store, qPrintable(why));
            kordex::DemoGenerator::Options options;
            options.lines = 100;
            kordex::DemoGenerator(store->sql(), options).run();
        }
        qputenv("PGSSLMODE", "verify-full");
        for (const char *root : { "root", "foreign" }) {
            qputenv("PGSSLROOTCERT", (path(root) + QStringLiteral(".crt")).toUtf8());
            FakePrompter prompter;
            FakeWaiter waiter;
            ertragon::ServerAccess access(&kordex::createFactory, prompter, waiter);
            ertragon::ServerContext &c = access.context();
            c.connectString = tls.connectString();
            c.server = tls.host();
            c.port = tls.port();
            c.firma = QStringLiteral("1");
            c.name = QStringLiteral("DEM");
            c.password = QStringLiteral("demo");
            const bool trusted = qstrcmp(root, "root") == 0;
            QCOMPARE(access.EnsureConnected(), trusted);
            QCOMPARE(waiter.waits, 0);
            if (!trusted) {
                QCOMPARE(prompter.boxes.size(), 1);
                QVERIFY2(prompter.boxes.first().text.contains(
                             QStringLiteral("Der Server 127.0.0.1 (Port %1) konnte nicht als"
                                            " vertrauenswürdig bestätigt werden")
                                 .arg(tls.port())),
                         qPrintable(prompter.boxes.first().text));
                QVERIFY(!access.shutdownRequested());
            }
        }
        qunsetenv("PGSSLMODE");
        qunsetenv("PGSSLROOTCERT");
    }
};

QTEST_GUILESS_MAIN(TestServerRights)
#include "tst_serverrights.moc"
