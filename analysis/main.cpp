// Ertragon: revenue and contribution-margin analysis for KORDEX.
// Command line: company branch user password server [port [namespace]].

#include "Clock.h"
#include "FMStart.h"
#include "LoginWindows.h"
#include "PreviewSurface.h"
#include "PrintController.h"
#include "PrinterDialog.h"
#include "ProgramHistory.h"
#include "ReportBridge.h"
#include "ReportPage.h"
#include "ServerSession.h"
#include "ZoomComboBinding.h"

#include <QApplication>

using namespace ertragon;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ertragon"));
    QApplication::setApplicationVersion(QStringLiteral(ERTRAGON_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    ServerSession session(QApplication::arguments());
    SystemClock clock;
    FMStart window(session.access(), session.prompter(), clock);

    window.setLogger([&session](const QString &part, const QString &text, const QString &param) {
        session.history().AddLogEntry(part, text, param);
    });
    window.setHistoryHandler([&session] { session.history().showWindow(); });
    session.loginWindows().setMainWindow(&window);
    window.setLoginHandler([&session] { session.loginWindows().showLoginDialog(); });

    // The report page on the preview surface VSPrinter1.
    auto *surface = new report::PreviewSurface;
    window.setPreview(surface);
    window.setPreviewPreparation([surface] {
        surface->setPaperKind(9);
        surface->setPageOrientation(1);
    });
    report::ReportData shown;
    window.setRedraw([surface, &shown](const RedrawData &data) {
        shown = toReportData(data);
        report::ReportPage::draw(*surface, shown);
    });
    report::ZoomComboBinding::setUpCombo(window.zoomCombo());
    new report::ZoomComboBinding(
        window.zoomCombo(), surface, [&window] { window.Zeichnen(); }, &window);
    report::QtPrinterDialog printerDialog(&window);
    report::PrintController printing(*surface, printerDialog,
                                     { [&window] { return window.selection().selectionChanged(); },
                                       [&window] { window.fetchData(); },
                                       [&window] { window.Zeichnen(); },
                                       [&shown] { return report::ReportPage::content(shown); } });
    window.setPrintHandler([&printing] { printing.print(); });

    if (!window.startUp([&session] { return session.runStartupLogin(); }))
        return 0;
    window.show();
    window.Zeichnen();
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    return QApplication::exec();
}
