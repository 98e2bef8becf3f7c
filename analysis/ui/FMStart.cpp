#include "FMStart.h"

#include "AnalysisSession.h"
#include "BreakdownTable.h"
#include "BusyCursor.h"
#include "Clock.h"
#include "DetailsPane.h"
#include "PreviewSurface.h"
#include "Prompter.h"
#include "Splash.h"
#include "frmAbout.h"
#include "frmAuswahlDetail.h"
#include "frmNeueDaten.h"
#include "ui_FMStart.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMetaMethod>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>

namespace ertragon {

FMStart::FMStart(AnalysisSession &session, Prompter &prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_prompter(prompter)
    , m_ui(std::make_unique<Ui::FMStartView>())
    , m_busy(new BusyCursor(this))
{
    m_ui->setupUi(this);
    setUpPanel();
    setUpDetails();
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("fetchProgress"));
    m_progress->setAccessibleName(QStringLiteral("Fortschritt beim Datenholen"));
    m_progress->setMaximumWidth(240);
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress);

    connectMenus();
    followSession();
    followStartUp();
    mDatenClick(0);
    mDetailsClick(1);
    resize(screenBoundedSize(QSize(1152, 800)));
}

FMStart::~FMStart() = default;

void FMStart::setUpPanel()
{
    Ui::FMStartView &ui = *m_ui;
    // Object names with umlauts cannot name the form's members.
    ui.cmdUebernehmen->setObjectName(QStringLiteral("cmdÜbernehmen"));
    m_lists = { ui.SPCNR, ui.SHABT, ui.SABTNR, ui.SHGRP, ui.SUGRP, ui.SPG, ui.SHVArt };
    createMonthInput();
    ui.selectionGrid->addWidget(txtMonat, 2, 3);
    ui.lblMonat->setBuddy(txtMonat);
    connect(ui.cmdUebernehmen, &QPushButton::clicked, this, [this] { m_session.fetch(); });
    connect(ui.cmdAusblenden, &QPushButton::clicked, this, [this] { mDatenClick(1); });
    connect(ui.cmdEinblenden, &QPushButton::clicked, this, [this] { mDatenClick(0); });
}

void FMStart::setUpDetails()
{
    Ui::FMStartView &ui = *m_ui;
    ui.cmdUebernehmenDetails->setObjectName(QStringLiteral("cmdÜbernehmenDetails"));
    optJahr = { ui.optJahr0, ui.optJahr1, ui.optJahr2 };
    optJahrMonat = { ui.optJahrMonat0, ui.optJahrMonat1 };
    ui.ctSplit->setStretchFactor(0, 1);
    ui.ctSplit->setStretchFactor(1, 0);
    m_pane = new DetailsPane(ui.ctSplit, ui.frDetails, ui.ctList, &m_session.breakdown(), this);

    SelectionModel &selection = m_session.selection();
    connect(ui.chkUGRP, &QCheckBox::clicked, this,
            [&selection](bool on) { selection.setChecked(SelectionModel::ChkUGRP, on); });
    connect(ui.chkHKGRP, &QCheckBox::clicked, this,
            [&selection](bool on) { selection.setChecked(SelectionModel::ChkHKGRP, on); });
    connect(ui.chkHVArt, &QCheckBox::clicked, this,
            [&selection](bool on) { selection.setChecked(SelectionModel::ChkHVArt, on); });
    // toggled, not clicked: a screen reader's toggle action checks a button without a
    // click. A button checked to match the session changes nothing.
    for (int i = 0; i < 3; ++i)
        connect(optJahr[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on || m_session.display().detailPeriod == i)
                return;
            m_session.setDetailPeriod(i);
            checkDetailsPeriods();
        });
    for (int i = 0; i < 2; ++i)
        connect(optJahrMonat[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && m_session.display().valueKind != i)
                optJahrMonatClick(i);
        });
    connect(ui.cmdUebernehmenDetails, &QPushButton::clicked, this,
            &FMStart::fetchAndRefreshDetails);
    connect(ui.cmdAusbeldenDetails, &QPushButton::clicked, this, [this] { mDetailsClick(1); });
}

