// The database service through its factory interface, on SQLite or (built
// with KORDEX_TEST_POSTGRES) on a PostgreSQL server started for the test.
#include "Archive.h"
#include "CreateFactory.h"
#include "Period.h"
#include "PeriodSums.h"
#include "Schema.h"
#include "StoreFactory_p.h"
#include "StoreFixture.h"

#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <kordex/ErrorNumbers.h>
#include <kordex/Factory.h>
#include <kordex/ServerError.h>

using namespace kordex;

#ifdef KORDEX_TEST_POSTGRES
constexpr bool onPostgres = true;
#else
constexpr bool onPostgres = false;
#endif

namespace {

const QChar itemSeparator(0xFF);

int errorOf(const std::function<void()> &action, QString *description = nullptr)
{
    try {
        action();
    } catch (const ServerError &e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

QStringList firstRow(Factory &factory, const QString &cls, const QString &query,
                     const QStringList &args)
{
    auto result = factory.OpenQuery(cls, query);
    result->RunQuery(args);
    QStringList row;
    if (result->NextRow()) {
        for (int c = 1;; ++c) {
            if (errorOf([&] { row.append(result->ColumnValue(c)); }) != 0)
                break;
        }
    }
    result->SYS_Close();
    return row;
}

QStringList codes(Factory &factory, const QString &query, const QStringList &args)
{
    auto result = factory.OpenQuery(QStringLiteral("KXUmsatz.Daten"), query);
    result->RunQuery(args);
    QStringList list;
    while (result->NextRow())
        list.append(result->ColumnValue(1));
    return list;
}

qint64 cents(const QString &money)
{
    return qRound64(money.toDouble() * 100);
}

} // namespace

class TestKordexStore : public QObject
{
    Q_OBJECT

private:
    StoreFixture m_fixture;
    std::unique_ptr<StoreFactory> m_factory;

    Factory &factory() { return *m_factory; }
    QString xecute(const QString &command)
    {
        auto windows = m_factory->NewObject(QStringLiteral("KX.Windows"));
        return windows->call(QStringLiteral("Xecute"), { command });
    }
    QString generate(const QString &company, const QString &from, const QString &to)
    {
        auto daten = m_factory->NewObject(QStringLiteral("KXUmsatz.Daten"));
        return daten->call(QStringLiteral("Generieren"), { company, from, to });
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString why;
        if (!m_fixture.setUp(onPostgres, &why)) {
            if (ertragon::test::PgTestServer::binaryDirectory().isEmpty())
                QSKIP("PostgreSQL is not installed");
            QFAIL(qPrintable(why));
        }
        QVERIFY2(m_fixture.makeDemo(&why), qPrintable(why));
    }

    void init()
    {
        m_factory = std::make_unique<StoreFactory>();
        m_factory->setToday(StoreFixture::demoToday());
        QVERIFY(m_factory->OpenConnection(m_fixture.connectString()));
        QVERIFY(m_factory->IsConnected());
    }

    void cleanup() { m_factory.reset(); }

    void connectionFailures_data()
    {
        QTest::addColumn<QString>("connectString");
        QTest::newRow("missing file")
            << QStringLiteral("cn_iptcp:%1/none/x.db[1972]:KORDEX").arg(QDir::tempPath());
        QTest::newRow("missing relative file")
            << QStringLiteral("cn_iptcp:nothing-here.db[1]:KORDEX");
        QTest::newRow("not a connect string") << QStringLiteral("tcp:server[1972]:KORDEX");
        QTest::newRow("no port brackets") << QStringLiteral("cn_iptcp:server:KORDEX");
        QTest::newRow("unreachable server") << QStringLiteral("cn_iptcp:127.0.0.1[1]:KORDEX");
    }

    void connectionFailures()
    {
        QFETCH(QString, connectString);
        auto other = createFactory();
        QVERIFY(!other->OpenConnection(connectString));
        QVERIFY(!other->IsConnected());
        QCOMPARE(errorOf([&] {
                     other->OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                      QStringLiteral("Profitcenter"));
                 }),
                 error::NotConnected);
        QVERIFY(!QFile::exists(QStringLiteral("nothing-here.db")));
    }

    void objectProperties_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("value");
        QTest::newRow("password never readable") << "KX.ParPersEdv"
                                                 << "1||DEM"
                                                 << "Passwort"
                                                 << "";
        QTest::newRow("active") << "KX.ParPersEdv"
                                << "1||DEM"
                                << "AKTIV"
                                << "J";
        QTest::newRow("inactive") << "KX.ParPersEdv"
                                  << "1||ALT"
                                  << "AKTIV"
                                  << "N";
        QTest::newRow("rights") << "KX.ParPersEdv"
                                << "1||DEM"
                                << "BERGRP"
                                << "9";
        QTest::newRow("rights group 2") << "KX.ParPersEdv"
                                        << "1||AZU"
                                        << "BERGRP"
                                        << "2";
        QTest::newRow("department") << "KX.ParPersEdv"
                                    << "1||THO"
                                    << "AbtNr"
                                    << "M5";
        QTest::newRow("name in server form") << "KX.ParPersEdv"
                                             << "1||OTT"
                                             << "PNAME"
                                             << "Otto \\zt}rk";
        QTest::newRow("property case") << "KX.ParPersEdv"
                                       << "1||DEM"
                                       << "pname"
                                       << "Demo Benutzer";
        QTest::newRow("department name") << "KX.ParPersAbt"
                                         << "1||B2"
                                         << "abtbez"
                                         << "D{mmstoffe";
        QTest::newRow("main department") << "KX.ParPersAbt"
                                         << "1||MB"
                                         << "HAbtNr"
                                         << "60";
        QTest::newRow("department number") << "KX.ParPersAbt"
                                           << "1||MB"
                                           << "AbtNr"
                                           << "MB";
        QTest::newRow("e-mail") << "KX.PersBasis"
                                << "1||1001"
                                << "EMAIL"
                                << "dem@mueller-soehne.example";
        QTest::newRow("company 2 user") << "KX.ParPersEdv"
                                        << "2||DEM"
                                        << "AKTIV"
                                        << "J";
    }

