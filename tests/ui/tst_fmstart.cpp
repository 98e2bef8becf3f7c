#include "AnalysisSession.h"
#include "DataRebuild.h"
#include "FMStart.h"
#include "FakeServer.h"
#include "FixedClock.h"
#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"
#include "frmAbout.h"
#include "frmAuswahlDetail.h"
#include "frmNeueDaten.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace ertragon;

namespace {

struct Fixture
{
    fake::Server server;
    FixedClock clock { QDateTime(QDate(2005, 3, 10), QTime(8, 0)) };
    AnalysisSession session { server.access, server.prompter, clock };
    FMStart window { session, server.prompter };
    QList<ReportData> redraws;

    explicit Fixture(const QString &rights = QStringLiteral("J|N|N"))
    {
        auto &s = server.store;
        s.rows[QStringLiteral("KXUmsatz.Daten/Zugriffsrechte")] = { rights.split('|') };
        s.rows[QStringLiteral("KXUmsatz.Daten/Profitcenter")]
            = { { "10", "Zentrum" }, { "20", "S}d" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/PeriodenSumme")] = { { "1000", "250" } };
        s.rows[QStringLiteral("KXUmsatz.Daten/PeriodenSummeAufteilung")] = { { "123", "45" } };
        s.xecuteOutputs[QStringLiteral("d HGRP^KXCLSU")] = fake::items({ "1`Lebensmittel" });
        s.xecuteOutputs[QStringLiteral("d ABTNR^KXCLSU")] = fake::items({ "M5`Mode", "M6`Sport" });
        s.xecuteOutputs[QStringLiteral("d HABT^KXCLSU")] = fake::items({ "M`Markt" });
        s.xecuteOutputs[QStringLiteral("S P0=^XWGDAT W P0")] = QStringLiteral("10502`1050301");
        QObject::connect(&session, &AnalysisSession::reportChanged,
                         [this](const ReportData &d) { redraws << d; });
        QVERIFY(session.startUp([] { return true; }));
    }
    QAction *action(const char *name) const
    {
        return window.findChild<QAction *>(QString::fromUtf8(name));
    }
    template<typename T> T *widget(const char *name) const
    {
        return window.findChild<T *>(QString::fromUtf8(name));
    }
};

// "&Datei" -> captions with separators as "-".
QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

class TestFMStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The test is not installed beside Orvel: the month input finds it registered.
    void initTestCase()
    {
        const auto error = comctl::ControlLoader::registerLibrary(QStringLiteral(ORVEL_LIBRARY));
        QVERIFY2(!error.isError(), qPrintable(error.text()));
    }
    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("Datei")
            << "&Datei"
            << QStringList { "Druckereinstellungen", "&Drucken", "-", "&Login", "-", "&Beenden" };
        QTest::newRow("Eigenschaften")
            << "&Eigenschaften"
            << QStringList { "Dateneingabe Anzeigen", "Dateneingabe Ausblenden" };
        QTest::newRow("Graph") << "Darstellung Graph"
                               << QStringList { "bezogen auf Jahresmittel",
                                                "bezogen auf letztes Quartal",
                                                "Absolut",
                                                "DB in % von Umsatz",
                                                "-",
                                                "Legende und Zeilentitel" };
        QTest::newRow("Tabelle") << "Darstellung Tabelle"
                                 << QStringList { "Werte Kumuliert", "Absolut",
                                                  "% Bezogen auf 2001-2003", "% Bezogen auf 2004",
                                                  "Werte Graph" };
        QTest::newRow("Jahr") << "Darstellung Jahr" << QStringList { "Kalenderjahr",
                                                                     "Wirtschaftsjahr",
                                                                     "-",
                                                                     "Erweiterte Auswahl",
                                                                     "-",
                                                                     "Daten holen" };
        QTest::newRow("Details") << "Detai&ls"
                                 << QStringList { "Details Anz&eigen", "Details &Ausbelden" };
        QTest::newRow("Tools") << "&Tools" << QStringList { "Daten &Generieren" };
        QTest::newRow("Hilfe") << "&Hilfe" << QStringList { "Hilfe &über ...", "Programmverlauf" };
    }
    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        Fixture f;
        QMenu *found = nullptr;
        for (QAction *a : f.window.menuBar()->actions())
            if (a->text() == menu)
                found = a->menu();
        QVERIFY2(found, qPrintable(menu));
        QCOMPARE(menuTexts(found), items);
    }