void FMStart::connectMenus()
{
    Ui::FMStartView &ui = *m_ui;
    // Every item belongs to its menu, where users of the menu bar look for it.
    for (QAction *top : menuBar()->actions()) {
        for (QAction *item : top->menu()->actions())
            item->setParent(top->menu());
    }
    m_fileMenu = ui.mDatei;
    m_printAction = ui.mDrucken;
    mDaten = { ui.mDaten0, ui.mDaten1 };
    mGraph = { ui.mGraph0, ui.mGraph1, ui.mGraph2, ui.mGraph3 };
    mTabelle = { ui.mTabelle0, ui.mTabelle1, ui.mTabelle2, ui.mTabelle3, ui.mTabelle4 };
    mJahr = { ui.mJahr0, ui.mJahr1 };
    mDetails = { ui.mDetails0, ui.mDetails1 };
    connect(ui.mDrucken, &QAction::triggered, this,
            [this] { serveOrNotify(&FMStart::printWanted, QStringLiteral("Drucken")); });
    connect(ui.mStandardDrucker, &QAction::triggered, this, [this] {
        serveOrNotify(&FMStart::printerSetupWanted, QStringLiteral("Druckereinstellungen"));
    });
    connect(ui.mLogin, &QAction::triggered, this,
            [this] { serveOrNotify(&FMStart::loginWanted, QStringLiteral("Anmeldung")); });
    connect(ui.Beenden, &QAction::triggered, this, &QWidget::close);
    for (int i = 0; i < 2; ++i) {
        connect(mDaten[i], &QAction::triggered, this, [this, i] { mDatenClick(i); });
        connect(mJahr[i], &QAction::triggered, this, [this, i] { m_session.setYearKind(i); });
        connect(mDetails[i], &QAction::triggered, this, [this, i] { mDetailsClick(i); });
    }
    for (int i = 0; i < 3; ++i)
        connect(mGraph[i], &QAction::triggered, this, [this, i] { m_session.setGraphMode(i); });
    connect(mGraph[3], &QAction::triggered, this, [this] { m_session.toggleDbPercent(); });
    for (int i = 0; i < 5; ++i)
        connect(mTabelle[i], &QAction::triggered, this, [this, i] { m_session.setTableMode(i); });
    connect(ui.mLegende, &QAction::triggered, this,
            [this](bool on) { m_session.setSeriesLegend(on); });
    connect(ui.mAuswahl, &QAction::triggered, this, &FMStart::toggleExtendedSelection);
    connect(ui.mNeuZeichnen, &QAction::triggered, this, &FMStart::fetchAndRefreshDetails);
    connect(ui.mGenerieren, &QAction::triggered, this, &FMStart::openRebuild);
    connect(ui.HilfeUeber, &QAction::triggered, this, [this] {
        frmAbout box(m_prompter, this);
        box.exec();
    });
    connect(ui.mProgrammverlauf, &QAction::triggered, this,
            [this] { serveOrNotify(&FMStart::historyWanted, QStringLiteral("Programmverlauf")); });
    syncDisplayChecks();
}

void FMStart::followSession()
{
    SelectionModel &selection = m_session.selection();
    for (int i = 0; i < SelectionModel::ListCount; ++i) {
        const auto list = SelectionModel::List(i);
        m_lists[size_t(i)]->setModel(selection.listModel(list));
        connect(m_lists[size_t(i)], &QComboBox::activated, this,
                [&selection, list](int index) { selection.choose(list, index); });
        syncCombo(list);
    }
    connect(&selection, &SelectionModel::itemsChanged, this, &FMStart::syncCombo);
    connect(&selection, &SelectionModel::currentChanged, this, &FMStart::syncCombo);
    connect(&selection, &SelectionModel::splitFlagsChanged, this, &FMStart::syncSplitChecks);
    connect(m_ui->SFirma, &QLineEdit::textEdited, this,
            [&selection](const QString &text) { selection.setFirma(text); });
    syncSplitChecks();
    connect(&m_session, &AnalysisSession::displayChanged, this, &FMStart::syncDisplayChecks);
    connect(&m_session, &AnalysisSession::userChanged, this, &FMStart::userChanged);
    connect(&m_session, &AnalysisSession::progress, this, &FMStart::showProgress);
    connect(&m_session, &AnalysisSession::busyChanged, m_busy, &BusyCursor::setBusy);
    connect(&m_session, &AnalysisSession::busyChanged, this, [this](bool busy) {
        if (!busy)
            fetchDone();
    });
    connect(&m_session, &AnalysisSession::detailsChanged, m_pane, &DetailsPane::tableChanged);
    connect(&m_session, &AnalysisSession::displayChanged, this, &FMStart::checkDetailsPeriods);
    connect(&m_session.breakdown(), &BreakdownTable::staleChanged, m_pane, &DetailsPane::showStale);
    connect(&m_session.extended(), &ExtendedSelection::activeChanged, this,
            &FMStart::extendedChanged);
}

