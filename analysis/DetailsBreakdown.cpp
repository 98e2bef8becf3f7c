#include "DetailsBreakdown.h"

#include "Calendar.h"
#include "DisplayState.h"
#include "Prompter.h"
#include "QueryBatch.h"
#include "ServerAccess.h"
#include "ServerCall.h"

#include <cmath>
#include <kordex/ServerError.h>

namespace ertragon {

namespace {

// Query argument positions: company, from, to, HGRP, UGRP, PCNR, HABT, ABTNR, PG, HVART.
enum Arg { Company, From, To, Hgrp, Ugrp, Pcnr, Habt, Abtnr, Pg, Hvart };

QString key(int year, const char *month)
{
    return QString::number(year - 1900) + QLatin1String(month);
}

const QList<SelectionEntry> &entriesOf(const SelectionModel &selection, SelectionModel::List list)
{
    return selection.list(list).entries();
}

} // namespace

DetailsBreakdown::DetailsBreakdown(ServerAccess &server, Prompter &prompter)
    : m_server(server)
    , m_prompter(prompter)
{
}

DetailsBreakdown::Range DetailsBreakdown::range(int valueKind, int detailPeriod, int yearKind,
                                                const QDate &today, int month)
{
    const int y = today.year();
    if (valueKind == 1) {
        const int year = detailPeriod == 1 ? y - 1 : y;
        return { Calendar::PeriodKey(year, month), Calendar::PeriodKey(year, month), 1 };
    }
    const bool business = yearKind == DisplayState::BusinessYear;
    const char *first = business ? "03" : "01";
    const char *last = business ? "02" : "12";
    const int shift = business ? 1 : 0; // a business year ends in the next calendar year
    if (detailPeriod == 2)
        return { key(y - 4, first), key(y - 2 + shift, last), 3 };
    const int year = detailPeriod == 1 ? y - 1 : y;
    return { key(year, first), key(year + shift, last), 1 };
}

QStringList DetailsBreakdown::headings(int splitFlags)
{
    QStringList h { QStringLiteral("Grp") };
    QString pair;
    if (splitFlags == 1)
        return h << QStringLiteral("Umsatz") << QStringLiteral("DB");
    if (splitFlags == 2 || splitFlags == 3)
        pair = QStringLiteral("PG");
    else if (splitFlags == 8 || splitFlags == 9)
        pair = QStringLiteral("LS");
    for (const QChar c : pair)
        h << c + QStringLiteral(" Umsatz") << c + QStringLiteral(" DB");
    return h;
}

DetailsBreakdown::Rows DetailsBreakdown::chooseRows(const SelectionModel &selection,
                                                    const FetchSelection &s)
{
    if (s.pcnr.isEmpty() && s.habt.isEmpty() && s.abtnr.isEmpty() && s.hgrp.isEmpty()) {
        // A restricted user chooses no profit centre, so is not asked: main departments.
        const bool byProfitCentre = !selection.rights().restricted
            && m_prompter.confirm(
                QStringLiteral("Aufteilung nach Profitcenter oder Hauptabteilung"),
                QStringLiteral(
                    "Wollen Sie nach Profitcenter aufteilen? (JA)\r\nOder wollen Sie nach "
                    "Hauptabteilungen aufteilen? (NEIN)"));
        if (byProfitCentre)
            return { entriesOf(selection, SelectionModel::SPCNR), Pcnr, SelectionModel::SPCNR };
        return { entriesOf(selection, SelectionModel::SHABT), Habt, SelectionModel::SHABT };
    }
    if (!s.pcnr.isEmpty() || (!s.habt.isEmpty() && s.hgrp.isEmpty()))
        return { entriesOf(selection, SelectionModel::SABTNR), Abtnr, SelectionModel::SABTNR };
    if (!s.abtnr.isEmpty() && s.hgrp.isEmpty())
        return { entriesOf(selection, SelectionModel::SHGRP), Hgrp, SelectionModel::SHGRP };
    if (s.ugrp.isEmpty())
        return { entriesOf(selection, SelectionModel::SUGRP), Ugrp, SelectionModel::SUGRP };
    return { { SelectionEntry {} }, -1 };
}

std::optional<DetailsBreakdown::Table> DetailsBreakdown::run(const SelectionModel &selection,
                                                             const DisplayState &display,
                                                             const QDate &today, int month)
{
    m_refusal.clear();
    if (selection.rights().departmentBound && !selection.abteilungSelektiert()) {
        m_refusal = QStringLiteral("Sie Müssen eine Abteilung auswählen!");
        m_prompter.inform(Prompter::Icon::Information, QStringLiteral("Abteilungsauswahl!"),
                          m_refusal);
        return std::nullopt;
    }
    if (selection.holdsRefusedChoice()) {
        m_refusal = QStringLiteral("Sie dürfen nur Ihre eigene Abteilung selektieren.");
        return std::nullopt;
    }
    const Range r = range(display.valueKind, display.detailPeriod, display.yearKind, today, month);
    Table table;
    table.range = r;
    const int flags = selection.splitFlags();
    table.headings = headings(flags);
    QStringList pair;
    int pairArgument = -1;
    if (flags == 2 || flags == 3) {
        pair = { QStringLiteral("P"), QStringLiteral("G") };
        pairArgument = Pg;
    } else if (flags == 8 || flags == 9) {
        pair = { QStringLiteral("L"), QStringLiteral("S") };
        pairArgument = Hvart;
    } else if (flags != 1) {
        return table;
    }

    const FetchSelection s = selection.fetchSelection();
    const QStringList base { s.company, r.from, r.to,    s.hgrp, s.ugrp,
                             s.pcnr,    s.habt, s.abtnr, s.pg,   s.hvart };
    const Rows rows = chooseRows(selection, s);
    ServerCall call(m_server, QStringLiteral("Aufteilung"));
    if (!call.connected())
        return table;
    call.setOperation(QStringLiteral("Aufteilung ") + r.from + QLatin1Char(' ') + r.to);
    // Every query of the table goes to the server as one batch.
    const QStringList groups = pair.isEmpty() ? QStringList { QString() } : pair;
    QList<const SelectionEntry *> units;
    QList<QStringList> argumentSets;
    for (const SelectionEntry &entry : rows.entries) {
        const QString &code = entry.code;
        // A unit the user may not choose is not shown as a row either.
        if (rows.list >= 0 && !selection.unitAllowed(SelectionModel::List(rows.list), code))
            continue;
        units << &entry;
        QStringList args = base;
        if (rows.argument >= 0)
            args[rows.argument] = code;
        for (const QString &group : groups) {
            if (pairArgument >= 0)
                args[pairArgument] = group;
            argumentSets << args;
        }
    }
    QueryBatch batch(m_server, QStringLiteral("KXUmsatz.Daten"),
                     QStringLiteral("PeriodenSummeAufteilung"), argumentSets);
    table.failed = !call.run([&] {
        for (const SelectionEntry *unit : std::as_const(units)) {
            Row row { unit->code, {}, unit->name };
            double revenue = 0.0;
            for (qsizetype g = 0; g < groups.size(); ++g) {
                const QList<double> answer = batch.next(2);
                // Rounded half to even (the default rounding mode).
                const double rev = std::nearbyint(answer[0] / r.divisor);
                const double db = std::nearbyint(answer[1] / r.divisor);
                revenue += rev;
                row.values << rev << db;
            }
            if (revenue != 0.0)
                table.rows << row;
        }
        batch.close();
    });
    return table;
}

} // namespace ertragon
