#include "PeriodFetch.h"

#include "Calendar.h"
#include "Clock.h"
#include "ExtendedSelection.h"
#include "NumberText.h"
#include "Prompter.h"
#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"
#include "ServerLists.h"

#include <kordex/ServerError.h>
#include <memory>

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

PeriodFetch::Outcome PeriodFetch::run(SelectionModel &selection, const ExtendedSelection &extended,
                                      bool departmentBound, PeriodTotals &totals)
{
    selection.clearSelectionChanged();
    if (departmentBound && !selection.abteilungSelektiert()) {
        m_prompter.inform(Prompter::Icon::Information, QStringLiteral("Abteilungsauswahl!"),
                          QStringLiteral("Sie Müssen eine Abteilung auswählen!"));
        return Outcome::Refused;
    }
    // A choice the user was refused is never sent to the server.
    if (selection.holdsRefusedChoice()) {
        m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Fehlermeldung"),
                          QStringLiteral("Sie dürfen nur Ihre eigene Abteilung selektieren."));
        return Outcome::Refused;
    }
    ServerCall call(m_server, QStringLiteral("Datenabfrage"), true);
    if (!call.connected())
        return Outcome::Failed;

    PeriodTotals fresh;
    const QDate today = m_clock.now().date();
    const int total = 60 + today.month();
    int done = 0;
    for (int block = 1; block <= 6; ++block) {
        for (int month = 1; month <= 12; ++month) {
            if (block == 6 && month > today.month())
                break;
            const int period = (block - 1) * 12 + month;
            const QString key = Calendar::PeriodKey(today.year() + block - 6, month);
            if (!fetchPeriod(call, period, key, selection, extended, fresh))
                return Outcome::Failed;
            if (m_progress)
                m_progress(++done, total);
        }
    }
    totals = fresh;
    return Outcome::Fetched;
}

bool PeriodFetch::fetchPeriod(ServerCall &call, int period, const QString &key,
                              const SelectionModel &selection, const ExtendedSelection &extended,
                              PeriodTotals &fresh)
{
    const FetchSelection s = selection.fetchSelection();
    if (m_log)
        m_log(logPart, QStringLiteral("Datenabfrage Periode ") + key, logParameter(s));
    call.setOperation(QStringLiteral("Datenabfrage Periode ") + key);
    return call.run([&] {
        double revenue = 0.0;
        double margin = 0.0;
        if (!extended.active()) {
            const Row row = runQuery(
                QStringLiteral("KXUmsatz.Daten"), QStringLiteral("PeriodenSumme"),
                { s.company, key, s.hgrp, s.ugrp, s.pcnr, s.habt, s.abtnr, s.pg, s.hvart }, 2);
            revenue = row.c[0];
            margin = row.c[1];
        } else {
            const QString name = extended.discountView() == 1 ? QStringLiteral("PeriodenSkonto")
                                                              : QStringLiteral("PeriodenSumme");
            const QString type = extended.articleTypeCode();
            const QStringList types = type == QStringLiteral("A")
                ? QStringList { QStringLiteral("L"), QStringLiteral("B"), QStringLiteral("W") }
                : QStringList { type };
            double deductions = 0.0;
            for (const QString &t : types) {
                const QString params = parameterText(s, t, extended.shippingTypeCode());
                const Row row = runQuery(QStringLiteral("KXUmsatz.DatWH"), name,
                                         { s.company, key, params }, 4);
                revenue += row.c[0] + row.c[1];
                deductions += row.c[2] + row.c[3];
            }
            margin = revenue - deductions;
        }
        fresh.set(period, PeriodTotals::Revenue, revenue);
        fresh.set(period, PeriodTotals::Margin, margin);
    });
}

PeriodFetch::Row PeriodFetch::runQuery(const QString &className, const QString &queryName,
                                       const QStringList &args, int columns)
{
    ServerHandle rows(m_server, m_server.factory()->OpenQuery(className, queryName));
    Row row;
    rows->RunQuery(args);
    // A query without a row counts as zeros.
    if (rows->NextRow()) {
        for (int c = 0; c < columns; ++c)
            row.c[c] = NumberText::leadingNumber(rows->ColumnValue(c + 1));
    }
    rows.close();
    return row;
}

} // namespace ertragon
