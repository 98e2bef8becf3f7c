#include "FakeServer.h"
#include "SelectionModel.h"

#include <QTest>

using namespace ertragon;
using L = SelectionModel;

namespace {

// A store with lists for every level; restricted user of department M5,
// main department M.
struct Fixture
{
    fake::Server server;
    SelectionModel model { server.access, server.prompter };

    explicit Fixture(bool restricted = false, const QString &own = QStringLiteral("M5"))
    {
        auto &s = server.store;
        s.xecuteOutputs[QStringLiteral("d HGRP^KXCLSU")]
            = fake::items({ "1`Lebensmittel", "2`M{bel" });
        s.xecuteOutputs[QStringLiteral("d ABTNR^KXCLSU")]
            = fake::items({ "B1`Bau", "M5`Mode", "M6`Sport", "M7`Schuhe", "MB`Taschen" });
        s.xecuteOutputs[QStringLiteral("d HABT^KXCLSU")] = fake::items({ "B`Baumarkt", "M`Markt" });
        s.xecuteOutputs[QStringLiteral("d UGRP^KXCLSU(2)")]
            = fake::items({ "21`St}hle", "22`Tische" });
        s.rows[QStringLiteral("KXUmsatz.Daten/Profitcenter")]
            = { { "10", "Zentrum" }, { "20", "S}d" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/HAbtInPC")] = { { "M", "M{rkte" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/AbtInPC")] = { { "M5", "Mode" }, { "M7", "Schuhe" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/AbtInHAbt")]
            = { { "M5", "Mode" }, { "M6", "Sport" }, { "M7", "Schuhe" }, { "MB", "Taschen" } };
        model.setUser(own, QStringLiteral("M"), AccessRights { true, restricted, false });
        model.setFirma(QStringLiteral("1"));
        model.fillMainGroups();
        model.fillDepartments();
        model.fillProfitCentres();
        model.fillMainDepartments();
        model.fillFixedLists();
        model.clearSelectionChanged();
    }
    void choose(L::List list, const QString &code) { model.chooseCode(list, code); }
};

} // namespace

class TestSelectionModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startLists()
    {
        Fixture f;
        QCOMPARE(f.model.list(L::SHGRP).texts(), QStringList({ "", "1 Lebensmittel", "2 M{bel" }));
        // Query names are converted, command names shown as sent.
        QCOMPARE(f.model.list(L::SPCNR).texts(), QStringList({ "", "10 Zentrum", "20 Süd" }));
        QCOMPARE(f.model.list(L::SPG).texts(), QStringList({ "", "P Privat", "G Gewerbe" }));
        QCOMPARE(f.model.list(L::SHVArt).texts(), QStringList({ "", "L Lager", "S Strecke" }));
        QCOMPARE(f.model.currentIndex(L::SABTNR), 0);
        QVERIFY(!f.model.abteilungSelektiert());
    }

    void departmentTable_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("M5 may choose M7") << "M5"
                                          << "M7" << true;
        QTest::newRow("M5 may choose MB") << "M5"
                                          << "MB" << true;
        QTest::newRow("M5 is refused M6") << "M5"
                                          << "M6" << false;
        QTest::newRow("B0 may choose B1") << "B0"
                                          << "B1" << true;
        QTest::newRow("B0 may choose any B") << "B0"
                                             << "BX" << true;
        QTest::newRow("B0 may choose M7") << "B0"
                                          << "M7" << true;
        QTest::newRow("B0 is refused M1") << "B0"
                                          << "M1" << false;
        QTest::newRow("B1 may choose M7") << "B1"
                                          << "M7" << true;
        QTest::newRow("B1 is refused B2") << "B1"
                                          << "B2" << false;
        QTest::newRow("B2 only itself") << "B2"
                                        << "B1" << false;
        QTest::newRow("M1 may choose MH") << "M1"
                                          << "MH" << true;
        QTest::newRow("M2 may choose MA") << "M2"
                                          << "MA" << true;
        QTest::newRow("M6 may choose M3") << "M6"
                                          << "M3" << true;
        QTest::newRow("M3 is refused M4") << "M3"
                                          << "M4" << false;
        QTest::newRow("M4 may choose MC") << "M4"
                                          << "MC" << true;
        QTest::newRow("M7 may choose M5") << "M7"
                                          << "M5" << true;
        QTest::newRow("M8 is refused M9") << "M8"
                                          << "M9" << false;
        QTest::newRow("M9 itself") << "M9"
                                   << "M9" << true;
        QTest::newRow("other departments choose freely") << "X1"
                                                         << "M6" << true;
    }
    void departmentTable()
    {
        QFETCH(QString, own);
        QFETCH(QString, chosen);
        QFETCH(bool, allowed);
        QCOMPARE(AccessRights::departmentAllowed(own, chosen), allowed);
    }

