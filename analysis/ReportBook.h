#pragma once

#include "DisplayState.h"
#include "PeriodTotals.h"
#include "ReportData.h"
#include "SelectionModel.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ertragon {

class Clock;
class ExtendedSelection;
class Prompter;
class ServerAccess;

// The monthly report book: one report page per unit of the chosen levels,
// nested in the order given (every department inside every main department),
// each page the one the window draws for that selection, under the user's
// rights (the selection's). Works through the selection model like a user
// choosing each unit.
class ReportBook
{
public:
    enum class Level { ProfitCentre, MainDepartment, Department, MainGroup };
    // "pc", "habt", "abt", "hg".
    static std::optional<Level> levelFromWord(const QString &word);
    // The label of the selection panel: "PC", "HABT", "ABT", "HG".
    static QString levelLabel(Level level);
    // The selection list whose units a level walks.
    static SelectionModel::List listOf(Level level);

    struct Unit
    {
        Level level;
        int depth = 0; // 0 for the first level
        QString code;
        QString name;
        QStringList path; // the codes of the units above and this one's, level by level
        // "ABT M3 Gartengeräte"
        QString title() const;
    };

    struct Page
    {
        Unit unit;
        PeriodTotals totals;
        ReportData data;
    };

    ReportBook(ServerAccess &server, Prompter &prompter, const Clock &clock,
               SelectionModel &selection, const ExtendedSelection &extended,
               const DisplayState &display);

    // The units of the levels this user may choose, in book order. Levels may
    // not repeat.
    QList<Unit> plan(const QList<Level> &levels);

    enum class Outcome { Done, Cancelled, Failed };
    // Called for every page with its position (from 1) among the planned units;
    // false cancels the book.
    using PageSink = std::function<bool(const Page &page, int position, int count)>;
    // Fetches and derives the pages. A unit without any figure in the six years
    // is not handed on; it is listed in leftOut().
    Outcome run(const QList<Unit> &units, const PageSink &sink);
    const QList<Unit> &leftOut() const { return m_leftOut; }
    // Time spent choosing the units and fetching their figures during the last run.
    qint64 fetchNanoseconds() const { return m_fetchNs; }

private:
    void planLevel(const QList<Level> &levels, int depth, const QStringList &above,
                   QList<Unit> &units);
    bool select(const QList<Level> &levels, const QStringList &path);
    bool mayFetch(const Unit &unit) const;
    // The paths (codes joined level by level, every prefix too) of the units that have
    // any figure in the six years, asked of the server at once; nothing when it could
    // not answer, so that every unit is fetched.
    std::optional<QSet<QString>> unitsWithFigures();

    ServerAccess &m_server;
    Prompter &m_prompter;
    const Clock &m_clock;
    SelectionModel &m_selection;
    const ExtendedSelection &m_extended;
    const DisplayState &m_display;
    QList<Level> m_levels;
    QList<Unit> m_leftOut;
    qint64 m_fetchNs = 0;
};

} // namespace ertragon
