#pragma once

#include "ReportBook.h"

#include <QString>
#include <functional>

namespace ertragon {

class Clock;
class FMStart;
class Prompter;
class ServerAccess;

// The report book of the running program: the window's selection, display and
// extended selection as the base, a selection of its own that walks through
// the units, and the PDF written whole or not at all.
class WindowBook
{
public:
    WindowBook(ServerAccess &server, Prompter &prompter, const Clock &clock, FMStart &window);

    struct Result
    {
        enum Kind { Written, Cancelled, Empty, Failed } kind = Failed;
        int pages = 0;
        QList<ReportBook::Unit> leftOut;
        QString error;
    };
    // After every page: its position and the number of units; false cancels.
    using Progress = std::function<bool(int position, int count, const QString &title)>;

    Result make(const QList<ReportBook::Level> &levels, const QString &path,
                const Progress &progress);

private:
    static QList<SelectionModel::List> walkedLists(const QList<ReportBook::Level> &levels);

    ServerAccess &m_server;
    Prompter &m_prompter;
    const Clock &m_clock;
    FMStart &m_window;
};

} // namespace ertragon
