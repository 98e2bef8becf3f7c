#include "FakeStore.h"
#include "FixedClock.h"
#include "ServerAccess.h"
#include "TestDoubles.h"

#include <QTest>

using namespace ertragon;

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString sep = QString(QChar(0xFF));
} // namespace

class TestServerAccess : public QObject
{
    Q_OBJECT

private:
    struct Rig
    {
        FakeStore store;
        FakePrompter prompter;
        FakeWaiter waiter;
        ServerAccess access { store.maker(), prompter, waiter };
        int settingsShown = 0;
        int settingsHidden = 0;
        int shutdowns = 0;
        QList<bool> cursor;

        Rig()
        {
            QObject::connect(&access, &ServerAccess::settingsWanted, [this] { ++settingsShown; });
            QObject::connect(&access, &ServerAccess::settingsDone, [this] { ++settingsHidden; });
            QObject::connect(&access, &ServerAccess::programEnding, [this] { ++shutdowns; });
            QObject::connect(&access, &ServerAccess::busyChanged,
                             [this](bool busy) { cursor.append(busy); });
            ServerContext &c = access.context();
            c.connectString = QStringLiteral("cn_iptcp:/tmp/x.db[1972]:KORDEX");
            c.server = QStringLiteral("/tmp/x.db");
            c.firma = QStringLiteral("1");
            c.filiale = QStringLiteral("0");
            c.name = QStringLiteral("ABC");
            c.userDisplay = QStringLiteral("ABC|Meier");
        }
    };

private Q_SLOTS:
    void connectRetry_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("waits");
        QTest::addColumn<QStringList>("boxTitles");
        QTest::addColumn<int>("settingsShown");
        QTest::addColumn<int>("shutdowns");

