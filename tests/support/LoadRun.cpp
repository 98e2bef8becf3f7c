#include "LoadRun.h"

#include "Period.h"
#include "Schema.h"
#include "Store.h"
#include "StoreFactory_p.h"
#include "UserAdmin.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <kordex/ServerError.h>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace kordex;

namespace {

constexpr int periods = 72;
constexpr int extraPerPeriod = 12;
constexpr qint64 extraLineBase = 900000000000LL; // far beyond the store's own line numbers

// "-12.34" as -1234 cents
qint64 cents(const QString &money)
{
    const bool negative = money.startsWith(QLatin1Char('-'));
    const QStringList parts = money.mid(negative ? 1 : 0).split(QLatin1Char('.'));
    const qint64 value = parts.value(0).toLongLong() * 100 + parts.value(1).toLongLong();
    return negative ? -value : value;
}

double percentile(std::vector<double> &sorted, double share)
{
    if (sorted.empty())
        return 0;
    const size_t at = std::min(sorted.size() - 1, size_t(share * double(sorted.size())));
    return sorted[at];
}

} // namespace

struct LoadRun::Tally
{
    std::vector<double> ms;
    qint64 errors = 0;
    qint64 mixtures = 0;
    qint64 wrong = 0;
    qint64 sawNew = 0;
    QStringList problems;

    void add(const Tally &other)
    {
        ms.insert(ms.end(), other.ms.begin(), other.ms.end());
        errors += other.errors;
        mixtures += other.mixtures;
        wrong += other.wrong;
        sawNew += other.sawNew;
        for (const QString &p : other.problems)
            if (problems.size() < 5)
                problems.append(p);
    }
};

LoadRun::LoadRun(Options options)
    : m_options(std::move(options))
{
}

QList<QStringList> LoadRun::argumentSets(const QStringList &codes) const
{
    QList<QStringList> sets;
    for (int i = periods - 1; i >= 0; --i)
        sets.append(QStringList { QStringLiteral("1"),
                                  Period::text(Period::shifted(m_options.lastPeriod, -i)) }
                    + codes);
    return sets;
}

