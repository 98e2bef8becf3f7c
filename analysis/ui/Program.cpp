#include "Program.h"

#include "AnalysisSession.h"
#include "BookDialog.h"
#include "BusyCursor.h"
#include "Clock.h"
#include "ConnectStatusWindow.h"
#include "CreateFactory.h"
#include "ExportActions.h"
#include "FMServer.h"
#include "FMStart.h"
#include "LoginController.h"
#include "LoginWindows.h"
#include "MessageBoxPrompter.h"
#include "PageSetupDialog.h"
#include "PageTableAccessible.h"
#include "PreviewSurface.h"
#include "PrintController.h"
#include "PrinterDialog.h"
#include "ProgramHistory.h"
#include "ProgramIcon.h"
#include "PumpingWaiter.h"
#include "ReportPage.h"
#include "ServerAccess.h"
#include "ServerSession.h"
#include "ViewKeeper.h"
#include "WindowBook.h"
#include "ZoomComboBinding.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>
#include <kordex/Factory.h>

namespace ertragon {

namespace {

// The waits of the connect retry always run by the real clock, even when a test fixes the date.
class RealTimeWaiter final : public Waiter
{
public:
    int waitHundredths(int n) override { return m_waiter.waitHundredths(n); }

private:
    SystemClock m_clock;
    PumpingWaiter m_waiter { m_clock };
};

// The server layer's waiter: the platform's waits, and the windows' events let run
// between server calls, whichever waits a test gives.
class WindowsWaiter final : public Waiter
{
public:
    explicit WindowsWaiter(Waiter &waits)
        : m_waits(waits)
    {
    }
    int waitHundredths(int n) override { return m_waits.waitHundredths(n); }
    void pumpEvents() override { PumpingWaiter::pump(); }

private:
    Waiter &m_waits;
};

} // namespace

bool Program::installGermanQtTexts()
{
    static QTranslator *installed = nullptr;
    if (installed)
        return true;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

Program::Program(const QStringList &arguments, ProgramPlatform platform)
    : m_platform(std::move(platform))
{
    if (!installGermanQtTexts())
        qWarning("Ertragon: Qt's German texts (qtbase_de) are missing; Qt's dialogs stay English");
    QApplication::setWindowIcon(ProgramIcon::icon());
    if (!m_platform.clock) {
        m_ownClock = std::make_unique<SystemClock>();
        m_platform.clock = m_ownClock.get();
    }
    if (!m_platform.waiter) {
        m_ownWaiter = std::make_unique<RealTimeWaiter>();
        m_platform.waiter = m_ownWaiter.get();
    }
    if (!m_platform.prompter) {
        m_ownPrompter = std::make_unique<MessageBoxPrompter>();
        m_platform.prompter = m_ownPrompter.get();
    }
    m_serverWaiter = std::make_unique<WindowsWaiter>(*m_platform.waiter);
    m_session = std::make_unique<ServerSession>(&kordex::createFactory, *m_platform.prompter,
                                                *m_serverWaiter, QString(), arguments);
    m_loginWindows = std::make_unique<LoginWindows>(m_session->login(), m_session->access());
    m_history = std::make_unique<ProgramHistory>(m_session->history());
    m_analysis = std::make_unique<AnalysisSession>(m_session->access(), *m_platform.prompter,
                                                   *m_platform.clock);
    m_window = std::make_unique<FMStart>(*m_analysis, *m_platform.prompter);
    if (!m_platform.printerDialog) {
        m_ownPrinterDialog = std::make_unique<report::QtPrinterDialog>(m_window.get());
        m_platform.printerDialog = m_ownPrinterDialog.get();
    }
    if (!m_platform.pageSetupDialog) {
        m_ownPageSetupDialog = std::make_unique<report::QtPageSetupDialog>(m_window.get());
        m_platform.pageSetupDialog = m_ownPageSetupDialog.get();
    }
    wireServerLayer();
    wireReport();
}

Program::~Program()
{
    // The window goes before the session its parts refer to.
    m_printing.reset();
    m_window.reset();
    m_analysis.reset();
    m_connectStatus.reset();
    m_history.reset();
    m_loginWindows.reset();
}

void Program::wireServerLayer()
{
    ServerSession &session = *m_session;
    HistoryLog &log = session.history();
    QObject::connect(m_analysis.get(), &AnalysisSession::logged, m_analysis.get(),
                     [&log](const QString &part, const QString &text, const QString &param) {
                         log.AddLogEntry(part, text, param);
                     });
    FMStart *window = m_window.get();
    ProgramHistory *history = m_history.get();
    QObject::connect(window, &FMStart::historyWanted, window,
                     [history, window] { history->showWindow(window); });
    LoginWindows *loginWindows = m_loginWindows.get();
    loginWindows->setMainWindow(window);
    QObject::connect(window, &FMStart::loginWanted, window,
                     [loginWindows] { loginWindows->showLoginDialog(); });
    AnalysisSession *analysis = m_analysis.get();
    session.login().setAdmission([analysis] { return analysis->admitNewLogin(); });
    ServerAccess &access = session.access();
    QObject::connect(&access, &ServerAccess::programEnding, window, [this] { shutdown(); });
    QObject::connect(&access, &ServerAccess::connectStatus, window,
                     [this](const QString &text) { showConnectStatus(text); });
    QObject::connect(&access, &ServerAccess::busyChanged, new BusyCursor(window),
                     &BusyCursor::setBusy);
    FMServer *settings = loginWindows->server();
    if (settings && m_platform.chooseOpenFile)
        settings->setStoreChooser(m_platform.chooseOpenFile);
}

void Program::wireReport()
{
    // The report page on the preview surface VSPrinter1, drawn whenever the report changes.
    // A screen reader finds the page's value table as a table.
    QAccessible::installFactory(&report::PageTableAccessible::create);
    m_surface = new report::PreviewSurface;
    m_window->setPreview(m_surface);
    report::PreviewSurface *surface = m_surface;
    AnalysisSession *analysis = m_analysis.get();
    QObject::connect(
        analysis, &AnalysisSession::reportChanged, surface, [surface](const ReportData &data) {
            report::ReportPage::draw(*surface, data);
            surface->setHitMap(report::PageHitMap(data));
            report::PageTableAccessible::publish(surface, report::ReportPage::content(data));
        });
    FMStart *window = m_window.get();
    // A month, point, cell or series label of the page opens its breakdown.
    QObject::connect(surface, &report::PreviewSurface::breakdownWanted, window,
                     [window](const report::BreakdownChoice &choice) {
                         window->openBreakdown(choice.valueKind, choice.detailPeriod, choice.month);
                     });
    report::ZoomComboBinding::setUpCombo(window->zoomCombo());
    auto *zoom = new report::ZoomComboBinding(window->zoomCombo(), surface, window);
    QObject::connect(zoom, &report::ZoomComboBinding::redrawWanted, analysis,
                     &AnalysisSession::redraw);

    Prompter &prompter = *m_platform.prompter;
    m_printing = std::make_unique<report::PrintController>(*surface, *m_platform.printerDialog,
                                                           *analysis, prompter);
    report::PrintController *printing = m_printing.get();
    QObject::connect(window, &FMStart::printWanted, window, [printing] { printing->print(); });
    report::PageSetupDialog *pageSetup = m_platform.pageSetupDialog;
    QObject::connect(window, &FMStart::printerSetupWanted, window,
                     [printing, pageSetup] { printing->setUpPage(*pageSetup); });

    m_viewKeeper = new ViewKeeper(*analysis, *window, *surface);
    m_exports = new report::ExportActions(*printing, prompter, window);
    m_exports->setMemory(&m_viewKeeper->memory());
    m_exports->setBreakdown(&analysis->breakdown(), BreakdownTable::PlainTextRole,
                            BreakdownTable::SortRole);
    if (m_platform.chooseSaveFile)
        m_exports->setFileChooser(m_platform.chooseSaveFile);
    if (m_platform.chooseDpi)
        m_exports->setDpiChooser(m_platform.chooseDpi);
    m_exports->install(window->fileMenu(), window->printAction());

    auto *book = new QAction(QStringLiteral("Berichts&mappe..."), window);
    book->setObjectName(QStringLiteral("mBerichtsmappe"));
    const QList<QAction *> fileActions = window->fileMenu()->actions();
    const qsizetype afterCsv = fileActions.indexOf(m_exports->xlsxAction()) + 1;
    window->fileMenu()->insertAction(fileActions.value(afterCsv), book);
    QObject::connect(book, &QAction::triggered, window, [this] { openBook(); });
}

void Program::openBook()
{
    WindowBook book(*m_analysis);
    BookDialog dialog(book, *m_platform.prompter, m_window.get());
    dialog.setMemory(&m_viewKeeper->memory());
    if (const auto choose = m_platform.chooseSaveFile) {
        dialog.setFileChooser([choose](const QString &caption, const QString &filter) {
            return choose(caption, filter, QString());
        });
    }
    dialog.exec();
}

void Program::showConnectStatus(const QString &text)
{
    // While the connection is retried a small window says against which store
    // which attempt failed and why; it goes when the retry is over.
    if (text.isEmpty()) {
        if (m_connectStatus)
            m_connectStatus->hide();
        return;
    }
    if (!m_connectStatus) {
        m_connectStatus = std::make_unique<ConnectStatusWindow>();
    }
    m_connectStatus->show();
    m_connectStatus->raise();
    m_connectStatus->setStatus(text);
}

void Program::shutdown()
{
    if (!m_ended && m_viewKeeper)
        m_viewKeeper->keep();
    m_ended = true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if ((*it)->isVisible())
            (*it)->hide();
    }
    // Before the event loop runs, start() reports the end instead.
    if (m_inEventLoop)
        QCoreApplication::quit();
}

bool Program::start()
{
    ServerSession &session = *m_session;
    const bool running = m_analysis->startUp([&session] { return session.runStartupLogin(); });
    return running && !m_ended;
}

void Program::show()
{
    m_window->show();
    m_analysis->redraw();
}

int Program::run()
{
    if (!start())
        return 0;
    show();
    QObject::connect(qApp, &QApplication::lastWindowClosed, qApp, &QApplication::quit);
    m_inEventLoop = true;
    const int status = QApplication::exec();
    m_inEventLoop = false;
    return status;
}

} // namespace ertragon
