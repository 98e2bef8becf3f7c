#include "FakeStore.h"
#include "LoginController.h"
#include "LoginWindows.h"
#include "SelectAllText.h"
#include "ServerAccess.h"
#include "TestDoubles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ertragon;

namespace {

struct Rig
{
    QTemporaryDir dir;
    FakeStore store;
    FakePrompter prompter;
    FakeWaiter waiter;
    ServerAccess access { store.maker(), prompter, waiter };
    LoginController login { access, prompter, dir.filePath(QStringLiteral("login.ini")) };
    LoginWindows windows { login, access };
    int shutdowns = 0;

    Rig()
    {
        QObject::connect(&access, &ServerAccess::programEnding, [this] { ++shutdowns; });
        login.setDefaultServer(QStringLiteral("/tmp/demo.db"));
        store.addUser(QStringLiteral("1"), QStringLiteral("ABC"), QStringLiteral("geheim"));
    }
    FMPass &pass() { return *windows.pass(); }
    FMServer &server() { return *windows.server(); }
};

QString labelOf(QWidget *field)
{
    auto *form = qobject_cast<QFormLayout *>(field->parentWidget()->findChild<QFormLayout *>());
    auto *label = form ? qobject_cast<QLabel *>(form->labelForField(field)) : nullptr;
    // A field that shares its row with a button has its label as the label's buddy.
    for (QLabel *candidate : field->parentWidget()->findChildren<QLabel *>()) {
        if (!label && candidate->buddy() == field)
            label = candidate;
    }
    return label ? label->text() : QString();
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    // Key events carrying the text, so umlauts type as well as plain letters.
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(field, &press);
    }
}

} // namespace

class TestLoginWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void passWindowLayout()
    {
        Rig rig;
        FMPass &pass = rig.pass();
        QCOMPARE(pass.windowTitle(), QStringLiteral("KORDEX Benutzeranmeldung"));
        QCOMPARE(labelOf(pass.BUSER), QStringLiteral("User(WWS Personalcode):"));
        QCOMPARE(labelOf(pass.BPASSWORT), QStringLiteral("Passwort:"));
        QCOMPARE(pass.BPASSWORT->echoMode(), QLineEdit::Password);
        QCOMPARE(pass.BUSpeich->text(), QStringLiteral("Anmelden"));
        QCOMPARE(pass.BUAusst->text(), QStringLiteral("Abbruch"));
        QCOMPARE(pass.BUServer->text(), QStringLiteral("Server"));
        QCOMPARE(pass.findChild<QLineEdit *>(QStringLiteral("BPASSWORT")), pass.BPASSWORT);
        // Password first in the tab order, then the user code and the buttons.
        QCOMPARE(pass.BPASSWORT->nextInFocusChain(), pass.BUSER);
        QCOMPARE(pass.BUSER->nextInFocusChain(), pass.BUSpeich);
        pass.show();
        QVERIFY(QTest::qWaitForWindowActive(&pass));
        QTRY_VERIFY(pass.BPASSWORT->hasFocus());
    }

    void serverWindowLayout()
    {
        Rig rig;
        FMServer &server = rig.server();
        QCOMPARE(server.windowTitle(), QStringLiteral("KORDEX Server"));
        const QList<QPair<QLineEdit *, QString>> fields { { server.BFIRMA, "Firma:" },
                                                          { server.BFIL, "Filiale:" },
                                                          { server.BSERVERIP, "ServerIP:" },
                                                          { server.BPORT, "Port:" },
                                                          { server.BNAMESPACE, "Namespace:" } };
        for (const auto &[field, label] : fields)
            QCOMPARE(labelOf(field), label);
        QCOMPARE(server.BUEdit->text(), QStringLiteral("Ändern"));
        QVERIFY(server.BUEdit->isCheckable());
        QCOMPARE(server.BUZurueck->text(), QStringLiteral("Zurück"));
        QCOMPARE(server.BUZurueck->objectName(), QStringLiteral("BUZurück"));
    }

    void userCodeUpperCasedWhenLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lower case") << "abc"
                                    << "ABC";
        QTest::newRow("umlauts") << "müller"
                                 << "MÜLLER";
        QTest::newRow("sharp s stays") << "groß"
                                       << "GROß";
        QTest::newRow("blanks and digits") << "a 1b"
                                           << "A 1B";
    }

    void userCodeUpperCasedWhenLeft()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Rig rig;
        FMPass &pass = rig.pass();
        pass.show();
        QVERIFY(QTest::qWaitForWindowActive(&pass));
        typeInto(pass.BUSER, typed);
        QCOMPARE(pass.BUSER->text(), typed);
        pass.BPASSWORT->setFocus();
        QCOMPARE(pass.BUSER->text(), shown);
        QCOMPARE(rig.login.fields().user, shown);
    }

    void focusSelectsTheWholeText()
    {
        Rig rig;
        FMPass &pass = rig.pass();
        pass.show();
        QVERIFY(QTest::qWaitForWindowActive(&pass));
        pass.BUSER->setText(QStringLiteral("ABC"));
        pass.BPASSWORT->setText(QStringLiteral("geheim"));
        pass.BUSER->setFocus();
        QTRY_COMPARE(pass.BUSER->selectedText(), QStringLiteral("ABC"));
        pass.BPASSWORT->setFocus();
        QTRY_VERIFY(pass.BPASSWORT->hasSelectedText());
        QCOMPARE(pass.BPASSWORT->selectionLength(), 6);
    }

    void editToggle_data()
    {
        QTest::addColumn<bool>("allow");
        QTest::addColumn<bool>("save");
        QTest::newRow("allow and save") << true << true;
        QTest::newRow("allow, do not save") << true << false;
        QTest::newRow("refuse") << false << false;
    }

    void editToggle()
    {
        QFETCH(bool, allow);
        QFETCH(bool, save);
        Rig rig;
        FMServer &server = rig.server();
        server.show();
        QVERIFY(QTest::qWaitForWindowExposed(&server));
        QVERIFY(!server.BSERVERIP->isEnabled());
        QVERIFY(!server.BNAMESPACE->isEnabled());
        rig.prompter.answers = { allow ? Prompter::Answer::Yes : Prompter::Answer::No,
                                 save ? Prompter::Answer::Yes : Prompter::Answer::No };
        QTest::mouseClick(server.BUEdit, Qt::LeftButton);
        QCOMPARE(rig.prompter.boxes.size(), 1);
        QCOMPARE(rig.prompter.boxes.at(0).text, QStringLiteral("Änderungen erlauben?"));
        QCOMPARE(rig.prompter.boxes.at(0).buttons, Prompter::Buttons::YesNo);
        QCOMPARE(server.BFIRMA->isEnabled(), allow);
        QCOMPARE(server.BUEdit->isChecked(), allow);
        if (!allow) {
            // The next click asks again to allow changes.
            rig.prompter.answers = { Prompter::Answer::No };
            QTest::mouseClick(server.BUEdit, Qt::LeftButton);
            QCOMPARE(rig.prompter.boxes.at(1).text, QStringLiteral("Änderungen erlauben?"));
            return;
        }
        typeInto(server.BSERVERIP, QStringLiteral("kx.example"));
        QTest::mouseClick(server.BUEdit, Qt::LeftButton);
        QCOMPARE(rig.prompter.boxes.size(), 2);
        QCOMPARE(rig.prompter.boxes.at(1).text, QStringLiteral("Änderungen sichern?"));
        QVERIFY(!server.BSERVERIP->isEnabled());
        QCOMPARE(rig.access.context().server, save ? QStringLiteral("kx.example") : QString());
        // Reopened, the window starts read-only again, with the edits only when they were saved.
        QTest::mouseClick(server.BUZurueck, Qt::LeftButton);
        QVERIFY(!server.isVisible());
        server.show();
        QVERIFY(!server.BFIRMA->isEnabled());
        QVERIFY(!server.BUEdit->isChecked());
        QCOMPARE(server.BSERVERIP->text(), save ? QStringLiteral("kx.example") : QString());
    }

    void closingDiscardsTheEdits_data()
    {
        QTest::addColumn<QString>("closeBy");
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("Zurück") << "Zurück";
        QTest::newRow("the window's close") << "close";
    }

    void closingDiscardsTheEdits()
    {
        QFETCH(QString, closeBy);
        Rig rig;
        FMServer &server = rig.server();
        server.show();
        QVERIFY(QTest::qWaitForWindowExposed(&server));
        rig.prompter.answers = { Prompter::Answer::Yes };
        QTest::mouseClick(server.BUEdit, Qt::LeftButton);
        typeInto(server.BSERVERIP, QStringLiteral("kx.example"));
        typeInto(server.BPORT, QStringLiteral("2000"));
        if (closeBy == QLatin1String("Escape"))
            QTest::keyClick(server.BPORT, Qt::Key_Escape);
        else if (closeBy == QLatin1String("Zurück"))
            QTest::mouseClick(server.BUZurueck, Qt::LeftButton);
        else
            server.close();
        QVERIFY(!server.isVisible());
        QCOMPARE(rig.prompter.boxes.size(), 1); // never "Änderungen sichern?"
        QCOMPARE(rig.login.fields().serverIp, QString());
        QVERIFY(!QFile::exists(rig.login.settingsPath()));
        // The login saves its fields: the discarded edits are not among them.
        rig.pass().BUSER->setText(QStringLiteral("ABC"));
        rig.login.Anmelden(false);
        QSettings saved(rig.login.settingsPath(), QSettings::IniFormat);
        QCOMPARE(saved.value(QStringLiteral("Login/Server")).toString(), QString());
        server.show();
        QCOMPARE(server.BSERVERIP->text(), QString());
        QCOMPARE(server.BPORT->text(), QString());
    }

    void abortEndsTheProgram()
    {
        Rig rig;
        QTimer::singleShot(0, &rig.pass(),
                           [&] { QTest::mouseClick(rig.pass().BUAusst, Qt::LeftButton); });
        QVERIFY(!rig.login.StartupLogin());
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(!rig.pass().isVisible());
    }

    void escapeDuringStartupIsAbort()
    {
        Rig rig;
        QTimer::singleShot(0, &rig.pass(), [&] { QTest::keyClick(&rig.pass(), Qt::Key_Escape); });
        QVERIFY(!rig.login.StartupLogin());
        QCOMPARE(rig.shutdowns, 1);
    }

    void dialogLoginAndRelogin()
    {
        Rig rig;
        QTimer::singleShot(0, &rig.pass(), [&] {
            typeInto(rig.pass().BUSER, QStringLiteral("abc"));
            typeInto(rig.pass().BPASSWORT, QStringLiteral("geheim"));
            QTest::keyClick(rig.pass().BPASSWORT, Qt::Key_Return);
        });
        QVERIFY(rig.login.StartupLogin());
        QCOMPARE(rig.access.context().name, QStringLiteral("ABC"));
        QVERIFY(!rig.pass().isVisible());

        // "&Login" in the running program: modeless; "Anmelden" logs in again and sets the caption.
        QWidget main;
        main.show();
        rig.windows.setMainWindow(&main);
        rig.windows.showLoginDialog();
        QVERIFY(rig.pass().isVisible());
        rig.pass().BPASSWORT->setText(QStringLiteral("geheim"));
        QTest::mouseClick(rig.pass().BUSpeich, Qt::LeftButton);
        QVERIFY(!rig.pass().isVisible());
        QCOMPARE(main.windowTitle(),
                 QStringLiteral(
                     "KORDEX Ertragon   Firma: 1     Filiale: 0     Benutzer: Müller, Jürgen"));
        QCOMPARE(rig.store.factoriesMade, 2);
        QCOMPARE(rig.shutdowns, 0);
    }

    void settingsChangedDuringTheRetryAreUsed()
    {
        Rig rig;
        rig.login.setProcessCommandLine(QStringLiteral("1 0 ABC geheim /nicht/da.db"));
        rig.store.failConnects = 3;
        rig.prompter.answers = { Prompter::Answer::Yes, Prompter::Answer::Yes };
        bool settingsSeen = false;
        rig.prompter.onAsk = [&](const FakePrompter::Box &box) {
            if (!box.text.startsWith(QStringLiteral("Server nach 3 Versuchen")))
                return;
            // Once the warning is answered, the settings window comes up modally.
            QTimer::singleShot(0, &rig.server(), [&] {
                FMServer &server = rig.server();
                settingsSeen = server.isVisible() && server.isModal();
                QTest::mouseClick(server.BUEdit, Qt::LeftButton);
                typeInto(server.BSERVERIP, QStringLiteral("/da.db"));
                QTest::mouseClick(server.BUEdit, Qt::LeftButton);
                QTest::mouseClick(server.BUZurueck, Qt::LeftButton);
            });
        };
        // The retries go to the saved store, with the command line's user and password.
        QVERIFY(rig.login.StartupLogin());
        QVERIFY(settingsSeen);
        QCOMPARE(rig.prompter.boxes.size(), 3);
        QCOMPARE(rig.store.factoriesMade, 4);
        QCOMPARE(rig.store.connectStrings.first(),
                 QStringLiteral("cn_iptcp:/nicht/da.db[1972]:KORDEX"));
        QCOMPARE(rig.store.connectStrings.last(), QStringLiteral("cn_iptcp:/da.db[1972]:KORDEX"));
        QCOMPARE(rig.access.context().name, QStringLiteral("ABC"));
        // The address that worked is the one offered next time.
        QCOMPARE(rig.login.lastWorkingServer(), QStringLiteral("/da.db"));
        rig.server().show();
        QCOMPARE(rig.server().lblLetzte->text(), QStringLiteral("/da.db"));
    }

    void selectAllText_data()
    {
        QTest::addColumn<bool>("noFocus");
        QTest::newRow("with focus") << false;
        QTest::newRow("without focus") << true;
    }

    void selectAllText()
    {
        QFETCH(bool, noFocus);
        QWidget window;
        auto *other = new QLineEdit(&window);
        auto *field = new QLineEdit(QStringLiteral("Passwort"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        field->setCursorPosition(3);
        TextHelpers::SelectAllText(field, noFocus);
        QCOMPARE(field->selectedText(), QStringLiteral("Passwort"));
        QCOMPARE(field->hasFocus(), !noFocus);
        TextHelpers::SelectAllText(nullptr); // nothing to do, no crash
    }
};

QTEST_MAIN(TestLoginWindows)
#include "tst_loginwindows.moc"
