// The server layer against a real demo store of the kordexdb service, on SQLite or
// (KORDEX_TEST_POSTGRES) on a PostgreSQL server where each user logs in as their own role.
#include "CreateFactory.h"
#include "DemoGenerator.h"
#include "LoginController.h"
#include "LoginUi.h"
#include "PgTestServer.h"
#include "ServerAccess.h"
#include "Store.h"
#include "TestDoubles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ertragon;

namespace {

#ifdef KORDEX_TEST_POSTGRES
constexpr bool onPostgres = true;
#else
constexpr bool onPostgres = false;
#endif

class ScriptedUi final : public LoginUi
{
public:
    bool isLoginDialogVisible() const override { return false; }
    void showLoginDialogModal() override
    {
        ++dialogs;
        if (onDialog)
            onDialog();
    }
    void selectPasswordText() override { }
    void hideLoginWindows() override { }

    int dialogs = 0;
    std::function<void()> onDialog;
};

} // namespace

class TestServerStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_store;
    test::PgTestServer m_server;

    // The login words after the password that name the store: a file, or host and port.
    QString storeWords() const
    {
        return onPostgres ? m_server.host() + u' ' + m_server.port() : m_store;
    }

    struct Rig
    {
        FakePrompter prompter;
        FakeWaiter waiter;
        ServerAccess access { &kordex::createFactory, prompter, waiter };
        LoginController login;
        ScriptedUi ui;
        int shutdowns = 0;

        Rig(const QString &settings, const QString &store)
            : login(access, prompter, settings)
        {
            QObject::connect(&access, &ServerAccess::programEnding, [this] { ++shutdowns; });
            login.setDefaultServer(store);
            login.setUi(&ui);
        }
    };

    QString settingsFile() const { return m_dir.filePath(QStringLiteral("login.ini")); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_store = m_dir.filePath(QStringLiteral("demo.db"));
        QString error;
        if (onPostgres) {
            if (test::PgTestServer::binaryDirectory().isEmpty())
                QSKIP("PostgreSQL is not installed");
            QVERIFY2(m_server.start(&error), qPrintable(error));
        }
        auto store = onPostgres
            ? kordex::Store::open(m_server.host(), m_server.port(), true, &error)
            : kordex::Store::open(m_store, QString(), true, &error);
        QVERIFY2(store, qPrintable(error));
        kordex::DemoGenerator::Options options;
        options.lines = 3000;
        options.today = QDate(2006, 6, 15);
        kordex::DemoGenerator(store->sql(), options).run();
    }

    void init() { QFile::remove(settingsFile()); }

    void commandLineLogin_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QString>("box");

        QTest::newRow("demo user") << "DEM"
                                   << "demo" << true << "";
        QTest::newRow("umlaut in the name") << "CHR"
                                            << "demo" << true << "";
        QTest::newRow("wrong password")
            << "DEM"
            << "falsch" << false << "Passwort Falsch oder Benutzer nicht Aktiv.";
        QTest::newRow("inactive user")
            << "ALT"
            << "demo" << false << "Passwort Falsch oder Benutzer nicht Aktiv.";
        // A server that checks logins answers an unknown code as a wrong password, so
        // that nobody can probe which codes exist.
        QTest::newRow("unknown user")
            << "XXX"
            << "demo" << false
            << (onPostgres ? "Passwort Falsch oder Benutzer nicht Aktiv."
                           : "Vorgang: Anmeldung mit nicht existierendem Personalcode.");
        QTest::newRow("restricted user") << "LEH"
                                         << "demo" << true << "";
        QTest::newRow("not permitted: the program says so later") << "GAS"
                                                                  << "demo" << true << "";
    }

    void commandLineLogin()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, loggedIn);
        QFETCH(QString, box);
        Rig rig(settingsFile(), m_store);
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ") + user + u' ' + password + u' '
                                        + storeWords());
        // A refused command line falls back to the dialog, where the user gives up.
        rig.ui.onDialog = [&] { rig.login.Abbruch(); };
        QCOMPARE(rig.login.StartupLogin(), loggedIn);
        QCOMPARE(rig.ui.dialogs, loggedIn ? 0 : 1);
        QCOMPARE(rig.waiter.waits, 0); // a refusal is never retried as unreachable
        if (box.isEmpty()) {
            QVERIFY(rig.prompter.boxes.isEmpty());
        } else {
            QCOMPARE(rig.prompter.boxes.size(), 1);
            QVERIFY2(rig.prompter.boxes.first().text.startsWith(box),
                     qPrintable(rig.prompter.boxes.first().text));
        }
        const ServerContext &c = rig.access.context();
        QCOMPARE(c.userDisplay.isEmpty(), !loggedIn);
        if (!loggedIn)
            return;
        QVERIFY(c.userDisplay.startsWith(user + u'|'));
        QVERIFY(!c.fullName.isEmpty());
        QVERIFY(!c.fullName.contains(u'{') && !c.fullName.contains(u'|'));
        QVERIFY(!c.rightsGroup.isEmpty());
        QVERIFY(!c.department.isEmpty());
        QVERIFY(!c.mainDepartment.isEmpty());
        QCOMPARE(c.connectString,
                 onPostgres
                     ? m_server.connectString()
                     : QStringLiteral("cn_iptcp:") + m_store + QStringLiteral("[1972]:KORDEX"));
        if (user == u"CHR")
            QCOMPARE(c.fullName, QStringLiteral("Christian Röhl"));
    }

    void listsAndCommands()
    {
        Rig rig(settingsFile(), m_store);
        rig.login.setProcessCommandLine(QStringLiteral("1 0 DEM demo ") + storeWords());
        QVERIFY(rig.login.StartupLogin());
        // after an idle minute the silent reconnect logs in with the password in memory
        rig.access.Disconnect();
        QStringList groups;
        bool failed = false;
        const int count
            = rig.access.ServerList(QStringLiteral("d HGRP^KXCLSU"), QChar(0xFF), groups, failed);
        QVERIFY(!failed);
        QVERIFY(count > 0);
        QCOMPARE(groups.size(), count);
        for (const QString &item : groups)
            QVERIFY2(item.count(u'`') == 1, qPrintable(item));
        const QString basis = rig.access.ServerCommand(QStringLiteral("S P0=^XWGDAT W P0"), failed);
        QVERIFY(!failed);
        QCOMPARE(basis.count(u'`'), 1);
        // An unknown command is a server error in the one box.
        rig.access.ServerCommand(QStringLiteral("K ^GLOBAL"), failed);
        QVERIFY(failed);
        QCOMPARE(rig.prompter.boxes.size(), 1);
        QVERIFY(rig.prompter.boxes.first().text.contains(
            QStringLiteral("DBCall Aufruf von KX.Windwos Xecute K ^GLOBAL.")));
    }

    void unusableStores_data()
    {
        QTest::addColumn<QString>("where"); // the login words that name the store
        QTest::addColumn<QByteArray>("content"); // of a file put there first
        QTest::addColumn<int>("waits");
        QTest::addColumn<QString>("firstBox");
        const QString missing = m_dir.filePath(QStringLiteral("fehlt.db"));
        const QString unreachable = onPostgres ? QStringLiteral("127.0.0.1 1") : missing;
        QTest::newRow("unreachable: retried, then the end")
            << unreachable << QByteArray() << 4 << "Server nach 3 Versuchen nicht erreichbar!";
        // a damaged or foreign file is no store: said as such, not retried
        QTest::newRow("foreign file")
            << m_dir.filePath(QStringLiteral("fremd.db")) << QByteArray(4096, 'x') << 0
            << "fremd.db ist kein nutzbarer KORDEX-Datenbestand";
    }

    void unusableStores()
    {
        QFETCH(QString, where);
        QFETCH(QByteArray, content);
        QFETCH(int, waits);
        QFETCH(QString, firstBox);
        if (!content.isEmpty()) {
            QFile file(where);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Rig rig(settingsFile(), m_store);
        rig.login.setProcessCommandLine(QStringLiteral("1 0 DEM demo ") + where);
        rig.ui.onDialog = [&] { rig.login.Abbruch(); };
        QVERIFY(!rig.login.StartupLogin());
        QCOMPARE(rig.waiter.waits, waits);
        QVERIFY(!rig.prompter.boxes.isEmpty());
        QVERIFY2(rig.prompter.boxes.first().text.contains(firstBox),
                 qPrintable(rig.prompter.boxes.first().text));
        for (const auto &box : std::as_const(rig.prompter.boxes))
            QCOMPARE(box.text.contains(QLatin1String("Lizenzen")), waits > 0);
        QCOMPARE(rig.shutdowns, 1);
        if (content.isEmpty())
            QVERIFY(!QFile::exists(where)); // connecting never creates a store
    }
};

QTEST_MAIN(TestServerStore)
#include "tst_serverstore.moc"
