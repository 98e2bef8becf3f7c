#include "FakeStore.h"
#include "LoginCommandLine.h"
#include "LoginController.h"
#include "LoginUi.h"
#include "ServerAccess.h"
#include "TestDoubles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace ertragon;

namespace {

const QString defaultServer = QStringLiteral("/home/u/.local/share/ertragon/demo.db");
const QString infoTitle = QStringLiteral("Anmeldung an Caché.");
const QString infoText = QStringLiteral("Passwort Falsch oder Benutzer nicht Aktiv.");

// Stands in for FMPass and FMServer: "the user" fills the dialog through a script.
class FakeLoginUi final : public LoginUi
{
public:
    bool isLoginDialogVisible() const override { return visible; }
    void showLoginDialogModal() override
    {
        ++dialogs;
        shownWith.append(controller->fields());
        if (onDialog)
            onDialog(dialogs);
    }
    void selectPasswordText() override { ++passwordSelections; }
    void hideLoginWindows() override
    {
        ++hides;
        visible = false;
    }

    LoginController *controller = nullptr;
    bool visible = false;
    int dialogs = 0;
    int passwordSelections = 0;
    int hides = 0;
    QList<LoginFields> shownWith;
    std::function<void(int)> onDialog;
};

struct Rig
{
    QTemporaryDir dir;
    FakeStore store;
    FakePrompter prompter;
    FakeWaiter waiter;
    ServerAccess access { store.maker(), prompter, waiter };
    LoginController login { access, prompter, dir.filePath(QStringLiteral("login.ini")) };
    FakeLoginUi ui;
    int shutdowns = 0;

    Rig()
    {
        QObject::connect(&access, &ServerAccess::programEnding, [this] { ++shutdowns; });
        login.setDefaultServer(defaultServer);
        login.setUi(&ui);
        ui.controller = &login;
        store.addUser(QStringLiteral("1"), QStringLiteral("ABC"), QStringLiteral("geheim"));
    }

    // The user types into the dialog and presses "Anmelden".
    void answerDialog(const QString &user, const QString &password)
    {
        LoginFields fields = login.fields();
        fields.user = user;
        fields.password = password;
        login.setFields(fields);
        login.Anmelden(false);
    }

