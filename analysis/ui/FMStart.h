#pragma once

#include "AccessRights.h"
#include "BreakdownTable.h"
#include "DetailsBreakdown.h"
#include "DisplayState.h"
#include "ExtendedSelection.h"
#include "MonthInput.h"
#include "PeriodFetch.h"
#include "PeriodTotals.h"
#include "ReportData.h"
#include "SelectionModel.h"
#include "StartUpView.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QSplitter;
class QTreeView;

namespace ertragon {

class Clock;
class Prompter;
class ServerAccess;
class Splash;
class frmAuswahlDetail;

// The main window: selection panel, report preview and details frame, the
// menus of the display modes, and the start-up sequence. The logic lives in
// SelectionModel, PeriodFetch, Derivation and StartUp; this window only shows
// them and forwards the user's actions.
class FMStart : public QMainWindow, public StartUpView
{
    Q_OBJECT
public:
    FMStart(ServerAccess &server, Prompter &prompter, const Clock &clock,
            QWidget *parent = nullptr);
    ~FMStart() override;

    // Start-up steps 1 to 18; false when the program must end.
    bool startUp(std::function<bool()> login);
    // After "&Login" in the running program: the start-up's checks for the new
    // user and the user's rules; the previous user's figures are cleared.
    // False when the new user may not use the program.
    bool admitNewLogin();

    // The redraw of the report page; receives the freshly derived values.
    void setRedraw(std::function<void(const ReportData &)> redraw) { m_redraw = std::move(redraw); }
    // Replaces the preview placeholder VSPrinter1 with the print surface.
    void setPreview(QWidget *surface);
    void setPreviewPreparation(std::function<void()> prepare)
    {
        m_preparePreview = std::move(prepare);
    }
    void setLogger(PeriodFetch::Logger logger);
    // Menu actions served by other windows; without one a notice says the window is missing.
    void setLoginHandler(std::function<void()> h) { m_onLogin = std::move(h); }
    void setHistoryHandler(std::function<void()> h) { m_onHistory = std::move(h); }
    void setPrintHandler(std::function<void()> h) { m_onPrint = std::move(h); }

    SelectionModel &selection() { return m_selection; }
    ExtendedSelection &extended() { return m_extended; }
    const DisplayState &display() const { return m_display; }
    const PeriodTotals &totals() const { return m_totals; }
    const AccessRights &rights() const { return m_selection.rights(); }
    frmAuswahlDetail *extendedDialog() const;
    QComboBox *zoomCombo() const { return cmbZoom; }
    // "&Datei" and its "&Drucken", where the export commands are added.
    QMenu *fileMenu() const { return m_fileMenu; }
    QAction *printAction() const { return m_printAction; }

    // The redraw: derivation, then the report page.
    void Zeichnen();
    // cmdUebernehmen: fetch the period data and redraw; false when nothing was fetched.
    bool fetchData();
    // The breakdown table of the details frame.
    void refreshDetails();
    // Ctrl+C in the results list: the selected rows as tab-separated lines.
    QString selectedRowsText() const;

    // Menu handlers.
    void mDatenClick(int index);
    void mDetailsClick(int index);
    void mGraphClick(int index);
    void mTabelleClick(int index);
    void mJahrClick(int index);
    void optJahrClick(int index);
    void optJahrMonatClick(int index);

    // StartUpView
    void showSplash() override;
    void setStatus(const QString &text) override;
    void closeSplash() override;
    void setCaption(const QString &caption) override;
    void preparePreview() override;
    void scaleLayout() override;
    void setTableCaptions(const QString &item2, const QString &item3) override;
    void setYearOptionCaptions(const QStringList &captions) override;
    void disableRestrictedItems() override;
    void displayStateReset() override;
    void openRebuild() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildSelectionPanel();
    void buildDetails();
    void buildMenus();
    void connectModel();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &shortcut = {}, bool checkable = false);
    void syncCombo(SelectionModel::List list);
    void syncSplitChecks();
    void syncDisplayChecks();
    void setRestrictedItemsEnabled(bool enabled);
    void showFirma();
    void updateLayout();
    void resizeListColumns();
    void fitDetailsToTable();
    QSize screenBoundedSize(QSize wanted) const;
    void fitFrameToScreen();
    void showProgress(int done, int total);
    void notAvailable(const QString &window);
    void toggleExtendedSelection();
    void fetchAndRefreshDetails();
    void createMonthInput();
    int chosenMonth() const;
    int twipsToPixels(int twips) const;

    ServerAccess &m_server;
    Prompter &m_prompter;
    MonthInput m_monthInput;
    const Clock &m_clock;
    SelectionModel m_selection;
    ExtendedSelection m_extended;
    PeriodFetch m_fetch;
    DetailsBreakdown m_details;
    BreakdownTable m_breakdown;
    DisplayState m_display;
    PeriodTotals m_totals;
    bool m_fetching = false;
    bool m_closing = false;

    std::function<void(const ReportData &)> m_redraw;
    std::function<void()> m_preparePreview;
    PeriodFetch::Logger m_logger;
    std::function<void()> m_onLogin, m_onHistory, m_onPrint;
    QPointer<Splash> m_splash;
    QPointer<frmAuswahlDetail> m_auswahl;

    // Selection panel
    QWidget *ctSize3 = nullptr;
    QLineEdit *SFirma = nullptr;
    std::array<QComboBox *, SelectionModel::ListCount> m_lists {};
    QComboBox *cmbZoom = nullptr;
    QWidget *txtMonat = nullptr; // Tallix numeric masked edit of the Orvel library
    QPushButton *cmdUebernehmen = nullptr; // cmdÜbernehmen
    QPushButton *cmdAusblenden = nullptr;
    QPushButton *cmdEinblenden = nullptr;
    // Preview and details
    QSplitter *ctSplit = nullptr;
    QWidget *VSPrinter1 = nullptr;
    QWidget *ctSize2 = nullptr;
    QGroupBox *frDetails = nullptr;
    QCheckBox *chkHVArt = nullptr;
    QCheckBox *chkHKGRP = nullptr;
    QCheckBox *chkUGRP = nullptr;
    QGroupBox *frJahr = nullptr;
    std::array<QRadioButton *, 3> optJahr {};
    std::array<QRadioButton *, 2> optJahrMonat {};
    QPushButton *cmdUebernehmenDetails = nullptr; // cmdÜbernehmenDetails
    QPushButton *cmdAusbeldenDetails = nullptr;
    QTreeView *ctList = nullptr;
    QSortFilterProxyModel *m_sortedDetails = nullptr;
    QProgressBar *m_progress = nullptr;
    // Menus
    std::array<QAction *, 2> mDaten {};
    std::array<QAction *, 4> mGraph {};
    std::array<QAction *, 5> mTabelle {};
    std::array<QAction *, 2> mJahr {};
    std::array<QAction *, 2> mDetails {};
    QAction *mAuswahl = nullptr;
    QMenu *m_fileMenu = nullptr;
    QAction *m_printAction = nullptr;
    int m_detailsWidth = 0; // pixels the details pane takes when shown
};

} // namespace ertragon
