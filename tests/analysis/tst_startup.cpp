#include "DisplayState.h"
#include "FakeServer.h"
#include "FixedClock.h"
#include "SelectionModel.h"
#include "StartUp.h"

#include <QTest>

using namespace ertragon;

namespace {

// What the splash and the main window would be told, step by step.
struct Recording
{
    QStringList calls, statuses, tableCaptions, yearCaptions;
    QString caption;

    void follow(StartUp &steps)
    {
        QObject::connect(&steps, &StartUp::splashWanted, [this] { calls << "splash"; });
        QObject::connect(&steps, &StartUp::statusChanged,
                         [this](const QString &text) { statuses << text; });
        QObject::connect(&steps, &StartUp::splashDone, [this] { calls << "close"; });
        QObject::connect(&steps, &StartUp::captionChanged,
                         [this](const QString &c) { caption = c; });
        QObject::connect(&steps, &StartUp::previewDue, [this] { calls << "preview"; });
        QObject::connect(&steps, &StartUp::layoutDue, [this] { calls << "layout"; });
        QObject::connect(&steps, &StartUp::tableCaptionsChanged,
                         [this](const QString &a, const QString &b) {
                             tableCaptions = { a, b };
                         });
        QObject::connect(&steps, &StartUp::yearCaptionsChanged,
                         [this](const QStringList &c) { yearCaptions = c; });
        QObject::connect(&steps, &StartUp::restrictedUser, [this] { calls << "restricted"; });
        QObject::connect(&steps, &StartUp::displayReset, [this] { calls << "defaults"; });
        QObject::connect(&steps, &StartUp::rebuildWanted, [this] { calls << "rebuild"; });
    }
};

struct Fixture
{
    fake::Server server;
    FixedClock clock { QDateTime(QDate(2005, 6, 15), QTime(9, 0)) };
    SelectionModel selection { server.access, server.prompter };
    DisplayState display;
    Recording view;
    StartUp startUp { server.access, server.prompter, clock, selection, display };
    int logins = 0;
    bool loginSucceeds = true;

    Fixture(const QString &rights = QStringLiteral("J|N|N"),
            const QString &dataBasis = QStringLiteral("10505`1050601"))
    {
        auto &s = server.store;
        const QStringList r = rights.split('|');
        s.rows[QStringLiteral("KXUmsatz.Daten/Zugriffsrechte")] = { r };
        s.rows[QStringLiteral("KXUmsatz.Daten/Profitcenter")] = { { "10", "Zentrum" } };
        s.xecuteOutputs[QStringLiteral("d HGRP^KXCLSU")] = fake::items({ "1`Lebensmittel" });
        s.xecuteOutputs[QStringLiteral("d ABTNR^KXCLSU")] = fake::items({ "M5`Mode" });
        s.xecuteOutputs[QStringLiteral("d HABT^KXCLSU")] = fake::items({ "M`Markt" });
        s.xecuteOutputs[QStringLiteral("S P0=^XWGDAT W P0")] = dataBasis;
        display.tableMode = 0;
        display.graphMode = 2;
        display.valueKind = 1;
        view.follow(startUp);
        startUp.setLogin([this] {
            ++logins;
            return loginSucceeds;
        });
    }
};

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullStart()
    {
        Fixture f;
        QVERIFY(f.startUp.run());
        QCOMPARE(f.logins, 1);
        QCOMPARE(
            f.view.statuses,
            QStringList({ "Überprüfung Berechtigung", "Firma Setzten", "Hauptgruppen lesen ..",
                          "Abteilung lesen ..", "Profitcenter lesen ..", "Hauptabteilung lesen ..",
                          "Hauptkundengruppe lesen ..", "Hauptversandart lesen ..",
                          "Defaultparameter ..", "Überprüfung Datenbasis", "Fertig!" }));
        QCOMPARE(f.view.caption,
                 QStringLiteral("KORDEX Ertragon   Firma: 1     Filiale: 0     Benutzer: DEM|Demo "
                                "Benutzer"));
        QCOMPARE(f.view.tableCaptions,
                 QStringList({ "% Bezogen auf 2001-2003", "% Bezogen auf 2004" }));
        QCOMPARE(f.view.yearCaptions, QStringList({ "2005", "2004", "2001-2003" }));
        QCOMPARE(f.view.calls, QStringList({ "splash", "preview", "layout", "defaults", "close" }));
        QCOMPARE(f.selection.list(SelectionModel::SPCNR).texts(),
                 QStringList({ "", "10 Zentrum" }));
        QCOMPARE(f.selection.list(SelectionModel::SHABT).texts(), QStringList({ "", "M Markt" }));
        QCOMPARE(f.selection.firma(), QStringLiteral("1"));
        QCOMPARE(f.display.tableMode, 2);
        QCOMPARE(f.display.graphMode, 0);
        QCOMPARE(f.display.valueKind, 0);
        QCOMPARE(f.selection.splitFlags(), 3);
        QVERIFY(f.server.prompter.messages.isEmpty());
        const fake::Call &rights = f.server.store.queries.first();
        QCOMPARE(rights.query, QStringLiteral("Zugriffsrechte"));
        QCOMPARE(rights.args, QStringList({ "1", "DEM" }));
    }