    void objectProperties()
    {
        QFETCH(QString, className);
        QFETCH(QString, id);
        QFETCH(QString, property);
        QFETCH(QString, value);
        auto object = factory().OpenObject(className, id);
        QCOMPARE(object->property(property), value);
        object->SYS_Close();
        QCOMPARE(errorOf([&] { object->property(property); }), error::Closed);
    }

    void throughMethods_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("result");
        QTest::newRow("name") << "KX.ParPersEdv"
                              << "1||DEM"
                              << "PNAMELogicalToODBC"
                              << "J}rgen M}ller"
                              << "Jürgen Müller";
        QTest::newRow("all letters") << "KX.ParPersEdv"
                                     << "1||DEM"
                                     << "PNAMELogicalToODBC"
                                     << "{|}~[\\]õ"
                                     << "äöüßÄÖÜ§";
        QTest::newRow("department") << "KX.ParPersAbt"
                                    << "1||B2"
                                    << "ABTBEZlogicaltoodbc"
                                    << "D{mmstoffe"
                                    << "Dämmstoffe";
        QTest::newRow("case of name") << "KX.ParPersAbt"
                                      << "1||B2"
                                      << "AbtBezLogicalToOdbc"
                                      << "Gr}n"
                                      << "Grün";
        QTest::newRow("e-mail") << "KX.PersBasis"
                                << "1||1001"
                                << "EMailLogicalToODBC"
                                << "a@b.example"
                                << "a@b.example";
        // PostgreSQL checked the password when the session logged in: this session is
        // the admin's, never DEM's (the login as DEM: tst_server_store_postgres)
        QTest::newRow("right password") << "KX.ParPersEdv"
                                        << "1||DEM"
                                        << "PasswortPruefen"
                                        << "demo" << (onPostgres ? "0" : "1");
        QTest::newRow("wrong case") << "KX.ParPersEdv"
                                    << "1||DEM"
                                    << "PasswortPruefen"
                                    << "Demo"
                                    << "0";
        QTest::newRow("empty password") << "KX.ParPersEdv"
                                        << "1||DEM"
                                        << "PasswortPruefen"
                                        << ""
                                        << "0";
        QTest::newRow("injection") << "KX.ParPersEdv"
                                   << "1||DEM"
                                   << "PasswortPruefen"
                                   << "1' OR '1'='1"
                                   << "0";
    }

    void throughMethods()
    {
        QFETCH(QString, className);
        QFETCH(QString, id);
        QFETCH(QString, method);
        QFETCH(QString, argument);
        QFETCH(QString, result);
        auto object = factory().OpenObject(className, id);
        QCOMPARE(object->call(method, { argument }), result);
    }

    void errors_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("reason"); // part of the description
        QTest::newRow("unknown class") << 0 << error::UnknownClass << QString();
        QTest::newRow("unknown id") << 1 << error::ObjectNotFound << QString();
        QTest::newRow("id without parts") << 2 << error::BadId << QString();
        QTest::newRow("unknown property") << 3 << error::UnknownProperty << QString();
        QTest::newRow("unknown method") << 4 << error::UnknownMethod << QString();
        QTest::newRow("unknown query") << 5 << error::UnknownQuery << QString();
        QTest::newRow("query of unknown class") << 6 << error::UnknownClass << QString();
        QTest::newRow("new object of unknown class") << 7 << error::UnknownClass << QString();
        QTest::newRow("column before NextRow") << 8 << error::NoCurrentRow << QString();
        QTest::newRow("column 3 of 2") << 9 << error::BadColumn << QString();
        QTest::newRow("too few arguments") << 10 << error::ArgumentCount << QString();
        QTest::newRow("malformed period") << 11 << error::BadArgument << QString();
        QTest::newRow("four-digit year") << 12 << error::BadArgument << QString();
        QTest::newRow("reversed range") << 13 << error::BadArgument << QString();
        QTest::newRow("NextRow before RunQuery") << 14 << error::NotRun << QString();
        QTest::newRow("after CloseConnection") << 15 << error::NotConnected << QString();
        QTest::newRow("too many DatWH pieces") << 16 << error::BadArgument << QString();
        QTest::newRow("unknown user department")
            << 17 << error::ObjectNotFound
            << QString("Abteilung \"ZZ\" der Firma \"1\" nicht gefunden");
        QTest::newRow("user without department")
            << 18 << error::ObjectNotFound << QString("keine Abteilung angegeben");
        QTest::newRow("10 MB period")
            << 19 << error::BadArgument << QString("Ungültige Periode \"999");
        QTest::newRow("command with escape sequence")
            << 20 << error::UnknownCommand
            << QString("Unbekannter Befehl: \"K \\u001b]2;x\\u0007\"");
        QTest::newRow("batch: a bad set ends it") << 21 << error::BadArgument << QString("125031");
        QTest::newRow("batch: a failing statement ends it")
            << 22 << error::SqlFailure << QString("summe_ugrp");
        QTest::newRow("batch after CloseConnection") << 23 << error::NotConnected << QString();
        QTest::newRow("units with figures, a level that is no unit")
            << 24 << error::BadArgument << QString("Ungültige Ebenen \"habt`umsatz\"");
    }

    void errors()
    {
        QFETCH(int, kind);
        QFETCH(int, number);
        const QStringList empty7 { "", "", "", "", "", "", "" };
        const QString daten = QStringLiteral("KXUmsatz.Daten");
        const auto run = [&](const QString &query, const QStringList &args) {
            auto result = factory().OpenQuery(daten, query);
            result->RunQuery(args);
            result->NextRow();
            return result;
        };
        const std::function<void()> actions[] = {
            [&] { factory().OpenObject(QStringLiteral("KX.Nix"), QStringLiteral("1||DEM")); },
            [&] {
                factory().OpenObject(QStringLiteral("KX.ParPersEdv"), QStringLiteral("1||XXX"));
            },
            [&] { factory().OpenObject(QStringLiteral("KX.ParPersEdv"), QStringLiteral("1DEM")); },
            [&] {
                factory()
                    .OpenObject(QStringLiteral("KX.ParPersEdv"), QStringLiteral("1||DEM"))
                    ->property(QStringLiteral("Gehalt"));
            },
            [&] {
                factory().NewObject(QStringLiteral("KX.Windows"))->call(QStringLiteral("Kill"), {});
            },
            [&] { factory().OpenQuery(daten, QStringLiteral("AlleDaten")); },
            [&] { factory().OpenQuery(QStringLiteral("KX.Nix"), QStringLiteral("PeriodenSumme")); },
            [&] { factory().NewObject(QStringLiteral("KX.Nix")); },
            [&] {
                auto r = factory().OpenQuery(daten, QStringLiteral("Profitcenter"));
                r->RunQuery({});
                r->ColumnValue(1);
            },
            [&] {
                run(QStringLiteral("PeriodenSumme"), QStringList { "1", "12503" } + empty7)
                    ->ColumnValue(3);
            },
            [&] {
                run(QStringLiteral("PeriodenSumme"), { "1", "12503" });
            },
            [&] {
                run(QStringLiteral("PeriodenSumme"), QStringList { "1", "125031" } + empty7);
            },
            [&] {
                run(QStringLiteral("PeriodenSummeAufteilung"),
                    QStringList { "1", "202501", "202512" } + empty7);
            },
            [&] {
                run(QStringLiteral("PeriodenSummeAufteilung"),
                    QStringList { "1", "12512", "12501" } + empty7);
            },
            [&] { factory().OpenQuery(daten, QStringLiteral("Profitcenter"))->NextRow(); },
            [&] {
                auto r = factory().OpenQuery(daten, QStringLiteral("Profitcenter"));
                factory().CloseConnection();
                r->RunQuery({});
            },
            [&] {
                auto r = factory().OpenQuery(QStringLiteral("KXUmsatz.DatWH"),
                                             QStringLiteral("PeriodenSumme"));
                r->RunQuery({ "1", "12503", "1`10`B0`01`011`L`L`LA`P`X" });
            },
            [&] { factory().OpenObject(QStringLiteral("KX.ParPersAbt"), QStringLiteral("1||ZZ")); },
            // the login's department look-up for a user whose record names none
            [&] { factory().OpenObject(QStringLiteral("KX.ParPersAbt"), QStringLiteral("1||")); },
            [&] {
                run(QStringLiteral("PeriodenSumme"),
                    QStringList { "1", QString(10 << 20, QLatin1Char('9')) } + empty7);
            },
            [&] {
                factory()
                    .NewObject(QStringLiteral("KX.Windows"))
                    ->call(QStringLiteral("Xecute"), { QStringLiteral("K \x1b]2;x\x07") });
            },
            // the sets before a failing one are answered, the ones after it not
            [&] {
                auto r = factory().OpenQuery(daten, QStringLiteral("PeriodenSumme"));
                r->RunQueryBatch({ QStringList { "1", "12503" } + empty7,
                                   QStringList { "1", "125031" } + empty7,
                                   QStringList { "1", "12504" } + empty7 });
                QVERIFY(r->NextAnswer());
                QVERIFY(r->NextRow());
                QVERIFY(errorOf([&] { r->NextAnswer(); }) == error::BadArgument);
                QVERIFY(!r->NextAnswer());
                r->RunQueryBatch({ QStringList { "1", "125031" } + empty7 });
                r->NextAnswer();
            },
            [&] {
                auto store = m_fixture.openStore();
                store->sql().script(QStringLiteral("ALTER TABLE summe_ugrp RENAME TO ugrp_weg"));
                const auto restore = qScopeGuard([&] {
                    store->sql().script(
                        QStringLiteral("ALTER TABLE ugrp_weg RENAME TO summe_ugrp"));
                });
                auto r = factory().OpenQuery(daten, QStringLiteral("PeriodenSumme"));
                r->RunQueryBatch({ QStringList { "1", "12503" } + empty7,
                                   QStringList { "1", "12503", "05", "052", "", "", "", "", "" },
                                   QStringList { "1", "12504" } + empty7 });
                QVERIFY(r->NextAnswer());
                std::optional<ServerError> failure;
                try {
                    r->NextAnswer();
                } catch (const ServerError &e) {
                    failure = e;
                }
                QVERIFY(!r->NextAnswer());
                // the connection goes on with the next batch
                r->RunQueryBatch({ QStringList { "1", "12504" } + empty7 });
                QVERIFY(r->NextAnswer());
                QVERIFY(r->NextRow());
                if (failure)
                    throw *failure;
            },
            [&] {
                auto r = factory().OpenQuery(daten, QStringLiteral("PeriodenSumme"));
                factory().CloseConnection();
                r->RunQueryBatch({ QStringList { "1", "12503" } + empty7 });
                r->NextAnswer();
            },
            [&] {
                auto r = factory().OpenQuery(daten, QStringLiteral("EinheitenMitZahlen"));
                r->RunQuery({ "1", "12001", "12512", "habt`umsatz" });
            },
        };
        QString description;
        QCOMPARE(errorOf(actions[kind], &description), number);
        QFETCH(QString, reason);
        QVERIFY2(description.contains(reason), qPrintable(description));
        // what the input held is quoted short and harmless
        QVERIFY2(description.size() < 300, qPrintable(description.left(300)));
        QVERIFY(!description.contains(QChar(0x1b)));
    }

    void xecuteCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected"); // "!" followed by a number: that error
        QTest::newRow("context") << "S FIRMA=1,FIL=0,PERSONAL=\"DEM\""
                                 << "";
        QTest::newRow("terminal") << "D ^%XTT"
                                  << "";
        QTest::newRow("data basis") << "S P0=^XWGDAT W P0"
                                    << "12504`1250615";
        QTest::newRow("sub groups") << "d UGRP^KXCLSU(06)"
                                    << QStringList { "061`Gartengeräte", "062`Gartenmöbel",
                                                     "063`Grills", "064`Erde und Dünger" }
                                           .join(itemSeparator);
        QTest::newRow("sub groups of nothing") << "d UGRP^KXCLSU()"
                                               << "";
        QTest::newRow("injection as main group") << "d UGRP^KXCLSU(06' OR '1'='1)"
                                                 << "";
        QTest::newRow("unquoted user") << "S FIRMA=1,FIL=0,PERSONAL=DEM"
                                       << "!5301";
        QTest::newRow("trailing blank") << "d HGRP^KXCLSU "
                                        << "!5301";
        QTest::newRow("open parenthesis") << "d UGRP^KXCLSU(06"
                                          << "!5301";
        QTest::newRow("kill command") << "K ^XWGDAT"
                                      << "!5301";
        QTest::newRow("empty") << ""
                               << "!5301";
        QTest::newRow("two commands") << "D ^%XTT D ^%XTT"
                                      << "!5301";
    }

    void xecuteCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        if (expected.startsWith(QLatin1Char('!')))
            QCOMPARE(errorOf([&] { xecute(command); }), expected.mid(1).toInt());
        else
            QCOMPARE(xecute(command), expected);
    }

    void xecuteListsFollowContext()
    {
        const QStringList groups = xecute(QStringLiteral("d HGRP^KXCLSU")).split(itemSeparator);
        QCOMPARE(groups.size(), 11);
        QCOMPARE(groups.first(), QStringLiteral("01`Baustoffe"));
        const QStringList departments
            = xecute(QStringLiteral("d ABTNR^KXCLSU")).split(itemSeparator);
        QCOMPARE(departments.size(), 24);
        QVERIFY(departments.contains(QStringLiteral("MA`Malerzubehör")));
        QCOMPARE(xecute(QStringLiteral("d HABT^KXCLSU")).split(itemSeparator).size(), 8);
        // an unknown company in the context has no lists
        xecute(QStringLiteral("S FIRMA=9,FIL=0,PERSONAL=\"DEM\""));
        QCOMPARE(xecute(QStringLiteral("d HGRP^KXCLSU")), QString());
        QCOMPARE(xecute(QStringLiteral("S P0=^XWGDAT W P0")), QString());
        QCOMPARE(codes(factory(), QStringLiteral("Profitcenter"), {}), QStringList());
        xecute(QStringLiteral("S FIRMA=2,FIL=0,PERSONAL=\"DEM\""));
        QCOMPARE(codes(factory(), QStringLiteral("Profitcenter"), {}),
                 (QStringList { "1", "2", "3", "4" }));
    }

    void selectionLists_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("profit centres")
            << "Profitcenter" << QStringList {} << QStringList { "1", "2", "3", "4" };
        QTest::newRow("main departments in 2")
            << "HAbtInPC" << QStringList { "1", "2" } << QStringList { "40", "50" };
        QTest::newRow("main departments, all")
            << "HAbtInPC" << QStringList { "1", "" }
            << QStringList { "10", "20", "30", "40", "50", "60", "70", "80" };
        QTest::newRow("departments in 2") << "AbtInPC" << QStringList { "1", "2" }
                                          << QStringList { "M3", "M4", "M6", "MC", "ME" };
        QTest::newRow("departments in 60")
            << "AbtInHAbt" << QStringList { "1", "60" } << QStringList { "M5", "M7", "MB" };
        QTest::newRow("shipping types of L")
            << "Versandarten" << QStringList { "1", "L" } << QStringList { "LA", "LZ" };
        QTest::newRow("all shipping types")
            << "Versandarten" << QStringList { "1", "" } << QStringList { "LA", "LZ", "SD", "SP" };
        QTest::newRow("injection as profit centre")
            << "AbtInPC" << QStringList { "1", "1' OR '1'='1" } << QStringList {};
        QTest::newRow("unknown company")
            << "AbtInHAbt" << QStringList { "7", "60" } << QStringList {};
    }

    void selectionLists()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, args);
        QFETCH(QStringList, expected);
        QCOMPARE(codes(factory(), query, args), expected);
    }

    void listNamesInServerForm()
    {
        auto result
            = factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"), QStringLiteral("Profitcenter"));
        result->RunQuery({ QStringLiteral("1") });
        QVERIFY(result->NextRow());
        QVERIFY(result->NextRow());
        QCOMPARE(result->ColumnValue(2), QStringLiteral("G{rtnerei"));
    }

    void accessRights_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QStringList>("rights");
        QTest::newRow("full rights") << "DEM" << QStringList { "J", "N", "N" };
        QTest::newRow("restricted") << "LEH" << QStringList { "J", "J", "N" };
        QTest::newRow("department-bound") << "OTT" << QStringList { "J", "J", "J" };
        QTest::newRow("guest") << "GAS" << QStringList { "N", "N", "N" };
        QTest::newRow("unknown") << "XYZ" << QStringList { "N", "N", "N" };
        QTest::newRow("injection") << "' OR '1'='1" << QStringList { "N", "N", "N" };
    }

    void accessRights()
    {
        QFETCH(QString, user);
        QFETCH(QStringList, rights);
        QCOMPARE(firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                          QStringLiteral("Zugriffsrechte"), { "1", user }),
                 rights);
    }

    void accessListSizes()
    {
        auto store = m_fixture.openStore();
        const auto count = [&](const char *condition) {
            return store->sql()
                .scalar(QStringLiteral("SELECT count(*) FROM personal WHERE firma = '1' AND %1")
                            .arg(QLatin1String(condition)))
                .toInt();
        };
        QCOMPARE(count("erlaubt = 'J'"), 19);
        QCOMPARE(count("erlaubt = 'J' AND eingeschraenkt = 'J'"), 11);
        QCOMPARE(count("erlaubt = 'J' AND abteilungsgebunden = 'J'"), 8);
    }

    void periodSumsMatchSalesLines_data()
    {
        QTest::addColumn<QStringList>("codes"); // HGRP UGRP PCNR HABT ABTNR PG HVART
        QTest::addColumn<bool>("batched"); // every month of 2024 in one batch
        QTest::newRow("unrestricted") << QStringList { "", "", "", "", "", "", "" } << false;
        QTest::newRow("profit centre") << QStringList { "", "", "2", "", "", "", "" } << false;
        QTest::newRow("department and main group")
            << QStringList { "06", "", "", "", "M3", "", "" } << false;
        QTest::newRow("subgroup and customers")
            << QStringList { "05", "052", "", "", "", "G", "" } << false;
        QTest::newRow("shipping") << QStringList { "", "", "", "", "", "", "S" } << false;
        QTest::newRow("no match") << QStringList { "01", "", "", "", "M5", "", "" } << false;
        QTest::newRow("unrestricted, batched")
            << QStringList { "", "", "", "", "", "", "" } << true;
        QTest::newRow("subgroup and customers, batched")
            << QStringList { "05", "052", "", "", "", "G", "" } << true;
        QTest::newRow("customers, batched") << QStringList { "", "", "", "", "", "P", "" } << true;
    }

    void periodSumsMatchSalesLines()
    {
        QFETCH(QStringList, codes);
        QFETCH(bool, batched);
        auto store = m_fixture.openStore();
        static const QStringList dims { "hgrp", "ugrp", "pcnr", "habt", "abtnr", "pg", "hvart" };
        SumSelection selection { QStringLiteral("1"), 12403, 12403, {} };
        for (int i = 0; i < dims.size(); ++i)
            selection.restrict(dims[i], codes[i]);
        if (batched) {
            QList<QStringList> sets;
            for (int period = 12401; period <= 12412; ++period)
                sets.append(QStringList { "1", QString::number(period) } + codes);
            auto result = factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                              QStringLiteral("PeriodenSumme"));
            result->RunQueryBatch(sets);
            for (int period = 12401; period <= 12412; ++period) {
                selection.from = selection.to = period;
                const SumRow lines = PeriodSums::fromSalesLines(store->sql(), selection);
                QVERIFY(result->NextAnswer());
                QVERIFY(result->NextRow());
                QCOMPARE(cents(result->ColumnValue(1)), PeriodSums::revenue(lines));
                QCOMPARE(cents(result->ColumnValue(2)), PeriodSums::margin(lines));
                QVERIFY(!result->NextRow());
            }
            QVERIFY(!result->NextAnswer());
            return;
        }
        const SumRow lines = PeriodSums::fromSalesLines(store->sql(), selection);
        const QStringList row
            = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                       QStringList { "1", "12403" } + codes);
        QCOMPARE(row.size(), 2);
        QCOMPARE(cents(row[0]), PeriodSums::revenue(lines));
        QCOMPARE(cents(row[1]), PeriodSums::margin(lines));
        if (QTest::currentDataTag() == QLatin1String("no match"))
            QCOMPARE(row, (QStringList { "0.00", "0.00" }));
        if (QTest::currentDataTag() == QLatin1String("unrestricted"))
            QVERIFY(cents(row[0]) > 0 && cents(row[1]) > 0 && cents(row[1]) < cents(row[0]));
    }

    // A batch of like queries shares one statement per grain; every answer is still
    // the one that query gives alone.
    void batchesAnswerAsEachQuery_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("queryName");
        QTest::addColumn<QList<QStringList>>("sets");
        const QString daten = QStringLiteral("KXUmsatz.Daten");
        const QString datWH = QStringLiteral("KXUmsatz.DatWH");
        QList<QStringList> months, types, departments, mainDepartments, hostile;
        for (int year = 119; year <= 124; ++year)
            for (int month = 1; month <= 12; ++month)
                months << QStringList {
                    "1", QString::number(year * 100 + month), "", "", "", "", "M3", "", ""
                };
        for (int month = 1; month <= 12; ++month)
            for (const char *type : { "L", "B", "W" })
                types << QStringList { "1", QString::number(12400 + month),
                                       QStringLiteral("``M2```%1").arg(QLatin1String(type)) };
        for (const char *abt : { "", "M1", "M3", "ZZ" })
            for (const char *pg : { "P", "G" })
                departments << QStringList { "1", "12401", "12412", "", "", "", "20", abt, pg, "" };
        for (const char *habt : { "10", "20", "30", "40", "99" })
            mainDepartments << QStringList { "1", "12301", "12312", "", "", "", habt, "", "", "" };
        hostile = { { "1", "12403", "", "", "", "", "M1", "", "" },
                    { "1", "12403", "", "", "", "", "x'; DROP TABLE summe_abt; --", "", "" },
                    { "1", "12403", "", "", "", "", "a\\\"{},b", "", "" },
                    { "1", "12403", "", "", "", "", "M1", "", "" } };
        QTest::newRow("72 months") << daten << "PeriodenSumme" << months;
        QTest::newRow("extended, three types a month") << datWH << "PeriodenSumme" << types;
        QTest::newRow("discounts, three types a month") << datWH << "PeriodenSkonto" << types;
        QTest::newRow("breakdown with its total row")
            << daten << "PeriodenSummeAufteilung" << departments;
        QTest::newRow("breakdown by main department")
            << daten << "PeriodenSummeAufteilung" << mainDepartments;
        QTest::newRow("hostile and repeated codes") << daten << "PeriodenSumme" << hostile;
    }

    void batchesAnswerAsEachQuery()
    {
        QFETCH(QString, className);
        QFETCH(QString, queryName);
        QFETCH(QList<QStringList>, sets);
        auto batch = factory().OpenQuery(className, queryName);
        batch->RunQueryBatch(sets);
        bool someFigure = false;
        for (const QStringList &set : std::as_const(sets)) {
            QVERIFY(batch->NextAnswer());
            QVERIFY(batch->NextRow());
            const QStringList alone = firstRow(factory(), className, queryName, set);
            for (int c = 1; c <= alone.size(); ++c) {
                QCOMPARE(batch->ColumnValue(c), alone[c - 1]);
                someFigure = someFigure || alone[c - 1] != QLatin1String("0.00");
            }
        }
        QVERIFY(!batch->NextAnswer());
        QVERIFY(someFigure);
    }

    void injectionIsACode()
    {
        auto store = m_fixture.openStore();
        const QString lines
            = store->sql().scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile"));
        const QString hostile = QStringLiteral("1' OR '1'='1");
        for (int position = 2; position < 9; ++position) {
            QStringList args { "1", "12403", "", "", "", "", "", "", "" };
            args[position] = hostile;
            QCOMPARE(firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                              QStringLiteral("PeriodenSumme"), args),
                     (QStringList { "0.00", "0.00" }));
        }
        QCOMPARE(firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                          QStringLiteral("PeriodenSumme"),
                          { hostile, "12403", "", "", "", "", "", "", "" }),
                 (QStringList { "0.00", "0.00" }));
        const QString dropping = QStringLiteral("x'; DROP TABLE umsatzzeile; --");
        QCOMPARE(firstRow(factory(), QStringLiteral("KXUmsatz.DatWH"),
                          QStringLiteral("PeriodenSumme"),
                          { "1", "12403", dropping + QStringLiteral("```") + dropping }),
                 (QStringList { "0.00", "0.00", "0.00", "0.00" }));
        QCOMPARE(store->sql().scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile")), lines);
    }

    void aufteilungSumsItsPeriods()
    {
        const QStringList codes { "", "", "", "20", "", "P", "" };
        qint64 revenue = 0, margin = 0;
        for (int month = 1; month <= 12; ++month) {
            const QStringList row = firstRow(
                factory(), QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                QStringList { "1", QString::number(12300 + month) } + codes);
            revenue += cents(row[0]);
            margin += cents(row[1]);
        }
        const QStringList year = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                                          QStringLiteral("PeriodenSummeAufteilung"),
                                          QStringList { "1", "12301", "12312" } + codes);
        QCOMPARE(cents(year[0]), revenue);
        QCOMPARE(cents(year[1]), margin);
        QVERIFY(revenue > 0);
    }

    void datWHDerivesRevenueAndMargin_data()
    {
        QTest::addColumn<QString>("parameters"); // PCNR`HABT`ABTNR`HGRP`UGRP`TYP`HVART`SVART`PG
        QTest::addColumn<QStringList>("plainCodes"); // HGRP UGRP PCNR HABT ABTNR PG HVART
        QTest::newRow("nothing") << "" << QStringList { "", "", "", "", "", "", "" };
        QTest::newRow("all types") << "`````A" << QStringList { "", "", "", "", "", "", "" };
        QTest::newRow("trailing pieces missing")
            << "1`20" << QStringList { "", "", "1", "20", "", "", "" };
        QTest::newRow("only PG") << "````````G" << QStringList { "", "", "", "", "", "G", "" };
        QTest::newRow("up to HVART")
            << "``M2`05``A`L" << QStringList { "05", "", "", "", "M2", "", "L" };
    }

    void datWHDerivesRevenueAndMargin()
    {
        QFETCH(QString, parameters);
        QFETCH(QStringList, plainCodes);
        const QStringList c
            = firstRow(factory(), QStringLiteral("KXUmsatz.DatWH"), QStringLiteral("PeriodenSumme"),
                       { "1", "12411", parameters });
        QCOMPARE(c.size(), 4);
        const QStringList plain
            = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                       QStringList { "1", "12411" } + plainCodes);
        const qint64 figure1 = cents(c[0]) + cents(c[1]);
        QCOMPARE(figure1, cents(plain[0]));
        QCOMPARE(figure1 - (cents(c[2]) + cents(c[3])), cents(plain[1]));
    }

    void datWHArticleTypesAddUp()
    {
        qint64 revenue = 0;
        for (const char *type : { "L", "B", "W" }) {
            const QStringList c = firstRow(
                factory(), QStringLiteral("KXUmsatz.DatWH"), QStringLiteral("PeriodenSumme"),
                { "1", "12411", QStringLiteral("`````%1").arg(QLatin1String(type)) });
            QVERIFY(cents(c[0]) > 0);
            revenue += cents(c[0]) + cents(c[1]);
        }
        const QStringList all
            = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                       { "1", "12411", "", "", "", "", "", "", "" });
        QCOMPARE(revenue, cents(all[0]));
    }

    void datWHDiscountAndRebate()
    {
        auto store = m_fixture.openStore();
        const SumRow lines
            = PeriodSums::fromSalesLines(store->sql(), { QStringLiteral("1"), 12411, 12411, {} });
        const QStringList c = firstRow(factory(), QStringLiteral("KXUmsatz.DatWH"),
                                       QStringLiteral("PeriodenSkonto"), { "1", "12411", "" });
        const qint64 figure1 = cents(c[0]) + cents(c[1]);
        QCOMPARE(figure1, lines[4] + lines[5]);
        QCOMPARE(figure1 - (cents(c[2]) + cents(c[3])), lines[5]);
        QVERIFY(lines[4] > 0 && lines[5] > 0);
    }

    // For random selections the rollups give the sums over the sales lines.
    void rollupsEqualSalesLines()
    {
        auto store = m_fixture.openStore();
        static const QStringList dims { "pcnr", "habt",  "abtnr", "hgrp", "ugrp",
                                        "pg",   "hvart", "svart", "typ" };
        QHash<QString, QStringList> values;
        for (const QString &dim : dims)
            for (const SqlRow &row :
                 store->sql().query(QStringLiteral("SELECT DISTINCT %1 FROM umsatzzeile").arg(dim)))
                values[dim].append(row.value(0));
        for (QStringList &list : values)
            list.sort();
        QRandomGenerator random(20250615);
        for (int round = 0; round < 120; ++round) {
            const int from = 12001 + 100 * int(random.bounded(5)) + int(random.bounded(12));
            // the demo's sums are built up to 12504
            const int to = round % 3 == 0
                ? std::min(12504, Period::shifted(from, int(random.bounded(14))))
                : from;
            SumSelection selection { QString::number(1 + random.bounded(2)), from, to, {} };
            for (const QString &dim : dims)
                if (random.bounded(3) == 0)
                    selection.restrict(dim, values[dim][random.bounded(int(values[dim].size()))]);
            QCOMPARE(PeriodSums::fromRollup(store->sql(), selection),
                     PeriodSums::fromSalesLines(store->sql(), selection));
        }
    }

    // The same demo seed gives the same answers on SQLite and PostgreSQL.
    void enginesAgree()
    {
        if (!onPostgres)
            QSKIP("compared in the PostgreSQL run");
        StoreFixture twin;
        QString why;
        QVERIFY(twin.setUp(false, &why));
        QVERIFY2(twin.makeDemo(&why), qPrintable(why));
        StoreFactory sqlite;
        QVERIFY(sqlite.OpenConnection(twin.connectString()));
        const QList<QStringList> selections { { "", "", "", "", "", "", "" },
                                              { "06", "", "2", "", "", "", "" },
                                              { "", "", "", "30", "MA", "G", "L" } };
        for (const char *company : { "1", "2" }) {
            for (int period = 12001; period <= 12504; period = Period::shifted(period, 5)) {
                for (const QStringList &codes : selections) {
                    const QStringList args
                        = QStringList { QLatin1String(company), QString::number(period) } + codes;
                    const QString daten = QStringLiteral("KXUmsatz.Daten");
                    QCOMPARE(firstRow(factory(), daten, QStringLiteral("PeriodenSumme"), args),
                             firstRow(sqlite, daten, QStringLiteral("PeriodenSumme"), args));
                }
                const QStringList wh { QLatin1String(company), QString::number(period),
                                       QStringLiteral("``M3````S") };
                const QString datWH = QStringLiteral("KXUmsatz.DatWH");
                QCOMPARE(firstRow(factory(), datWH, QStringLiteral("PeriodenSkonto"), wh),
                         firstRow(sqlite, datWH, QStringLiteral("PeriodenSkonto"), wh));
            }
        }
        QCOMPARE(firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                          QStringLiteral("PeriodenSummeAufteilung"),
                          { "1", "12001", "12504", "", "", "", "", "", "", "" }),
                 firstRow(sqlite, QStringLiteral("KXUmsatz.Daten"),
                          QStringLiteral("PeriodenSummeAufteilung"),
                          { "1", "12001", "12504", "", "", "", "", "", "", "" }));
    }

    void generierenBuildsAndRecords()
    {
        const QStringList before
            = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                       { "1", "12505", "", "", "", "", "", "", "" });
        QCOMPARE(before, (QStringList { "0.00", "0.00" }));
        m_factory->setToday(QDate(2025, 6, 16));
        generate(QStringLiteral("1"), QStringLiteral("12505"), QStringLiteral("12506"));
        const QStringList after
            = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                       { "1", "12505", "", "", "", "", "", "", "" });
        QVERIFY(cents(after[0]) > 0);
        QCOMPARE(xecute(QStringLiteral("S P0=^XWGDAT W P0")), QStringLiteral("12506`1250616"));
        // an older range keeps the later last period
        generate(QStringLiteral("1"), QStringLiteral("12401"), QStringLiteral("12402"));
        QCOMPARE(xecute(QStringLiteral("S P0=^XWGDAT W P0")), QStringLiteral("12506`1250616"));
        // company 2 keeps its own data basis
        xecute(QStringLiteral("S FIRMA=2,FIL=0,PERSONAL=\"DEM\""));
        QCOMPARE(xecute(QStringLiteral("S P0=^XWGDAT W P0")), QStringLiteral("12504`1250615"));
        QVERIFY(m_fixture.makeDemo(nullptr));
    }

    void generierenRefusesBadPeriods_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("number");
        QTest::newRow("reversed") << QStringList { "1", "12506", "12505" } << error::BadArgument;
        QTest::newRow("four-digit year")
            << QStringList { "1", "202501", "202502" } << error::BadArgument;
        QTest::newRow("month 13") << QStringList { "1", "12513", "12513" } << error::BadArgument;
        QTest::newRow("empty") << QStringList { "1", "", "12505" } << error::BadArgument;
        QTest::newRow("text") << QStringList { "1", "12505; DELETE", "12505" }
                              << error::BadArgument;
        QTest::newRow("unknown company")
            << QStringList { "5", "12505", "12505" } << error::ObjectNotFound;
        QTest::newRow("two arguments") << QStringList { "1", "12505" } << error::ArgumentCount;
    }

    void generierenRefusesBadPeriods()
    {
        QFETCH(QStringList, args);
        QFETCH(int, number);
        auto daten = factory().NewObject(QStringLiteral("KXUmsatz.Daten"));
        QCOMPARE(errorOf([&] { daten->call(QStringLiteral("Generieren"), args); }), number);
        QCOMPARE(xecute(QStringLiteral("S P0=^XWGDAT W P0")), QStringLiteral("12504`1250615"));
    }

    // Whole years of sales lines leave the store; their sums answer as before
    // and a rebuild over them keeps them.
    void archiveTakesWholeYears_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("detach");
        QTest::addColumn<int>("number"); // the error, or 0
        QTest::newRow("drop two years") << 12201 << false << 0;
        QTest::newRow("detach two years") << 12201 << true << (onPostgres ? 0 : error::BadInput);
        QTest::newRow("inside a year") << 12203 << false << error::BadInput;
        QTest::newRow("before every line") << 11001 << false << 0;
    }

    void archiveTakesWholeYears()
    {
        QFETCH(int, before);
        QFETCH(bool, detach);
        QFETCH(int, number);
        auto store = m_fixture.openStore();
        SqlConnection &sql = store->sql();
        const auto sums = [&] {
            QList<QStringList> sets;
            for (int p = 12001; p <= 12504; p = Period::shifted(p, 1))
                sets.append({ "1", QString::number(p), "", "", "", "", "", "", "" });
            auto result = factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                              QStringLiteral("PeriodenSumme"));
            result->RunQueryBatch(sets);
            QStringList figures;
            while (result->NextAnswer() && result->NextRow())
                figures << result->ColumnValue(1) + QLatin1Char('/') + result->ColumnValue(2);
            return figures;
        };
        const auto lines = [&](const char *where) {
            return sql
                .scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile WHERE %1")
                            .arg(QLatin1String(where)),
                        { qint64(before) })
                .toLongLong();
        };
        const QStringList old = sums();
        QCOMPARE(old.size(), 64);
        const qint64 older = lines("periode < ?");
        const qint64 newer = lines("periode >= ?");
        int failed = 0;
        Archive::Outcome done;
        try {
            done = Archive(sql).run(before, detach);
        } catch (const ServerError &e) {
            failed = e.number();
        }
        QCOMPARE(failed, number);
        QCOMPARE(lines("periode >= ?"), newer);
        QCOMPARE(lines("periode < ?"), number ? older : 0);
        if (number)
            return;
        QCOMPARE(done.lines, older);
        QCOMPARE(done.years.size(), before == 12201 ? 2 : 0);
        QCOMPARE(sums(), old);
        // a rebuild over archived periods keeps their sums
        generate(QStringLiteral("1"), QStringLiteral("12001"), QStringLiteral("12504"));
        QCOMPARE(sums(), old);
        if (onPostgres && before == 12201) {
            QCOMPARE(Schema::partitionYears(sql).first(), 2022);
            const bool kept = sql.scalar(QStringLiteral("SELECT to_regclass("
                                                        "'archiv_umsatzzeile_y2020') IS NOT NULL"))
                == QLatin1String("t");
            QCOMPARE(kept, detach);
            if (kept)
                QVERIFY(sql.scalar(QStringLiteral("SELECT count(*) FROM archiv_umsatzzeile_y2020"))
                            .toLongLong()
                        > 0);
        }
        QVERIFY(m_fixture.makeDemo(nullptr));
    }

    void failedRebuildKeepsOldSums()
    {
        auto store = m_fixture.openStore();
        SqlConnection &sql = store->sql();
        const QStringList args { "1", "12403", "", "", "", "", "", "", "" };
        const QStringList old = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                                         QStringLiteral("PeriodenSumme"), args);
        const qint64 changed
            = sql
                  .scalar(QStringLiteral(
                      "SELECT count(*) FROM umsatzzeile WHERE firma = '1' AND periode = 12403"))
                  .toLongLong();
        QVERIFY(changed > 0);
        sql.execute(QStringLiteral("UPDATE umsatzzeile SET umsatz = umsatz + 100000 WHERE firma = "
                                   "'1' AND periode = 12403"));
        // the coarsest grain is filled last: make that step fail
        if (sql.dialect() == Dialect::Sqlite) {
            sql.script(QStringLiteral("CREATE TRIGGER fail_rebuild BEFORE INSERT ON summe_firma"
                                      " BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        } else {
            sql.script(
                QStringLiteral("CREATE FUNCTION fail_rebuild() RETURNS trigger LANGUAGE plpgsql AS"
                               " $$BEGIN RAISE EXCEPTION 'disk full'; END$$;"
                               "CREATE TRIGGER fail_rebuild BEFORE INSERT ON summe_firma"
                               " FOR EACH ROW EXECUTE FUNCTION fail_rebuild()"));
        }
        QCOMPARE(errorOf([&] {
                     generate(QStringLiteral("1"), QStringLiteral("12401"),
                              QStringLiteral("12412"));
                 }),
                 error::SqlFailure);
        QCOMPARE(firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                          QStringLiteral("PeriodenSumme"), args),
                 old);
        QCOMPARE(xecute(QStringLiteral("S P0=^XWGDAT W P0")), QStringLiteral("12504`1250615"));
        sql.script(QStringLiteral("DROP TRIGGER fail_rebuild%1")
                       .arg(sql.dialect() == Dialect::Sqlite ? QString()
                                                             : QStringLiteral(" ON summe_firma")));
        generate(QStringLiteral("1"), QStringLiteral("12403"), QStringLiteral("12403"));
        const QStringList now = firstRow(factory(), QStringLiteral("KXUmsatz.Daten"),
                                         QStringLiteral("PeriodenSumme"), args);
        QCOMPARE(cents(now[0]), cents(old[0]) + 100000 * changed);
        QVERIFY(m_fixture.makeDemo(nullptr));
    }
};

QTEST_GUILESS_MAIN(TestKordexStore)
#include "tst_kordexstore.moc"