void FMStart::followStartUp()
{
    const StartUp &steps = m_session.startUpSteps();
    Splash::followStartUp(steps, this);
    connect(&steps, &StartUp::captionChanged, this, &QWidget::setWindowTitle);
    connect(&steps, &StartUp::previewDue, this, &FMStart::preparePreview);
    // The grid layout scales the label columns with the window width; nothing to place.
    connect(&steps, &StartUp::layoutDue, this, &FMStart::updateLayout);
    connect(&steps, &StartUp::tableCaptionsChanged, this, &FMStart::setTableCaptions);
    connect(&steps, &StartUp::yearCaptionsChanged, this, &FMStart::setYearOptionCaptions);
    connect(&steps, &StartUp::restrictedUser, this, [this] { setRestrictedItemsEnabled(false); });
    connect(&steps, &StartUp::displayReset, this, &FMStart::displayStateReset);
    connect(&steps, &StartUp::rebuildWanted, this, &FMStart::openRebuild);
}

void FMStart::syncCombo(SelectionModel::List list)
{
    QComboBox *combo = m_lists[size_t(list)];
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(m_session.selection().currentIndex(list));
}

void FMStart::syncSplitChecks()
{
    const SelectionModel &selection = m_session.selection();
    Ui::FMStartView &ui = *m_ui;
    const QSignalBlocker b1(ui.chkUGRP), b2(ui.chkHKGRP), b3(ui.chkHVArt);
    ui.chkUGRP->setChecked(selection.isChecked(SelectionModel::ChkUGRP));
    ui.chkHKGRP->setChecked(selection.isChecked(SelectionModel::ChkHKGRP));
    ui.chkHVArt->setChecked(selection.isChecked(SelectionModel::ChkHVArt));
}

void FMStart::syncDisplayChecks()
{
    const DisplayState &display = m_session.display();
    if (display.graphMode >= 0 && display.graphMode < 3)
        mGraph[display.graphMode]->setChecked(true);
    mGraph[3]->setChecked(display.dbPercent);
    if (display.tableMode >= 0 && display.tableMode < 5)
        mTabelle[display.tableMode]->setChecked(true);
    mJahr[display.yearKind == DisplayState::BusinessYear]->setChecked(true);
    // The details options follow as their own clicks would have left them.
    const bool months = display.valueKind == 1;
    optJahrMonat[months]->setChecked(true);
    if (display.detailPeriod >= 0 && display.detailPeriod < 3)
        optJahr[size_t(display.detailPeriod)]->setChecked(true);
    optJahr[2]->setEnabled(!months);
    if (txtMonat)
        txtMonat->setEnabled(months);
    m_ui->mLegende->setChecked(display.seriesLegend);
}

void FMStart::userChanged()
{
    setRestrictedItemsEnabled(!m_session.rights().restricted);
    showFirma();
}

void FMStart::showFirma()
{
    const QSignalBlocker block(m_ui->SFirma);
    m_ui->SFirma->setText(m_session.selection().firma());
}

void FMStart::optJahrMonatClick(int index)
{
    const bool months = index == 1;
    txtMonat->setEnabled(months);
    optJahr[2]->setEnabled(!months);
    m_session.setValueKind(index);
    // The mark follows, so the options never show a period that is not used.
    const int period = m_session.display().detailPeriod;
    if (period >= 0 && period < 3)
        optJahr[size_t(period)]->setChecked(true);
    checkDetailsPeriods();
}

