// Benchmarks of the KORDEX store on SQLite and PostgreSQL, each beside the bare
// engine doing the same work: bulk import, full and two-month rebuild, the
// 72-period fetch unfiltered and with each kind of filter, the 216-query
// extended fetch, and one "PeriodenSummeAufteilung" per main department.
//
//   kordex_bench [--quick] [--lines N] [--data DIR] [--no-postgres] [benchmark flags]
#include "BenchStores.h"
#include "Period.h"
#include "Schema.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace kordex;

namespace {

BenchStores *stores = nullptr;
std::map<QString, std::vector<SalesLine>> samples;

// HGRP UGRP PCNR HABT ABTNR PG HVART
struct Filter
{
    const char *name;
    QStringList codes;
};

const std::vector<Filter> &filters()
{
    static const std::vector<Filter> list {
        { "unfiltered", { "", "", "", "", "", "", "" } },
        { "department+maingroup", { "06", "", "", "", "M3", "", "" } },
        { "profitcentre", { "", "", "2", "", "", "", "" } },
        { "maindepartment", { "", "", "", "60", "", "", "" } },
        { "subgroup", { "05", "052", "", "", "", "", "" } },
        { "customergroup", { "", "", "", "", "", "G", "" } },
        { "shippingtype", { "", "", "", "", "", "", "S" } },
    };
    return list;
}

QList<int> fetchPeriods(const BenchEngine &engine)
{
    QList<int> periods;
    for (int i = 71; i >= 0; --i)
        periods.append(Period::shifted(engine.lastPeriod, -i));
    return periods;
}

// The plain sum over the full-grain period sums, one reused statement.
void bareSum(BenchEngine &engine, int from, int to, const QList<QPair<QString, QString>> &where)
{
    QString sql = QStringLiteral("SELECT COALESCE(SUM(umsatz + nebenerloes), 0),"
                                 " COALESCE(SUM(umsatz + nebenerloes - einsatz - nebenkosten), 0)"
                                 " FROM summe_voll WHERE firma = ? AND periode BETWEEN ? AND ?");
    QList<SqlValue> params { QStringLiteral("1"), qint64(from), qint64(to) };
    for (const auto &[column, code] : where) {
        sql += QStringLiteral(" AND %1 = ?").arg(column);
        params.append(code);
    }
    benchmark::DoNotOptimize(engine.store->sql().query(sql, params));
}

QList<QPair<QString, QString>> plainWhere(const QStringList &codes)
{
    static const QStringList columns { "hgrp", "ugrp", "pcnr", "habt", "abtnr", "pg", "hvart" };
    QList<QPair<QString, QString>> where;
    for (int i = 0; i < columns.size(); ++i)
        if (!codes[i].isEmpty())
            where.append({ columns[i], codes[i] });
    return where;
}

void serviceQuery(BenchEngine &engine, const QString &cls, const QString &name,
                  const QStringList &args, int columns)
{
    auto result = engine.factory->OpenQuery(cls, name);
    result->RunQuery(args);
    result->NextRow();
    for (int c = 1; c <= columns; ++c)
        benchmark::DoNotOptimize(result->ColumnValue(c));
    result->SYS_Close();
}

void fetch(benchmark::State &state, BenchEngine *engine, Filter filter, bool bare)
{
    const QList<int> periods = fetchPeriods(*engine);
    for (auto _ : state) {
        for (int period : periods) {
            if (bare)
                bareSum(*engine, period, period, plainWhere(filter.codes));
            else
                serviceQuery(*engine, QStringLiteral("KXUmsatz.Daten"),
                             QStringLiteral("PeriodenSumme"),
                             QStringList { "1", QString::number(period) } + filter.codes, 2);
        }
    }
    state.SetItemsProcessed(state.iterations() * periods.size());
}

void extendedFetch(benchmark::State &state, BenchEngine *engine, bool bare)
{
    const QList<int> periods = fetchPeriods(*engine);
    for (auto _ : state) {
        for (int period : periods) {
            for (const char *type : { "L", "B", "W" }) {
                if (bare)
                    bareSum(*engine, period, period,
                            { { QStringLiteral("abtnr"), QStringLiteral("M2") },
                              { QStringLiteral("typ"), QLatin1String(type) } });
                else
                    serviceQuery(*engine, QStringLiteral("KXUmsatz.DatWH"),
                                 QStringLiteral("PeriodenSumme"),
                                 { "1", QString::number(period),
                                   QStringLiteral("``M2```%1").arg(QLatin1String(type)) },
                                 4);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * periods.size() * 3);
}

void breakdown(benchmark::State &state, BenchEngine *engine, bool bare)
{
    const int year = Period::year(engine->lastPeriod) - 1;
    const int from = Period::fromDate(QDate(year, 1, 1));
    const int to = Period::fromDate(QDate(year, 12, 1));
    const QList<SqlRow> mainDepartments = engine->store->sql().query(
        QStringLiteral("SELECT habt FROM hauptabteilung WHERE firma = '1' ORDER BY habt"));
    for (auto _ : state) {
        for (const SqlRow &habt : mainDepartments) {
            if (bare)
                bareSum(*engine, from, to, { { QStringLiteral("habt"), habt[0] } });
            else
                serviceQuery(*engine, QStringLiteral("KXUmsatz.Daten"),
                             QStringLiteral("PeriodenSummeAufteilung"),
                             { "1", QString::number(from), QString::number(to), "", "", "", habt[0],
                               "", "", "" },
                             2);
        }
    }
}

void bareAggregate(BenchEngine &engine, int from, int to)
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

void rebuild(benchmark::State &state, BenchEngine *engine, int months, bool bare)
{
    const int to = engine->lastPeriod;
    const int from = months > 0 ? Period::shifted(to, -(months - 1)) : engine->firstPeriod;
    for (auto _ : state) {
        if (bare)
            bareAggregate(*engine, from, to);
        else
            engine->store->generieren(QStringLiteral("1"), Period::text(from), Period::text(to));
    }
}

void import(benchmark::State &state, BenchEngine *engine, bool bare)
{
    const std::vector<SalesLine> &lines = samples[engine->name];
    SqlConnection &sql = engine->store->sql();
    for (auto _ : state) {
        Transaction transaction(sql); // rolled back: the store stays as it is
        if (bare) {
            QStringList columns { "firma", "periode", "zeile" };
            columns += Schema::dimensions();
            columns += Schema::measures();
            // the same table: the engine inserts into the same tree
            auto writer = sql.bulkWriter(QStringLiteral("umsatzzeile"), columns);
            qint64 number = 1000000000;
            for (const SalesLine &l : lines) {
                writer->text(l.company);
                writer->integer(l.period);
                writer->integer(number++);
                for (const std::string *code :
                     { &l.department, &l.department, &l.department, &l.mainGroup, &l.subGroup,
                       &l.customerGroup, &l.articleType, &l.shippingType, &l.articleType })
                    writer->text(*code);
                for (qint64 amount : l.amounts)
                    writer->integer(amount);
                writer->endRow();
            }
            writer->finish();
        } else {
            SalesWriter writer(sql);
            for (const SalesLine &l : lines)
                writer.write(l);
            writer.finish();
        }
    }
    state.SetItemsProcessed(state.iterations() * qint64(lines.size()));
}

// Console output as usual, and a table of each piece of work beside the bare engine.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const std::string name = run.run_name.function_name;
            const auto slash = name.rfind('/');
            if (slash == std::string::npos || run.run_type != Run::RT_Iteration)
                continue;
            auto &row = m_rows[name.substr(0, slash)];
            const double ms
                = run.GetAdjustedRealTime(); // every benchmark here reports milliseconds
            const auto items = run.counters.find("items_per_second");
            const double rate = items == run.counters.end() ? 0.0 : double(items->second);
            (name.substr(slash + 1) == "bare" ? row.bare : row.kordex) = { ms, rate };
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-52s %12s %12s %8s\n", "work (ms per run; import: lines/s)", "kordex",
                    "bare", "ratio");
        for (const auto &[work, row] : m_rows) {
            const bool rate = work.find("import") != std::string::npos;
            const double ours = rate ? row.kordex.rate : row.kordex.ms;
            const double bare = rate ? row.bare.rate : row.bare.ms;
            std::printf("%-52s %12.2f %12.2f %8.2f\n", work.c_str(), ours, bare,
                        bare > 0 ? ours / bare : 0.0);
        }
        std::fflush(stdout);
    }

private:
    struct Figure
    {
        double ms = 0;
        double rate = 0;
    };
    struct Row
    {
        Figure kordex;
        Figure bare;
    };
    std::map<std::string, Row> m_rows;
};

