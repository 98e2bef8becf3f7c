#pragma once

#include "ReportBook.h"

#include <QString>
#include <functional>

namespace ertragon {

class AnalysisSession;

// The report book of the running program: the analysis's choices as the base, its
// pages drawn and the PDF written whole or not at all.
class WindowBook
{
public:
    explicit WindowBook(AnalysisSession &analysis);

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
    AnalysisSession &m_analysis;
};

} // namespace ertragon
