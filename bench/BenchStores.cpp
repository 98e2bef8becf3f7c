#include "BenchStores.h"

#include "DemoGenerator.h"
#include "Period.h"
#include "Schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <kordex/ServerError.h>
#include <kordex/StoreAddress.h>

using namespace kordex;

namespace {

const QDate benchToday(2025, 12, 15);

bool fillDemo(Store &store, qint64 lines)
{
    DemoGenerator::Options options;
    options.lines = lines;
    options.seed = 42;
    options.today = benchToday;
    DemoGenerator(store.sql(), options).run();
    return true;
}

} // namespace

QDate BenchStores::today()
{
    return benchToday;
}

BenchStores::BenchStores(QString dataDirectory, qint64 lines)
    : m_dataDirectory(std::move(dataDirectory))
    , m_lines(lines)
{
}

void BenchStores::log(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool BenchStores::setUpSqlite(QString *why)
{
    QDir().mkpath(m_dataDirectory);
    const QString path = QStringLiteral("%1/kordex-%2.db").arg(m_dataDirectory).arg(m_lines);
    QString problem;
    auto store = QFile::exists(path) ? Store::open(path, QString(), false, &problem) : nullptr;
    bool reusable = store
        && store->sql().scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile")).toLongLong()
            == m_lines;
    // a store of an older layout is made again
    for (const Grain &grain : Schema::grains()) {
        try {
            if (reusable)
                store->sql().query(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(grain.table));
        } catch (const ServerError &) {
            reusable = false;
        }
    }
    if (!reusable) {
        store.reset();
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(path + QLatin1String(suffix));
        QElapsedTimer timer;
        timer.start();
        store = Store::open(path, QString(), true, why);
        if (!store)
            return false;
        fillDemo(*store, m_lines);
        log(QStringLiteral("SQLite demo store of %1 lines made in %2 s")
                .arg(m_lines)
                .arg(timer.elapsed() / 1000.0));
    } else {
        log(QStringLiteral("SQLite demo store of %1 lines reused: %2").arg(m_lines).arg(path));
    }
    m_sqlite.name = QStringLiteral("SQLite");
    m_sqlite.connectString = connectString(path, QString());
    m_sqlite.address = { path };
    m_sqlite.store = std::move(store);
    return finish(m_sqlite, why);
}

bool BenchStores::setUpPostgres(QString *why)
{
    if (!m_server.start(why))
        return false;
    QElapsedTimer timer;
    timer.start();
    auto store = Store::open(m_server.host(), m_server.port(), true, why);
    if (!store)
        return false;
    fillDemo(*store, m_lines);
    log(QStringLiteral("PostgreSQL demo store of %1 lines made in %2 s")
            .arg(m_lines)
            .arg(timer.elapsed() / 1000.0));
    m_postgres.name = QStringLiteral("PostgreSQL");
    m_postgres.connectString = m_server.connectString();
    m_postgres.address = { m_server.host(), m_server.port() };
    m_postgres.store = std::move(store);
    return finish(m_postgres, why);
}

bool BenchStores::finish(BenchEngine &engine, QString *why, const Login &login)
{
    engine.factory = std::make_unique<StoreFactory>();
    engine.factory->setToday(benchToday);
    engine.factory->setLogin(login);
    if (!engine.factory->OpenConnection(engine.connectString)) {
        if (why)
            *why = engine.factory->lastError();
        return false;
    }
    engine.firstPeriod = Period::fromDate(QDate(benchToday.year() - 5, 1, 1));
    engine.lastPeriod = Period::shifted(Period::fromDate(benchToday), -2);
    return true;
}

bool BenchStores::setUpDelayedPostgres(std::chrono::microseconds oneWay, QString *why)
{
    if (!m_postgres.store)
        return false;
    m_relay = std::make_unique<DelayRelay>(m_server.host(), m_server.port().toInt(), oneWay);
    if (!m_relay->start(why))
        return false;
    const QString port = QString::number(m_relay->port());
    m_delayed.name = QStringLiteral("PostgreSQL+%1ms").arg(2 * oneWay.count() / 1000.0);
    m_delayed.connectString = connectString(m_server.host(), port);
    m_delayed.address = { m_server.host(), port };
    m_delayed.store = Store::open(m_server.host(), port, false, why);
    return m_delayed.store && finish(m_delayed, why);
}

bool BenchStores::setUpPostgresAsUser(QString *why)
{
    if (!m_postgres.store)
        return false;
    m_asUser.name = QStringLiteral("PostgreSQL+rls");
    m_asUser.connectString = m_postgres.connectString;
    m_asUser.address = m_postgres.address;
    m_asUser.store = Store::open(m_server.host(), m_server.port(), false, why);
    return m_asUser.store
        && finish(m_asUser, why,
                  { QStringLiteral("1"), QStringLiteral("DEM"), DemoGenerator::password });
}

void BenchStores::makeBareSums(BenchEngine &engine)
{
    SqlConnection &sql = engine.store->sql();
    sql.script(QStringLiteral("DROP TABLE IF EXISTS bare_voll"));
    if (sql.dialect() == Dialect::Sqlite) {
        QString ddl
            = sql.scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'summe_voll'"));
        sql.script(ddl.replace(QLatin1String("summe_voll"), QLatin1String("bare_voll")));
    } else {
        sql.script(QStringLiteral("CREATE TABLE bare_voll (LIKE summe_voll INCLUDING ALL)"));
    }
}

void BenchStores::bareRebuild(BenchEngine &engine, int from, int to)
{
    SqlConnection &sql = engine.store->sql();
    const QString keys
        = (QStringList { "firma", "periode" } + Schema::dimensions()).join(QStringLiteral(", "));
    QStringList sums;
    for (const QString &m : Schema::measures())
        sums.append(QStringLiteral("SUM(%1)").arg(m));
    Transaction transaction(sql);
    sql.execute(
        QStringLiteral("DELETE FROM bare_voll WHERE firma = '1' AND periode BETWEEN ? AND ?"),
        { qint64(from), qint64(to) });
    sql.execute(QStringLiteral("INSERT INTO bare_voll SELECT %1, %2 FROM umsatzzeile"
                               " WHERE firma = '1' AND periode BETWEEN ? AND ? GROUP BY %1")
                    .arg(keys, sums.join(QStringLiteral(", "))),
                { qint64(from), qint64(to) });
    transaction.commit();
}

std::vector<BenchEngine *> BenchStores::engines()
{
    std::vector<BenchEngine *> list;
    for (BenchEngine *engine : { &m_sqlite, &m_postgres })
        if (engine->store)
            list.push_back(engine);
    return list;
}

std::vector<SalesLine> BenchStores::sampleLines(BenchEngine &engine, qint64 count, int fromPeriod)
{
    std::vector<SalesLine> lines;
    const QList<SqlRow> rows = engine.store->sql().query(
        QStringLiteral("SELECT firma, periode, abtnr, hgrp, ugrp, pg, svart, typ, umsatz, "
                       "nebenerloes, einsatz,"
                       " nebenkosten, skonto, nachlass FROM umsatzzeile WHERE periode >= ?"
                       " ORDER BY firma, periode, zeile LIMIT ?"),
        { qint64(fromPeriod), count });
    lines.reserve(size_t(rows.size()));
    for (const SqlRow &r : rows) {
        SalesLine line;
        line.company = r[0].toStdString();
        line.period = r[1].toInt();
        line.department = r[2].toStdString();
        line.mainGroup = r[3].toStdString();
        line.subGroup = r[4].toStdString();
        line.customerGroup = r[5].toStdString();
        line.shippingType = r[6].toStdString();
        line.articleType = r[7].toStdString();
        for (int i = 0; i < 6; ++i)
            line.amounts[size_t(i)] = r[8 + i].toLongLong();
        lines.push_back(std::move(line));
    }
    return lines;
}