    void writeSettings(const QByteArray &content)
    {
        QFile file(login.settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("used");
        QTest::addColumn<QStringList>("values"); // firma .. namespace

        QTest::newRow("seven words")
            << "2 5 ABC pw kx.example 1999 TEST" << true
            << QStringList { "2", "5", "ABC", "pw", "kx.example", "1999", "TEST" };
        QTest::newRow("four words")
            << "1 0 ABC pw" << true
            << QStringList { "1", "0", "ABC", "pw", defaultServer, "1972", "KORDEX" };
        QTest::newRow("one word") << "1"
                                  << true << QStringList { "1",           "",     "",      "",
                                                           defaultServer, "1972", "KORDEX" };
        QTest::newRow("double blank leaves a word empty")
            << "1  ABC pw" << true
            << QStringList { "1", "", "ABC", "pw", defaultServer, "1972", "KORDEX" };
        QTest::newRow("several hosts and ports")
            << "1 0 ABC pw db1,db2 5432,5433" << true
            << QStringList { "1", "0", "ABC", "pw", "db1,db2", "5432,5433", "KORDEX" };
        QTest::newRow("eighth word ignored")
            << "1 0 A p s 1 N extra" << true << QStringList { "1", "0", "A", "p", "s", "1", "N" };
        QTest::newRow("decimal company counts as numeric")
            << "1.0 0 A p" << true
            << QStringList { "1.0", "0", "A", "p", defaultServer, "1972", "KORDEX" };
        // "-" takes the password from ERTRAGON_PASSWORD (given in commandLine), blanks and all.
        QTest::newRow("password from the environment")
            << "1 0 ABC - s" << true
            << QStringList { "1", "0", "ABC", "geheim mit Blanks", "s", "1972", "KORDEX" };
        QTest::newRow("first word not numeric") << "ABC 0 1 pw" << false << QStringList();
        QTest::newRow("option-like first word") << "-platform offscreen" << false << QStringList();
        QTest::newRow("empty") << "" << false << QStringList();
        QTest::newRow("leading blank") << " 1 0 ABC pw" << false << QStringList();
    }

    void commandLine()
    {
        QFETCH(QString, line);
        QFETCH(bool, used);
        QFETCH(QStringList, values);
        const auto parsed
            = LoginCommandLine::parse(line, defaultServer, QStringLiteral("geheim mit Blanks"));
        QCOMPARE(parsed.has_value(), used);
        if (!parsed)
            return;
        QCOMPARE((QStringList { parsed->firma, parsed->filiale, parsed->name, parsed->password,
                                parsed->server, parsed->port, parsed->nameSpace }),
                 values);
    }

    void loadSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("values"); // firma filiale server port namespace name
        // the machine's defaults, in the folders of $XDG_CONFIG_DIRS in their order
        QTest::addColumn<QByteArrayList>("central");

        const QStringList defaults { "1", "0", defaultServer, "1973", "KORDEX", "" };
        const QByteArray central("[Login]\nFirma=3\nFiliale=2\nServer=\"kx1,kx2\"\n"
                                 "Port=5432\nNamespace=ZENTRAL\nName=IT\n");
        QTest::newRow("central defaults, no user file")
            << QByteArray() << QStringList { "3", "2", "kx1,kx2", "5432", "ZENTRAL", "" }
            << QByteArrayList { central };
        QTest::newRow("the user's file over the central one")
            << QByteArray("[Login]\nServer=db.example\nName=XYZ\n")
            << QStringList { "3", "2", "db.example", "5432", "ZENTRAL", "XYZ" }
            << QByteArrayList { central };
        QTest::newRow("the first XDG folder wins")
            << QByteArray() << QStringList { "3", "2", "kx-nord", "5432", "ZENTRAL", "" }
            << QByteArrayList { "[Login]\nServer=kx-nord\n", central };
        QTest::newRow("a central file without the section")
            << QByteArray() << defaults << QByteArrayList { "Server=kx1\n" };
        QFile sample(QStringLiteral(LOGIN_DEFAULTS_SAMPLE));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QByteArray shipped = sample.readAll();
        QTest::newRow("the shipped sample sets nothing")
            << QByteArray() << defaults << QByteArrayList { shipped };
        QByteArray filledIn = shipped;
        filledIn.replace("\n;Server=", "\nServer=").replace("\n;Port=", "\nPort=");
        QTest::newRow("the shipped sample filled in")
            << QByteArray()
            << QStringList { "1", "0", "kx-nord,kx-zentrale", "5432,5432", "KORDEX", "" }
            << QByteArrayList { filledIn };
        QTest::newRow("no file") << QByteArray() << defaults << QByteArrayList {};
        QTest::newRow("all keys") << QByteArray("[Login]\nFirma=2\nFiliale=7\nServer=db.example\n"
                                                "Port=5432\nNamespace=TEST\nName=XYZ\n")
                                  << QStringList { "2", "7", "db.example", "5432", "TEST", "XYZ" }
                                  << QByteArrayList {};
        QTest::newRow("empty values stay empty")
            << QByteArray("[Login]\nFirma=\nFiliale=\nServer=\nPort=\nNamespace=\nName=\n")
            << QStringList { "", "", "", "", "", "" } << QByteArrayList { central };
        QTest::newRow("other section only")
            << QByteArray("[Andere]\nFirma=9\n") << defaults << QByteArrayList {};
        QTest::newRow("binary garbage")
            << QByteArray::fromHex("00fffe") + QByteArray("[[[Login\n=\n\x01\x02=\x03\n")
            << defaults << QByteArrayList {};
        QTest::newRow("garbage values")
            << QByteArray("[Login]\nFirma=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1bnonsense)\n"
                          "Filiale=a, b\nServer=@ByteArray(srv)\nPort=@Invalid()\nNamespace=\"\n"
                          "Name=\\x00\n")
            << QStringList { "1", "a, b", "srv", "1973", "", "" } << QByteArrayList {};
    }

