#pragma once

#include "BreakdownTable.h"
#include "DataRebuild.h"
#include "DisplayState.h"
#include "ExtendedSelection.h"
#include "PeriodFetch.h"
#include "PeriodTotals.h"
#include "ReportBook.h"
#include "ReportData.h"
#include "ReportSource.h"
#include "SelectionModel.h"
#include "StartUp.h"
#include "ViewMemory.h"

#include <QObject>
#include <functional>

namespace ertragon {

class Clock;
class Prompter;
class ServerAccess;
struct ServerContext;

// A logged-in user's analysis and its one owner: the start-up with its checks, the
// user's rights (held by the selection), the selection and the extended selection, the
// display state, the fetched totals, the breakdown and the report data of the page.
// The main window, the print path, the report book and the batch tool all drive it; it
// tells them what changed by signals.
class AnalysisSession : public QObject, public ReportSource
{
    Q_OBJECT
public:
    AnalysisSession(ServerAccess &server, Prompter &prompter, const Clock &clock,
                    QObject *parent = nullptr);
    ~AnalysisSession() override;

    // Start-up steps 1 to 18 with the login loop; false when the program must end.
    bool startUp(std::function<bool()> login);
    // After "&Login" in the running program: the start-up's checks for the new user and
    // the user's rules; the previous user's figures go. False when the new user may not
    // use the program (the previous user goes on).
    bool admitNewLogin();
    // The main window's close: the connection closes and the program ends.
    void end();

    // The steps of the start-up, for the splash and the main window to follow.
    StartUp &startUpSteps() { return m_startUp; }
    const ServerContext &login() const;
    const Clock &clock() const { return m_clock; }
    const AccessRights &rights() const { return m_selection.rights(); }
    SelectionModel &selection() { return m_selection; }
    const SelectionModel &selection() const { return m_selection; }
    ExtendedSelection &extended() { return m_extended; }
    const ExtendedSelection &extended() const { return m_extended; }
    const DisplayState &display() const { return m_display; }
    const PeriodTotals &totals() const { return m_totals; }
    BreakdownTable &breakdown() { return m_breakdown; }
    DataRebuild &rebuild() { return m_rebuild; }
    const ReportData &report() const override { return m_report; }

    // The display modes; each change redraws from the fetched totals, the server is not
    // asked. Values outside a mode's range are ignored.
    void setGraphMode(int mode);
    void toggleDbPercent();
    void setTableMode(int mode);
    void setYearKind(int kind);
    // "Legende und Zeilentitel" on or off: the page names its series and dashes them.
    void setSeriesLegend(bool on);
    // The display state of the batch tool's options, at once and without a redraw.
    void setDisplay(const DisplayState &display);
    // The period of the breakdown (optJahr): current year, previous year, three-year mean.
    void setDetailPeriod(int period);
    // Year or month values (optJahrMonat); month values have no three-year mean, so that
    // period becomes the current year.
    void setValueKind(int kind);

    // The view a user may get back at the next start: choices, split flags, display modes.
    ViewMemory::View view() const;
    // Restores a kept view as the user's own picks would: each code through its list and
    // the user's rules (an unknown or refused code ends the restore there), the display
    // modes as far as the user's rights allow. The zoom is the window's.
    void restoreView(const ViewMemory::View &view);
    // The options of a kept view that always come back: the details' period and year or
    // month values, and "Legende und Zeilentitel".
    void restoreDetails(const DisplayState &details);
    // "Auswahl zurücksetzen": every list back to its empty entry, as picking it would.
    void clearSelection();

    // "Erweiterte Auswahl" on and off.
    void openExtended();
    void closeExtended();

    // cmdÜbernehmen: fetches the period data and redraws; false when nothing was fetched.
    bool fetch();
    void fetchIfSelectionChanged() override;
    // Marks the breakdown stale when its periods are not those of the current options and
    // month (1..12) any more, and fresh again when they are.
    void checkBreakdownPeriods(int month);
    // The breakdown for the current choices; month is the month of month values (1..12).
    // False when there is none to show (refused, or a month out of range).
    bool refreshBreakdown(int month);
    // Zeichnen: the report data from the totals, then "report changed".
    void redraw() override;

    // The report book over the current choices: a selection of its own walks through the
    // units of the levels, the current choices on the other levels stay. Every page goes
    // to the sink (false there cancels the book).
    struct Book
    {
        ReportBook::Outcome outcome = ReportBook::Outcome::Failed;
        int planned = 0;
        QList<ReportBook::Unit> leftOut;
        qint64 fetchNanoseconds = 0;
    };
    Book makeBook(const QList<ReportBook::Level> &levels, const ReportBook::PageSink &sink);

Q_SIGNALS:
    // The page's data changed; whoever shows the page draws it.
    void reportChanged(const ertragon::ReportData &report);
    // The breakdown table holds a new table.
    void detailsChanged();
    // The display state changed (the menus' check marks follow it).
    void displayChanged();
    // A new user was admitted (at start-up or by "&Login"): rights and company may differ.
    void userChanged();
    // Periods fetched of all periods; the first with done 0 when a fetch starts.
    void progress(int done, int total);
    // A fetch or a breakdown runs.
    void busyChanged(bool busy);
    // A fetch or breakdown was refused before anything was asked of the server.
    void refused(const QString &reason);
    // A line of the program history.
    void logged(const QString &part, const QString &text, const QString &parameter);

private:
    // One display mode from 0 to last, then the redraw.
    void setMode(int DisplayState::*mode, int value, int last);

    ServerAccess &m_server;
    Prompter &m_prompter;
    const Clock &m_clock;
    SelectionModel m_selection;
    ExtendedSelection m_extended;
    DisplayState m_display;
    StartUp m_startUp;
    PeriodFetch m_fetch;
    DetailsBreakdown m_details;
    DataRebuild m_rebuild;
    PeriodTotals m_totals;
    BreakdownTable m_breakdown;
    ReportData m_report;
    bool m_fetching = false;
};

} // namespace ertragon
