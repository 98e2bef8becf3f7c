#include "PeriodFetch.h"

#include "Calendar.h"
#include "Clock.h"
#include "ExtendedSelection.h"
#include "Prompter.h"
#include "QueryBatch.h"
#include "ServerAccess.h"
#include "ServerCall.h"

#include <kordex/ServerError.h>

namespace ertragon {

namespace {

const QString logPart = QStringLiteral("fmstart.cmdÜbernehmen");
const QChar backtick = QLatin1Char('`');

QString logParameter(const FetchSelection &s)
{
    return QStringList { s.company, s.hgrp, s.ugrp, s.pcnr, s.habt, s.abtnr, s.pg, s.hvart }.join(
        QLatin1Char('|'));
}

} // namespace

PeriodFetch::PeriodFetch(ServerAccess &server, Prompter &prompter, const Clock &clock)
    : m_server(server)
    , m_prompter(prompter)
    , m_clock(clock)
{
}

QString PeriodFetch::trimSeparators(const QString &text)
{
    QString t = text;
    while (t.endsWith(backtick))
        t.chop(1);
    return t;
}

QString PeriodFetch::parameterText(const FetchSelection &s, const QString &articleType,
                                   const QString &shippingType)
{
    return trimSeparators(QStringList { s.pcnr, s.habt, s.abtnr, s.hgrp, s.ugrp, articleType,
                                        s.hvart, shippingType, s.pg }
                              .join(backtick));
}

int PeriodFetch::periodCount(const QDate &today)
{
    return 5 * 12 + today.month();
}

PeriodFetch::Outcome PeriodFetch::run(SelectionModel &selection, const ExtendedSelection &extended,
                                      PeriodTotals &totals)
{
    selection.clearSelectionChanged();
    m_refusal.clear();
    if (selection.rights().departmentBound && !selection.abteilungSelektiert()) {
        m_refusal = QStringLiteral("Sie Müssen eine Abteilung auswählen!");
        m_prompter.inform(Prompter::Icon::Information, QStringLiteral("Abteilungsauswahl!"),
                          m_refusal);
        return Outcome::Refused;
    }
    // A choice the user was refused is never sent to the server.
    if (selection.holdsRefusedChoice()) {
        m_refusal = QStringLiteral("Sie dürfen nur Ihre eigene Abteilung selektieren.");
        m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Fehlermeldung"), m_refusal);
        return Outcome::Refused;
    }
    ServerCall call(m_server, QStringLiteral("Datenabfrage"), true);
    if (!call.connected())
        return Outcome::Failed;

    PeriodTotals fresh;
    const QDate today = m_clock.now().date();
    QList<std::pair<int, QString>> periods; // period index, PeriodKey
    for (int block = 1; block <= 6; ++block) {
        for (int month = 1; month <= 12; ++month) {
            if (block == 6 && month > today.month())
                break;
            periods.append(
                { (block - 1) * 12 + month, Calendar::PeriodKey(today.year() + block - 6, month) });
        }
    }
    const FetchSelection s = selection.periodSelection();
    const bool wide = extended.active();
    const QString type = extended.articleTypeCode();
    const QStringList types = !wide ? QStringList { QString() }
        : type == QStringLiteral("A")
        ? QStringList { QStringLiteral("L"), QStringLiteral("B"), QStringLiteral("W") }
        : QStringList { type };
    QList<QStringList> argumentSets;
    for (const auto &[period, key] : std::as_const(periods)) {
        for (const QString &t : types)
            argumentSets.append(
                wide ? QStringList { s.company, key,
                                     parameterText(s, t, extended.shippingTypeCode()) }
                     : QStringList { s.company, key, s.hgrp, s.ugrp, s.pcnr, s.habt, s.abtnr, s.pg,
                                     s.hvart });
    }
    QueryBatch batch(m_server,
                     wide ? QStringLiteral("KXUmsatz.DatWH") : QStringLiteral("KXUmsatz.Daten"),
                     wide && extended.discountView() == 1 ? QStringLiteral("PeriodenSkonto")
                                                          : QStringLiteral("PeriodenSumme"),
                     argumentSets);
    const int total = int(periods.size());
    int done = 0;
    for (const auto &[period, key] : std::as_const(periods)) {
        if (!fetchPeriod(call, period, key, s, types.size(), wide, batch, fresh))
            return Outcome::Failed;
        if (m_progress)
            m_progress(++done, total);
    }
    batch.close();
    totals = fresh;
    return Outcome::Fetched;
}

bool PeriodFetch::fetchPeriod(ServerCall &call, int period, const QString &key,
                              const FetchSelection &s, qsizetype answers, bool extended,
                              QueryBatch &batch, PeriodTotals &fresh)
{
    if (m_log)
        m_log(logPart, QStringLiteral("Datenabfrage Periode ") + key, logParameter(s));
    call.setOperation(QStringLiteral("Datenabfrage Periode ") + key);
    return call.run([&] {
        double revenue = 0.0;
        double margin = 0.0;
        if (!extended) {
            const QList<double> row = batch.next(2);
            revenue = row[0];
            margin = row[1];
        } else {
            double deductions = 0.0;
            for (qsizetype i = 0; i < answers; ++i) {
                const QList<double> row = batch.next(4);
                revenue += row[0] + row[1];
                deductions += row[2] + row[3];
            }
            margin = revenue - deductions;
        }
        fresh.set(period, PeriodTotals::Revenue, revenue);
        fresh.set(period, PeriodTotals::Margin, margin);
    });
}

} // namespace ertragon
