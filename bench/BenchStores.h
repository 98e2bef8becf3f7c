#pragma once

#include "PgTestServer.h"
#include "SalesWriter.h"
#include "Store.h"
#include "StoreFactory_p.h"

#include <QString>
#include <memory>
#include <vector>

// The stores the benchmarks run on: a SQLite file (reused between runs when
// it holds the requested number of lines) and a temporary PostgreSQL server.
struct BenchEngine
{
    QString name;
    QString connectString;
    std::unique_ptr<kordex::Store> store; // direct access for the bare engine
    std::unique_ptr<kordex::StoreFactory> factory; // the service as the program uses it
    int firstPeriod = 0;
    int lastPeriod = 0; // last period with built sums
};

class BenchStores
{
public:
    BenchStores(QString dataDirectory, qint64 lines);

    // False with the reason when the engine cannot be set up.
    bool setUpSqlite(QString *why);
    bool setUpPostgres(QString *why);

    std::vector<BenchEngine *> engines();
    // Some sales lines of the store, for the import benchmark.
    std::vector<kordex::SalesLine> sampleLines(BenchEngine &engine, qint64 count);

private:
    bool finish(BenchEngine &engine, QString *why);
    void log(const QString &text);

    QString m_dataDirectory;
    qint64 m_lines;
    BenchEngine m_sqlite;
    BenchEngine m_postgres;
    ertragon::test::PgTestServer m_server;
};