        const QString title = QStringLiteral("Anmeldung an Caché");
        QTest::newRow("first attempt") << 0 << true << 0 << QStringList() << 0 << 0;
        QTest::newRow("second attempt, no message") << 1 << true << 1 << QStringList() << 0 << 0;
        QTest::newRow("third attempt") << 2 << true << 2 << QStringList() << 0 << 0;
        // The third failure shows the warning and the settings, then retries at once.
        QTest::newRow("after the settings window")
            << 3 << true << 2 << QStringList { title } << 1 << 0;
        QTest::newRow("fifth attempt") << 4 << true << 3 << QStringList { title } << 1 << 0;
        QTest::newRow("last chance") << 5 << true << 4 << QStringList { title } << 1 << 0;
        QTest::newRow("six failures end the program")
            << 6 << false << 4 << QStringList { title, title } << 1 << 1;
    }

    void connectRetry()
    {
        QFETCH(bool, connected);
        QFETCH(int, waits);
        QFETCH(QStringList, boxTitles);
        QFETCH(int, settingsShown);
        QFETCH(int, shutdowns);
        QFETCH(int, failures);
        Rig rig;
        rig.store.failConnects = failures;
        QCOMPARE(rig.access.EnsureConnected(), connected);
        QCOMPARE(rig.store.connectAttempts, qMin(failures + 1, 6));
        QCOMPARE(rig.waiter.waits, waits);
        QCOMPARE(rig.waiter.hundredths, rig.waiter.waits * 1000);
        QCOMPARE(rig.prompter.titles(), boxTitles);
        QCOMPARE(rig.settingsShown, settingsShown);
        QCOMPARE(rig.shutdowns, shutdowns);
        // Every attempt uses a fresh factory.
        QCOMPARE(rig.store.factoriesMade, rig.store.connectAttempts);
        if (rig.access.isConnected()) {
            QCOMPARE(rig.store.xecuted,
                     QStringList({ QStringLiteral("S FIRMA=1,FIL=0,PERSONAL=\"ABC\""),
                                   QStringLiteral("D ^%XTT") }));
            QCOMPARE(rig.store.openObjects(), 0);
            QCOMPARE(rig.access.context().userDisplay, QStringLiteral("ABC|Meier"));
        } else {
            QVERIFY(rig.store.xecuted.isEmpty());
        }
    }

    void retryMessagesAreExact()
    {
        Rig rig;
        rig.store.up = false;
        rig.store.connectError = QStringLiteral("no such file: /tmp/x.db");
        QStringList status;
        QObject::connect(&rig.access, &ServerAccess::connectStatus,
                         [&](const QString &text) { status.append(text); });
        QVERIFY(!rig.access.EnsureConnected());
        // Between the attempts a status window names the store, the attempt and the cause.
        const QString firstWait = QStringLiteral(
            "Verbindung zu /tmp/x.db fehlgeschlagen (Versuch 1 von 3): no such file: /tmp/x.db\n"
            "Nächster Versuch in 10 Sekunden …");
        QCOMPARE(status.size(), 6);
        QCOMPARE(status.at(0), firstWait);
        QCOMPARE(status.at(2), QString());
        QCOMPARE(status.at(5), QString());
        const QString storeAndCause = crlf + crlf + QStringLiteral("Server: /tmp/x.db") + crlf
            + QStringLiteral("Ursache: no such file: /tmp/x.db");
        QCOMPARE(rig.prompter.boxes.size(), 2);
        const auto &warning = rig.prompter.boxes.at(0);
        QCOMPARE(warning.icon, Prompter::Icon::Warning);
        QCOMPARE(warning.text,
                 QStringLiteral("Server nach 3 Versuchen nicht erreichbar!") + crlf
                     + QStringLiteral("Wahrscheinlich sind keine freien Lizenzen verfügbar!") + crlf
                     + QStringLiteral("Bitte Kontrollieren Sie die Verbindungsdaten")
                     + storeAndCause);
        const auto &error = rig.prompter.boxes.at(1);
        QCOMPARE(error.icon, Prompter::Icon::Critical);
        QCOMPARE(error.title, QStringLiteral("Anmeldung an Caché"));
        QCOMPARE(
            error.text,
            QStringLiteral("Der Server ist nicht erreichbar!") + crlf
                + QStringLiteral(
                    "Wahrscheinlich sind keine Lizenzen frei. Die Anwendung wird beendet!")
                + crlf
                + QStringLiteral(
                    "Bitte Versuchen Sie die Anmeldung zu einem späteren Zeitpunk noch ein mal.")
                + storeAndCause);
        QCOMPARE(rig.settingsHidden, 1);
        QVERIFY(rig.access.context().userDisplay.isEmpty());
        QVERIFY(rig.access.shutdownRequested());
        QVERIFY(!rig.access.lockTimer().isActive());
    }

    void settingsWindowRunsBetweenTheRounds()
    {
        // The settings window comes after the warning and before the fourth attempt.
        Rig rig;
        rig.store.failConnects = 3;
        QStringList order;
        rig.prompter.onAsk
            = [&](const FakePrompter::Box &) { order.append(QStringLiteral("box")); };
        QObject::connect(&rig.access, &ServerAccess::settingsWanted, [&] {
            order.append(QStringLiteral("settings"));
            rig.access.context().connectString = QStringLiteral("cn_iptcp:neu[1973]:KORDEX");
        });
        rig.store.onConnectAttempt = [&] { order.append(QStringLiteral("connect")); };
        QVERIFY(rig.access.EnsureConnected());
        QCOMPARE(order.join(u','), QStringLiteral("connect,connect,connect,box,settings,connect"));
        QCOMPARE(rig.store.connectStrings.last(), QStringLiteral("cn_iptcp:neu[1973]:KORDEX"));
    }

    void keepTryingNeverGivesUp()
    {
        Rig rig;
        rig.store.failConnects = 9;
        QVERIFY(rig.access.EnsureConnected(true));
        QCOMPARE(rig.waiter.waits, 9);
        QVERIFY(rig.prompter.boxes.isEmpty());
    }

    void failingConnectionTestsCountAsDisconnected()
    {
        Rig rig;
        QVERIFY(rig.access.EnsureConnected());
        rig.store.throwOnIsConnected = true;
        QVERIFY(!rig.access.isConnected());
        rig.store.throwOnIsConnected = false;
        QVERIFY(rig.access.EnsureConnected());
        QCOMPARE(rig.store.factoriesMade, 1);
    }

    void contextFailureRaisesAndClosesTheConnection()
    {
        Rig rig;
        rig.store.failNextXecute = true;
        QVERIFY_THROWS_EXCEPTION(kordex::ServerError, rig.access.BeginServerCall(false));
        QVERIFY(!rig.access.isConnected());
        QCOMPARE(rig.store.openObjects(), 0);
        // The next call starts afresh and sets the context.
        QVERIFY(rig.access.BeginServerCall(false));
        QCOMPARE(rig.store.xecuted.count(QStringLiteral("D ^%XTT")), 1);
    }

    void contextCommandQuotesTheUserCode_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("command");
        QTest::newRow("plain") << "ABC"
                               << "S FIRMA=1,FIL=0,PERSONAL=\"ABC\"";
        QTest::newRow("umlauts and blanks") << "Ä Ö"
                                            << "S FIRMA=1,FIL=0,PERSONAL=\"Ä Ö\"";
        QTest::newRow("quote doubled") << "A\"B"
                                       << "S FIRMA=1,FIL=0,PERSONAL=\"A\"\"B\"";
        QTest::newRow("empty") << ""
                               << "S FIRMA=1,FIL=0,PERSONAL=\"\"";
    }

    void contextCommandQuotesTheUserCode()
    {
        QFETCH(QString, command);
        QFETCH(QString, user);
        QCOMPARE(ServerAccess::contextCommand(QStringLiteral("1"), QStringLiteral("0"), user),
                 command);
    }

    void serverList_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("items");

        QTest::newRow("empty output") << QString() << QStringList();
        QTest::newRow("one item") << "A`Alpha" << QStringList { "A`Alpha" };
        QTest::newRow("two items")
            << "A`Alpha" + sep + "B`Beta" << QStringList { "A`Alpha", "B`Beta" };
        QTest::newRow("two separators give an empty middle item")
            << "A" + sep + sep + "B" << QStringList { "A", "", "B" };
        QTest::newRow("trailing separator gives no empty last item")
            << "A" + sep + "B" + sep << QStringList { "A", "B" };
        QTest::newRow("only a separator") << sep << QStringList { "" };
        QTest::newRow("leading separator") << sep + "A" << QStringList { "", "A" };
        QTest::newRow("two trailing separators") << "A" + sep + sep << QStringList { "A", "" };
        QTest::newRow("other characters stay") << "1`a;b|c\t" << QStringList { "1`a;b|c\t" };
    }

    void serverList()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, items);
        Rig rig;
        rig.store.xecuteOutputs[QStringLiteral("d HGRP^KXCLSU")] = output;
        QStringList list { QStringLiteral("stale") };
        bool failed = false;
        QCOMPARE(rig.access.ServerList(QStringLiteral("d HGRP^KXCLSU"), QChar(0xFF), list, failed),
                 items.size());
        QCOMPARE(list, items);
        QVERIFY(!failed);
        QCOMPARE(rig.store.openObjects(), 0);
        QVERIFY(rig.access.lockTimer().isActive());
    }

    void serverListCountsBeyondSixteenBits()
    {
        Rig rig;
        QStringList parts;
        for (int i = 0; i < 40000; ++i)
            parts.append(QString::number(i) + QStringLiteral("`x"));
        rig.store.xecuteOutputs[QStringLiteral("d ABTNR^KXCLSU")] = parts.join(sep);
        QStringList list;
        bool failed = false;
        QCOMPARE(rig.access.ServerList(QStringLiteral("d ABTNR^KXCLSU"), QChar(0xFF), list, failed),
                 40000);
        QCOMPARE(list.size(), 40000);
        QCOMPARE(list.at(32767), QStringLiteral("32767`x"));
        QCOMPARE(list.last(), QStringLiteral("39999`x"));
    }

    void commandFailures_data()
    {
        QTest::addColumn<bool>("asList");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("ServerCommand") << false << "DBCall";
        QTest::newRow("ServerList") << true << "DBCallD";
    }

    void commandFailures()
    {
        QFETCH(QString, prefix);
        QFETCH(bool, asList);
        Rig rig;
        const QString command = QStringLiteral("d NIX^KXCLSU");
        rig.store.failingXecute.insert(command);
        bool failed = false;
        QStringList list { QStringLiteral("stale") };
        if (asList)
            QCOMPARE(rig.access.ServerList(command, QChar(0xFF), list, failed), 0);
        else
            QCOMPARE(rig.access.ServerCommand(command, failed), QString());
        QVERIFY(failed);
        if (asList)
            QVERIFY(list.isEmpty());
        QCOMPARE(rig.prompter.boxes.size(), 1);
        const auto &box = rig.prompter.boxes.first();
        QCOMPARE(box.title, QStringLiteral("Caché Zugriffsfehler"));
        QCOMPARE(box.icon, Prompter::Icon::Warning);
        QCOMPARE(box.text,
                 QStringLiteral("Vorgang: Ungültige Anfrage! Kein Ergebnis gefunden") + crlf + crlf
                     + prefix + QStringLiteral(" Aufruf von KX.Windwos Xecute d NIX^KXCLSU.") + crlf
                     + crlf + QStringLiteral("Fehler: 1004") + crlf
                     + QStringLiteral("<SYNTAX> d NIX^KXCLSU") + crlf + crlf);
        // The error box ends the bracket: arrow cursor, idle timer running, object closed.
        QCOMPARE(rig.cursor, QList<bool> { false });
        QVERIFY(rig.access.lockTimer().isActive());
        QCOMPARE(rig.store.openObjects(), 0);
    }

    void serverCommandReturnsTheOutput()
    {
        Rig rig;
        rig.store.xecuteOutputs[QStringLiteral("S P0=^XWGDAT W P0")]
            = QStringLiteral("10510`1051231");
        bool failed = false;
        QCOMPARE(rig.access.ServerCommand(QStringLiteral("S P0=^XWGDAT W P0"), failed),
                 QStringLiteral("10510`1051231"));
        QVERIFY(!failed);
        QVERIFY(rig.cursor.isEmpty()); // no hourglass for commands
    }

    void bracketRunsTheIdleTimer()
    {
        Rig rig;
        QTimer &lock = rig.access.lockTimer();
        QCOMPARE(lock.objectName(), QStringLiteral("Lock"));
        QCOMPARE(lock.interval(), 60000);
        QVERIFY(rig.access.BeginServerCall(true));
        QVERIFY(!lock.isActive());
        rig.access.EndServerCall(true);
        QVERIFY(lock.isActive());
        QCOMPARE(rig.cursor, (QList<bool> { true, false }));
        QVERIFY(rig.access.BeginServerCall(false));
        QVERIFY(!lock.isActive());
        rig.access.EndServerCall(false);
        rig.access.Disconnect();
        QVERIFY(!lock.isActive());
        QVERIFY(!rig.access.isConnected());
        QCOMPARE(rig.cursor.size(), 2);
    }

    void idleMinuteDisconnectsAndNextCallReconnectsSilently()
    {
        Rig rig;
        rig.access.lockTimer().setInterval(20);
        QStringList list;
        bool failed = false;
        rig.access.ServerList(QStringLiteral("d HGRP^KXCLSU"), QChar(0xFF), list, failed);
        QVERIFY(rig.access.isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.access.isConnected(), 2000);
        QCOMPARE(rig.store.connectionsClosed, 1);
        QVERIFY(!rig.access.lockTimer().isActive()); // fires once per idle period
        rig.access.ServerList(QStringLiteral("d HGRP^KXCLSU"), QChar(0xFF), list, failed);
        QVERIFY(!failed);
        QVERIFY(rig.access.isConnected());
        QCOMPARE(rig.store.factoriesMade, 2);
        QVERIFY(rig.prompter.boxes.isEmpty());
        QCOMPARE(rig.store.xecuted.count(QStringLiteral("D ^%XTT")), 2);
    }

    void serverDiesBetweenCalls_data()
    {
        QTest::addColumn<bool>("comesBack");
        QTest::newRow("restarted server") << true;
        QTest::newRow("server stays down") << false;
    }

    void serverDiesBetweenCalls()
    {
        QFETCH(bool, comesBack);
        Rig rig;
        bool failed = false;
        rig.access.ServerCommand(QStringLiteral("D X"), failed);
        if (comesBack)
            rig.store.restart();
        else
            rig.store.up = false;
        const QString output = rig.access.ServerCommand(QStringLiteral("D X"), failed);
        QVERIFY(output.isEmpty());
        if (comesBack) {
            QVERIFY(!failed);
            QVERIFY(rig.prompter.boxes.isEmpty());
            QCOMPARE(rig.store.xecuted.count(QStringLiteral("D X")), 2);
            return;
        }
        // Retries, the two boxes and the end; no error box and no command afterwards.
        QVERIFY(failed);
        QCOMPARE(rig.prompter.titles(),
                 QStringList({ QStringLiteral("Anmeldung an Caché"),
                               QStringLiteral("Anmeldung an Caché") }));
        QCOMPARE(rig.shutdowns, 1);
        QCOMPARE(rig.store.xecuted.count(QStringLiteral("D X")), 1);
        rig.access.ServerCommand(QStringLiteral("D X"), failed);
        QVERIFY(!rig.access.BeginServerCall(true));
        QVERIFY_THROWS_EXCEPTION(kordex::ServerError,
                                 rig.access.factory()->NewObject(QStringLiteral("KX.Windows")));
        rig.access.ShowServerError(kordex::ServerError(1, QStringLiteral("x")),
                                   QStringLiteral("y"));
        QCOMPARE(rig.prompter.boxes.size(), 2);
        QCOMPARE(rig.store.connectAttempts, 1 + 6);
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(!rig.access.lockTimer().isActive());
    }

    void closeServerObjectIgnoresErrors()
    {
        Rig rig;
        QVERIFY(rig.access.BeginServerCall(false));
        auto object = rig.access.factory()->NewObject(QStringLiteral("KX.Windows"));
        rig.store.throwOnClose = true;
        rig.access.CloseServerObject(object);
        QVERIFY(!object);
        rig.access.CloseServerObject(object); // a cleared reference is fine
        std::unique_ptr<kordex::ResultSet> none;
        rig.access.CloseServerObject(none);
        rig.access.EndServerCall(false);
        rig.access.Disconnect(); // a failing close is ignored too
        QVERIFY(!rig.access.isConnected());
    }

    void showServerErrorText()
    {
        Rig rig;
        rig.access.ShowServerError(kordex::ServerError(-7, QStringLiteral("Ärger")),
                                   QStringLiteral("Abteilungsermittlung"));
        QCOMPARE(rig.prompter.boxes.size(), 1);
        QCOMPARE(
            rig.prompter.boxes.first().text,
            QStringLiteral("Vorgang: Abteilungsermittlung.\r\n\r\nFehler: -7\r\nÄrger\r\n\r\n"));
        QCOMPARE(rig.cursor, QList<bool> { false });
        QVERIFY(rig.access.lockTimer().isActive());
    }

    void shutdownRunsOnce()
    {
        Rig rig;
        rig.access.ShutdownProgram();
        rig.access.ShutdownProgram();
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(!rig.access.EnsureConnected());
        QCOMPARE(rig.store.connectAttempts, 0);
    }
};

QTEST_MAIN(TestServerAccess)
#include "tst_serveraccess.moc"