bool LoadRun::prepare(Store &store, QString *why)
{
    SqlConnection &sql = store.sql();
    // leftovers of a run that was stopped
    const int first = Period::shifted(m_options.lastPeriod, -(periods - 1));
    if (sql.scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile WHERE firma = '1' AND periode"
                                  " BETWEEN ? AND ? AND zeile >= ?"),
                   { qint64(first), qint64(m_options.lastPeriod), extraLineBase })
            .toLongLong()
        > 0) {
        toggleExtraLines(store, false);
        const QStringList range
            = sql.query(QStringLiteral("SELECT MIN(periode), MAX(periode) FROM umsatzzeile"
                                       " WHERE firma = '1'"))
                  .value(0);
        store.generieren(QStringLiteral("1"), Period::text(range.value(0).toInt()),
                         Period::text(range.value(1).toInt()));
    }

    // the extra lines may fall into years without lines yet
    if (Schema::partitioned(sql)) {
        Transaction transaction(sql);
        for (int year = Period::year(first); year <= Period::year(m_options.lastPeriod); ++year)
            Schema::addPartition(sql, year);
        transaction.commit();
    }

    // HGRP UGRP PCNR HABT ABTNR PG HVART
    QList<QStringList> selections { { "", "", "", "", "", "", "" },
                                    { "", "", "", "", "", "P", "" },
                                    { "", "", "", "", "", "G", "" } };
    for (const SqlRow &r : sql.query(QStringLiteral(
             "SELECT abtnr FROM abteilung WHERE firma = '1' ORDER BY abtnr LIMIT 6")))
        selections.append({ "", "", "", "", r.value(0), "", "" });
    for (const SqlRow &r : sql.query(QStringLiteral(
             "SELECT hgrp, ugrp FROM untergruppe WHERE firma = '1' ORDER BY hgrp, ugrp LIMIT 4")))
        selections.append({ r.value(0), r.value(1), "", "", "", "", "" });
    for (const SqlRow &r : sql.query(QStringLiteral(
             "SELECT pcnr FROM profitcenter WHERE firma = '1' ORDER BY pcnr LIMIT 2")))
        selections.append({ "", "", r.value(0), "", "", "", "" });

    // extra lines copy the codes of lines of the newest period
    const QList<SqlRow> templates
        = sql.query(QStringLiteral("SELECT pcnr, habt, abtnr, hgrp, ugrp, pg, hvart, svart, typ"
                                   " FROM umsatzzeile WHERE firma = '1' AND periode = ? LIMIT 40"),
                    { qint64(m_options.lastPeriod) });
    if (templates.isEmpty()) {
        *why = QStringLiteral("no sales lines in period %1").arg(m_options.lastPeriod);
        return false;
    }
    m_extraLines.clear();
    for (int i = 0; i < periods; ++i) {
        const int period = Period::shifted(first, i);
        for (int t = 0; t < extraPerPeriod; ++t) {
            const SqlRow &codes = templates[(i * 7 + t) % templates.size()];
            QList<QString> line { QStringLiteral("1"), QString::number(period),
                                  QString::number(extraLineBase + i * extraPerPeriod + t) };
            line += codes;
            for (qint64 amount : { 10000 + 37 * i + t, 100, 5000 + t, 50, 10, 5 })
                line.append(QString::number(amount));
            m_extraLines.append(line);
        }
    }

    if (m_options.ownUsers)
        makeUsers(store);
    StoreFactory factory;
    if (!factory.OpenConnection(m_options.connectString)) {
        *why = factory.lastError();
        return false;
    }
    m_expected.clear();
    // line columns: firma periode zeile pcnr habt abtnr hgrp ugrp pg hvart svart typ ...
    static const int column[] = { 6, 7, 3, 4, 5, 8, 9 }; // of HGRP UGRP PCNR HABT ABTNR PG HVART
    for (const QStringList &codes : std::as_const(selections)) {
        Expectation e { codes, {}, {} };
        auto result
            = factory.OpenQuery(QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"));
        result->RunQueryBatch(argumentSets(codes));
        while (result->NextAnswer()) {
            result->NextRow();
            e.before << cents(result->ColumnValue(1)) << cents(result->ColumnValue(2));
        }
        e.after = e.before;
        for (qsizetype n = 0; n < m_extraLines.size(); ++n) {
            const QList<QString> &line = m_extraLines[n];
            bool matches = true;
            for (int c = 0; c < 7; ++c)
                matches = matches && (codes[c].isEmpty() || codes[c] == line[column[c]]);
            if (!matches)
                continue;
            const qsizetype index = n / extraPerPeriod;
            const qint64 revenue = line[12].toLongLong() + line[13].toLongLong();
            e.after[2 * index] += revenue;
            e.after[2 * index + 1] += revenue - line[14].toLongLong() - line[15].toLongLong();
        }
        m_expected.append(e);
    }
    return true;
}

Login LoadRun::userLogin(int session)
{
    return { QStringLiteral("1"),
             QStringLiteral("LAST%1").arg(session + 1, 2, 10, QLatin1Char('0')),
             QStringLiteral("last") };
}

void LoadRun::makeUsers(Store &store) const
{
    UserAdmin users(store.sql());
    for (int i = 0; i < m_options.sessions; ++i) {
        const Login login = userLogin(i);
        UserSettings s;
        s.company = login.company;
        s.code = login.user;
        s.password = login.password;
        s.name = QStringLiteral("Lastbenutzer %1").arg(i + 1);
        s.department = QStringLiteral("B0");
        s.rightsGroup = 5;
        s.permitted = QStringLiteral("J");
        users.set(s);
    }
}

void LoadRun::toggleExtraLines(Store &store, bool add)
{
    SqlConnection &sql = store.sql();
    Transaction transaction(sql);
    if (add) {
        QStringList columns { "firma", "periode", "zeile" };
        columns += Schema::dimensions();
        columns += Schema::measures();
        auto writer = sql.bulkWriter(QStringLiteral("umsatzzeile"), columns);
        for (const QList<QString> &line : std::as_const(m_extraLines)) {
            for (int c = 0; c < line.size(); ++c) {
                if (c == 1 || c == 2 || c >= 12)
                    writer->integer(line[c].toLongLong());
                else
                    writer->text(line[c].toStdString());
            }
            writer->endRow();
        }
        writer->finish();
    } else {
        sql.execute(QStringLiteral("DELETE FROM umsatzzeile WHERE firma = '1' AND periode BETWEEN"
                                   " ? AND ? AND zeile >= ?"),
                    { qint64(Period::shifted(m_options.lastPeriod, -(periods - 1))),
                      qint64(m_options.lastPeriod), extraLineBase });
    }
    transaction.commit();
}