    void loadSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, values);
        QFETCH(QByteArrayList, central);
        Rig rig;
        if (!file.isNull())
            rig.writeSettings(file);
        QStringList folders;
        for (qsizetype i = 0; i < central.size(); ++i) {
            folders << rig.dir.filePath(QStringLiteral("xdg%1").arg(i));
            QVERIFY(QDir().mkpath(folders.last() + QStringLiteral("/Ertragon")));
            QFile defaults(folders.last() + QStringLiteral("/Ertragon/login-defaults.ini"));
            QVERIFY(defaults.open(QIODevice::WriteOnly));
            defaults.write(central[i]);
        }
        // a relative folder and a missing one are passed over
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName("xdg:/nowhere:" + folders.join(':')));
        rig.login.setDefaults(LoginDefaults::fromSystem());
        qunsetenv("XDG_CONFIG_DIRS");
        LoginFields typed;
        typed.password = QStringLiteral("pw");
        rig.login.setFields(typed);
        rig.login.LoadLoginSettings();
        const ServerContext &c = rig.access.context();
        const QStringList read { c.firma, c.filiale, c.server, c.port, c.nameSpace, c.name };
        // Whatever the store holds, every value is a plain text of its own.
        QCOMPARE(read.size(), values.size());
        for (int i = 0; i < values.size(); ++i) {
            // The quoted garbage runs on to the end of the file; its text is the store's business.
            if (QTest::currentDataTag() != QByteArray("garbage values") || i < 4)
                QCOMPARE(read.at(i), values.at(i));
        }
        QCOMPARE(c.password, QStringLiteral("pw"));
        const LoginFields &f = rig.login.fields();
        QCOMPARE((QStringList { f.firma, f.filiale, f.serverIp, f.port, f.nameSpace, f.user }),
                 read);
    }

    void saveSettingsWritesTheFields()
    {
        Rig rig;
        LoginFields fields { QStringLiteral("3"),
                             QStringLiteral("4"),
                             QStringLiteral("/data/k.db"),
                             QStringLiteral("1980"),
                             QStringLiteral("NS, mit Komma"),
                             QStringLiteral("ÄÖ B"),
                             QStringLiteral("nie gespeichert") };
        rig.login.setFields(fields);
        rig.login.SaveLoginSettings();
        QSettings raw(rig.login.settingsPath(), QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Login"));
        QCOMPARE(raw.childKeys().size(), 6);
        QCOMPARE(raw.value(QStringLiteral("Firma")).toString(), fields.firma);
        QCOMPARE(raw.value(QStringLiteral("Filiale")).toString(), fields.filiale);
        QCOMPARE(raw.value(QStringLiteral("Server")).toString(), fields.serverIp);
        QCOMPARE(raw.value(QStringLiteral("Port")).toString(), fields.port);
        QCOMPARE(raw.value(QStringLiteral("Name")).toString(), fields.user);
        QCOMPARE(raw.value(QStringLiteral("Namespace")).toString(), fields.nameSpace);
        // The password is entered at every login and never stored.
        QFile file(rig.login.settingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("gespeichert"));
        // And it reads back as written.
        rig.login.setFields({});
        rig.login.LoadLoginSettings();
        fields.password.clear();
        QCOMPARE(rig.login.fields(), fields);
    }

    void unwritableStoreKeepsTheEnteredValues()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("datei")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        FakeStore store;
        FakePrompter prompter;
        FakeWaiter waiter;
        ServerAccess access(store.maker(), prompter, waiter);
        // A folder where a file is: the store can never be written.
        LoginController login(access, prompter, blocker.fileName() + QStringLiteral("/login.ini"));
        FakeLoginUi ui;
        ui.controller = &login;
        login.setUi(&ui);
        login.setDefaultServer(defaultServer);
        store.addUser(QStringLiteral("1"), QStringLiteral("ABC"), QStringLiteral("geheim"));
        ui.onDialog = [&](int round) {
            if (round > 2) {
                login.Abbruch(); // the values were lost; no endless asking in the test
                return;
            }
            LoginFields fields = login.fields();
            fields.user = QStringLiteral("ABC");
            fields.password = QStringLiteral("geheim");
            login.setFields(fields);
            login.Anmelden(false);
        };
        QVERIFY(login.StartupLogin());
        QCOMPARE(ui.dialogs, 1);
        QCOMPARE(access.context().name, QStringLiteral("ABC"));
    }

    void commandLineLoginNeedsNoDialog()
    {
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim"));
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.ui.dialogs, 0);
        QVERIFY(rig.prompter.boxes.isEmpty());
        const ServerContext &c = rig.access.context();
        QCOMPARE(c.connectString,
                 QStringLiteral("cn_iptcp:") + defaultServer + QStringLiteral("[1972]:KORDEX"));
        QCOMPARE(rig.store.connectStrings, QStringList { c.connectString });
        QCOMPARE(c.userDisplay, QStringLiteral("ABC|Müller, Jürgen"));
        QCOMPARE(c.fullName, QStringLiteral("Müller, Jürgen"));
        QCOMPARE(c.personnelNumber, QStringLiteral("4711"));
        QCOMPARE(c.dw, QStringLiteral("27"));
        QCOMPARE(c.rightsGroup, QStringLiteral("5"));
        QCOMPARE(c.department, QStringLiteral("M3"));
        QCOMPARE(c.mainDepartment, QStringLiteral("H1"));
        QCOMPARE(c.departmentName, QStringLiteral("Gläser"));
        QCOMPARE(c.fax, QStringLiteral("0711-1"));
        QCOMPARE(c.email, QStringLiteral("jm@example.org"));
        QVERIFY(!c.loginFailed);
        // Context on connect, then the login's own context command.
        const QString context = QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=\"ABC\"");
        QCOMPARE(rig.store.xecuted, (QStringList { context, QStringLiteral("D ^%XTT"), context }));
        QCOMPARE(rig.store.opened,
                 (QStringList { "KX.Windows", "KX.ParPersEdv|1||ABC", "KX.ParPersAbt|1||M3",
                                "KX.PersBasis|1||4711", "KX.Windows" }));
        QVERIFY(rig.store.methodCalls.contains(QStringLiteral("KX.ParPersEdv.PasswortPruefen")));
        QCOMPARE(rig.store.openObjects(), 0);
        QVERIFY(rig.access.lockTimer().isActive());
        QCOMPARE(rig.ui.hides, 1);
        // The command-line values show in the fields.
        QCOMPARE(rig.login.fields().user, QStringLiteral("ABC"));
        QCOMPARE(rig.login.fields().serverIp, defaultServer);
        QCOMPARE(rig.login.fields().port, QStringLiteral("1972"));
        QCOMPARE(rig.login.startupCaption(),
                 QStringLiteral(
                     "KORDEX Ertragon   Firma: 1     Filiale: 0     Benutzer: ABC|Müller, Jürgen"));
    }

    void namespaceNeverEntersTheConnectString_data()
    {
        QTest::addColumn<QString>("nameSpace");
        QTest::newRow("other namespace") << "USER";
        QTest::newRow("brackets") << "]:X[";
        QTest::newRow("umlauts") << "KÖRDEX";
    }

    void namespaceNeverEntersTheConnectString()
    {
        QFETCH(QString, nameSpace);
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim /tmp/k.db 1999 ")
                                        + nameSpace);
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.access.context().nameSpace, nameSpace);
        QCOMPARE(rig.access.context().connectString,
                 QStringLiteral("cn_iptcp:/tmp/k.db[1999]:KORDEX"));
    }

    void nonNumericCommandLineShowsTheDialog()
    {
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("ABC 0 1 geheim"));
        rig.ui.onDialog
            = [&](int) { rig.answerDialog(QStringLiteral("ABC"), QStringLiteral("geheim")); };
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.ui.dialogs, 1);
        // Store defaults: port 1973 and the default server.
        QCOMPARE(rig.access.context().connectString,
                 QStringLiteral("cn_iptcp:") + defaultServer + QStringLiteral("[1973]:KORDEX"));
    }

    void refusedLogins_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("active");
        QTest::newRow("wrong password") << "falsch"
                                        << "J";
        QTest::newRow("inactive user") << "geheim"
                                       << "N";
        QTest::newRow("empty password") << ""
                                        << "J";
        QTest::newRow("active flag in lower case") << "geheim"
                                                   << "j";
    }

    void refusedLogins()
    {
        QFETCH(QString, password);
        QFETCH(QString, active);
        Rig rig;
        rig.store.addUser(QStringLiteral("1"), QStringLiteral("ABC"), QStringLiteral("geheim"),
                          active);
        rig.ui.onDialog = [&](int round) {
            if (round == 1)
                rig.answerDialog(QStringLiteral("ABC"), password);
            else if (round == 2)
                rig.login.Abbruch();
        };
        QVERIFY(!rig.login.StartupLogin());
        // Refused once with the box, then the dialog again (where the user gave up).
        QCOMPARE(rig.ui.dialogs, 2);
        QCOMPARE(rig.prompter.boxes.size(), 1);
        QCOMPARE(rig.prompter.boxes.first().title, infoTitle);
        QCOMPARE(rig.prompter.boxes.first().text, infoText);
        QCOMPARE(rig.prompter.boxes.first().icon, Prompter::Icon::Information);
        QCOMPARE(rig.ui.passwordSelections, 1);
        QVERIFY(rig.access.context().loginFailed);
        QVERIFY(rig.access.context().userDisplay.isEmpty());
        QCOMPARE(rig.shutdowns, 1);
        QCOMPARE(rig.store.openObjects(), 0);
        QVERIFY(
            !rig.store.methodCalls.contains(QStringLiteral("KX.ParPersEdv.PNAMELogicalToODBC")));
    }

    void secondTryAfterAWrongPassword()
    {
        Rig rig;
        rig.ui.onDialog = [&](int round) {
            rig.answerDialog(QStringLiteral("abc"),
                             round == 1 ? QStringLiteral("x") : QStringLiteral("geheim"));
        };
        rig.store.addUser(QStringLiteral("1"), QStringLiteral("abc"), QStringLiteral("geheim"));
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.ui.dialogs, 2);
        QVERIFY(!rig.access.context().loginFailed);
        // One connection serves both attempts.
        QCOMPARE(rig.store.factoriesMade, 1);
    }

    void badCommandLinePasswordFallsBackToTheDialog()
    {
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC falsch /tmp/k.db"));
        rig.ui.onDialog
            = [&](int) { rig.answerDialog(QStringLiteral("ABC"), QStringLiteral("geheim")); };
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.prompter.boxes.size(), 1);
        QCOMPARE(rig.prompter.boxes.first().text, infoText);
        QCOMPARE(rig.ui.dialogs, 1);
        // The dialog offered the command-line values, and they were used.
        QCOMPARE(rig.ui.shownWith.first().serverIp, QStringLiteral("/tmp/k.db"));
        QCOMPARE(rig.ui.shownWith.first().port, QStringLiteral("1972"));
        QCOMPARE(rig.ui.shownWith.first().user, QStringLiteral("ABC"));
        QCOMPARE(rig.store.connectStrings.last(),
                 QStringLiteral("cn_iptcp:/tmp/k.db[1972]:KORDEX"));
        QVERIFY(rig.store.passwords.size() == 1);
    }

    void serverErrorsDuringTheCheck_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("operation");
        QTest::newRow("unknown user") << "KX.ParPersEdv"
                                      << "Anmeldung mit nicht existierendem Personalcode";
        QTest::newRow("no department record") << "KX.ParPersAbt"
                                              << "Abteilungsermittlung";
        QTest::newRow("no personnel basis") << "KX.PersBasis"
                                            << "PersBasis Nummern";
        QTest::newRow("context refused") << "xecute"
                                         << "Firma Filiale Personal Setzen";
    }

    void serverErrorsDuringTheCheck()
    {
        QFETCH(QString, failing);
        QFETCH(QString, operation);
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim"));
        if (failing == u"xecute") {
            // The connect sets the context once; the login's own command fails.
            rig.store.failingXecute.insert(QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=\"ABC\""));
            rig.store.onConnectAttempt = [&] { rig.store.failingXecute.clear(); };
            QVERIFY(rig.access.EnsureConnected());
            rig.store.failingXecute.insert(QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=\"ABC\""));
            rig.store.onConnectAttempt = nullptr;
        } else {
            rig.store.failingObjects.insert(failing);
        }
        QVERIFY(!rig.login.StartupAttempt());
        QCOMPARE(rig.prompter.boxes.size(), 1);
        QCOMPARE(rig.prompter.boxes.first().title, QStringLiteral("Caché Zugriffsfehler"));
        QVERIFY2(rig.prompter.boxes.first().text.startsWith(QStringLiteral("Vorgang: ") + operation
                                                            + QStringLiteral(".\r\n\r\nFehler: ")),
                 qPrintable(rig.prompter.boxes.first().text));
        const ServerContext &c = rig.access.context();
        QVERIFY(c.loginFailed);
        QVERIFY(c.passwordFromDialog);
        QVERIFY(c.userDisplay.isEmpty());
        QCOMPARE(rig.store.openObjects(), 0);
        QVERIFY(rig.access.lockTimer().isActive());
        // The next attempt shows the dialog instead of the command line.
        rig.store.failingObjects.clear();
        rig.store.failingXecute.clear();
        rig.ui.onDialog
            = [&](int) { rig.answerDialog(QStringLiteral("ABC"), QStringLiteral("geheim")); };
        QVERIFY(rig.login.StartupAttempt());
        QCOMPARE(rig.ui.dialogs, 1);
    }

    void userCodeWithUmlautsAndBlanks()
    {
        Rig rig;
        const QString user = QStringLiteral("ÄÖ B");
        rig.store.addUser(QStringLiteral("1"), user, QStringLiteral("pässwört"));
        rig.ui.onDialog = [&](int) { rig.answerDialog(user, QStringLiteral("pässwört")); };
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.access.context().name, user);
        QCOMPARE(rig.access.context().userDisplay, user + QStringLiteral("|Müller, Jürgen"));
        QVERIFY(rig.store.opened.contains(QStringLiteral("KX.ParPersEdv|1||ÄÖ B")));
        QCOMPARE(rig.store.xecuted.last(), QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=\"ÄÖ B\""));
        // Stored and read back unchanged.
        QSettings raw(rig.login.settingsPath(), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Login/Name")).toString(), user);
    }

    void abortEndsTheProgramWithoutConnecting()
    {
        Rig rig;
        rig.ui.onDialog = [&](int) { rig.login.Abbruch(); };
        QVERIFY(!rig.login.StartupLogin());
        QCOMPARE(rig.shutdowns, 1);
        QCOMPARE(rig.store.connectAttempts, 0);
        QVERIFY(rig.access.context().userDisplay.isEmpty());
    }

    void noWindowsNoEndlessLoop()
    {
        Rig rig;
        rig.login.setUi(nullptr);
        QVERIFY(!rig.login.StartupLogin());
        QCOMPARE(rig.prompter.boxes.size(), 1); // the refused empty password
    }

    void newLoginInTheRunningProgram()
    {
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim"));
        QVERIFY(rig.login.StartupLogin());
        rig.store.addUser(QStringLiteral("1"), QStringLiteral("XYZ"), QStringLiteral("neu"));
        // "&Login": the dialog is open modeless; the user enters another login.
        rig.ui.visible = true;
        LoginFields fields = rig.login.fields();
        fields.user = QStringLiteral("XYZ");
        fields.password = QStringLiteral("neu");
        rig.login.setFields(fields);
        const QString caption = rig.login.Anmelden(true);
        QCOMPARE(caption,
                 QStringLiteral(
                     "KORDEX Ertragon   Firma: 1     Filiale: 0     Benutzer: Müller, Jürgen"));
        QCOMPARE(rig.access.context().name, QStringLiteral("XYZ"));
        QCOMPARE(rig.ui.dialogs, 0);
        QCOMPARE(rig.store.connectionsClosed, 1);
        QCOMPARE(rig.store.factoriesMade, 2);
        // The command line's values (port 1972) are not used again: the saved ones are.
        QCOMPARE(rig.access.context().port, QStringLiteral("1972"));
        QSettings raw(rig.login.settingsPath(), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Login/Name")).toString(), QStringLiteral("XYZ"));
    }

    void refusedNewLoginAsksAgain_data()
    {
        QTest::addColumn<bool>("giveUp");
        QTest::newRow("right password the second time") << false;
        QTest::newRow("user gives up") << true;
    }

    void refusedNewLoginAsksAgain()
    {
        QFETCH(bool, giveUp);
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim"));
        QVERIFY(rig.login.StartupLogin());
        rig.store.addUser(QStringLiteral("1"), QStringLiteral("XYZ"), QStringLiteral("neu"));
        rig.ui.visible = true;
        LoginFields fields = rig.login.fields();
        fields.user = QStringLiteral("XYZ");
        fields.password = QStringLiteral("falsch");
        rig.login.setFields(fields);
        rig.ui.onDialog = [&](int) {
            if (giveUp)
                rig.login.Abbruch();
            else
                rig.answerDialog(QStringLiteral("XYZ"), QStringLiteral("neu"));
        };
        rig.login.Anmelden(true);
        QCOMPARE(rig.ui.dialogs, 1);
        QCOMPARE(rig.prompter.boxes.first().text, infoText);
        QCOMPARE(rig.shutdowns, giveUp ? 1 : 0);
        QCOMPARE(rig.access.context().userDisplay.isEmpty(), giveUp);
        // The program never goes on under the refused login: it asks until the
        // check passes (then the login sets the context) or it ends.
        const QString context = QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=\"XYZ\"");
        QCOMPARE(rig.store.xecuted.count(context), giveUp ? 1 : 2);
        if (!giveUp)
            QVERIFY(rig.store.methodCalls.count(QStringLiteral("KX.ParPersEdv.PasswortPruefen"))
                    == 3);
    }

    void settingsToggleQuestions_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("sessionRuns");
        QTest::newRow("save") << true << false;
        QTest::newRow("keep") << false << false;
        QTest::newRow("save while a user is logged in") << true << true;
    }

    void settingsToggleQuestions()
    {
        QFETCH(bool, save);
        QFETCH(bool, sessionRuns);
        Rig rig;
        QVERIFY(rig.access.EnsureConnected());
        ServerContext &context = rig.access.context();
        context.password = QStringLiteral("geheim");
        if (sessionRuns)
            context.userDisplay = QStringLiteral("ABC|Müller");
        rig.prompter.answers
            = { Prompter::Answer::Yes, save ? Prompter::Answer::Yes : Prompter::Answer::No };
        QVERIFY(rig.login.askAllowChanges());
        LoginFields fields = rig.login.fields();
        fields.serverIp = QStringLiteral("neu.example");
        fields.port = QStringLiteral("2000");
        QCOMPARE(rig.login.askSaveChanges(fields), save);
        QCOMPARE(rig.prompter.boxes.at(0).text, QStringLiteral("Änderungen erlauben?"));
        QCOMPARE(rig.prompter.boxes.at(1).text, QStringLiteral("Änderungen sichern?"));
        QCOMPARE(rig.prompter.boxes.at(1).title, QStringLiteral("Anmeldung an Caché"));
        QCOMPARE(QFile::exists(rig.login.settingsPath()), save);
        QCOMPARE(rig.login.fields().serverIp, save ? QStringLiteral("neu.example") : QString());
        QCOMPARE(rig.access.isConnected(), !save);
        // Saved before anyone is logged in, the values count at once and the password
        // typed for the login stays; a running session keeps its address until the next login.
        const bool atOnce = save && !sessionRuns;
        QCOMPARE(context.server, atOnce ? QStringLiteral("neu.example") : QString());
        QCOMPARE(context.connectString,
                 atOnce ? QStringLiteral("cn_iptcp:neu.example[2000]:KORDEX") : QString());
        QCOMPARE(context.password, QStringLiteral("geheim"));
        QVERIFY(!rig.access.lockTimer().isActive());
    }

    void lastWorkingAddressOutlivesAFailedOne()
    {
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim /da.db 1972"));
        QVERIFY(rig.login.StartupAttempt());
        QCOMPARE(rig.login.lastWorkingServer(), QStringLiteral("/da.db"));
        QCOMPARE(rig.login.lastWorkingPort(), QStringLiteral("1972"));
        // A later login against an address that cannot be reached keeps it.
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim /weg.db 1972"));
        rig.store.failConnects = 1000;
        rig.access.Disconnect();
        QObject::connect(&rig.access, &ServerAccess::settingsWanted, &rig.access,
                         &ServerAccess::ShutdownProgram);
        QVERIFY(!rig.login.StartupAttempt());
        QCOMPARE(rig.login.lastWorkingServer(), QStringLiteral("/da.db"));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
