#include "BreakdownSortProxy.h"
#include "BreakdownTable.h"
#include "DetailsBreakdown.h"
#include "DisplayState.h"
#include "FakeServer.h"

#include <QSignalSpy>
#include <QTest>

using namespace ertragon;
using L = SelectionModel;
using Range = DetailsBreakdown::Range;

Q_DECLARE_METATYPE(Range)

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QDate june2005(2005, 6, 15);

struct Fixture
{
    fake::Server server;
    SelectionModel selection { server.access, server.prompter };
    DetailsBreakdown breakdown { server.access, server.prompter };
    DisplayState display;

    Fixture()
    {
        auto &s = server.store;
        s.xecuteOutputs[QStringLiteral("d HGRP^KXCLSU")]
            = fake::items({ "1`Lebensmittel", "2`Moebel" });
        s.xecuteOutputs[QStringLiteral("d ABTNR^KXCLSU")] = fake::items({ "M5`Mode", "M6`Sport" });
        s.xecuteOutputs[QStringLiteral("d HABT^KXCLSU")] = fake::items({ "B`Bau", "M`Markt" });
        s.xecuteOutputs[QStringLiteral("d UGRP^KXCLSU(2)")] = fake::items({ "21`Stuehle" });
        s.rows[QStringLiteral("KXUmsatz.Daten/Profitcenter")] = { { "10", "Zentrum" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/AbtInHAbt")] = { { "M5", "Mode" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/AbtInPC")] = { { "M6", "Sport" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/HAbtInPC")] = { { "M", "Markt" } };
        // Revenue by main department and customer group; B has none.
        s.answer = [](const fake::Call &c) -> fake::Rows {
            if (c.query != QStringLiteral("PeriodenSummeAufteilung"))
                return {};
            const QString habt = c.args[6];
            const QString group = c.args[8] + c.args[9];
            if (habt == QStringLiteral("B"))
                return { { "0", "0" } };
            if (group == QStringLiteral("G") || group == QStringLiteral("S"))
                return { { "10.5", "-7.5" } };
            return { { "3001234.4", "7.5" } };
        };
        selection.setFirma(QStringLiteral("1"));
        selection.fillMainGroups();
        selection.fillDepartments();
        selection.fillProfitCentres();
        selection.fillMainDepartments();
        selection.fillFixedLists();
        server.store.queries.clear();
    }
    std::optional<DetailsBreakdown::Table> run()
    {
        return breakdown.run(selection, display, june2005, 3);
    }
};

// The rows as the details list shows them in German, the cells joined by ';'.
QStringList shownRows(const DetailsBreakdown::Table &table)
{
    BreakdownTable model;
    model.setTable(table, german);
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(u';');
    }
    return rows;
}

QStringList codesOf(const DetailsBreakdown::Table &table)
{
    QStringList codes;
    for (const DetailsBreakdown::Row &row : table.rows)
        codes << row.code;
    return codes;
}

} // namespace

