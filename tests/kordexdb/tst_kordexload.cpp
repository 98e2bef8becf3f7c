// A shortened load run: many sessions fetch 72 periods at once while full
// rebuilds switch the period sums back and forth; on SQLite the sessions read
// from other processes (WAL), on PostgreSQL from threads with their own
// connections. No fetch may fail or show old and new sums together.
#include "DemoGenerator.h"
#include "LoadRun.h"
#include "Period.h"
#include "PgTestServer.h"
#include "Store.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace kordex;

namespace {

const QDate today(2025, 6, 15);

} // namespace

class TestKordexLoad : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ertragon::test::PgTestServer m_server;
    QString m_pgProblem;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        if (!m_server.start(&m_pgProblem))
            m_pgProblem = QStringLiteral("PostgreSQL not available: ") + m_pgProblem;
    }

    void fetchesDuringRebuilds_data()
    {
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<int>("processes"); // reader processes; 0: threads
        QTest::newRow("SQLite, readers in other processes") << false << 2;
        QTest::newRow("PostgreSQL, one connection per thread") << true << 0;
    }

    void fetchesDuringRebuilds()
    {
        QFETCH(bool, postgres);
        QFETCH(int, processes);
        if (postgres && !m_pgProblem.isEmpty())
            QSKIP(qPrintable(m_pgProblem));
        QString why;
        const QString path = m_dir.filePath(QStringLiteral("load.db"));
        auto store = postgres ? Store::open(m_server.host(), m_server.port(), true, &why)
                              : Store::open(path, QString(), true, &why);
        QVERIFY2(store, qPrintable(why));
        DemoGenerator::Options demo;
        demo.lines = 5000;
        demo.today = today;
        DemoGenerator(store->sql(), demo).run();
        store->setToday(today);

        LoadRun::Options options;
        options.connectString = postgres ? m_server.connectString()
                                         : QStringLiteral("cn_iptcp:%1[]:KORDEX").arg(path);
        options.sessions = 6;
        options.seconds = 5;
        options.lastPeriod = Period::shifted(Period::fromDate(today), -2);
        options.processes = processes;
        options.program = QCoreApplication::applicationFilePath();
        options.ownUsers = postgres; // each session a user of its own, as on a chain's server
        LoadRun load(options);
        QVERIFY2(load.prepare(*store, &why), qPrintable(why));
        const LoadFigures idle = load.run(*store, false);
        const LoadFigures busy = load.run(*store, true);
        qInfo("idle: %lld fetches, %.0f/s, p50 %.1f ms, p99 %.1f ms", idle.fetches, idle.perSecond,
              idle.p50, idle.p99);
        qInfo("rebuilding (%d rebuilds): %lld fetches, %.0f/s, p50 %.1f ms, p99 %.1f ms, "
              "%lld saw the new sums",
              busy.rebuilds, busy.fetches, busy.perSecond, busy.p50, busy.p99, busy.sawNew);
        for (const LoadFigures &f : { idle, busy }) {
            QVERIFY2(f.errors == 0, qPrintable(f.problems.join(QLatin1Char('\n'))));
            QCOMPARE(f.mixtures, 0);
            QCOMPARE(f.wrong, 0);
            QVERIFY(f.fetches > 0);
        }
        QCOMPARE(idle.sawNew, 0);
        // the check saw both states, so it could have seen a mixture
        QVERIFY(busy.rebuilds >= 2);
        QVERIFY(busy.sawNew > 0 && busy.sawNew < busy.fetches);
    }
};

int main(int argc, char **argv)
{
    // the reader processes of the SQLite load run are this program
    if (const auto status = LoadRun::readerIfAsked(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    TestKordexLoad test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kordexload.moc"
