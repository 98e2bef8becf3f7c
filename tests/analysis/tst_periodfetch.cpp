#include "ExtendedSelection.h"
#include "FakeServer.h"
#include "FixedClock.h"
#include "PeriodFetch.h"
#include "SelectionModel.h"

#include <QTest>

using namespace ertragon;
using L = SelectionModel;

namespace {

struct Fixture
{
    fake::Server server;
    FixedClock clock;
    SelectionModel selection { server.access, server.prompter };
    ExtendedSelection extended;
    PeriodFetch fetch { server.access, server.prompter, clock };
    PeriodTotals totals;
    QStringList log;

    explicit Fixture(QDate today)
        : clock(QDateTime(today, QTime(10, 0)))
    {
        auto &s = server.store;
        s.xecuteOutputs[QStringLiteral("d ABTNR^KXCLSU")] = fake::items({ "M5`Mode", "M6`Sport" });
        s.xecuteOutputs[QStringLiteral("d HABT^KXCLSU")] = fake::items({ "M`Markt" });
        s.xecuteOutputs[QStringLiteral("d HGRP^KXCLSU")] = fake::items({ "1`Lebensmittel" });
        s.rows[QStringLiteral("KXUmsatz.Daten/AbtInHAbt")]
            = { { "M5", "Mode" }, { "M6", "Sport" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/Versandarten")]
            = { { "P", "Post" }, { "K", "K}hl" } };
        s.answer = [](const fake::Call &c) -> fake::Rows {
            if (c.className == QStringLiteral("KXUmsatz.Daten") && c.query == "PeriodenSumme")
                return { { c.args[1] + ".5", "1e1" } };
            if (c.className == QStringLiteral("KXUmsatz.DatWH")) {
                const QString type = c.args[2].section('`', 5, 5);
                if (type == "L")
                    return { { "100", "10", "20", "5" } };
                if (type == "B")
                    return { { "200", "20", "30", "10" } };
                if (type == "W")
                    return { { "300", "30", "40", "15" } };
            }
            return {};
        };
        selection.setFirma(QStringLiteral("1"));
        selection.fillDepartments();
        selection.fillMainDepartments();
        selection.fillMainGroups();
        selection.fillFixedLists();
        fetch.setLogger([this](const QString &part, const QString &text, const QString &param) {
            log << part + ';' + text + ';' + param;
        });
        server.store.queries.clear();
    }
    PeriodFetch::Outcome run() { return fetch.run(selection, extended, totals); }
    void openExtended(int articleType, int discountView = 0)
    {
        extended.open(server.access, selection.fetchSelection().company, selection.code(L::SHVArt));
        extended.setArticleTypeIndex(articleType);
        extended.setDiscountView(discountView);
        server.store.queries.clear();
        server.store.closedResultSets = 0;
    }
};

} // namespace

class TestPeriodFetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Queries per fetch: 60 + the current month, three each for article type "A".
    void queryCount_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("articleType"); // -1 plain selection
        QTest::addColumn<int>("queries");
        QTest::addColumn<QString>("firstKey");
        QTest::addColumn<QString>("lastKey");
        QTest::newRow("January") << QDate(2006, 1, 20) << -1 << 61 << "10101"
                                 << "10601";
        QTest::newRow("February") << QDate(2006, 2, 1) << -1 << 62 << "10101"
                                  << "10602";
        QTest::newRow("December") << QDate(2005, 12, 31) << -1 << 72 << "10001"
                                  << "10512";
        QTest::newRow("December, type A") << QDate(2005, 12, 31) << 0 << 216 << "10001"
                                          << "10512";
        QTest::newRow("January, type A") << QDate(2006, 1, 2) << 0 << 183 << "10101"
                                         << "10601";
        QTest::newRow("December, type B") << QDate(2005, 12, 31) << 2 << 72 << "10001"
                                          << "10512";
    }
    void queryCount()
    {
        QFETCH(QDate, today);
        QFETCH(int, articleType);
        QFETCH(int, queries);
        QFETCH(QString, firstKey);
        QFETCH(QString, lastKey);
        Fixture f(today);
        if (articleType >= 0)
            f.openExtended(articleType);
        QList<int> progress;
        f.fetch.setProgress([&](int done, int total) {
            QCOMPARE(total, 60 + today.month());
            progress << done;
        });
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        const auto &q = f.server.store.queries;
        QCOMPARE(q.size(), queries);
        QCOMPARE(q.first().args[1], firstKey);
        QCOMPARE(q.last().args[1], lastKey);
        QCOMPARE(f.server.store.closedResultSets, 1); // one batch
        QCOMPARE(f.log.size(), 60 + today.month());
        QCOMPARE(progress.size(), 60 + today.month());
        QCOMPARE(progress.last(), 60 + today.month());
        for (int p = 1; p <= 72; ++p)
            QCOMPARE(f.totals.at(p, PeriodTotals::Revenue).has_value(), p <= 60 + today.month());
    }

