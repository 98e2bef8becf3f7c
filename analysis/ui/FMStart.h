#pragma once

#include "MonthInput.h"
#include "SelectionModel.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QProgressBar;
class QRadioButton;

namespace Ui {
class FMStartView;
}

namespace ertragon {

class AnalysisSession;
class BusyCursor;
class DetailsPane;
class Prompter;
class frmAuswahlDetail;

namespace report {
class PreviewSurface;
}

// The main window: selection panel, report preview and details frame, the menus of
// the display modes, and the splash of the start-up. It shows an AnalysisSession and
// hands the user's actions to it; the page itself is drawn by whoever listens to the
// session's "report changed".
class FMStart : public QMainWindow
{
    Q_OBJECT
public:
    FMStart(AnalysisSession &session, Prompter &prompter, QWidget *parent = nullptr);
    ~FMStart() override;

    // Replaces the preview placeholder VSPrinter1 with the print surface.
    void setPreview(report::PreviewSurface *surface);
    frmAuswahlDetail *extendedDialog() const;
    QComboBox *zoomCombo() const;
    // "&Datei" and its "&Drucken", where the export commands are added.
    QMenu *fileMenu() const { return m_fileMenu; }
    QAction *printAction() const { return m_printAction; }

    // "&Eigenschaften", where the view's remembered options are added.
    QMenu *propertiesMenu() const;
    // The month of the month input (today's month when it is missing or empty), and set.
    int chosenMonth() const;
    void setChosenMonth(int month);

    // cmdÜbernehmenDetails: the breakdown table of the details frame.
    void refreshDetails();
    // The breakdown shown for a year or a month the page asked for: the details frame
    // opens with its options and the month input set, and the table is fetched.
    void openBreakdown(int valueKind, int detailPeriod, int month);
    // Ctrl+C in the results list: the selected rows as tab-separated lines, in list order.
    QString selectedRowsText() const;

    // The panels' menu handlers: 0 shows, 1 hides.
    void mDatenClick(int index);
    void mDetailsClick(int index);

Q_SIGNALS:
    // Menu commands other windows serve; without a listener a notice says so.
    void loginWanted();
    void historyWanted();
    void printWanted();
    // "Druckereinstellungen": the page and printer set-up for the next print.
    void printerSetupWanted();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setUpPanel();
    void setUpDetails();
    void connectMenus();
    void followSession();
    void followStartUp();
    void syncCombo(SelectionModel::List list);
    void syncSplitChecks();
    void syncDisplayChecks();
    void userChanged();
    void optJahrMonatClick(int index);
    void checkDetailsPeriods();
    void showFirma();
    void updateLayout();
    QSize screenBoundedSize(QSize wanted) const;
    void fitFrameToScreen();
    void showProgress(int done, int total);
    void fetchDone();
    void serveOrNotify(void (FMStart::*wanted)(), const QString &window);
    void toggleExtendedSelection();
    void extendedChanged(bool active);
    void fetchAndRefreshDetails();
    void createMonthInput();
    QWidget *monthInputPlaceholder(const QString &error);
    void preparePreview();
    void setTableCaptions(const QString &item2, const QString &item3);
    void setYearOptionCaptions(const QStringList &captions);
    void setRestrictedItemsEnabled(bool enabled);
    void displayStateReset();
    void openRebuild();

    AnalysisSession &m_session;
    Prompter &m_prompter;
    std::unique_ptr<Ui::FMStartView> m_ui;
    MonthInput m_monthInput;
    BusyCursor *m_busy = nullptr;
    bool m_closing = false;
    QPointer<frmAuswahlDetail> m_auswahl;
    report::PreviewSurface *m_preview = nullptr;

    std::array<QComboBox *, SelectionModel::ListCount> m_lists {};
    std::array<QRadioButton *, 3> optJahr {};
    std::array<QRadioButton *, 2> optJahrMonat {};
    QWidget *txtMonat = nullptr; // Tallix numeric masked edit of the Orvel library
    DetailsPane *m_pane = nullptr;
    QProgressBar *m_progress = nullptr;
    std::array<QAction *, 2> mDaten {};
    std::array<QAction *, 4> mGraph {};
    std::array<QAction *, 5> mTabelle {};
    std::array<QAction *, 2> mJahr {};
    std::array<QAction *, 2> mDetails {};
    QMenu *m_fileMenu = nullptr;
    QAction *m_printAction = nullptr;
};

} // namespace ertragon
