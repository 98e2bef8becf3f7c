#include "WindowBook.h"

#include "BookPdf.h"
#include "Clock.h"
#include "FMStart.h"
#include "RecordingSurface.h"
#include "ReportPage.h"
#include "ServerAccess.h"

namespace ertragon {

WindowBook::WindowBook(ServerAccess &server, Prompter &prompter, const Clock &clock,
                       FMStart &window)
    : m_server(server)
    , m_prompter(prompter)
    , m_clock(clock)
    , m_window(window)
{
}

QList<SelectionModel::List> WindowBook::walkedLists(const QList<ReportBook::Level> &levels)
{
    QList<SelectionModel::List> walked;
    for (const ReportBook::Level level : levels)
        walked << ReportBook::listOf(level);
    return walked;
}

WindowBook::Result WindowBook::make(const QList<ReportBook::Level> &levels, const QString &path,
                                    const Progress &progress)
{
    const ServerContext &login = m_server.context();
    SelectionModel selection(m_server, m_prompter);
    selection.setUser(login.department, login.mainDepartment, m_window.selection().rights());
    selection.setFirma(m_window.selection().firma());
    selection.fillMainGroups();
    selection.fillDepartments();
    selection.fillProfitCentres();
    selection.fillMainDepartments();
    selection.fillFixedLists();
    // The window's choices on the levels the book does not walk stay as they are.
    selection.takeChoices(m_window.selection(), walkedLists(levels));

    ReportBook book(m_server, m_prompter, m_clock, selection, m_window.extended(),
                    m_window.display());
    report::BookPdf pdf(
        { QStringLiteral("Ertragon Berichtsmappe"), login.fullName, m_clock.now() });
    Result result;
    const QList<ReportBook::Unit> units = book.plan(levels);
    const auto outcome = book.run(units, [&](const ReportBook::Page &page, int n, int count) {
        report::RecordingSurface surface;
        report::ReportPage::draw(surface, page.data);
        pdf.addPage(surface.document().pages.value(0), page.unit.title(), page.unit.depth);
        ++result.pages;
        return !progress || progress(n, count, page.unit.title());
    });
    result.leftOut = book.leftOut();
    if (outcome == ReportBook::Outcome::Cancelled) {
        result.kind = Result::Cancelled;
        return result;
    }
    if (outcome == ReportBook::Outcome::Failed) {
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
