#pragma once

#include "BatchOptions.h"
#include "DetailsBreakdown.h"
#include "ReportBook.h"

#include <QTextStream>

namespace ertragon {
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

    BatchReport(const BatchOptions &options, QTextStream &errors);
    int run();

private:
    // The breakdown table of the details frame, the row question answered by --rows.
    int fetchDetails(ServerAccess &access, const SelectionModel &selection,
                     const DisplayState &display, bool departmentBound, const QDate &today,
                     DetailsBreakdown::Table &table);
    bool writePage(const PeriodTotals &totals, const ReportData &data);
    // Every page of the book into the files, progress on a terminal, the units
    // left out named; gives the exit status.
    int makeBook(ReportBook &reportBook, BookFiles &files);
    // Reports a failed write on the error stream; gives ok.
    bool check(bool ok, const QString &path, const QString &error);

    BatchOptions m_options;
    QTextStream &m_errors;
};

} // namespace ertragon::report