    void shortcutsAndChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("checked");
        QTest::newRow("mDrucken") << "mDrucken" << QKeySequence("Ctrl+P") << false;
        QTest::newRow("mDaten0") << "mDaten0" << QKeySequence("F2") << true;
        QTest::newRow("mDaten1") << "mDaten1" << QKeySequence("F3") << false;
        QTest::newRow("mGraph0") << "mGraph0" << QKeySequence("F6") << true;
        QTest::newRow("mGraph1") << "mGraph1" << QKeySequence("F7") << false;
        QTest::newRow("mGraph2") << "mGraph2" << QKeySequence("F8") << false;
        QTest::newRow("mGraph3") << "mGraph3" << QKeySequence("F9") << false;
        QTest::newRow("mTabelle0") << "mTabelle0" << QKeySequence("Ctrl+F6") << false;
        QTest::newRow("mTabelle1") << "mTabelle1" << QKeySequence("Ctrl+F7") << false;
        QTest::newRow("mTabelle2") << "mTabelle2" << QKeySequence("Ctrl+F8") << true;
        QTest::newRow("mTabelle3") << "mTabelle3" << QKeySequence() << false;
        QTest::newRow("mTabelle4") << "mTabelle4" << QKeySequence("Ctrl+F9") << false;
        QTest::newRow("mJahr0") << "mJahr0" << QKeySequence("Ctrl+K") << true;
        QTest::newRow("mJahr1") << "mJahr1" << QKeySequence("Ctrl+W") << false;
        QTest::newRow("mNeuZeichnen") << "mNeuZeichnen" << QKeySequence("F5") << false;
        QTest::newRow("mDetails0") << "mDetails0" << QKeySequence("Ctrl+D") << false;
        QTest::newRow("mDetails1") << "mDetails1" << QKeySequence() << true;
        QTest::newRow("mGenerieren") << "mGenerieren" << QKeySequence("Ctrl+G") << false;
        QTest::newRow("HilfeUeber") << "HilfeUeber" << QKeySequence("F1") << false;
        QTest::newRow("mProgrammverlauf") << "mProgrammverlauf" << QKeySequence("Ctrl+F1") << false;
    }
    void shortcutsAndChecks()
    {
        QFETCH(QString, name);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, checked);
        Fixture f;
        QAction *a = f.action(name.toUtf8().constData());
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->shortcut(), shortcut);
        QCOMPARE(a->isChecked(), checked);
    }

    void startState()
    {
        Fixture f;
        QCOMPARE(f.window.windowTitle(),
                 QStringLiteral("KORDEX Ertragon   Firma: 1     Filiale: 0     Benutzer: DEM|Demo "
                                "Benutzer"));
        auto *pc = f.widget<QComboBox>("SPCNR");
        QCOMPARE(pc->count(), 3);
        QCOMPARE(pc->itemText(2), QStringLiteral("20 Süd"));
        QVERIFY(pc->isEnabled());
        QCOMPARE(f.widget<QComboBox>("SABTNR")->count(), 3);
        QCOMPARE(f.widget<QComboBox>("SHVArt")->itemText(2), QStringLiteral("S Strecke"));
        QCOMPARE(f.widget<QRadioButton>("optJahr2")->text(), QStringLiteral("2001-2003"));
        QVERIFY(f.widget<QRadioButton>("optJahr0")->isChecked());
        QVERIFY(f.widget<QRadioButton>("optJahrMonat0")->isChecked());
        QVERIFY(!f.widget<QWidget>("txtMonat")->isEnabled());
        QVERIFY(f.widget<QCheckBox>("chkUGRP")->isChecked());
        QVERIFY(f.widget<QCheckBox>("chkHKGRP")->isChecked());
        QVERIFY(!f.widget<QCheckBox>("chkHVArt")->isChecked());
        QCOMPARE(f.widget<QGroupBox>("frDetails")->title(), QStringLiteral(" Details "));
        QCOMPARE(f.widget<QPushButton>("cmdÜbernehmen")->text(),
                 QStringLiteral("Daten &holen (F5)"));
        QCOMPARE(f.widget<QPushButton>("cmdÜbernehmenDetails")->text(),
                 QStringLiteral("D&aten holen (F5)"));
        // The data basis was built for the last month: no question.
        QVERIFY(f.server.prompter.messages.isEmpty());
    }

    void restrictedUser()
    {
        Fixture f(QStringLiteral("J|J|N"));
        QVERIFY(!f.widget<QComboBox>("SPCNR")->isEnabled());
        QVERIFY(!f.action("mGraph1")->isEnabled());
        QVERIFY(!f.action("mTabelle3")->isEnabled());
        QVERIFY(!f.action("mAuswahl")->isEnabled());
        QVERIFY(f.action("mGraph2")->isEnabled());
    }

    // Display-mode changes redraw from the fetched totals without a server call.
    void displayModesMakeNoServerCall()
    {
        Fixture f;
        QVERIFY(f.session.fetch());
        QCOMPARE(f.server.store.queries.size(), 1 + 1 + 63); // rights, profit centres, fetch
        const int queries = f.server.store.queries.size();
        const int commands = f.server.store.xecuted.size();
        const int redraws = f.redraws.size();
        f.action("mGraph2")->trigger();
        f.action("mGraph3")->trigger();
        f.action("mTabelle0")->trigger();
        f.action("mJahr1")->trigger();
        f.action("mGraph1")->trigger();
        QCOMPARE(f.server.store.queries.size(), queries);
        QCOMPARE(f.server.store.xecuted.size(), commands);
        QCOMPARE(f.redraws.size(), redraws + 5);
        const ReportData &last = f.redraws.last();
        QCOMPARE(last.display.graphMode, 1);
        QVERIFY(last.display.dbPercent);
        QCOMPARE(last.display.tableMode, 0);
        QCOMPARE(last.display.yearKind, 1);
        QVERIFY(f.action("mGraph1")->isChecked());
        QVERIFY(!f.action("mGraph2")->isChecked());
        QVERIFY(f.action("mJahr1")->isChecked());
        // Business year from March: month 1 is March 2005, fetched as 1000/250.
        QCOMPARE(last.values.monthValues.value(1, 1), 1000.0);
        QCOMPARE(f.redraws[redraws].values.monthValues.value(3, 1), 1000.0);
    }

    void fetchShowsProgress()
    {
        Fixture f;
        QList<bool> visible;
        QObject::connect(&f.session, &AnalysisSession::logged, [&] {
            visible << f.window.findChild<QProgressBar *>("fetchProgress")->isVisibleTo(&f.window);
        });
        f.widget<QPushButton>("cmdÜbernehmen")->click();
        QCOMPARE(visible.size(), 63);
        QVERIFY(!visible.contains(false));
        QVERIFY(!f.window.findChild<QProgressBar *>("fetchProgress")->isVisibleTo(&f.window));
        QCOMPARE(f.redraws.size(), 1);
        QVERIFY(!f.session.selection().selectionChanged());
    }

    void comboForwardsChoice()
    {
        Fixture f;
        auto *habt = f.widget<QComboBox>("SHABT");
        f.server.store.rows[QStringLiteral("KXUmsatz.Daten/AbtInHAbt")] = { { "M5", "Mode" } };
        habt->setCurrentIndex(1);
        Q_EMIT habt->activated(1);
        QVERIFY(f.session.selection().abteilungSelektiert());
        QCOMPARE(f.widget<QComboBox>("SABTNR")->count(), 2);
    }

    void splitChecksFollowRules()
    {
        Fixture f;
        f.widget<QCheckBox>("chkHVArt")->click();
        QVERIFY(!f.widget<QCheckBox>("chkHKGRP")->isChecked());
        QCOMPARE(f.session.selection().splitFlags(), 9);
    }

    void panelsShowAndHide()
    {
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        auto *panel = f.widget<QWidget>("ctSize3");
        auto *show = f.widget<QPushButton>("cmdEinblenden");
        QVERIFY(panel->isVisible());
        QVERIFY(!show->isVisible());
        f.widget<QPushButton>("cmdAusblenden")->click();
        QVERIFY(!panel->isVisible());
        QVERIFY(show->isVisible());
        QVERIFY(f.action("mDaten1")->isChecked());
        show->click();
        QVERIFY(panel->isVisible());
        QVERIFY(f.action("mDaten0")->isChecked());

        auto *details = f.widget<QWidget>("ctSize2");
        QVERIFY(!details->isVisible());
        f.action("mDetails0")->trigger();
        QVERIFY(details->isVisible());
        const int expected = qRound(3735 * f.window.logicalDpiX() / 1440.0);
        QCOMPARE(f.widget<QSplitter>("ctSplit")->sizes().value(1), expected);
        f.widget<QPushButton>("cmdAusbeldenDetails")->click();
        QVERIFY(!details->isVisible());
        QVERIFY(f.action("mDetails1")->isChecked());
    }

    void detailsTable()
    {
        Fixture f;
        f.action("mDetails0")->trigger();
        f.action("mNeuZeichnen")->trigger();
        auto *list = f.widget<QTreeView>("ctList");
        const QAbstractItemModel *rows = list->model();
        QCOMPARE(rows->columnCount(), 5);
        QCOMPARE(rows->headerData(3, Qt::Horizontal).toString(), QStringLiteral("G Umsatz"));
        // Nothing selected, "No": the empty entry (the total) and main department M.
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(rows->index(1, 0).data().toString(), QStringLiteral("M Markt"));
        QCOMPARE(rows->index(1, 4).data().toString(), QStringLiteral("45"));
        list->selectionModel()->select(rows->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(f.window.selectedRowsText(),
                 QStringLiteral("Grp\tP Umsatz\tP DB\tG Umsatz\tG DB\nM\t123\t45\t123\t45\n"));

        // Hidden details are not refreshed by a fetch.
        f.action("mDetails1")->trigger();
        const int queries = f.server.store.queries.size();
        f.action("mNeuZeichnen")->trigger();
        QCOMPARE(f.server.store.queries.size(), queries + 63);
    }

    void extendedSelectionDialog()
    {
        Fixture f;
        f.server.store.rows[QStringLiteral("KXUmsatz.DatWH/PeriodenSumme")]
            = { { "100", "10", "20", "5" } };
        f.server.store.rows[QStringLiteral("KXUmsatz.Daten/Versandarten")] = { { "P", "Post" } };
        f.window.show();
        f.action("mAuswahl")->trigger();
        frmAuswahlDetail *dialog = f.window.extendedDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Zusätzliche Auswahlparameter"));
        QVERIFY(f.action("mAuswahl")->isChecked());
        auto *type = dialog->findChild<QComboBox *>("SSTyp");
        QCOMPARE(type->currentText(), QStringLiteral("A Alle"));
        QCOMPARE(dialog->findChild<QComboBox *>("SVART")->itemText(1), QStringLiteral("P Post"));
        Q_EMIT type->activated(2); // B
        f.server.store.queries.clear();
        dialog->findChild<QPushButton *>("OKButton")->click();
        QCOMPARE(f.server.store.queries.size(), 63);
        QCOMPARE(f.server.store.queries[0].className, QStringLiteral("KXUmsatz.DatWH"));
        QCOMPARE(f.session.totals().value(1, PeriodTotals::Margin), 85.0);
        QVERIFY(f.redraws.last().extendedSelection);
        QCOMPARE(f.redraws.last().selection.SSTyp, QStringLiteral("B Bestell Artikel"));

        // The close box unchecks the menu item; the next fetch is plain again.
        dialog->close();
        QVERIFY(!f.action("mAuswahl")->isChecked());
        QVERIFY(!f.session.extended().active());
        f.server.store.queries.clear();
        QVERIFY(f.session.fetch());
        QCOMPARE(f.server.store.queries[0].className, QStringLiteral("KXUmsatz.Daten"));
        QVERIFY(!f.redraws.last().extendedSelection);

        // Reopening starts again from "A Alle" and the revenue view.
        f.action("mAuswahl")->trigger();
        QCOMPARE(f.session.extended().articleTypeCode(), QStringLiteral("A"));
        QVERIFY(f.window.extendedDialog()->findChild<QRadioButton *>("oDarstellung0")->isChecked());
    }

    void rebuildDialog()
    {
        Fixture f;
        DataRebuild rebuild(f.server.access, f.clock);
        frmNeueDaten dialog(rebuild, f.server.prompter);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Neu aufzubauende Daten"));
        dialog.prepare();
        QCOMPARE(dialog.findChild<QLabel *>("lblDatenAnzeige")->text(),
                 QStringLiteral("Letzte Periode 10502 erstellt am 01.03.2005"));
        auto *from = dialog.findChild<QLineEdit *>("edtVon");
        auto *to = dialog.findChild<QLineEdit *>("edtBis");
        QCOMPARE(from->text(), QStringLiteral("10501"));
        QCOMPARE(to->text(), QStringLiteral("10502"));

        // A "from" after "to" is refused before anything is sent.
        from->setText(QStringLiteral("10503"));
        dialog.okClicked();
        QVERIFY(f.server.store.generated.isEmpty());
        QCOMPARE(f.server.prompter.messages.size(), 1);
        QCOMPARE(f.server.prompter.messages[0].icon, Prompter::Icon::Warning);

        from->setText(QStringLiteral("10412"));
        dialog.okClicked();
        QCOMPARE(f.server.store.generated.size(), 1);
        QCOMPARE(f.server.store.generated[0], QStringList({ "1", "10412", "10502" }));
        QCOMPARE(f.server.prompter.messages.last().title, QStringLiteral("Daten holen"));
        QCOMPARE(f.server.prompter.messages.last().text,
                 QStringLiteral("Daten Holen für Periode 10412 bis 10502 erledigt!"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void monthValuesOption()
    {
        Fixture f;
        f.widget<QRadioButton>("optJahr2")->click();
        QCOMPARE(f.session.display().detailPeriod, 2);
        f.widget<QRadioButton>("optJahrMonat1")->click();
        QCOMPARE(f.session.display().valueKind, 1);
        QCOMPARE(f.session.display().detailPeriod, 0);
        QVERIFY(f.widget<QWidget>("txtMonat")->isEnabled());
        QVERIFY(!f.widget<QRadioButton>("optJahr2")->isEnabled());
        f.widget<QRadioButton>("optJahrMonat0")->click();
        QVERIFY(!f.widget<QWidget>("txtMonat")->isEnabled());
        QVERIFY(f.widget<QRadioButton>("optJahr2")->isEnabled());
    }

    // The month input is Orvel's Tallix control, made by its class factory; what the
    // user types there chooses the period of the month breakdown.
    void monthInputDrivesMonthBreakdown_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("period");
        QTest::addColumn<int>("queries");
        QTest::newRow("current month") << ""
                                       << "10503" << 1;
        QTest::newRow("typed 7") << "7"
                                 << "10507" << 1;
        QTest::newRow("typed 11") << "11"
                                  << "10511" << 1;
        QTest::newRow("13 is refused") << "13"
                                       << "" << 0;
    }
    void monthInputDrivesMonthBreakdown()
    {
        QFETCH(QString, typed);
        QFETCH(QString, period);
        QFETCH(int, queries);
        Fixture f;
        auto *input = f.widget<QWidget>("txtMonat");
        QVERIFY(input->inherits("comctl::ComControl"));
        QCOMPARE(static_cast<comctl::ComControl *>(input)->progId(),
                 QStringLiteral("Zifra.Tallix.1"));
        f.action("mDetails0")->trigger();
        f.widget<QRadioButton>("optJahrMonat1")->click();
        if (!typed.isEmpty()) {
            f.window.show();
            input->setFocus();
            QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(input, Qt::Key_End);
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(input, Qt::Key_Backspace);
            QTest::keyClicks(input, typed);
        }
        f.server.store.queries.clear();
        f.widget<QPushButton>("cmdÜbernehmenDetails")->click();
        int breakdowns = 0;
        for (const auto &q : f.server.store.queries) {
            if (q.query != QStringLiteral("PeriodenSummeAufteilung"))
                continue;
            ++breakdowns;
            QCOMPARE(q.args.value(1), period);
            QCOMPARE(q.args.value(2), period);
        }
        QCOMPARE(breakdowns > 0 ? 1 : 0, queries);
    }

    // Neither registry knows Orvel and no copy lies beside the program: the window says so
    // where the input would be and in the status bar; the month breakdown still works.
    void missingMonthInputIsShown()
    {
        QTemporaryDir dir;
        const QByteArray registry = qgetenv("ERTRAGON_CONTROL_REGISTRY");
        qputenv("ERTRAGON_CONTROL_REGISTRY", QFile::encodeName(dir.filePath("none.json")));
        Fixture f;
        qputenv("ERTRAGON_CONTROL_REGISTRY", registry);
        auto *placeholder = f.widget<QLabel>("txtMonat");
        QVERIFY(placeholder);
        QCOMPARE(placeholder->text(), QStringLiteral("nicht verfügbar"));
        QVERIFY(placeholder->toolTip().startsWith("Monatseingabe nicht verfügbar"));
        QCOMPARE(f.window.statusBar()->currentMessage(), placeholder->toolTip());
        f.action("mDetails0")->trigger();
        f.widget<QRadioButton>("optJahrMonat1")->click();
        f.server.store.queries.clear();
        f.widget<QPushButton>("cmdÜbernehmenDetails")->click();
        const auto &queries = f.server.store.queries;
        QVERIFY(std::any_of(queries.cbegin(), queries.cend(), [](const auto &q) {
            return q.query == QStringLiteral("PeriodenSummeAufteilung")
                && q.args.value(1) == QStringLiteral("10503");
        }));
    }

    void aboutBox_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<int>("messages");
        QTest::newRow("tool found") << "/usr/bin/hardinfo" << true << 0;
        QTest::newRow("no tool") << "" << true << 1;
        QTest::newRow("tool fails to start") << "/usr/bin/hardinfo" << false << 1;
    }
    void aboutBox()
    {
        QFETCH(QString, tool);
        QFETCH(bool, starts);
        QFETCH(int, messages);
        fake::Prompter prompter;
        frmAbout box(prompter);
        QCOMPARE(box.windowTitle(), QStringLiteral("Info zu Ertragon"));
        QString started;
        box.setToolFinder([&] { return tool; });
        box.setToolStarter([&](const QString &path) {
            started = path;
            return starts;
        });
        box.findChild<QPushButton *>("cmdSysInfo")->click();
        QCOMPARE(started, tool);
        QCOMPARE(prompter.messages.size(), messages);
        if (messages)
            QCOMPARE(prompter.messages[0].text,
                     QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
    }
};

QTEST_MAIN(TestFMStart)
#include "tst_fmstart.moc"
