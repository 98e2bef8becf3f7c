#include "DataRebuild.h"
#include "FakeServer.h"
#include "FixedClock.h"

#include <QTest>
#include <thread>

using namespace ertragon;

class TestDataRebuild : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opening_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("label"); // "-" keeps the label
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("January 2006") << QDate(2006, 1, 20) << "10511`1051203"
                                      << "Letzte Periode 10511 erstellt am 03.12.2005"
                                      << "10511"
                                      << "10512";
        QTest::newRow("no backtick") << QDate(2006, 1, 20) << "10511"
                                     << "Letzte Periode 10511 erstellt am "
                                     << "10511"
                                     << "10512";
        QTest::newRow("no output") << QDate(2005, 3, 2) << ""
                                   << "-"
                                   << "10501"
                                   << "10502";
        QTest::newRow("December") << QDate(2005, 12, 31) << "10510`1051101"
                                  << "Letzte Periode 10510 erstellt am 01.11.2005"
                                  << "10510"
                                  << "10511";
    }
    void opening()
    {
        QFETCH(QDate, today);
        QFETCH(QString, output);
        QFETCH(QString, label);
        QFETCH(QString, from);
        QFETCH(QString, to);
        fake::Server server;
        server.store.xecuteOutputs[QStringLiteral("S P0=^XWGDAT W P0")] = output;
        FixedClock clock(QDateTime(today, QTime(12, 0)));
        DataRebuild rebuild(server.access, clock);
        const DataRebuild::Opening o = rebuild.open();
        QCOMPARE(o.label.value_or(QStringLiteral("-")), label);
        QCOMPARE(o.from, from);
        QCOMPARE(o.to, to);
    }

    void check_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("range") << "10511"
                               << "10512" << true;
        QTest::newRow("one period") << "10512"
                                    << "10512" << true;
        QTest::newRow("across a year") << "10512"
                                       << "10601" << true;
        QTest::newRow("before 2000") << "9912"
                                     << "10001" << true;
        QTest::newRow("from after to") << "10601"
                                       << "10512" << false;
        QTest::newRow("month 13") << "10513"
                                  << "10601" << false;
        QTest::newRow("month 00") << "10500"
                                  << "10601" << false;
        QTest::newRow("letters") << "abc"
                                 << "10601" << false;
        QTest::newRow("empty") << ""
                               << "10601" << false;
        QTest::newRow("four-digit year") << "200511"
                                         << "200512" << false;
        QTest::newRow("hostile") << "10511'; DROP"
                                 << "10512" << false;
    }
    void check()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, accepted);
        QCOMPARE(DataRebuild::check(from, to).isEmpty(), accepted);
    }

    void rebuild()
    {
        fake::Server server;
        FixedClock clock(QDateTime(QDate(2006, 1, 20), QTime(14, 5, 9)));
        DataRebuild rebuild(server.access, clock);
        QStringList log;
        rebuild.setLogger([&](const QString &part, const QString &text, const QString &param) {
            log << part + ';' + text + ';' + param;
            clock.advanceMs(61000);
        });
        QVERIFY(rebuild.rebuild(QStringLiteral("10511"), QStringLiteral("10512")));
        QCOMPARE(server.store.generated.size(), 1);
        QCOMPARE(server.store.generated[0], QStringList({ "1", "10511", "10512" }));
        QCOMPARE(log,
                 QStringList({ "frmNeueDaten.OKButton_Click;Daten Holen für;10511 10512 um "
                               "14:05:09",
                               "frmNeueDaten.OKButton_Click;Daten Holen erledigt um;14:06:10" }));
        QCOMPARE(DataRebuild::doneMessage("10511", "10512"),
                 QStringLiteral("Daten Holen für Periode 10511 bis 10512 erledigt!"));
    }

    void failedRebuildClaimsNothing()
    {
        fake::Server server;
        server.store.failGenerate = true;
        FixedClock clock(QDateTime(QDate(2006, 1, 20), QTime(14, 5, 9)));
        DataRebuild rebuild(server.access, clock);
        QStringList log;
        rebuild.setLogger(
            [&](const QString &, const QString &text, const QString &) { log << text; });
        QVERIFY(!rebuild.rebuild(QStringLiteral("10511"), QStringLiteral("10512")));
        QCOMPARE(log, QStringList { "Daten Holen für" });
        QCOMPARE(server.prompter.messages.size(), 1);
        QCOMPARE(server.prompter.messages[0].title, QStringLiteral("Caché Zugriffsfehler"));
    }

    // The Generieren call runs through the runner (the dialog's worker thread); a server
    // error raised there still reaches the error box, and nothing is logged as done.
    void longCallRunsThroughTheRunner_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::newRow("succeeds") << false;
        QTest::newRow("server error") << true;
    }
    void longCallRunsThroughTheRunner()
    {
        QFETCH(bool, fails);
        fake::Server server;
        server.store.failGenerate = fails;
        FixedClock clock(QDateTime(QDate(2006, 1, 20), QTime(14, 5, 9)));
        DataRebuild rebuild(server.access, clock);
        QStringList log;
        rebuild.setLogger(
            [&](const QString &, const QString &text, const QString &) { log << text; });
        int runs = 0;
        const auto runOnWorker = [&](const std::function<void()> &call) {
            ++runs;
            std::thread worker(call);
            worker.join();
        };
        QCOMPARE(rebuild.rebuild(QStringLiteral("10511"), QStringLiteral("10512"), runOnWorker),
                 !fails);
        QCOMPARE(runs, 1);
        QCOMPARE(server.store.generated.size(), 1);
        QCOMPARE(log.size(), fails ? 1 : 2);
        QCOMPARE(server.prompter.messages.size(), fails ? 1 : 0);
    }
};

QTEST_MAIN(TestDataRebuild)
#include "tst_datarebuild.moc"
