// Logging in as a user does: from the command line, through the login window,
// with a wrong password, against a store that cannot be reached; the "&Login"
// of the running program and "&Beenden".

#include "ConnectStatusWindow.h"
#include "FMPass.h"
#include "FMServer.h"
#include "FMStart.h"
#include "JourneyRig.h"
#include "LoginWindows.h"
#include "ProgramHistory.h"
#include "ServerAccess.h"
#include "ServerSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeView>

using namespace journey;

namespace {

const QString demoCaption
    = QStringLiteral("KORDEX Ertragon   Firma: 1     Filiale: 0     Benutzer: ");

// Fills the login window open in front and presses "Anmelden".
void logInThroughDialog(QWidget *modal, const QString &user, const QString &password)
{
    auto *pass = qobject_cast<ertragon::FMPass *>(modal);
    QVERIFY2(pass, qPrintable(modal->objectName()));
    pass->BUSER->clear();
    QTest::keyClicks(pass->BUSER, user);
    pass->BPASSWORT->setFocus();
    pass->BPASSWORT->clear();
    QTest::keyClicks(pass->BPASSWORT, password);
    QTest::mouseClick(pass->BUSpeich, Qt::LeftButton);
}

} // namespace

class LoginJourneys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void loginWindow();
    void wrongPasswordFallsBackToTheWindow();
    void unreachableStore_data();
    void unreachableStore();
    void newLoginInTheRunningProgram_data();
    void newLoginInTheRunningProgram();
    void quitEndsTheProgram();
};

void LoginJourneys::commandLine_data()
{
    QTest::addColumn<QString>("passwordWord");
    QTest::addColumn<QByteArray>("environment");
    QTest::newRow("password on the command line") << "demo" << QByteArray();
    QTest::newRow("password from ERTRAGON_PASSWORD") << "-" << QByteArray("demo");
}

void LoginJourneys::commandLine()
{
    QFETCH(QString, passwordWord);
    QFETCH(QByteArray, environment);
    qputenv("ERTRAGON_PASSWORD", environment);
    Run run({ "1", "0", "DEM", passwordWord, demoStore() });
    const bool started = run.startAndShow();
    // read once and taken out, so that no child process (Systeminfo) inherits it
    QVERIFY(!qEnvironmentVariableIsSet("ERTRAGON_PASSWORD"));
    QVERIFY2(started, qPrintable(run.prompter.texts().join('\n')));
    QVERIFY(!run.program().loginWindows().pass()->isVisible());
    QVERIFY(run.window().windowTitle().startsWith(demoCaption + QStringLiteral("DEM|")));
    // the program's scalable icon, drawn by Qt's SVG icon engine
    QVERIFY(!run.window().windowIcon().pixmap(32, 32).isNull());
    // The data basis is two months old: the program asks, and No leaves it.
    QVERIFY(run.prompter.saw(QStringLiteral("Wollen Sie die Daten neu aufbauen?")));
}

void LoginJourneys::loginWindow()
{
    // No command line: the stored server, and the user types code and password.
    Run run({}, "[Login]\n" + demoStoreSettings() + "Name=\n");
    whenModal([](QWidget *modal) { logInThroughDialog(modal, QStringLiteral("dem"), "demo"); });
    QVERIFY2(run.startAndShow(), qPrintable(run.prompter.texts().join('\n')));
    QVERIFY(run.window().windowTitle().startsWith(demoCaption + QStringLiteral("DEM|")));
}

void LoginJourneys::wrongPasswordFallsBackToTheWindow()
{
    Run run({ "1", "0", "DEM", "falsch", demoStore() });
    whenModal([](QWidget *modal) { logInThroughDialog(modal, QStringLiteral("DEM"), "demo"); });
    QVERIFY(run.startAndShow());
    QCOMPARE(run.prompter.boxes.first().text,
             QStringLiteral("Passwort Falsch oder Benutzer nicht Aktiv."));
    QVERIFY(run.window().windowTitle().contains(QStringLiteral("DEM|")));
}

void LoginJourneys::unreachableStore_data()
{
    // How the user answers the settings window that opens after the third failure.
    QTest::addColumn<QString>("correction");
    QTest::addColumn<bool>("fromCommandLine"); // the bad path on the command line, not stored
    QTest::newRow("the user gives up") << "none" << false;
    QTest::newRow("the user picks the store in the settings window") << "file" << false;
    QTest::newRow("the user types the path, after an edit Escape discarded") << "typed" << false;
    QTest::newRow("a bad path on the command line, corrected by typing") << "typed" << true;
    QTest::newRow("the user takes the address that worked last") << "last" << false;
}

