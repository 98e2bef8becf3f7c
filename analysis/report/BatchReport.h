#pragma once

#include "BatchOptions.h"

#include <QTextStream>

namespace ertragon::report {

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
    BatchOptions m_options;
    QTextStream &m_errors;
};

} // namespace ertragon::report