    void plainSelectionArguments()
    {
        Fixture f(QDate(2006, 1, 20));
        f.selection.setFirma(QStringLiteral("007"));
        f.selection.choose(L::SHABT, 1);
        f.selection.choose(L::SABTNR, 2);
        f.selection.choose(L::SPG, 2);
        f.selection.choose(L::SHVArt, 1);
        f.server.store.queries.clear();
        // The discount view never reaches the plain selection.
        f.extended.setDiscountView(1);
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        const fake::Call &c = f.server.store.queries.first();
        QCOMPARE(c.className, QStringLiteral("KXUmsatz.Daten"));
        QCOMPARE(c.query, QStringLiteral("PeriodenSumme"));
        QCOMPARE(c.args, QStringList({ "7", "10101", "", "", "", "M", "M6", "G", "L" }));
        QCOMPARE(f.log.first(),
                 QStringLiteral("fmstart.cmdÜbernehmen;Datenabfrage Periode 10101;7||||M|M6|G|L"));
        // Leading-number conversion of the columns.
        QCOMPARE(f.totals.value(1, PeriodTotals::Revenue), 10101.5);
        QCOMPARE(f.totals.value(1, PeriodTotals::Margin), 10.0);
        QVERIFY(!f.selection.selectionChanged());
    }