    // A refused department goes back to the empty item and is never fetched.
    void restrictedDepartmentChoice_data()
    {
        QTest::addColumn<bool>("restricted");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("refused");
        QTest::newRow("own department") << true << "M5" << false;
        QTest::newRow("allowed neighbour") << true << "MB" << false;
        QTest::newRow("foreign department") << true << "M6" << true;
        QTest::newRow("unrestricted user") << false << "M6" << false;
    }
    void restrictedDepartmentChoice()
    {
        QFETCH(bool, restricted);
        QFETCH(QString, chosen);
        QFETCH(bool, refused);
        Fixture f(restricted);
        f.choose(L::SABTNR, chosen);
        QCOMPARE(f.model.nichtErlaubt(), refused);
        QCOMPARE(f.model.abteilungSelektiert(), !refused);
        QCOMPARE(f.model.selectionChanged(), !refused);
        QCOMPARE(f.model.code(L::SABTNR), refused ? QString() : chosen);
        QCOMPARE(f.model.fetchSelection().abtnr, refused ? QString() : chosen);
        QCOMPARE(f.model.holdsRefusedChoice(), false);
        if (refused) {
            QCOMPARE(f.server.prompter.messages.size(), 1);
            QCOMPARE(f.server.prompter.messages[0].title, QStringLiteral("Fehlermeldung"));
            QCOMPARE(f.server.prompter.messages[0].text,
                     QStringLiteral("Sie dürfen nur Ihre eigene Abteilung selektieren."));
        } else {
            QVERIFY(f.server.prompter.messages.isEmpty());
        }
    }

    void foreignMainDepartment()
    {
        Fixture f(true);
        f.choose(L::SHABT, QStringLiteral("B"));
        QCOMPARE(f.server.prompter.texts(),
                 QStringList { "Sie dürfen nur Ihre eigene Hauptabteilung selektieren." });
        QCOMPARE(f.model.currentIndex(L::SHABT), 0);
        QVERIFY(f.model.nichtErlaubt());
        QVERIFY(!f.model.abteilungSelektiert());
        QVERIFY(!f.model.selectionChanged());
        // SABTNR holds all departments again.
        QCOMPARE(f.model.list(L::SABTNR).texts().size(), 6);
    }

    void ownMainDepartment()
    {
        Fixture f(true);
        f.choose(L::SHABT, QStringLiteral("M"));
        QVERIFY(f.server.prompter.messages.isEmpty());
        QVERIFY(f.model.abteilungSelektiert());
        QVERIFY(f.model.selectionChanged());
        QCOMPARE(f.model.list(L::SABTNR).texts(),
                 QStringList({ "", "M5 Mode", "M6 Sport", "M7 Schuhe", "MB Taschen" }));
        const fake::Call &last = f.server.store.queries.last();
        QCOMPARE(last.query, QStringLiteral("AbtInHAbt"));
        QCOMPARE(last.args, QStringList({ "1", "M" }));
        f.choose(L::SHABT, QString());
        QVERIFY(!f.model.abteilungSelektiert());
        QCOMPARE(f.model.list(L::SABTNR).texts().size(), 6);
    }

