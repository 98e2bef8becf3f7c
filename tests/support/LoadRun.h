#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <kordex/Factory.h>
#include <optional>

class QTemporaryDir;

namespace kordex {
class Store;
} // namespace kordex

// What a load run measured: fetches of 72 periods by many sessions at once.
struct LoadFigures
{
    qint64 fetches = 0;
    double seconds = 0; // how long the sessions ran
    double perSecond = 0;
    double p50 = 0; // ms per fetch
    double p99 = 0;
    qint64 errors = 0; // a fetch that failed
    qint64 mixtures = 0; // a fetch that saw old sums of one period and new sums of another
    qint64 wrong = 0; // a fetch with a figure that is neither the old nor the new one
    qint64 sawNew = 0; // fetches that saw the new sums
    int rebuilds = 0; // full rebuilds that ended during the run
    QStringList problems; // the first few error texts
};

// Many client sessions, each its own connection, fetching the 72 periods of
// random selections in one batch each, in a loop; meanwhile full rebuilds may
// switch the period sums between two known states (without and with a set of
// extra sales lines). Every fetch must show one state in every period.
class LoadRun
{
public:
    struct Options
    {
        QString connectString;
        int sessions = 32;
        double seconds = 30; // with rebuilds: until the first rebuild after that time
        int lastPeriod = 0; // the newest of the 72 periods
        // SQLite: the sessions run in this many other processes (0: threads here)
        int processes = 0;
        QString program; // started as: program --load-reader PLAN TALLY
        // PostgreSQL: each session logs in as a user of its own (made by prepare(),
        // with full rights), so row-level security applies; else as the admin.
        bool ownUsers = false;
    };

    explicit LoadRun(Options options);

    // Computes both states of every selection; the store holds the old one
    // and keeps it afterwards. False with the reason.
    bool prepare(kordex::Store &store, QString *why);
    // The sessions for the given time; with a rebuild, full rebuilds of the
    // store alternate between the two states meanwhile.
    LoadFigures run(kordex::Store &store, bool rebuild);

    // A reader process (started as: program --load-reader PLAN TALLY): runs
    // the sessions the plan describes and writes their latencies and counts
    // to the tally file. The exit status of the process.
    static int readerMain(const QString &planFile, const QString &tallyFile);
    // readerMain's exit status when the command line asks for a reader
    // process (program --load-reader PLAN TALLY), else nothing.
    static std::optional<int> readerIfAsked(int argc, char **argv);

private:
    struct Expectation
    {
        QStringList codes; // HGRP UGRP PCNR HABT ABTNR PG HVART
        QList<qint64> before; // revenue, margin cents of each period
        QList<qint64> after;
    };
    struct Tally;

    void toggleExtraLines(kordex::Store &store, bool add);
    // The sessions run until the stop file appears.
    Tally sessions(const QString &connectString, int count, const QString &stopFile) const;
    Tally inProcesses(const QTemporaryDir &dir, const QString &stopFile) const;
    QList<QStringList> argumentSets(const QStringList &codes) const;
    void makeUsers(kordex::Store &store) const;
    static kordex::Login userLogin(int session);

    Options m_options;
    QList<Expectation> m_expected;
    QList<QList<QString>> m_extraLines; // the columns of each extra sales line
};
