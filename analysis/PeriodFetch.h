#pragma once

#include "PeriodTotals.h"
#include "SelectionModel.h"

#include <QDate>
#include <QString>
#include <functional>

namespace ertragon {

class Clock;

class ExtendedSelection;
class Prompter;
class QueryBatch;
class ServerAccess;
class ServerCall;

// Reads revenue and margin of the current year and the five before it, one
// server query per month (three for article type "A"), into PeriodTotals. The
// queries go to the server as one batch and are answered month by month.
// A server error stops the fetch at once; the server layer reports it and the
// previous totals stay as they were, so half-fetched figures are never shown.
class PeriodFetch
{
public:
    enum class Outcome { Fetched, Refused, Failed };
    using Logger = std::function<void(const QString &programmteil, const QString &text,
                                      const QString &parameter)>;
    // Periods done and periods to fetch, after every period.
    using Progress = std::function<void(int done, int total)>;

    PeriodFetch(ServerAccess &server, Prompter &prompter, const Clock &clock);

    void setLogger(Logger logger) { m_log = std::move(logger); }
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // The fetch. A department-bound user may fetch only with a department chosen.
    Outcome run(SelectionModel &selection, const ExtendedSelection &extended, PeriodTotals &totals);

    // Why the last fetch was refused (the message the user was shown).
    const QString &refusal() const { return m_refusal; }
    // The periods a fetch reads on this day: the five years before and the months of
    // this year up to this month.
    static int periodCount(const QDate &today);

    // PCNR`HABT`ABTNR`HGRP`UGRP`type`HVART`SVART`PG without trailing backticks.
    static QString parameterText(const FetchSelection &s, const QString &articleType,
                                 const QString &shippingType);
    // Removes trailing backticks.
    static QString trimSeparators(const QString &text);

private:
    // Takes the answers of one period (one, or one per article type) from the batch.
    bool fetchPeriod(ServerCall &call, int period, const QString &key, const FetchSelection &s,
                     qsizetype answers, bool extended, QueryBatch &batch, PeriodTotals &fresh);

    ServerAccess &m_server;
    Prompter &m_prompter;
    const Clock &m_clock;
    Logger m_log;
    Progress m_progress;
    QString m_refusal;
};

} // namespace ertragon