LoadRun::Tally LoadRun::sessions(const QString &connectString, int count,
                                 const QString &stopFile) const
{
    QList<QList<QStringList>> sets;
    for (const Expectation &e : m_expected)
        sets.append(argumentSets(e.codes));
    std::vector<Tally> tallies(static_cast<size_t>(count));
    std::vector<std::thread> threads;
    const auto session = [&](int index) {
        Tally &tally = tallies[size_t(index)];
        StoreFactory factory;
        if (m_options.ownUsers)
            factory.setLogin(userLogin(index));
        if (!factory.OpenConnection(connectString)) {
            ++tally.errors;
            tally.problems.append(factory.lastError());
            return;
        }
        QRandomGenerator random(quint32(1000 + index));
        QElapsedTimer clock;
        clock.start();
        // until told to stop, or at the latest after an hour
        while (!QFile::exists(stopFile) && clock.elapsed() < 3600000) {
            const qsizetype chosen = random.bounded(int(m_expected.size()));
            const Expectation &e = m_expected[chosen];
            QElapsedTimer one;
            one.start();
            QList<qint64> got;
            got.reserve(2 * periods);
            try {
                auto result = factory.OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                                QStringLiteral("PeriodenSumme"));
                result->RunQueryBatch(sets[chosen]);
                while (result->NextAnswer()) {
                    result->NextRow();
                    got << cents(result->ColumnValue(1)) << cents(result->ColumnValue(2));
                }
                result->SYS_Close();
            } catch (const ServerError &error) {
                ++tally.errors;
                if (tally.problems.size() < 5)
                    tally.problems.append(error.description());
                continue;
            }
            tally.ms.push_back(double(one.nsecsElapsed()) / 1e6);
            bool old = false, fresh = false, neither = got.size() != e.before.size();
            for (qsizetype i = 0; i < got.size() && !neither; ++i) {
                if (e.before[i] == e.after[i])
                    neither = got[i] != e.before[i];
                else if (got[i] == e.before[i])
                    old = true;
                else if (got[i] == e.after[i])
                    fresh = true;
                else
                    neither = true;
            }
            if (neither)
                ++tally.wrong;
            else if (old && fresh)
                ++tally.mixtures;
            else if (fresh)
                ++tally.sawNew;
        }
    };
    for (int i = 0; i < count; ++i)
        threads.emplace_back(session, i);
    Tally all;
    for (size_t i = 0; i < threads.size(); ++i) {
        threads[i].join();
        all.add(tallies[i]);
    }
    return all;
}

