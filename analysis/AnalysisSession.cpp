#include "AnalysisSession.h"

#include "BuildReportData.h"
#include "Clock.h"
#include "Prompter.h"
#include "ServerAccess.h"

namespace ertragon {

namespace {

QList<SelectionModel::List> walkedLists(const QList<ReportBook::Level> &levels)
{
    QList<SelectionModel::List> walked;
    for (const ReportBook::Level level : levels)
        walked << ReportBook::listOf(level);
    return walked;
}

} // namespace

AnalysisSession::AnalysisSession(ServerAccess &server, Prompter &prompter, const Clock &clock,
                                 QObject *parent)
    : QObject(parent)
    , m_server(server)
    , m_prompter(prompter)
    , m_clock(clock)
    , m_selection(server, prompter)
    , m_startUp(server, prompter, clock, m_selection, m_display)
    , m_fetch(server, prompter, clock)
    , m_details(server, prompter)
    , m_rebuild(server, clock)
{
    m_display.tableMode = DisplayState::PercentOfMean;
    const auto log = [this](const QString &part, const QString &text, const QString &parameter) {
        Q_EMIT logged(part, text, parameter);
    };
    m_fetch.setLogger(log);
    m_rebuild.setLogger(log);
    m_fetch.setProgress([this](int done, int total) { Q_EMIT progress(done, total); });
}

AnalysisSession::~AnalysisSession() = default;

const ServerContext &AnalysisSession::login() const
{
    return m_server.context();
}

bool AnalysisSession::startUp(std::function<bool()> login)
{
    m_startUp.setLogin(std::move(login));
    const bool running = m_startUp.run();
    Q_EMIT userChanged();
    return running;
}

bool AnalysisSession::admitNewLogin()
{
    if (!m_startUp.admitNewLogin())
        return false;
    closeExtended();
    m_totals.clear();
    m_breakdown.clear();
    Q_EMIT userChanged();
    Q_EMIT detailsChanged();
    redraw();
    return true;
}

void AnalysisSession::end()
{
    m_server.Disconnect();
    m_server.ShutdownProgram();
}

// --- display ---------------------------------------------------------------

void AnalysisSession::setMode(int DisplayState::*mode, int value, int last)
{
    if (value < 0 || value > last)
        return;
    m_display.*mode = value;
    Q_EMIT displayChanged();
    redraw();
}

void AnalysisSession::setGraphMode(int mode)
{
    setMode(&DisplayState::graphMode, mode, DisplayState::Absolute);
}

void AnalysisSession::toggleDbPercent()
{
    m_display.dbPercent = !m_display.dbPercent;
    Q_EMIT displayChanged();
    redraw();
}

void AnalysisSession::setSeriesLegend(bool on)
{
    if (m_display.seriesLegend == on)
        return;
    m_display.seriesLegend = on;
    Q_EMIT displayChanged();
    redraw();
}

void AnalysisSession::setTableMode(int mode)
{
    setMode(&DisplayState::tableMode, mode, DisplayState::GraphValuesTable);
}

void AnalysisSession::setYearKind(int kind)
{
    setMode(&DisplayState::yearKind, kind, DisplayState::BusinessYear);
}

void AnalysisSession::setDisplay(const DisplayState &display)
{
    m_display = display;
    Q_EMIT displayChanged();
}

ViewMemory::View AnalysisSession::view() const
{
    ViewMemory::View view;
    for (int i = 0; i < SelectionModel::ListCount; ++i)
        view.codes << m_selection.code(SelectionModel::List(i));
    view.splitFlags = m_selection.splitFlags();
    view.display = m_display;
    return view;
}

void AnalysisSession::restoreView(const ViewMemory::View &view)
{
    for (int i = 0; i < SelectionModel::ListCount && i < view.codes.size(); ++i) {
        const QString &code = view.codes.at(i);
        if (!code.isEmpty()
            && m_selection.chooseCode(SelectionModel::List(i), code)
                != SelectionModel::Choice::Chosen)
            break;
    }
    m_selection.setSplitFlags(view.splitFlags);
    const bool restricted = m_selection.rights().restricted;
    const DisplayState &kept = view.display;
    // The modes a restricted user may not choose stay as start-up set them.
    if (!(restricted && kept.graphMode == DisplayState::LastQuarter))
        m_display.graphMode = kept.graphMode;
    if (!(restricted && kept.tableMode == DisplayState::PercentOfPrevious))
        m_display.tableMode = kept.tableMode;
    m_display.dbPercent = kept.dbPercent;
    m_display.yearKind = kept.yearKind;
    restoreDetails(kept);
}

void AnalysisSession::restoreDetails(const DisplayState &details)
{
    m_display.valueKind = details.valueKind;
    m_display.detailPeriod = details.detailPeriod;
    m_display.seriesLegend = details.seriesLegend;
    Q_EMIT displayChanged();
    redraw();
}

void AnalysisSession::clearSelection()
{
    for (int i = 0; i < SelectionModel::ListCount; ++i) {
        const auto list = SelectionModel::List(i);
        if (m_selection.currentIndex(list) > 0)
            m_selection.choose(list, 0);
    }
}

void AnalysisSession::setDetailPeriod(int period)
{
    m_display.detailPeriod = period;
}

void AnalysisSession::setValueKind(int kind)
{
    if (kind == 1 && m_display.detailPeriod == 2)
        m_display.detailPeriod = 0;
    m_display.valueKind = kind;
}

// --- extended selection ----------------------------------------------------

void AnalysisSession::openExtended()
{
    m_extended.open(m_server, m_selection.fetchSelection().company,
                    m_selection.code(SelectionModel::SHVArt));
}

void AnalysisSession::closeExtended()
{
    m_extended.close();
}

// --- fetch, breakdown, page ------------------------------------------------

bool AnalysisSession::fetch()
{
    if (m_fetching)
        return false;
    m_fetching = true;
    Q_EMIT busyChanged(true);
    Q_EMIT progress(0, PeriodFetch::periodCount(m_clock.now().date()));
    const PeriodFetch::Outcome outcome = m_fetch.run(m_selection, m_extended, m_totals);
    m_fetching = false;
    Q_EMIT busyChanged(false);
    if (outcome == PeriodFetch::Outcome::Refused)
        Q_EMIT refused(m_fetch.refusal());
    if (outcome != PeriodFetch::Outcome::Fetched)
        return false;
    redraw();
    return true;
}

void AnalysisSession::fetchIfSelectionChanged()
{
    if (m_selection.selectionChanged())
        fetch();
}

void AnalysisSession::checkBreakdownPeriods(int month)
{
    m_breakdown.checkRange(DetailsBreakdown::range(m_display.valueKind, m_display.detailPeriod,
                                                   m_display.yearKind, m_clock.now().date(),
                                                   month));
}

bool AnalysisSession::refreshBreakdown(int month)
{
    if (m_display.valueKind == 1 && (month < 1 || month > 12)) {
        const QString reason = QStringLiteral("Bitte einen Monat von 1 bis 12 eingeben.");
        m_prompter.inform(Prompter::Icon::Warning, QStringLiteral("Fehlermeldung"), reason);
        Q_EMIT refused(reason);
        return false;
    }
    Q_EMIT busyChanged(true);
    const auto table = m_details.run(m_selection, m_display, m_clock.now().date(), month);
    Q_EMIT busyChanged(false);
    if (!table) {
        Q_EMIT refused(m_details.refusal());
        return false;
    }
    m_breakdown.setTable(*table);
    Q_EMIT detailsChanged();
    return !table->failed;
}

void AnalysisSession::redraw()
{
    m_report = buildReportData(m_totals, m_display, m_selection, m_extended, m_server.context(),
                               m_clock.now());
    Q_EMIT reportChanged(m_report);
}

// --- report book -----------------------------------------------------------

AnalysisSession::Book AnalysisSession::makeBook(const QList<ReportBook::Level> &levels,
                                                const ReportBook::PageSink &sink)
{
    const ServerContext &user = m_server.context();
    SelectionModel walk(m_server, m_prompter);
    walk.setUser(user.department, user.mainDepartment, rights());
    walk.setFirma(m_selection.firma());
    walk.fillMainGroups();
    walk.fillDepartments();
    walk.fillProfitCentres();
    walk.fillMainDepartments();
    walk.fillFixedLists();
    walk.takeChoices(m_selection, walkedLists(levels));

    ReportBook book(m_server, m_prompter, m_clock, walk, m_extended, m_display);
    const QList<ReportBook::Unit> units = book.plan(levels);
    Book made;
    made.planned = int(units.size());
    made.outcome = book.run(units, sink);
    made.leftOut = book.leftOut();
    made.fetchNanoseconds = book.fetchNanoseconds();
    return made;
}

} // namespace ertragon
