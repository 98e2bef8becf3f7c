#pragma once

#include "DelayRelay.h"
#include "PgTestServer.h"
#include "SalesWriter.h"
#include "Store.h"
#include "StoreFactory_p.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <vector>

// The stores the benchmarks run on: a SQLite file (reused between runs when
// it holds the requested number of lines) and a temporary PostgreSQL server.
struct BenchEngine
{
    QString name;
    QString connectString;
    QStringList address; // the SERVER [PORT] words of a program's login
    std::unique_ptr<kordex::Store> store; // direct access for the bare engine
    std::unique_ptr<kordex::StoreFactory> factory; // the service as the program uses it
    int firstPeriod = 0;
    int lastPeriod = 0; // last period with built sums
};

class BenchStores
{
public:
    BenchStores(QString dataDirectory, qint64 lines);

    // The day the demo stores end at and the benchmarks run on.
    static QDate today();

    // False with the reason when the engine cannot be set up.
    bool setUpSqlite(QString *why);
    bool setUpPostgres(QString *why);

    // PostgreSQL once more, reached through a relay that delays each direction.
    bool setUpDelayedPostgres(std::chrono::microseconds oneWay, QString *why);

    // PostgreSQL as the program uses it on a chain's server: the service logged in as
    // the demo user DEM, so that row-level security applies (the bare side stays the
    // admin's, without it).
    bool setUpPostgresAsUser(QString *why);

    std::vector<BenchEngine *> engines();
    BenchEngine *delayed() { return m_delayed.store ? &m_delayed : nullptr; }
    BenchEngine *asUser() { return m_asUser.store ? &m_asUser : nullptr; }
    // Some sales lines of the store from a period on, for the import benchmark.
    std::vector<kordex::SalesLine> sampleLines(BenchEngine &engine, qint64 count,
                                               int fromPeriod = -1000000);

    // bare_voll: a table like the full grain, for the bare engine's rebuild.
    static void makeBareSums(BenchEngine &engine);
    // The bare rebuild: one INSERT ... SELECT ... GROUP BY into bare_voll.
    static void bareRebuild(BenchEngine &engine, int from, int to);

private:
    bool finish(BenchEngine &engine, QString *why, const kordex::Login &login = {});
    void log(const QString &text);

    QString m_dataDirectory;
    qint64 m_lines;
    BenchEngine m_sqlite;
    BenchEngine m_postgres;
    BenchEngine m_delayed;
    BenchEngine m_asUser;
    ertragon::test::PgTestServer m_server;
    std::unique_ptr<DelayRelay> m_relay;
};