void registerAll(BenchEngine *e, qint64 lines)
{
    const std::string engine = e->name.toStdString();
    for (bool bare : { false, true }) {
        const std::string side = bare ? "bare" : "kordex";
        for (const Filter &f : filters())
            benchmark::RegisterBenchmark((engine + "/fetch72/" + f.name + "/" + side).c_str(),
                                         fetch, e, f, bare)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3)
                ->UseRealTime();
        benchmark::RegisterBenchmark((engine + "/fetch216/extended/" + side).c_str(), extendedFetch,
                                     e, bare)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.3)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (engine + "/aufteilung/per-maindepartment-year/" + side).c_str(), breakdown, e, bare)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.3)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (engine + "/import/" + std::to_string(samples[e->name].size()) + "-lines/" + side)
                .c_str(),
            import, e, bare)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(2)
            ->UseRealTime();
        benchmark::RegisterBenchmark((engine + "/rebuild/two-months/" + side).c_str(), rebuild, e,
                                     2, bare)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (engine + "/rebuild/full-" + std::to_string(lines) + "/" + side).c_str(), rebuild, e, 0,
            bare)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->UseRealTime();
    }
}

void makeBareSums(BenchEngine &engine)
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qint64 lines = 10000000;
    QString data = QStringLiteral("bench-data");
    bool postgres = true;
    std::vector<char *> rest { argv[0] };
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--quick"))
            lines = 1000000;
        else if (arg == QLatin1String("--lines") && i + 1 < argc)
            lines = QString::fromLocal8Bit(argv[++i]).toLongLong();
        else if (arg == QLatin1String("--data") && i + 1 < argc)
            data = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--no-postgres"))
            postgres = false;
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
        return 2;

    BenchStores benchStores(data, lines);
    stores = &benchStores;
    QString why;
    if (!benchStores.setUpSqlite(&why)) {
        std::fprintf(stderr, "SQLite store: %s\n", qPrintable(why));
        return 1;
    }
    if (postgres && !benchStores.setUpPostgres(&why))
        std::fprintf(stderr, "PostgreSQL skipped: %s\n", qPrintable(why));
    const qint64 importLines = std::min<qint64>(lines / 5, 1000000);
    for (BenchEngine *engine : benchStores.engines()) {
        samples[engine->name] = benchStores.sampleLines(*engine, importLines);
        makeBareSums(*engine);
        registerAll(engine, lines);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