void FMStart::checkDetailsPeriods()
{
    m_session.checkBreakdownPeriods(chosenMonth());
}

// --- panels and layout -----------------------------------------------------

void FMStart::mDatenClick(int index)
{
    m_ui->ctSize3->setVisible(index == 0);
    // "Einblenden" stands where "Ausblenden" stood, as wide as it.
    m_ui->cmdEinblenden->setFixedWidth(m_ui->cmdAusblenden->sizeHint().width());
    m_ui->cmdEinblenden->setVisible(index == 1);
    mDaten[index == 1]->setChecked(true);
    updateLayout();
}

void FMStart::mDetailsClick(int index)
{
    m_ui->ctSize2->setVisible(index == 0);
    mDetails[index == 1]->setChecked(true);
    updateLayout();
}

QSize FMStart::screenBoundedSize(QSize wanted) const
{
    // Never larger than the screen's free area, whatever the scale factor.
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return wanted;
    // Before the window is shown its frame is unknown: leave room for a title bar.
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isNull())
        frame = QSize(8, 32);
    return wanted.boundedTo(shown->availableGeometry().size() - frame);
}

void FMStart::fitFrameToScreen()
{
    const QScreen *shown = screen();
    if (!shown)
        return;
    const QRect available = shown->availableGeometry();
    const QRect frame = frameGeometry();
    if (available.contains(frame))
        return;
    const QSize excess = (frame.size() - available.size()).expandedTo(QSize(0, 0));
    resize((size() - excess).expandedTo(minimumSizeHint()));
    move(available.topLeft());
}

void FMStart::updateLayout()
{
    if (!isMinimized())
        m_pane->place();
}

void FMStart::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    updateLayout();
}

void FMStart::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    fitFrameToScreen();
    updateLayout();
}

void FMStart::setPreview(report::PreviewSurface *surface)
{
    QWidget *old = m_ui->VSPrinter1;
    if (!surface || surface == old)
        return;
    surface->setObjectName(QStringLiteral("VSPrinter1"));
    m_ui->ctSplit->replaceWidget(0, surface);
    m_ui->VSPrinter1 = surface;
    m_preview = surface;
    old->deleteLater();
    updateLayout();
}

QComboBox *FMStart::zoomCombo() const
{
    return m_ui->cmbZoom;
}

// --- fetch and details -----------------------------------------------------

void FMStart::fetchAndRefreshDetails()
{
    if (m_session.fetch() && !m_ui->ctSize2->isHidden())
        refreshDetails();
}

void FMStart::createMonthInput()
{
    QString error;
    txtMonat = m_monthInput.create(m_ui->ctSize3, MonthInput::bundledLibraryPath(), &error);
    if (!txtMonat)
        txtMonat = monthInputPlaceholder(error);
    m_monthInput.setMonth(m_session.clock().now().date().month());
    txtMonat->setEnabled(false);
    m_monthInput.whenChanged(this, [this] { checkDetailsPeriods(); });
}

QWidget *FMStart::monthInputPlaceholder(const QString &error)
{
    // Without the Orvel library the program still runs; month values then use the current
    // month. The window says so where the input would be, and in the status bar.
    qWarning("Ertragon: month input unavailable: %s", qPrintable(error));
    const QString cause
        = QStringLiteral("Monatseingabe nicht verfügbar (Orvel, Zifra.Tallix.1): ") + error;
    auto *placeholder = new QLabel(QStringLiteral("nicht verfügbar"), m_ui->ctSize3);
    placeholder->setObjectName(QStringLiteral("txtMonat"));
    placeholder->setToolTip(cause);
    statusBar()->showMessage(cause);
    return placeholder;
}

int FMStart::chosenMonth() const
{
    if (!m_monthInput.widget())
        return m_session.clock().now().date().month();
    return m_monthInput.month();
}

void FMStart::setChosenMonth(int month)
{
    if (m_monthInput.widget())
        m_monthInput.setMonth(month);
    checkDetailsPeriods();
}

QMenu *FMStart::propertiesMenu() const
{
    return m_ui->mEigenschaften;
}

void FMStart::refreshDetails()
{
    m_session.refreshBreakdown(chosenMonth());
}

