#include "WindowBook.h"

#include "AnalysisSession.h"
#include "BookPdf.h"
#include "Clock.h"
#include "RecordingSurface.h"
#include "ReportPage.h"
#include "ServerContext.h"

namespace ertragon {

WindowBook::WindowBook(AnalysisSession &analysis)
    : m_analysis(analysis)
{
}

WindowBook::Result WindowBook::make(const QList<ReportBook::Level> &levels, const QString &path,
                                    const Progress &progress)
{
    report::BookPdf pdf({ QStringLiteral("Ertragon Berichtsmappe"), m_analysis.login().fullName,
                          m_analysis.clock().now() });
    Result result;
    const AnalysisSession::Book book
        = m_analysis.makeBook(levels, [&](const ReportBook::Page &page, int n, int count) {
              report::RecordingSurface surface;
              report::ReportPage::draw(surface, page.data);
              pdf.addPage(surface.document().pages.value(0), page.unit.title(), page.unit.depth);
              ++result.pages;
              return !progress || progress(n, count, page.unit.title());
          });
    result.leftOut = book.leftOut;
    if (book.outcome == ReportBook::Outcome::Cancelled) {
        result.kind = Result::Cancelled;
        return result;
    }
    if (book.outcome == ReportBook::Outcome::Failed) {
        result.error = QStringLiteral("Die Daten der Berichtsmappe konnten nicht geholt werden.");
        return result;
    }
    if (result.pages == 0) {
        result.kind = Result::Empty;
        return result;
    }
    result.kind = pdf.write(path, &result.error) ? Result::Written : Result::Failed;
    return result;
}

} // namespace ertragon