void LoginJourneys::unreachableStore()
{
    QFETCH(QString, correction);
    QFETCH(bool, fromCommandLine);
    if (onPostgres())
        QSKIP("a file store that is missing, and the file chooser of the settings window");
    const QString missing = QDir::temp().filePath(QStringLiteral("ertragon-journey/gone.db"));
    QByteArray settings = "[Login]\nName=DEM\n";
    if (!fromCommandLine)
        settings += "Server=" + missing.toUtf8() + "\n";
    if (correction == QLatin1String("last"))
        settings += "LetzterServer=" + demoStore().toUtf8() + "\n";
    Run run(fromCommandLine ? QStringList { "1", "0", "DEM", "demo", missing } : QStringList {},
            settings);
    run.prompter.answer(QStringLiteral("Änderungen"), ertragon::Prompter::Answer::Yes);
    run.openAnswers << demoStore();

    // While it waits for the next attempt, a status window says which attempt
    // against which store failed, and why.
    QStringList shown;
    run.waiter.onWait = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("ConnectStatus") && w->isVisible())
                shown << static_cast<ertragon::ConnectStatusWindow *>(w)->status();
        }
    };
    QString offered;
    const auto correct = [&](QWidget *settingsWindow) {
        auto *server = qobject_cast<ertragon::FMServer *>(settingsWindow);
        QVERIFY(server);
        QCOMPARE(server->BSERVERIP->text(), missing);
        QVERIFY(server->BSERVERIP->width()
                >= server->BSERVERIP->fontMetrics().horizontalAdvance(missing));
        offered = server->lblLetzte->text();
        if (correction == QLatin1String("none")) {
            QTest::mouseClick(server->BUZurueck, Qt::LeftButton);
            return;
        }
        QTest::mouseClick(server->BUEdit, Qt::LeftButton); // "Änderungen erlauben?" Yes
        if (correction == QLatin1String("file")) {
            QTest::mouseClick(server->BUDatei, Qt::LeftButton);
        } else if (correction == QLatin1String("last")) {
            QTest::mouseClick(server->BULetzte, Qt::LeftButton);
        } else {
            server->BSERVERIP->selectAll();
            QTest::keyClicks(server->BSERVERIP, QStringLiteral("/noch/falsch.db"));
            QTest::keyClick(server->BSERVERIP, Qt::Key_Escape); // gone, and the window too
            QCOMPARE(server->isVisible(), false);
            server->open();
            QCOMPARE(server->BSERVERIP->text(), missing);
            QTest::mouseClick(server->BUEdit, Qt::LeftButton);
            server->BSERVERIP->selectAll();
            QTest::keyClicks(server->BSERVERIP, demoStore());
        }
        QCOMPARE(server->BSERVERIP->text(), demoStore());
        QTest::mouseClick(server->BUEdit, Qt::LeftButton); // "Änderungen sichern?" Yes
        QTest::mouseClick(server->BUZurueck, Qt::LeftButton);
    };
    if (fromCommandLine) {
        whenModal(correct); // the password came with the command line
    } else {
        // The login window, then the settings window after the third failure.
        whenModal([&](QWidget *modal) {
            logInThroughDialog(modal, QStringLiteral("DEM"), QStringLiteral("demo"));
            whenModal(correct);
        });
    }
    const bool started = run.startAndShow();
    QVERIFY(run.waiter.waits >= 2);
    QVERIFY(!shown.isEmpty());
    QVERIFY2(shown.first().contains(missing)
                 && shown.first().contains(QStringLiteral("Versuch 1 von 3"))
                 && shown.first().contains(QStringLiteral("no such file")),
             qPrintable(shown.first()));
    QVERIFY(run.prompter.boxes.first().text.startsWith(
        QStringLiteral("Server nach 3 Versuchen nicht erreichbar!")));
    QVERIFY(run.prompter.boxes.first().text.contains(QStringLiteral("Server: ") + missing));
    QCOMPARE(offered,
             correction == QLatin1String("last") ? demoStore()
                                                 : QStringLiteral("(noch keine Anmeldung)"));
    const QSettings stored(run.dir(QStringLiteral("config/Ertragon/Cache Login.ini")),
                           QSettings::IniFormat);
    if (correction != QLatin1String("none")) {
        // The retries go to the corrected store: the password typed or given stays.
        QVERIFY2(started, qPrintable(run.prompter.texts().join('\n')));
        QVERIFY(run.window().windowTitle().contains(QStringLiteral("DEM|")));
        QVERIFY(!run.prompter.saw(QStringLiteral("Passwort Falsch")));
        QCOMPARE(stored.value(QStringLiteral("Login/Server")).toString(), demoStore());
        QCOMPARE(stored.value(QStringLiteral("Login/LetzterServer")).toString(), demoStore());
        return;
    }
    QVERIFY(!started);
    QVERIFY(run.program().ended());
    const auto &last = run.prompter.boxes.last();
    QVERIFY(last.text.startsWith(QStringLiteral("Der Server ist nicht erreichbar!")));
    QVERIFY(last.text.contains(QStringLiteral("Server: ") + missing));
    QVERIFY(last.text.contains(QStringLiteral("Ursache: no such file")));
    QVERIFY(!stored.contains(QStringLiteral("Login/LetzterServer")));
}

