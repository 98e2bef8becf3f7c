#pragma once

#include "DemoGenerator.h"
#include "PgTestServer.h"
#include "Store.h"

#include <QTemporaryDir>
#include <memory>

// A small demo store on SQLite (temporary file) or on a PostgreSQL test server.
class StoreFixture
{
public:
    static constexpr qint64 demoLines = 12000;
    static constexpr quint64 demoSeed = 7;
    static QDate demoToday() { return QDate(2025, 6, 15); }

    // False with the reason when the engine is not available.
    bool setUp(bool postgres, QString *why);
    // A fresh demo store (the old one is replaced).
    bool makeDemo(QString *why);
    // The connect string the factory opens.
    QString connectString() const;
    // A second, direct connection for checks beside the factory.
    std::unique_ptr<kordex::Store> openStore(bool create = false, QString *why = nullptr) const;
    bool postgres() const { return m_postgres; }

private:
    bool m_postgres = false;
    QTemporaryDir m_dir;
    ertragon::test::PgTestServer m_server;
};

inline bool StoreFixture::setUp(bool postgres, QString *why)
{
    m_postgres = postgres;
    if (!postgres)
        return m_dir.isValid();
    return m_server.start(why);
}

inline QString StoreFixture::connectString() const
{
    return m_postgres ? m_server.connectString()
                      : QStringLiteral("cn_iptcp:%1/store.db[1972]:KORDEX").arg(m_dir.path());
}

inline std::unique_ptr<kordex::Store> StoreFixture::openStore(bool create, QString *why) const
{
    QString problem;
    auto store = m_postgres
        ? kordex::Store::open(m_server.host(), m_server.port(), create, &problem)
        : kordex::Store::open(m_dir.path() + QStringLiteral("/store.db"), QString(), create,
                              &problem);
    if (why)
        *why = problem;
    return store;
}

inline bool StoreFixture::makeDemo(QString *why)
{
    if (m_postgres) {
        if (!m_server.resetDatabase(why))
            return false;
    } else {
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(m_dir.path() + QStringLiteral("/store.db") + QLatin1String(suffix));
    }
    auto store = openStore(true, why);
    if (!store)
        return false;
    kordex::DemoGenerator::Options options;
    options.lines = demoLines;
    options.seed = demoSeed;
    options.today = demoToday();
    kordex::DemoGenerator(store->sql(), options).run();
    return true;
}
