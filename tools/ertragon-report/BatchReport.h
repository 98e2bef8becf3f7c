#pragma once

#include "BatchOptions.h"
#include "Prompter.h"

#include <QTextStream>

namespace ertragon {
class AnalysisSession;
class PeriodTotals;
struct ReportData;
} // namespace ertragon

namespace ertragon::report {

class BookFiles;

// One run of the batch report tool: log in, apply the options to the user's
// analysis, let it fetch and derive, and write the requested files. Messages and
// errors go to the error stream; the result is the process exit status.
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
    void writeLoginSettings(const QString &path) const;
    // The selection options, in the order of the cascade; gives the exit status.
    int choose(AnalysisSession &analysis);
    int chooseExtended(AnalysisSession &analysis);
    void setDisplay(AnalysisSession &analysis) const;
    // Every server call before any file is written; gives the exit status.
    int fetchAll(AnalysisSession &analysis, BookFiles *book);
    int fetchPage(AnalysisSession &analysis);
    // The breakdown table of the details frame, the row question answered by --rows.
    int fetchDetails(AnalysisSession &analysis);
    // Every page of the book into the files, progress on a terminal, the units
    // left out named; gives the exit status.
    int makeBook(AnalysisSession &analysis, BookFiles &files);
    bool writeFiles(AnalysisSession &analysis, BookFiles *book);
    // --xlsx: the value table, and the breakdown with --details.
    bool writeWorkbook(AnalysisSession &analysis);
    bool writePage(const PeriodTotals &totals, const ReportData &data);
    // Reports a failed write on the error stream; gives ok.
    bool check(bool ok, const QString &path, const QString &error);
    // Where notes go: the error stream, or nowhere with --quiet.
    QTextStream &notes();

    BatchOptions m_options;
    QTextStream &m_errors;
    QString m_discardedText;
    QTextStream m_discarded;
    BookFigures m_bookFigures;
    // How a question is answered: "no" for the start-up (no rebuild), the --rows
    // choice for the breakdown's row question.
    Prompter::Answer m_questionAnswer = Prompter::Answer::No;
    bool m_refused = false; // the last fetch or breakdown was refused
};

} // namespace ertragon::report