// The sessions spread over other processes of the given program, each told
// through a file what to fetch and what to expect.
LoadRun::Tally LoadRun::inProcesses(const QTemporaryDir &dir, const QString &stopFile) const
{
    Tally all;
    const QString plan = dir.filePath(QStringLiteral("plan"));
    {
        QFile file(plan);
        if (!file.open(QIODevice::WriteOnly)) {
            ++all.errors;
            all.problems.append(QStringLiteral("cannot write %1").arg(plan));
            return all;
        }
        QDataStream out(&file);
        out << m_options.connectString
            << qint32(std::max(1, m_options.sessions / m_options.processes)) << stopFile
            << qint32(m_options.lastPeriod) << qint32(m_expected.size());
        for (const Expectation &e : m_expected)
            out << e.codes << e.before << e.after;
    }
    std::vector<std::unique_ptr<QProcess>> readers;
    for (int i = 0; i < m_options.processes; ++i) {
        auto reader = std::make_unique<QProcess>();
        reader->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        reader->start(m_options.program,
                      { QStringLiteral("--load-reader"), plan,
                        dir.filePath(QStringLiteral("tally-%1").arg(i)) });
        readers.push_back(std::move(reader));
    }
    for (size_t i = 0; i < readers.size(); ++i) {
        QProcess &reader = *readers[i];
        if (!reader.waitForFinished(300000) || reader.exitCode() != 0) {
            ++all.errors;
            all.problems.append(
                QStringLiteral("reader process %1 failed: %2").arg(i).arg(reader.errorString()));
            continue;
        }
        QFile file(dir.filePath(QStringLiteral("tally-%1").arg(i)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QDataStream in(&file);
        Tally tally;
        QList<double> ms;
        in >> ms >> tally.errors >> tally.mixtures >> tally.wrong >> tally.sawNew >> tally.problems;
        tally.ms.assign(ms.begin(), ms.end());
        all.add(tally);
    }
    return all;
}

LoadFigures LoadRun::run(Store &store, bool rebuild)
{
    QTemporaryDir dir;
    const QString stop = dir.filePath(QStringLiteral("stop"));
    Tally tally;
    QElapsedTimer clock;
    clock.start();
    std::thread load([&] {
        tally = m_options.processes > 0
            ? inProcesses(dir, stop)
            : sessions(m_options.connectString, m_options.sessions, stop);
    });
    const auto due = [&] { return double(clock.elapsed()) >= m_options.seconds * 1000; };
    double elapsed = 0;
    const auto stopSessions = [&] {
        if (elapsed == 0) {
            elapsed = double(clock.elapsed()) / 1000;
            QFile(stop).open(QIODevice::WriteOnly);
        }
        if (load.joinable())
            load.join();
    };
    int rebuilds = 0;
    bool added = false;
    QString rebuildProblem;
    if (rebuild) {
        // every period of the store and of the 72, the extra lines' too
        const QStringList range
            = store.sql()
                  .query(QStringLiteral("SELECT MIN(periode), MAX(periode) FROM umsatzzeile"
                                        " WHERE firma = '1' AND zeile < ?"),
                         { extraLineBase })
                  .value(0);
        const int from = std::min(range.value(0).toInt(),
                                  Period::shifted(m_options.lastPeriod, -(periods - 1)));
        const int to = std::max(range.value(1).toInt(), m_options.lastPeriod);
        try {
            // at least one switch, however long a rebuild takes under the load
            while (!due() || rebuilds == 0) {
                toggleExtraLines(store, !added);
                added = !added;
                store.generieren(QStringLiteral("1"), Period::text(from), Period::text(to));
                ++rebuilds;
            }
            // the sessions see the last switch for a moment
            std::this_thread::sleep_for(std::chrono::seconds(1));
            stopSessions();
            if (added) {
                toggleExtraLines(store, false);
                store.generieren(QStringLiteral("1"), Period::text(from), Period::text(to));
            }
        } catch (const ServerError &e) {
            rebuildProblem = QStringLiteral("rebuild: ") + e.description();
        }
    }
    while (elapsed == 0 && !due())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stopSessions();
    LoadFigures figures;
    figures.seconds = elapsed;
    figures.fetches = qint64(tally.ms.size());
    figures.perSecond = double(figures.fetches) / std::max(elapsed, 0.001);
    std::sort(tally.ms.begin(), tally.ms.end());
    figures.p50 = percentile(tally.ms, 0.50);
    figures.p99 = percentile(tally.ms, 0.99);
    figures.errors = tally.errors + (rebuildProblem.isEmpty() ? 0 : 1);
    figures.mixtures = tally.mixtures;
    figures.wrong = tally.wrong;
    figures.sawNew = tally.sawNew;
    figures.rebuilds = rebuilds;
    figures.problems = tally.problems;
    if (!rebuildProblem.isEmpty())
        figures.problems.append(rebuildProblem);
    return figures;
}

std::optional<int> LoadRun::readerIfAsked(int argc, char **argv)
{
    if (argc != 4 || qstrcmp(argv[1], "--load-reader") != 0)
        return std::nullopt;
    QCoreApplication app(argc, argv);
    return readerMain(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
}

int LoadRun::readerMain(const QString &planFile, const QString &tallyFile)
{
    QFile file(planFile);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QDataStream in(&file);
    Options options;
    qint32 sessions = 0, lastPeriod = 0, count = 0;
    QString stopFile;
    in >> options.connectString >> sessions >> stopFile >> lastPeriod >> count;
    options.lastPeriod = lastPeriod;
    LoadRun run(options);
    for (qint32 i = 0; i < count; ++i) {
        Expectation e;
        in >> e.codes >> e.before >> e.after;
        run.m_expected.append(e);
    }
    const Tally tally = run.sessions(options.connectString, sessions, stopFile);
    QFile out(tallyFile);
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    QDataStream stream(&out);
    stream << QList<double>(tally.ms.begin(), tally.ms.end()) << tally.errors << tally.mixtures
           << tally.wrong << tally.sawNew << tally.problems;
    return 0;
}