    void parameterText_data()
    {
        QTest::addColumn<QStringList>("values"); // pcnr habt abtnr hgrp ugrp hvart pg
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("svart");
        QTest::addColumn<QString>("text");
        QTest::newRow("SVART and PG empty end with HVART")
            << QStringList { "10", "M", "M5", "1", "11", "L", "" } << "B"
            << ""
            << "10`M`M5`1`11`B`L";
        QTest::newRow("only PG set") << QStringList { "", "", "", "", "", "", "P" } << ""
                                     << ""
                                     << "````````P";
        QTest::newRow("middle values keep their separators")
            << QStringList { "", "M", "", "", "", "", "" } << "W"
            << ""
            << "`M````W";
        QTest::newRow("everything") << QStringList { "1", "2", "3", "4", "5", "6", "9" } << "L"
                                    << "8"
                                    << "1`2`3`4`5`L`6`8`9";
        QTest::newRow("nothing") << QStringList { "", "", "", "", "", "", "" } << ""
                                 << ""
                                 << "";
    }
    void parameterText()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, type);
        QFETCH(QString, svart);
        QFETCH(QString, text);
        FetchSelection s;
        s.pcnr = values[0];
        s.habt = values[1];
        s.abtnr = values[2];
        s.hgrp = values[3];
        s.ugrp = values[4];
        s.hvart = values[5];
        s.pg = values[6];
        QCOMPARE(PeriodFetch::parameterText(s, type, svart), text);
    }

    void extendedFigures_data()
    {
        QTest::addColumn<int>("articleType");
        QTest::addColumn<int>("discountView");
        QTest::addColumn<QString>("query");
        QTest::addColumn<double>("revenue");
        QTest::addColumn<double>("margin");
        // A: (110 + 220 + 330) less (25 + 40 + 55)
        QTest::newRow("A sums three runs") << 0 << 0 << "PeriodenSumme" << 660.0 << 540.0;
        QTest::newRow("single type B") << 2 << 0 << "PeriodenSumme" << 220.0 << 180.0;
        QTest::newRow("single type L, discount") << 1 << 1 << "PeriodenSkonto" << 110.0 << 85.0;
    }
    void extendedFigures()
    {
        QFETCH(int, articleType);
        QFETCH(int, discountView);
        QFETCH(QString, query);
        QFETCH(double, revenue);
        QFETCH(double, margin);
        Fixture f(QDate(2006, 3, 1));
        f.openExtended(articleType, discountView);
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        for (const fake::Call &c : f.server.store.queries) {
            QCOMPARE(c.className, QStringLiteral("KXUmsatz.DatWH"));
            QCOMPARE(c.query, query);
            QCOMPARE(c.args.size(), 3);
        }
        QCOMPARE(f.totals.value(63, PeriodTotals::Revenue), revenue);
        QCOMPARE(f.totals.value(63, PeriodTotals::Margin), margin);
    }

    void shippingTypes()
    {
        Fixture f(QDate(2006, 3, 1));
        f.extended.open(f.server.access, QStringLiteral("1"), QString());
        const fake::Call &c = f.server.store.queries.last();
        QCOMPARE(c.query, QStringLiteral("Versandarten"));
        QCOMPARE(c.args, QStringList({ "1", "" }));
        QCOMPARE(f.extended.shippingTypes().texts(), QStringList({ "", "P Post", "K Kühl" }));
        QCOMPARE(f.extended.articleTypeText(), QStringLiteral("A Alle"));
        QVERIFY(f.extended.active());
        f.extended.close();
        QVERIFY(!f.extended.active());
    }

    void departmentBoundWithoutDepartment()
    {
        Fixture f(QDate(2006, 3, 1));
        f.totals.set(5, PeriodTotals::Revenue, 42.0);
        f.selection.setFirma(QStringLiteral("2"));
        f.selection.setUser({}, {}, AccessRights { true, false, true });
        QCOMPARE(f.run(), PeriodFetch::Outcome::Refused);
        QCOMPARE(f.server.prompter.messages.size(), 1);
        QCOMPARE(f.server.prompter.messages[0].title, QStringLiteral("Abteilungsauswahl!"));
        QCOMPARE(f.server.prompter.messages[0].text,
                 QStringLiteral("Sie Müssen eine Abteilung auswählen!"));
        QVERIFY(f.server.store.queries.isEmpty());
        QVERIFY(f.log.isEmpty());
        QVERIFY(!f.selection.selectionChanged());
        QCOMPARE(f.totals.value(5, PeriodTotals::Revenue), 42.0);

        f.selection.choose(L::SABTNR, 1);
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        QCOMPARE(f.server.store.queries.size(), 63);
    }

    // A restricted user's refused department is never sent.
    void refusedDepartmentIsNeverFetched()
    {
        Fixture f(QDate(2006, 3, 1));
        f.selection.setUser(QStringLiteral("M5"), QStringLiteral("M"),
                            AccessRights { true, true, false });
        f.selection.choose(L::SABTNR, 2); // M6: refused
        QCOMPARE(f.server.prompter.messages.size(), 1);
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        for (const fake::Call &c : f.server.store.queries)
            QCOMPARE(c.args[6], QString());
        // Even for a department-bound user the refused choice does not count as chosen.
        f.server.store.queries.clear();
        f.selection.setUser(QStringLiteral("M5"), QStringLiteral("M"),
                            AccessRights { true, true, true });
        QCOMPARE(f.run(), PeriodFetch::Outcome::Refused);
        QVERIFY(f.server.store.queries.isEmpty());
    }

    void serverErrorKeepsPreviousTotals()
    {
        Fixture f(QDate(2006, 3, 1));
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        const PeriodTotals before = f.totals;
        f.server.store.queries.clear();
        f.server.store.answer = [](const fake::Call &) { return fake::Rows { { "1", "1" } }; };
        f.server.store.failAtQuery = 5;
        QCOMPARE(f.run(), PeriodFetch::Outcome::Failed);
        QCOMPARE(f.server.store.queries.size(), 5);
        QCOMPARE(f.server.prompter.messages.size(), 1);
        QCOMPARE(f.server.prompter.messages[0].title, QStringLiteral("Caché Zugriffsfehler"));
        QVERIFY(f.server.prompter.messages[0].text.contains("Datenabfrage Periode 10105"));
        for (int p = 1; p <= 72; ++p)
            QCOMPARE(f.totals.at(p, PeriodTotals::Revenue), before.at(p, PeriodTotals::Revenue));
    }

    void missingRowCountsAsZero()
    {
        Fixture f(QDate(2006, 1, 5));
        f.server.store.answer = [](const fake::Call &) { return fake::Rows {}; };
        QCOMPARE(f.run(), PeriodFetch::Outcome::Fetched);
        QCOMPARE(f.totals.at(61, PeriodTotals::Revenue), std::optional<double>(0.0));
        QCOMPARE(f.totals.at(61, PeriodTotals::Margin), std::optional<double>(0.0));
        QVERIFY(!f.totals.at(62, PeriodTotals::Revenue).has_value());
    }
};

QTEST_MAIN(TestPeriodFetch)
#include "tst_periodfetch.moc"
