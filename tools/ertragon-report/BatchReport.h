#pragma once

#include "BatchOptions.h"
#include "DetailsBreakdown.h"
#include "ReportBook.h"

#include <QTextStream>

namespace ertragon {
class BreakdownTable;
class SelectionModel;
class ServerAccess;
struct DisplayState;
class PeriodTotals;
struct ReportData;
} // namespace ertragon

namespace ertragon::report {

class BookFiles;

// One run of the batch report tool: log in, apply the selection, fetch,
// derive, draw the page and write the requested files. Messages and errors go
// to the error stream; the result is the process exit status.
class BatchReport
{
public:
    enum ExitCode {
        Success = 0,
        UsageError = 1,
        LoginFailed = 2,
        SelectionRefused = 3,
        FetchFailed = 4,
        WriteFailed = 5
    };

    // What the last book took, for the diagnostics and the benchmark.
    struct BookFigures
    {
        int units = 0; // planned, before units without figures were left out
        int pages = 0;
        qint64 pagesNanoseconds = 0; // fetching and drawing every page
        qint64 fetchNanoseconds = 0;
        qint64 writeNanoseconds = 0; // finishing and writing the files
    };

    BatchReport(const BatchOptions &options, QTextStream &errors);
    int run();
    const BookFigures &bookFigures() const { return m_bookFigures; }

private:
    // The breakdown table of the details frame, the row question answered by --rows.
    int fetchDetails(ServerAccess &access, const SelectionModel &selection,
                     const DisplayState &display, const QDate &today, BreakdownTable &table);
    bool writePage(const PeriodTotals &totals, const ReportData &data);
    // Every page of the book into the files, progress on a terminal, the units
    // left out named; gives the exit status.
    int makeBook(ReportBook &reportBook, BookFiles &files);
    // Reports a failed write on the error stream; gives ok.
    bool check(bool ok, const QString &path, const QString &error);

    BatchOptions m_options;
    QTextStream &m_errors;
    BookFigures m_bookFigures;
};

} // namespace ertragon::report