    void profitCentre()
    {
        Fixture f;
        f.model.setFirma(QStringLiteral("7")); // the queries still use the login company
        f.choose(L::SPCNR, QStringLiteral("20"));
        QCOMPARE(f.model.list(L::SHABT).texts(), QStringList({ "", "M Märkte" }));
        QCOMPARE(f.model.list(L::SABTNR).texts(), QStringList({ "", "M5 Mode", "M7 Schuhe" }));
        const auto &q = f.server.store.queries;
        QCOMPARE(q[q.size() - 2].query, QStringLiteral("HAbtInPC"));
        QCOMPARE(q.last().args, QStringList({ "1", "20" }));
        QVERIFY(f.model.selectionChanged());

        // Emptying the profit centre refills only the main departments.
        f.model.clearSelectionChanged();
        f.model.choose(L::SPCNR, 0);
        QCOMPARE(f.model.list(L::SHABT).texts(), QStringList({ "", "B Baumarkt", "M Markt" }));
        QCOMPARE(f.model.list(L::SABTNR).texts(), QStringList({ "", "M5 Mode", "M7 Schuhe" }));
        QVERIFY(f.model.selectionChanged());
    }

    void mainGroup()
    {
        Fixture f;
        f.choose(L::SHGRP, QStringLiteral("2"));
        QVERIFY(f.server.store.xecuted.contains(QStringLiteral("d UGRP^KXCLSU(2)")));
        QCOMPARE(f.model.list(L::SUGRP).texts(), QStringList({ "", "21 St}hle", "22 Tische" }));
        QVERIFY(f.model.selectionChanged());
        f.choose(L::SUGRP, QStringLiteral("22"));
        QCOMPARE(f.model.fetchSelection().ugrp, QStringLiteral("22"));
        f.model.clearSelectionChanged();
        f.model.choose(L::SHGRP, 0);
        QVERIFY(f.model.list(L::SUGRP).texts().isEmpty());
        QCOMPARE(f.model.fetchSelection().ugrp, QString());
        QVERIFY(f.model.selectionChanged());
    }

    void failingListKeepsItems()
    {
        Fixture f;
        f.server.store.failAtQuery = f.server.store.queries.size() + 2; // AbtInPC fails
        f.choose(L::SPCNR, QStringLiteral("10"));
        QCOMPARE(f.server.prompter.messages.size(), 1);
        QCOMPARE(f.server.prompter.messages[0].title, QStringLiteral("Caché Zugriffsfehler"));
        QCOMPARE(f.model.list(L::SHABT).texts(), QStringList({ "", "M Märkte" }));
        QCOMPARE(f.model.list(L::SABTNR).texts(), QStringList({ "" }));
    }

    void fetchSelectionCompany_data()
    {
        QTest::addColumn<QString>("firma");
        QTest::addColumn<QString>("company");
        QTest::newRow("empty is 0") << ""
                                    << "0";
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("plain") << "1"
                               << "1";
        QTest::newRow("trailing text") << "12ab"
                                       << "12";
        QTest::newRow("no number") << "abc"
                                   << "0";
    }
    void fetchSelectionCompany()
    {
        QFETCH(QString, firma);
        QFETCH(QString, company);
        Fixture f;
        f.model.setFirma(firma);
        QVERIFY(f.model.selectionChanged());
        QCOMPARE(f.model.fetchSelection().company, company);
    }

    // Clicks of chkUGRP (1), chkHKGRP (2), chkHVArt (8) from the start value 3.
    void splitFlags_data()
    {
        QTest::addColumn<QList<int>>("clicks"); // +box checks, -box unchecks
        QTest::addColumn<int>("flags");
        QTest::newRow("start") << QList<int> {} << 3;
        QTest::newRow("shipping type unchecks customer groups") << QList<int> { 8 } << 9;
        QTest::newRow("customer groups uncheck shipping type") << QList<int> { 8, 2 } << 3;
        QTest::newRow("subgroups off") << QList<int> { -1 } << 2;
        QTest::newRow("all off") << QList<int> { -1, -2 } << 0;
        QTest::newRow("shipping alone") << QList<int> { -1, 8 } << 8;
        QTest::newRow("checking a checked box changes nothing") << QList<int> { 1, 2 } << 3;
        QTest::newRow("unchecking an unchecked box changes nothing") << QList<int> { -8 } << 3;
    }
    void splitFlags()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, flags);
        Fixture f;
        f.model.setSplitFlags(3);
        for (int c : clicks)
            f.model.setChecked(L::SplitBox(std::abs(c)), c > 0);
        QCOMPARE(f.model.splitFlags(), flags);
        QVERIFY(!(f.model.isChecked(L::ChkHKGRP) && f.model.isChecked(L::ChkHVArt)));
    }
};

QTEST_MAIN(TestSelectionModel)
#include "tst_selectionmodel.moc"
