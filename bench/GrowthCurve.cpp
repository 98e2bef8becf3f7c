#include "GrowthCurve.h"

#include "BenchStores.h"
#include "Period.h"
#include "Rebuild.h"
#include "Schema.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <tuple>

using namespace kordex;

namespace {

// Runs a and b by turns, so that drift on a shared machine falls on both;
// the median of each.
std::pair<double, double> medians(int runs, const std::function<void()> &a,
                                  const std::function<void()> &b)
{
    std::vector<double> first, second;
    for (int i = 0; i < runs; ++i) {
        for (auto [work, times] : { std::pair { &a, &first }, std::pair { &b, &second } }) {
            QElapsedTimer timer;
            timer.start();
            (*work)();
            times->push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(first.begin(), first.end());
    std::sort(second.begin(), second.end());
    return { first[first.size() / 2], second[second.size() / 2] };
}

double median(int runs, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void batchFetch(BenchEngine &engine, const QStringList &codes)
{
    QList<QStringList> sets;
    for (int i = 71; i >= 0; --i)
        sets.append(QStringList { "1", QString::number(Period::shifted(engine.lastPeriod, -i)) }
                    + codes);
    auto result = engine.factory->OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                            QStringLiteral("PeriodenSumme"));
    result->RunQueryBatch(sets);
    while (result->NextAnswer()) {
        result->NextRow();
        result->ColumnValue(1);
    }
    result->SYS_Close();
}

} // namespace

GrowthCurve::GrowthCurve(QString dataDirectory, bool postgres)
    : m_data(std::move(dataDirectory))
    , m_postgres(postgres)
{
}

GrowthCurve::Row GrowthCurve::measure(BenchEngine &engine, BenchStores &stores, qint64 lines,
                                      bool full)
{
    Row row;
    row.engine = engine.name;
    row.lines = lines;
    const QStringList none { "", "", "", "", "", "", "" };
    const QStringList subgroup { "05", "052", "", "", "", "", "" };
    batchFetch(engine, none); // prepares the statements
    batchFetch(engine, subgroup);
    row.fetch = median(15, [&] { batchFetch(engine, none); });
    row.fetchSubgroup = median(15, [&] { batchFetch(engine, subgroup); });
    const int to = engine.lastPeriod;
    const int from = Period::shifted(to, -1);
    // the bare table holds the whole history, as the grains do
    BenchStores::makeBareSums(engine);
    BenchStores::bareRebuild(
        engine,
        engine.store->sql().scalar(QStringLiteral("SELECT MIN(periode) FROM umsatzzeile")).toInt(),
        to);
    const auto generate = [&](int first) {
        engine.store->generieren(QStringLiteral("1"), Period::text(first), Period::text(to));
    };
    std::tie(row.twoMonths, row.twoMonthsBare) = medians(
        5, [&] { generate(from); }, [&] { BenchStores::bareRebuild(engine, from, to); });
    if (full) {
        std::tie(row.full, row.fullBare) = medians(
            lines > 1000000 ? 1 : 3, [&] { generate(engine.firstPeriod); },
            [&] { BenchStores::bareRebuild(engine, engine.firstPeriod, to); });
    }
    const std::vector<SalesLine> sample = stores.sampleLines(engine, 100000, engine.firstPeriod);
    SqlConnection &sql = engine.store->sql();
    const double importMs = median(1, [&] {
        Transaction transaction(sql); // rolled back: the store stays as it is
        SalesWriter writer(sql);
        for (const SalesLine &line : sample)
            writer.write(line);
        writer.finish();
    });
    row.importMicros = sample.empty() ? 0 : importMs * 1000 / double(sample.size());
    sql.script(QStringLiteral("DROP TABLE IF EXISTS bare_voll"));
    return row;
}

void GrowthCurve::print(const Row &r) const
{
    std::printf("%-12s %12lld %9.2f %9.2f %10.1f %10.1f %6.2f", qPrintable(r.engine),
                static_cast<long long>(r.lines), r.fetch, r.fetchSubgroup, r.twoMonths,
                r.twoMonthsBare, r.twoMonths / r.twoMonthsBare);
    if (r.full > 0)
        std::printf(" %10.0f %10.0f %6.2f", r.full, r.fullBare, r.full / r.fullBare);
    else
        std::printf(" %10s %10s %6s", "-", "-", "-");
    std::printf(" %9.1f\n", r.importMicros);
    std::fflush(stdout);
}

void GrowthCurve::addHistory(BenchEngine &engine, int from, int to)
{
    SqlConnection &sql = engine.store->sql();
    const int first = Period::fromDate(QDate(Period::year(engine.firstPeriod), 1, 1));
    const int last = Period::fromDate(QDate(Period::year(engine.lastPeriod), 12, 1));
    const int years = Period::year(last) - Period::year(first) + 1;
    QStringList lineColumns { "firma", "periode", "zeile" };
    lineColumns += Schema::dimensions();
    lineColumns += Schema::measures();
    for (int block = from; block < to; ++block) {
        const qint64 shift = -100LL * years * block; // periods: 100 per year
        Transaction transaction(sql);
        if (Schema::partitioned(sql))
            for (int year = Period::year(first); year <= Period::year(last); ++year)
                Schema::addPartition(sql, year - years * block);
        QStringList copied = lineColumns;
        copied[1] = QStringLiteral("periode + ?");
        copied[2] = QStringLiteral("zeile + ?");
        sql.execute(QStringLiteral("INSERT INTO umsatzzeile (%1) SELECT %2 FROM umsatzzeile"
                                   " WHERE periode BETWEEN ? AND ?")
                        .arg(lineColumns.join(QLatin1Char(',')), copied.join(QLatin1Char(','))),
                    { shift, qint64(block) * 1000000000LL, qint64(first), qint64(last) });
        for (const Grain &grain : Schema::grains()) {
            QStringList columns { "firma", "periode" };
            columns += grain.dimensions;
            columns += Schema::measures();
            QStringList shifted = columns;
            shifted[1] = QStringLiteral("periode + ?");
            sql.execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %1"
                                       " WHERE periode BETWEEN ? AND ?")
                            .arg(grain.table, columns.join(QLatin1Char(',')),
                                 shifted.join(QLatin1Char(','))),
                        { shift, qint64(first), qint64(last) });
        }
        transaction.commit();
    }
    if (sql.dialect() == Dialect::Sqlite)
        sql.script(QStringLiteral("ANALYZE"));
    else
        Rebuild::settle(sql);
}