void FMStart::openBreakdown(int valueKind, int detailPeriod, int month)
{
    if (valueKind < 0 || valueKind > 1 || detailPeriod < 0 || detailPeriod > 2)
        return;
    mDetailsClick(0);
    optJahrMonatClick(valueKind);
    optJahrMonat[size_t(valueKind)]->setChecked(true);
    if (valueKind == 0 || detailPeriod < 2) {
        m_session.setDetailPeriod(detailPeriod);
        optJahr[size_t(detailPeriod)]->setChecked(true);
    }
    if (valueKind == 1 && month >= 1 && month <= 12) {
        m_monthInput.setMonth(month);
        m_session.refreshBreakdown(month);
        return;
    }
    refreshDetails();
}

QString FMStart::selectedRowsText() const
{
    return m_pane->selectedRowsText();
}

void FMStart::showProgress(int done, int total)
{
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progress->show();
    if (done == 0)
        return; // the fetch starts
    statusBar()->showMessage(
        QStringLiteral("Datenabfrage: %1 von %2 Perioden").arg(done).arg(total));
    // Keeps the window painting during long fetches; user input waits until the end.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FMStart::fetchDone()
{
    m_progress->hide();
    statusBar()->clearMessage();
}

// --- other windows ---------------------------------------------------------

void FMStart::serveOrNotify(void (FMStart::*wanted)(), const QString &window)
{
    if (isSignalConnected(QMetaMethod::fromSignal(wanted))) {
        Q_EMIT(this->*wanted)();
        return;
    }
    m_prompter.inform(
        Prompter::Icon::Information, StartUp::programTitle(),
        QStringLiteral("Das Fenster \"%1\" ist in dieser Version noch nicht verfügbar.")
            .arg(window));
}

frmAuswahlDetail *FMStart::extendedDialog() const
{
    return m_auswahl;
}

void FMStart::toggleExtendedSelection()
{
    if (m_session.extended().active())
        m_session.closeExtended();
    else
        m_session.openExtended();
}

void FMStart::extendedChanged(bool active)
{
    m_ui->mAuswahl->setChecked(active);
    if (!active) {
        if (m_auswahl)
            m_auswahl->hide();
        return;
    }
    if (!m_auswahl) {
        m_auswahl = new frmAuswahlDetail(m_session.extended(), this);
        connect(m_auswahl, &frmAuswahlDetail::fetchWanted, this, [this] { m_session.fetch(); });
        // Closing the dialog runs the menu handler, which unchecks the item.
        connect(m_auswahl, &frmAuswahlDetail::closed, this, [this] {
            if (m_session.extended().active())
                m_session.closeExtended();
        });
    }
    m_auswahl->refresh();
    m_auswahl->show();
    m_auswahl->raise();
}

void FMStart::openRebuild()
{
    frmNeueDaten dialog(m_session.rebuild(), m_prompter, this);
    dialog.prepare();
    dialog.exec();
}

void FMStart::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_closing)
        return;
    m_closing = true;
    m_session.end();
}

// --- start-up --------------------------------------------------------------

void FMStart::preparePreview()
{
    if (!m_preview)
        return;
    m_preview->setPaperKind(9);
    m_preview->setPageOrientation(1);
}

void FMStart::setTableCaptions(const QString &item2, const QString &item3)
{
    mTabelle[2]->setText(item2);
    mTabelle[3]->setText(item3);
}

void FMStart::setYearOptionCaptions(const QStringList &captions)
{
    for (int i = 0; i < 3 && i < captions.size(); ++i)
        optJahr[size_t(i)]->setText(captions.at(i));
}

void FMStart::setRestrictedItemsEnabled(bool enabled)
{
    m_lists[SelectionModel::SPCNR]->setEnabled(enabled);
    mGraph[1]->setEnabled(enabled);
    mTabelle[3]->setEnabled(enabled);
    m_ui->mAuswahl->setEnabled(enabled);
}

void FMStart::displayStateReset()
{
    syncDisplayChecks();
    syncSplitChecks();
    optJahr[0]->setChecked(true);
    optJahr[2]->setEnabled(true);
    optJahrMonat[0]->setChecked(true);
    txtMonat->setEnabled(false);
}

} // namespace ertragon