class TestDetailsBreakdown : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void range_data()
    {
        QTest::addColumn<int>("valueKind");
        QTest::addColumn<int>("detailPeriod");
        QTest::addColumn<int>("yearKind");
        QTest::addColumn<Range>("range");
        QTest::newRow("year, current") << 0 << 0 << 0 << Range { "10501", "10512", 1 };
        QTest::newRow("year, previous") << 0 << 1 << 0 << Range { "10401", "10412", 1 };
        QTest::newRow("year, three-year mean") << 0 << 2 << 0 << Range { "10101", "10312", 3 };
        QTest::newRow("business year, current") << 0 << 0 << 1 << Range { "10503", "10602", 1 };
        QTest::newRow("business year, previous") << 0 << 1 << 1 << Range { "10403", "10502", 1 };
        QTest::newRow("business year, three-year mean")
            << 0 << 2 << 1 << Range { "10103", "10402", 3 };
        QTest::newRow("month, current") << 1 << 0 << 0 << Range { "10503", "10503", 1 };
        QTest::newRow("month, previous") << 1 << 1 << 0 << Range { "10403", "10403", 1 };
        QTest::newRow("month, business year") << 1 << 0 << 1 << Range { "10503", "10503", 1 };
    }
    void range()
    {
        QFETCH(int, valueKind);
        QFETCH(int, detailPeriod);
        QFETCH(int, yearKind);
        QFETCH(Range, range);
        QCOMPARE(DetailsBreakdown::range(valueKind, detailPeriod, yearKind, june2005, 3), range);
    }

    void headings_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("subgroups") << 1 << QStringList { "Grp", "Umsatz", "DB" };
        QTest::newRow("customer groups")
            << 3 << QStringList { "Grp", "P Umsatz", "P DB", "G Umsatz", "G DB" };
        QTest::newRow("customer groups alone")
            << 2 << QStringList { "Grp", "P Umsatz", "P DB", "G Umsatz", "G DB" };
        QTest::newRow("shipping") << 9
                                  << QStringList { "Grp", "L Umsatz", "L DB", "S Umsatz", "S DB" };
        QTest::newRow("none") << 0 << QStringList { "Grp" };
        QTest::newRow("invalid") << 10 << QStringList { "Grp" };
    }
    void headings()
    {
        QFETCH(int, flags);
        QFETCH(QStringList, headings);
        QCOMPARE(DetailsBreakdown::headings(flags), headings);
    }

    // Nothing selected, "No": one row per main department; B without revenue is left out.
    void mainDepartmentsWithoutRevenueLeftOut()
    {
        Fixture f;
        f.selection.setSplitFlags(1);
        const auto table = f.run();
        QVERIFY(table);
        QCOMPARE(f.server.prompter.messages.size(), 1);
        QCOMPARE(f.server.prompter.messages[0].title,
                 QStringLiteral("Aufteilung nach Profitcenter oder Hauptabteilung"));
        QCOMPARE(shownRows(*table), QStringList({ "Gesamt;3.001.234;8", "M Markt;3.001.234;8" }));
        QCOMPARE(f.server.store.queries.size(), 3);
        QCOMPARE(f.server.store.queries[1].args,
                 QStringList({ "1", "10501", "10512", "", "", "", "B", "", "", "" }));
    }

    // A restricted user's breakdown leaves out the units the user may not choose, the
    // company total among them, and never asks for profit centres, which are closed to them.
    void restrictedUserSeesOnlyAllowedUnits_data()
    {
        QTest::addColumn<QString>("department");
        QTest::addColumn<QString>("mainDepartment");
        QTest::addColumn<bool>("restricted");
        QTest::addColumn<bool>("byProfitCentre");
        QTest::addColumn<QStringList>("rowCodes");
        QTest::newRow("unrestricted") << "M5"
                                      << "M" << false << false << QStringList { "", "M" };
        QTest::newRow("unrestricted by profit centre")
            << "M5"
            << "M" << false << true << QStringList { "", "10" };
        QTest::newRow("own main department") << "M5"
                                             << "M" << true << false << QStringList { "M" };
        QTest::newRow("foreign main department") << "B1"
                                                 << "B" << true << false << QStringList {};
        QTest::newRow("profit centres asked for") << "M5"
                                                  << "M" << true << true << QStringList { "M" };
    }
    void restrictedUserSeesOnlyAllowedUnits()
    {
        QFETCH(QString, department);
        QFETCH(QString, mainDepartment);
        QFETCH(bool, restricted);
        QFETCH(bool, byProfitCentre);
        QFETCH(QStringList, rowCodes);
        Fixture f;
        f.selection.setUser(department, mainDepartment, AccessRights { true, restricted, false });
        f.selection.setSplitFlags(1);
        f.server.prompter.yes = byProfitCentre;
        const auto table = f.run();
        QVERIFY(table);
        QCOMPARE(codesOf(*table), rowCodes);
        QCOMPARE(f.server.prompter.messages.size(), restricted ? 0 : 1);
    }
    void restrictedUserDepartmentRows()
    {
        Fixture f;
        f.server.store.rows[QStringLiteral("KXUmsatz.Daten/AbtInPC")]
            = { { "M5", "Mode" }, { "M6", "Sport" }, { "M7", "Schuhe" }, { "MB", "Taschen" } };
        f.selection.setUser(QStringLiteral("M5"), QStringLiteral("M"),
                            AccessRights { true, true, false });
        f.selection.setSplitFlags(1);
        f.selection.choose(SelectionModel::SPCNR, 1);
        const auto table = f.run();
        QVERIFY(table);
        QCOMPARE(codesOf(*table), QStringList({ "", "M5", "M7", "MB" }));
    }

    void pairsQueryTwice()
    {
        Fixture f;
        f.server.prompter.yes = true; // by profit centre
        const auto table = f.run();
        QCOMPARE(shownRows(*table),
                 QStringList({ "Gesamt;3.001.234;8;10;-8", "10 Zentrum;3.001.234;8;10;-8" }));
        QCOMPARE(f.server.store.queries.size(), 4);
        QCOMPARE(f.server.store.queries[3].args[5], QStringLiteral("10"));
        QCOMPARE(f.server.store.queries[3].args[8], QStringLiteral("G"));
    }

    void threeYearMeanRoundsHalfToEven()
    {
        Fixture f;
        f.server.prompter.yes = true;
        f.selection.setSplitFlags(9);
        f.display.detailPeriod = 2;
        // 3001234.4 / 3 = 1000411.47 -> 1000411; 7.5 / 3 = 2.5 -> 2; 10.5 / 3 = 3.5 -> 4
        const auto table = f.run();
        QCOMPARE(shownRows(*table).value(1), QStringLiteral("10 Zentrum;1.000.411;2;4;-2"));
        QCOMPARE(f.server.store.queries[0].args[1], QStringLiteral("10101"));
    }

    void splitFlagsWithoutRows_data()
    {
        QTest::addColumn<int>("flags");
        QTest::newRow("0") << 0;
        QTest::newRow("10") << 10;
    }
    void splitFlagsWithoutRows()
    {
        QFETCH(int, flags);
        Fixture f;
        f.selection.setSplitFlags(flags);
        const auto table = f.run();
        QVERIFY(table->rows.isEmpty());
        QCOMPARE(table->headings, QStringList { "Grp" });
        QVERIFY(f.server.store.queries.isEmpty());
    }

    // Which list gives the rows, and which argument each row's code replaces.
    void rowChoice_data()
    {
        QTest::addColumn<QStringList>("choices"); // list=code pairs chosen in order
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("argument");
        QTest::newRow("profit centre: departments")
            << QStringList { "SPCNR=10" } << QStringList { "", "M6" } << 7;
        QTest::newRow("main department: departments")
            << QStringList { "SHABT=M" } << QStringList { "", "M5" } << 7;
        QTest::newRow("department: main groups")
            << QStringList { "SABTNR=M5" } << QStringList { "", "1", "2" } << 3;
        QTest::newRow("main group: subgroups")
            << QStringList { "SHGRP=2" } << QStringList { "", "21" } << 4;
        QTest::newRow("subgroup: one row")
            << QStringList { "SHGRP=2", "SUGRP=21" } << QStringList { "" } << -1;
    }
    void rowChoice()
    {
        QFETCH(QStringList, choices);
        QFETCH(QStringList, labels);
        QFETCH(int, argument);
        Fixture f;
        f.selection.setSplitFlags(1);
        for (const QString &choice : choices) {
            const QString list = choice.section('=', 0, 0);
            const QString code = choice.section('=', 1);
            const L::List l = list == "SPCNR" ? L::SPCNR
                : list == "SHABT"             ? L::SHABT
                : list == "SABTNR"            ? L::SABTNR
                : list == "SHGRP"             ? L::SHGRP
                                              : L::SUGRP;
            f.selection.chooseCode(l, code);
        }
        f.server.store.queries.clear();
        const auto table = f.run();
        QVERIFY(f.server.prompter.messages.isEmpty());
        QCOMPARE(f.server.store.queries.size(), labels.size());
        QCOMPARE(codesOf(*table), labels);
        if (argument >= 0)
            QCOMPARE(f.server.store.queries.last().args[argument], labels.last());
    }

    void departmentBound()
    {
        Fixture f;
        f.selection.setUser({}, {}, AccessRights { true, false, true });
        QVERIFY(!f.run());
        QCOMPARE(f.server.prompter.texts(), QStringList { "Sie Müssen eine Abteilung auswählen!" });
        QVERIFY(f.server.store.queries.isEmpty());
    }

    // The total row stays first in both orders of any column; the table turns stale when
    // the periods asked for differ from its own and fresh again when they match.
    void totalFirstAndStale()
    {
        Fixture f;
        f.server.prompter.yes = true;
        f.selection.setSplitFlags(1);
        DetailsBreakdown::Table table = *f.run();
        table.rows << DetailsBreakdown::Row { "20", { 5.0, 1.0 }, "Nord" }
                   << DetailsBreakdown::Row { "05", { 9e6, 2.0 }, "" };
        BreakdownTable model;
        model.setTable(table, german);
        BreakdownSortProxy sorted;
        sorted.setSourceModel(&model);
        for (const int column : { 0, 1 }) {
            for (const Qt::SortOrder order : { Qt::AscendingOrder, Qt::DescendingOrder }) {
                sorted.sort(column, order);
                QCOMPARE(sorted.index(0, 0).data().toString(), QStringLiteral("Gesamt"));
                // by code "05" < "10" < "20"; by revenue 5 (20) < … < 9e6 (05)
                const bool lowCodeFirst = (column == 0) == (order == Qt::AscendingOrder);
                QCOMPARE(sorted.index(1, 0).data().toString(),
                         lowCodeFirst ? QStringLiteral("05") : QStringLiteral("20 Nord"));
            }
        }
        QSignalSpy stale(&model, &BreakdownTable::staleChanged);
        const Range fetched = table.range;
        model.checkRange(DetailsBreakdown::range(0, 1, 0, june2005, 3));
        model.checkRange(DetailsBreakdown::range(0, 2, 0, june2005, 3));
        QVERIFY(model.isStale());
        model.checkRange(fetched);
        QVERIFY(!model.isStale());
        QCOMPARE(stale.size(), 2);
        model.setTable({}, german);
        model.checkRange(DetailsBreakdown::range(0, 1, 0, june2005, 3));
        QVERIFY(!model.isStale()); // an empty list shows nothing that could be stale
    }

    void serverErrorStops()
    {
        Fixture f;
        f.server.prompter.yes = true;
        f.server.store.failAtQuery = 2;
        const auto table = f.run();
        QVERIFY(table->failed);
        QCOMPARE(f.server.store.queries.size(), 2);
        QCOMPARE(f.server.prompter.messages.last().title, QStringLiteral("Caché Zugriffsfehler"));
    }
};

QTEST_MAIN(TestDetailsBreakdown)
#include "tst_detailsbreakdown.moc"
