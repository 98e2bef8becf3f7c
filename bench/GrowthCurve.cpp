#include "GrowthCurve.h"

#include "BenchStores.h"
#include "Period.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace kordex;

namespace {

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
    BenchStores::makeBareSums(engine);
    BenchStores::bareRebuild(engine, engine.firstPeriod, to);
    const auto generate = [&](int first) {
        engine.store->generieren(QStringLiteral("1"), Period::text(first), Period::text(to));
    };
    row.twoMonths = median(3, [&] { generate(from); });
    row.twoMonthsBare = median(3, [&] { BenchStores::bareRebuild(engine, from, to); });
    if (full) {
        row.full = median(1, [&] { generate(engine.firstPeriod); });
        row.fullBare = median(1, [&] { BenchStores::bareRebuild(engine, engine.firstPeriod, to); });
    }
    const std::vector<SalesLine> sample = stores.sampleLines(engine, 100000);
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
    for (qint64 lines : sizes) {
        BenchStores stores(m_data, lines);
        QString why;
        if (lines <= sqliteLimit) {
            if (stores.setUpSqlite(&why)) {
                for (BenchEngine *engine : stores.engines()) {
                    m_rows.append(measure(*engine, stores, lines, lines <= fullLimit));
                    print(m_rows.last());
                }
            } else {
                std::fprintf(stderr, "SQLite %lld: %s\n", static_cast<long long>(lines),
                             qPrintable(why));
            }
        }
        BenchStores pgStores(m_data, lines);
        if (m_postgres && pgStores.setUpPostgres(&why)) {
            for (BenchEngine *engine : pgStores.engines()) {
                m_rows.append(measure(*engine, pgStores, lines, lines <= fullLimit));
                print(m_rows.last());
            }
        } else if (m_postgres) {
            std::fprintf(stderr, "PostgreSQL %lld: %s\n", static_cast<long long>(lines),
                         qPrintable(why));
        }
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
