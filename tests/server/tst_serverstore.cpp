// The server layer against a real demo store of the kordexdb service.
#include "CreateFactory.h"
#include "DemoGenerator.h"
#include "LoginController.h"
#include "LoginUi.h"
#include "ServerAccess.h"
#include "Store.h"
#include "TestDoubles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ertragon;

namespace {

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
        auto store = kordex::Store::open(m_store, QString(), true, &error);
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
        QTest::newRow("unknown user")
            << "XXX"
            << "demo" << false << "Vorgang: Anmeldung mit nicht existierendem Personalcode.";
    }

    void commandLineLogin()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, loggedIn);
        QFETCH(QString, box);
        Rig rig(settingsFile(), m_store);
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ") + user + u' ' + password + u' '
                                        + m_store);
        // A refused command line falls back to the dialog, where the user gives up.
        rig.ui.onDialog = [&] { rig.login.Abbruch(); };
        QCOMPARE(rig.login.StartupLogin(), loggedIn);
        QCOMPARE(rig.ui.dialogs, loggedIn ? 0 : 1);
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
                 QStringLiteral("cn_iptcp:") + m_store + QStringLiteral("[1972]:KORDEX"));
        if (user == u"CHR")
            QCOMPARE(c.fullName, QStringLiteral("Christian Röhl"));
    }

    void listsAndCommands()
    {
        Rig rig(settingsFile(), m_store);
        rig.login.setProcessCommandLine(QStringLiteral("1 0 DEM demo ") + m_store);
        QVERIFY(rig.login.StartupLogin());
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

    void missingStoreEndsTheProgram()
    {
        Rig rig(settingsFile(), m_store);
        const QString missing = m_dir.filePath(QStringLiteral("fehlt.db"));
        rig.login.setProcessCommandLine(QStringLiteral("1 0 DEM demo ") + missing);
        QVERIFY(!rig.login.StartupLogin());
        QCOMPARE(rig.waiter.waits, 4);
        QCOMPARE(rig.prompter.boxes.size(), 2);
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(!QFile::exists(missing)); // connecting never creates a store
    }
};

QTEST_MAIN(TestServerStore)
#include "tst_serverstore.moc"