void GrowthCurve::grow(BenchEngine &engine, BenchStores &stores, const QList<qint64> &sizes,
                       qint64 limit, qint64 fullLimit)
{
    int blocks = 1;
    for (qint64 lines : sizes) {
        if (lines > limit)
            break;
        const int wanted = int(lines / sizes.first());
        QElapsedTimer timer;
        timer.start();
        addHistory(engine, blocks, wanted);
        if (wanted > blocks)
            std::fprintf(stderr, "%s: history of %d years made in %.1f s\n",
                         qPrintable(engine.name), wanted * 6, double(timer.elapsed()) / 1000);
        blocks = std::max(blocks, wanted);
        m_rows.append(measure(engine, stores, lines, lines <= fullLimit));
        print(m_rows.last());
    }
}

void GrowthCurve::run(const QList<qint64> &sizes, qint64 sqliteLimit, qint64 fullLimit)
{
    const auto heading = [] {
        std::printf("\n%-12s %12s %9s %9s %10s %10s %6s %10s %10s %6s %9s\n", "growth", "lines",
                    "fetch72", "subgroup", "2 months", "bare", "ratio", "full", "bare", "ratio",
                    "us/line");
        std::printf("%-12s %12s %9s %9s %10s %10s %6s %10s %10s %6s %9s\n", "", "", "ms", "ms",
                    "ms", "ms", "", "ms", "ms", "", "import");
    };
    heading();
    // a store of its own: the history is added to it
    const QString data = m_data + QStringLiteral("/history");
    QString why;
    {
        BenchStores stores(data, sizes.first());
        if (stores.setUpSqlite(&why))
            grow(*stores.engines().front(), stores, sizes, sqliteLimit, fullLimit);
        else
            std::fprintf(stderr, "SQLite: %s\n", qPrintable(why));
    }
    if (m_postgres) {
        BenchStores stores(data, sizes.first());
        if (stores.setUpPostgres(&why))
            grow(*stores.engines().front(), stores, sizes, sizes.last(), fullLimit);
        else
            std::fprintf(stderr, "PostgreSQL: %s\n", qPrintable(why));
    }
    heading();
    for (const Row &row : std::as_const(m_rows))
        print(row);
    // flat: the largest store against the smallest, per engine
    for (const QString &engine : { QStringLiteral("SQLite"), QStringLiteral("PostgreSQL") }) {
        const Row *small = nullptr;
        const Row *large = nullptr;
        for (const Row &row : std::as_const(m_rows)) {
            if (row.engine != engine)
                continue;
            if (!small)
                small = &row;
            large = &row;
        }
        if (small && large && small != large)
            std::printf("%s from %lld to %lld lines: fetch x%.2f, subgroup x%.2f, two-month"
                        " rebuild x%.2f, import per line x%.2f\n",
                        qPrintable(engine), static_cast<long long>(small->lines),
                        static_cast<long long>(large->lines), large->fetch / small->fetch,
                        large->fetchSubgroup / small->fetchSubgroup,
                        large->twoMonths / small->twoMonths,
                        large->importMicros / small->importMicros);
    }
    std::fflush(stdout);
}
