#include "ReportBook.h"

#include "BuildReportData.h"
#include "Calendar.h"
#include "Clock.h"
#include "PeriodFetch.h"
#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"

#include <QElapsedTimer>

namespace ertragon {

namespace {

bool hasFigures(const PeriodTotals &totals)
{
    for (int p = 1; p <= PeriodTotals::Periods; ++p) {
        if (totals.value(p, PeriodTotals::Revenue) != 0.0
            || totals.value(p, PeriodTotals::Margin) != 0.0)
            return true;
    }
    return false;
}

} // namespace

std::optional<ReportBook::Level> ReportBook::levelFromWord(const QString &word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("pc"))
        return Level::ProfitCentre;
    if (w == QLatin1String("habt"))
        return Level::MainDepartment;
    if (w == QLatin1String("abt"))
        return Level::Department;
    if (w == QLatin1String("hg"))
        return Level::MainGroup;
    return std::nullopt;
}

QString ReportBook::levelLabel(Level level)
{
    switch (level) {
    case Level::ProfitCentre:
        return QStringLiteral("PC");
    case Level::MainDepartment:
        return QStringLiteral("HABT");
    case Level::Department:
        return QStringLiteral("ABT");
    case Level::MainGroup:
        break;
    }
    return QStringLiteral("HG");
}

QString ReportBook::Unit::title() const
{
    return levelLabel(level) + QLatin1Char(' ') + code
        + (name.isEmpty() ? QString() : QLatin1Char(' ') + name);
}

SelectionModel::List ReportBook::listOf(Level level)
{
    switch (level) {
    case Level::ProfitCentre:
        return SelectionModel::SPCNR;
    case Level::MainDepartment:
        return SelectionModel::SHABT;
    case Level::Department:
        return SelectionModel::SABTNR;
    case Level::MainGroup:
        break;
    }
    return SelectionModel::SHGRP;
}

ReportBook::ReportBook(ServerAccess &server, Prompter &prompter, const Clock &clock,
                       SelectionModel &selection, const ExtendedSelection &extended,
                       const DisplayState &display)
    : m_server(server)
    , m_prompter(prompter)
    , m_clock(clock)
    , m_selection(selection)
    , m_extended(extended)
    , m_display(display)
{
}

QList<ReportBook::Unit> ReportBook::plan(const QList<Level> &levels)
{
    m_levels = levels;
    QList<Unit> units;
    if (!levels.isEmpty() && select(levels, {}))
        planLevel(levels, 0, {}, units);
    return units;
}

void ReportBook::planLevel(const QList<Level> &levels, int depth, const QStringList &above,
                           QList<Unit> &units)
{
    const Level level = levels.at(depth);
    const SelectionModel::List list = listOf(level);
    const QList<SelectionEntry> entries = m_selection.list(list).entries();
    for (const SelectionEntry &entry : entries) {
        // The empty entry is no unit; a unit the user may not choose is none either.
        if (entry.code.isEmpty() || !m_selection.unitAllowed(list, entry.code))
            continue;
        Unit unit { level, depth, entry.code, entry.name, above + QStringList { entry.code } };
        units.append(unit);
        if (depth + 1 < levels.size() && select(levels, unit.path))
            planLevel(levels, depth + 1, unit.path, units);
    }
}

bool ReportBook::select(const QList<Level> &levels, const QStringList &path)
{
    // Back to the empty items of the book's levels, top down, then the path's
    // units in order: each choice refills the lists below it, as in the window.
    for (const Level level : levels) {
        const SelectionModel::List list = listOf(level);
        if (m_selection.currentIndex(list) != 0 && m_selection.list(list).size() > 0)
            m_selection.choose(list, 0);
    }
    for (int i = 0; i < path.size(); ++i) {
        if (m_selection.chooseCode(listOf(levels.at(i)), path.at(i))
            != SelectionModel::Choice::Chosen)
            return false;
    }
    return true;
}

bool ReportBook::mayFetch(const Unit &unit) const
{
    // A department-bound user fetches only with a department chosen: a department, or a
    // main group inside one.
    if (!m_selection.rights().departmentBound || unit.level == Level::Department)
        return true;
    const qsizetype department = m_levels.indexOf(Level::Department);
    return unit.level == Level::MainGroup && department >= 0 && department < unit.depth;
}

std::optional<QSet<QString>> ReportBook::unitsWithFigures()
{
    static const QMap<Level, QString> column { { Level::ProfitCentre, QStringLiteral("pcnr") },
                                               { Level::MainDepartment, QStringLiteral("habt") },
                                               { Level::Department, QStringLiteral("abtnr") },
                                               { Level::MainGroup, QStringLiteral("hgrp") } };
    QStringList columns;
    for (const Level level : std::as_const(m_levels))
        columns.append(column.value(level));
    const QDate today = m_clock.now().date();
    const QStringList args { m_selection.fetchSelection().company,
                             Calendar::PeriodKey(today.year() - 5, 1),
                             Calendar::PeriodKey(today.year(), today.month()),
                             columns.join(QLatin1Char('`')) };
    QSet<QString> paths;
    ServerCall call(m_server, QStringLiteral("Einheiten mit Zahlen"));
    const bool answered = call.connected() && call.run([&] {
        ServerHandle rows(m_server,
                          call.factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                                   QStringLiteral("EinheitenMitZahlen")));
        rows->RunQuery(args);
        while (rows->NextRow()) {
            QStringList path;
            for (int c = 1; c <= columns.size(); ++c) {
                path.append(rows->ColumnValue(c));
                paths.insert(path.join(QChar(0x1F)));
            }
        }
    });
    return answered ? std::optional(paths) : std::nullopt;
}

ReportBook::Outcome ReportBook::run(const QList<Unit> &units, const PageSink &sink)
{
    m_leftOut.clear();
    m_fetchNs = 0;
    PeriodFetch fetch(m_server, m_prompter, m_clock);
    int position = 0;
    QElapsedTimer timer;
    timer.start();
    // One question first: units without any figure are not fetched at all.
    const std::optional<QSet<QString>> withFigures = unitsWithFigures();
    m_fetchNs += timer.nsecsElapsed();
    for (const Unit &unit : units) {
        ++position;
        if (!mayFetch(unit))
            continue;
        if (withFigures && !withFigures->contains(unit.path.join(QChar(0x1F)))) {
            m_leftOut.append(unit);
            continue;
        }
        timer.start();
        if (!select(m_levels, unit.path))
            return Outcome::Failed;
        Page page { unit, {}, {} };
        const PeriodFetch::Outcome fetched = fetch.run(m_selection, m_extended, page.totals);
        m_fetchNs += timer.nsecsElapsed();
        if (fetched != PeriodFetch::Outcome::Fetched)
            return Outcome::Failed;
        if (!hasFigures(page.totals)) {
            m_leftOut.append(unit);
            continue;
        }
        page.data = buildReportData(page.totals, m_display, m_selection, m_extended,
                                    m_server.context(), m_clock.now());
        if (!sink(page, position, int(units.size())))
            return Outcome::Cancelled;
    }
    return Outcome::Done;
}

} // namespace ertragon