    void loginGivenUp()
    {
        Fixture f;
        f.loginSucceeds = false;
        QVERIFY(!f.startUp.run());
        QVERIFY(f.view.calls.isEmpty());
        QVERIFY(f.server.store.queries.isEmpty());
    }

    void rightsGroupBelowThree()
    {
        Fixture f;
        f.server.access.context().rightsGroup = QStringLiteral("2");
        QVERIFY(!f.startUp.run());
        QVERIFY(f.view.calls.isEmpty());
        QVERIFY(f.view.statuses.isEmpty());
        QVERIFY(f.server.prompter.messages.isEmpty());
    }

    void rights_data()
    {
        QTest::addColumn<QString>("rights");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<bool>("restricted");
        QTest::newRow("full rights") << "J|N|N" << true << false;
        QTest::newRow("restricted") << "J|J|J" << true << true;
        QTest::newRow("not permitted") << "N|N|N" << false << false;
        QTest::newRow("no row") << "" << false << false;
    }
    void rights()
    {
        QFETCH(QString, rights);
        QFETCH(bool, runs);
        QFETCH(bool, restricted);
        Fixture f(rights);
        if (rights.isEmpty())
            f.server.store.rows[QStringLiteral("KXUmsatz.Daten/Zugriffsrechte")] = {};
        QCOMPARE(f.startUp.run(), runs);
        QCOMPARE(f.view.calls.contains("restricted"), restricted);
        QCOMPARE(f.selection.rights().restricted, restricted);
        if (!runs) {
            QCOMPARE(f.server.prompter.messages.size(), 1);
            const fake::Message &m = f.server.prompter.messages[0];
            QCOMPARE(m.title, QStringLiteral("Abbruch!"));
            QCOMPARE(m.text, QStringLiteral("Sie haben keine Berchtigung für dieses Programm."));
            QCOMPARE(m.icon, Prompter::Icon::Critical);
            QCOMPARE(f.view.statuses.last(), QStringLiteral("Beenden"));
            QVERIFY(f.view.caption.isEmpty());
        }
    }

    void dataBasisQuestion_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("question");
        const QString ask = QStringLiteral("Daten für Periode:%1 wurden zuletzt\r\nam : %2 "
                                           "aufgebaut.\r\nWollen Sie die Daten neu aufbauen?");
        QTest::newRow("built for the last month") << QDate(2005, 6, 15) << "10505`1050601"
                                                  << "";
        QTest::newRow("built two months ago")
            << QDate(2005, 6, 15) << "10504`1050502" << ask.arg("10504", "02.05.2005");
        QTest::newRow("January compares December")
            << QDate(2006, 1, 10) << "10511`1051201" << ask.arg("10511", "01.12.2005");
        QTest::newRow("January, December built") << QDate(2006, 1, 10) << "10512`1060102"
                                                 << "";
        QTest::newRow("no backtick") << QDate(2005, 6, 15) << "10401" << ask.arg("10401", "");
        QTest::newRow("garbage") << QDate(2005, 6, 15) << "kaputt`x"
                                 << "";
        // A store whose sums were never built says nothing: that is the stalest basis of all.
        QTest::newRow("never built")
            << QDate(2005, 6, 15) << ""
            << "Die Daten wurden noch nie aufgebaut.\r\nWollen Sie die Daten neu aufbauen?";
    }
    void dataBasisQuestion()
    {
        QFETCH(QDate, today);
        QFETCH(QString, output);
        QFETCH(QString, question);
        QCOMPARE(StartUp::dataBasisQuestion(output, today).value_or(QString()), question);
    }

    void dataBasisAnswer_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("rebuild");
        QTest::newRow("up to date") << "10505`1050601" << true << 0 << false;
        QTest::newRow("stale, yes") << "10503`1050401" << true << 1 << true;
        QTest::newRow("stale, no") << "10503`1050401" << false << 1 << false;
    }
    void dataBasisAnswer()
    {
        QFETCH(QString, output);
        QFETCH(bool, yes);
        QFETCH(int, questions);
        QFETCH(bool, rebuild);
        Fixture f(QStringLiteral("J|N|N"), output);
        f.server.prompter.yes = yes;
        QVERIFY(f.startUp.run());
        QCOMPARE(f.server.prompter.messages.size(), questions);
        if (questions)
            QCOMPARE(f.server.prompter.messages[0].title, QStringLiteral("Ertragon"));
        QCOMPARE(f.view.calls.contains("rebuild"), rebuild);
    }

    void failingDataBasisCommandAsksNothing()
    {
        Fixture f;
        f.server.store.xecuteOutputs.remove(QStringLiteral("S P0=^XWGDAT W P0"));
        QVERIFY(f.startUp.run());
        QCOMPARE(f.server.prompter.messages.size(), 1); // the server error box only
        QCOMPARE(f.server.prompter.messages[0].title, QStringLiteral("Caché Zugriffsfehler"));
        QVERIFY(!f.view.calls.contains("rebuild"));
        QCOMPARE(f.view.statuses.last(), QStringLiteral("Fertig!"));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