void LoginJourneys::newLoginInTheRunningProgram_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("admitted");
    QTest::addColumn<bool>("restricted");
    QTest::newRow("full rights") << "abe" << true << false;
    QTest::newRow("restricted to the own department") << "LEH" << true << true;
    QTest::newRow("rights group 2 keeps the previous user") << "AZU" << false << false;
    QTest::newRow("not permitted keeps the previous user") << "GAS" << false << false;
}

void LoginJourneys::newLoginInTheRunningProgram()
{
    QFETCH(QString, user);
    QFETCH(bool, admitted);
    QFETCH(bool, restricted);
    Run run({ "1", "0", "DEM", "demo", demoStore() });
    QVERIFY(run.startAndShow());
    run.press(Qt::Key_F5);
    run.chooseFromMenu(QStringLiteral("mLogin"));
    ertragon::FMPass *pass = run.program().loginWindows().pass();
    QTRY_VERIFY(pass->isVisible());
    QCOMPARE(pass->BPASSWORT->text(), QString()); // not the previous user's password
    logInThroughDialog(pass, user, QStringLiteral("demo"));
    QTRY_VERIFY(!pass->isVisible());
    const ertragon::ServerContext &context = run.program().session().access().context();
    if (!admitted) {
        QVERIFY(
            run.prompter.saw(QStringLiteral("Sie haben keine Berchtigung für dieses Programm.")));
        QCOMPARE(context.name, QStringLiteral("DEM"));
        QVERIFY(
            run.window().windowTitle().endsWith(QStringLiteral("Benutzer: ") + context.fullName));
        run.press(Qt::Key_F5); // goes on as DEM, with a connection for DEM
        QVERIFY(run.program().session().history().count() > 60);
        QVERIFY(!run.program().ended());
        return;
    }
    QCOMPARE(context.name, user.toUpper());
    QVERIFY(run.window().windowTitle().startsWith(demoCaption));
    QVERIFY(!run.window().windowTitle().contains(QStringLiteral("DEM|")));
    // The new user's rules hold, and the previous user's figures are gone.
    const QRegularExpression figure(QStringLiteral("^(?!100%)[1-9][0-9.,]*%$"));
    QVERIFY2(run.pageTexts().filter(figure).isEmpty(), qPrintable(run.pageTexts().join('|')));
    QCOMPARE(run.window().findChild<QComboBox *>(QStringLiteral("SPCNR"))->isEnabled(),
             !restricted);
    QCOMPARE(run.action(QStringLiteral("mAuswahl"))->isEnabled(), !restricted);
    if (!restricted)
        return;
    // A restricted user's breakdown shows the own main department only.
    run.press(QKeySequence(Qt::CTRL | Qt::Key_D));
    run.press(Qt::Key_F5);
    QVERIFY(!run.prompter.saw(QStringLiteral("Wollen Sie nach Profitcenter aufteilen?")));
    auto *list = run.window().findChild<QTreeView *>(QStringLiteral("ctList"));
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(list->model()->index(0, 0).data().toString().startsWith(context.mainDepartment + u' '));
}

void LoginJourneys::quitEndsTheProgram()
{
    Run run({ "1", "0", "DEM", "demo", demoStore() });
    QVERIFY(run.startAndShow());
    run.chooseFromMenu(QStringLiteral("Beenden"));
    QTRY_VERIFY(run.program().ended());
    QVERIFY(!run.window().isVisible());
    QVERIFY(!run.program().session().access().isConnected());
}

QObject *makeLoginJourneys()
{
    return new LoginJourneys;
}

#include "LoginJourneys.moc"
