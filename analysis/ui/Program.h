#pragma once

#include "ExportActions.h"

#include <QStringList>
#include <functional>
#include <memory>

class QTranslator;

namespace ertragon {

class AnalysisSession;
class Clock;
class FMStart;
class LoginWindows;
class ProgramHistory;
class Prompter;
class ServerSession;
class ConnectStatusWindow;
class ViewKeeper;
class Waiter;

namespace report {
class PageSetupDialog;
class PreviewSurface;
class PrintController;
class PrinterDialog;
class ZoomComboBinding;
} // namespace report

// The parts of the platform the program talks to that a test may replace: the
// clock, the waits and the platform's own dialogs. Each one left empty is the real one.
struct ProgramPlatform
{
    const Clock *clock = nullptr;
    Waiter *waiter = nullptr;
    Prompter *prompter = nullptr; // message boxes
    report::PrinterDialog *printerDialog = nullptr; // QPrintDialog
    report::PageSetupDialog *pageSetupDialog = nullptr; // QPageSetupDialog
    // QFileDialog::getSaveFileName with the suggested path
    report::ExportActions::FileChooser chooseSaveFile;
    // QFileDialog::getOpenFileName
    std::function<QString(const QString &caption, const QString &filter)> chooseOpenFile;
    report::ExportActions::DpiChooser chooseDpi; // QInputDialog::getInt
};

// The program as the user starts it: the server session with its login windows
// and history, the user's analysis, the main window showing it with the report
// preview, printing, export, zoom and the German texts of Qt's own dialogs. main()
// only constructs and runs it; the journey tests build it the same way.
class Program
{
public:
    // arguments: the process arguments, the program name first.
    explicit Program(const QStringList &arguments, ProgramPlatform platform = {});
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Start-up with the login; false when the program ended during it.
    bool start();
    // After start(): the main window shown with its first page.
    void show();
    // start(), show() and the event loop; the process exit status.
    int run();

    // True once the program has ended (ShutdownProgram).
    bool ended() const { return m_ended; }

    FMStart &window() { return *m_window; }
    ServerSession &session() { return *m_session; }
    AnalysisSession &analysis() { return *m_analysis; }
    LoginWindows &loginWindows() { return *m_loginWindows; }
    ProgramHistory &history() { return *m_history; }
    report::PreviewSurface &preview() { return *m_surface; }
    report::PrintController &printing() { return *m_printing; }
    report::ExportActions &exports() { return *m_exports; }

    // Loads Qt's German texts for its own buttons and dialogs; false when they are missing.
    static bool installGermanQtTexts();

private:
    void wireServerLayer();
    void wireReport();
    void showConnectStatus(const QString &text);
    // "&Datei → Berichtsmappe...": the book dialog over the analysis's choices.
    void openBook();
    void shutdown();

    ProgramPlatform m_platform;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<Waiter> m_ownWaiter;
    std::unique_ptr<Waiter> m_serverWaiter;
    std::unique_ptr<Prompter> m_ownPrompter;
    std::unique_ptr<report::PrinterDialog> m_ownPrinterDialog;
    std::unique_ptr<report::PageSetupDialog> m_ownPageSetupDialog;
    std::unique_ptr<ServerSession> m_session;
    std::unique_ptr<LoginWindows> m_loginWindows;
    std::unique_ptr<ProgramHistory> m_history;
    std::unique_ptr<AnalysisSession> m_analysis;
    std::unique_ptr<FMStart> m_window;
    report::PreviewSurface *m_surface = nullptr; // owned by the window
    std::unique_ptr<report::PrintController> m_printing;
    report::ExportActions *m_exports = nullptr; // owned by the window
    ViewKeeper *m_viewKeeper = nullptr; // owned by the window
    std::unique_ptr<ConnectStatusWindow> m_connectStatus;
    bool m_ended = false;
    bool m_inEventLoop = false;
};

} // namespace ertragon
