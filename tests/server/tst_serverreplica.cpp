// The program's fetch over a PostgreSQL primary with a streaming standby on
// loopback: reads go to the standby, the rebuild to the primary, and a standby
// that stops mid-session hands the next fetch to the primary through the
// access layer's reconnect, with the same figures.
#include "DemoGenerator.h"
#include "ExtendedSelection.h"
#include "FixedClock.h"
#include "PeriodFetch.h"
#include "PgTestServer.h"
#include "SelectionModel.h"
#include "ServerAccess.h"
#include "Store.h"
#include "StoreFactory_p.h"
#include "TestDoubles.h"

#include <QElapsedTimer>
#include <QTest>

using namespace ertragon;
using ertragon::test::PgTestServer;

namespace {

const QDate today(2025, 6, 15);

} // namespace

class TestServerReplica : public QObject
{
    Q_OBJECT

    PgTestServer m_primary;
    PgTestServer m_standby;
    QString m_skip;

    struct Rig
    {
        FakePrompter prompter;
        FakeWaiter waiter;
        kordex::StoreFactory *factory = nullptr; // the one the access layer holds now
        ServerAccess access { [this] {
                                 auto made = std::make_unique<kordex::StoreFactory>();
                                 made->setToday(today);
                                 factory = made.get();
                                 return made;
                             },
                              prompter, waiter };
        FixedClock clock { QDateTime(today, QTime(10, 0)) };
        SelectionModel selection { access, prompter };
        ExtendedSelection extended;
        PeriodFetch fetch { access, prompter, clock };

        explicit Rig(const QString &connectString)
        {
            ServerContext &c = access.context();
            c.connectString = connectString;
            c.firma = QStringLiteral("1");
            c.filiale = QStringLiteral("0");
            c.name = QStringLiteral("DEM");
            c.password = QStringLiteral("demo");
            selection.setFirma(QStringLiteral("1"));
        }
        std::optional<PeriodTotals> run()
        {
            PeriodTotals totals;
            if (fetch.run(selection, extended, totals) != PeriodFetch::Outcome::Fetched)
                return std::nullopt;
            return totals;
        }
        // pg_is_in_recovery() of the session the access layer holds
        bool onStandby()
        {
            return factory && factory->store()
                && factory->store()->sql().scalar(QStringLiteral("SELECT pg_is_in_recovery()"))
                == QLatin1String("t");
        }
    };

private Q_SLOTS:
    void initTestCase()
    {
        QString why;
        if (PgTestServer::binaryDirectory().isEmpty())
            QSKIP("PostgreSQL is not installed");
        QVERIFY2(m_primary.start(&why), qPrintable(why));
        auto store = kordex::Store::open(m_primary.host(), m_primary.port(), true, &why);
        QVERIFY2(store, qPrintable(why));
        kordex::DemoGenerator::Options options;
        options.lines = 4000;
        options.today = today;
        kordex::DemoGenerator(store->sql(), options).run();
        QVERIFY2(m_standby.startStandby(m_primary, &why), qPrintable(why));
    }

    void standbyReadsPrimaryWritesAndFailOver()
    {
        // the standby first: read work prefers it, the primary stands behind it
        Rig rig(QStringLiteral("cn_iptcp:%1,%2[%3,%4]:KORDEX")
                    .arg(m_standby.host(), m_primary.host(), m_standby.port(), m_primary.port()));
        // the standby may still be catching up with the demo
        std::optional<PeriodTotals> before;
        QElapsedTimer waited;
        waited.start();
        do {
            before = rig.run();
            QVERIFY(before);
        } while (!before->at(60, PeriodTotals::Revenue).value_or(0) && waited.elapsed() < 20000);
        QVERIFY(before->at(60, PeriodTotals::Revenue).value_or(0) > 0);
        QVERIFY(rig.onStandby());

        // a rebuild of changed lines goes to the primary and reaches the standby
        auto primary = kordex::Store::open(m_primary.host(), m_primary.port(), false, nullptr);
        QVERIFY(primary);
        primary->sql().execute(QStringLiteral("UPDATE umsatzzeile SET umsatz = umsatz + 1000"
                                              " WHERE firma = '1' AND periode = 12503"));
        const qint64 changed = primary->sql()
                                   .scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile WHERE"
                                                          " firma = '1' AND periode = 12503"))
                                   .toLongLong();
        QVERIFY(changed > 0);
        QVERIFY(rig.access.BeginServerCall(false));
        auto daten = rig.access.factory()->NewObject(QStringLiteral("KXUmsatz.Daten"));
        daten->call(QStringLiteral("Generieren"), { "1", "12503", "12503" });
        rig.access.CloseServerObject(daten);
        rig.access.EndServerCall(false);
        QVERIFY(rig.onStandby());
        const double expected = *before->at(63, PeriodTotals::Revenue) + 10.0 * double(changed);
        std::optional<PeriodTotals> after;
        waited.restart();
        do {
            after = rig.run();
            QVERIFY(after);
        } while (*after->at(63, PeriodTotals::Revenue) != expected && waited.elapsed() < 20000);
        QCOMPARE(*after->at(63, PeriodTotals::Revenue), expected);
        QCOMPARE(*after->at(64, PeriodTotals::Revenue), *before->at(64, PeriodTotals::Revenue));

        // the standby goes away mid-session: the next fetch reconnects to the primary
        m_standby.stop();
        const std::optional<PeriodTotals> failedOver = rig.run();
        QVERIFY(failedOver);
        QVERIFY(!rig.onStandby());
        for (int p = 1; p <= 66; ++p) {
            QCOMPARE(failedOver->at(p, PeriodTotals::Revenue), after->at(p, PeriodTotals::Revenue));
            QCOMPARE(failedOver->at(p, PeriodTotals::Margin), after->at(p, PeriodTotals::Margin));
        }
        QVERIFY2(rig.prompter.boxes.isEmpty(), qPrintable(rig.prompter.titles().join(", ")));
        QCOMPARE(rig.waiter.waits, 0); // the primary answered the first attempt
    }
};

QTEST_GUILESS_MAIN(TestServerReplica)
#include "tst_serverreplica.moc"
