#include "FMStart.h"

#include "BuildReportData.h"
#include "Clock.h"
#include "DataRebuild.h"
#include "Derivation.h"
#include "Prompter.h"
#include "ServerAccess.h"
#include "Splash.h"
#include "StartUp.h"
#include "frmAbout.h"
#include "frmAuswahlDetail.h"
#include "frmNeueDaten.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace ertragon {

namespace {

constexpr int detailsWidthTwips = 3735;

// The width a list column needs for its longest text and its heading.
int contentWidth(const QTreeView *list, int column)
{
    const QAbstractItemView *view = list; // the tree view's override, through the public base
    return qMax(view->sizeHintForColumn(column), list->header()->sectionSizeHint(column));
}

QLabel *groupLabel(QWidget *parent, const char *name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

} // namespace

FMStart::FMStart(ServerAccess &server, Prompter &prompter, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_server(server)
    , m_prompter(prompter)
    , m_clock(clock)
    , m_selection(server, prompter)
    , m_fetch(server, prompter, clock)
    , m_details(server, prompter)
{
    setObjectName(QStringLiteral("FMStart"));
    setWindowTitle(QStringLiteral("KORDEX Ertragon"));
    m_display.tableMode = DisplayState::PercentOfMean;

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildSelectionPanel();
    auto *showRow = new QHBoxLayout;
    showRow->addStretch(1);
    showRow->addWidget(cmdEinblenden);
    layout->addWidget(ctSize3);
    layout->addLayout(showRow);

    ctSplit = new QSplitter(Qt::Horizontal, central);
    ctSplit->setObjectName(QStringLiteral("ctSplit"));
    ctSplit->setChildrenCollapsible(false);
    VSPrinter1 = new QWidget(ctSplit);
    VSPrinter1->setObjectName(QStringLiteral("VSPrinter1"));
    VSPrinter1->setMinimumWidth(200);
    buildDetails();
    ctSplit->addWidget(VSPrinter1);
    ctSplit->addWidget(ctSize2);
    ctSplit->setStretchFactor(0, 1);
    ctSplit->setStretchFactor(1, 0);
    layout->addWidget(ctSplit, 1);
    setCentralWidget(central);
    connect(ctSplit, &QSplitter::splitterMoved, this, &FMStart::resizeListColumns);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("fetchProgress"));
    m_progress->setMaximumWidth(240);
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress);

    buildMenus();
    connectModel();
    m_fetch.setProgress([this](int done, int total) { showProgress(done, total); });
    mDatenClick(0);
    mDetailsClick(1);
    resize(screenBoundedSize(QSize(1152, 800)));
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

FMStart::~FMStart()
{
    if (m_splash)
        delete m_splash;
}

void FMStart::buildSelectionPanel()
{
    ctSize3 = new QWidget(this);
    ctSize3->setObjectName(QStringLiteral("ctSize3"));
    auto *grid = new QGridLayout(ctSize3);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    SFirma = new QLineEdit(QStringLiteral("1"), ctSize3);
    SFirma->setObjectName(QStringLiteral("SFirma"));
    SFirma->setMaximumWidth(60);
    static const char *const listNames[SelectionModel::ListCount]
        = { "SPCNR", "SHABT", "SABTNR", "SHGRP", "SUGRP", "SPG", "SHVArt" };
    for (int i = 0; i < SelectionModel::ListCount; ++i) {
        auto *combo = new QComboBox(ctSize3);
        combo->setObjectName(QString::fromUtf8(listNames[i]));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(8);
        m_lists[size_t(i)] = combo;
    }
    cmbZoom = new QComboBox(ctSize3);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setEditable(true);
    cmbZoom->addItems({ QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                        QStringLiteral("150%"), QStringLiteral("200%") });
    createMonthInput();
    cmdUebernehmen = button(ctSize3, "cmdÜbernehmen", QStringLiteral("Daten &holen (F5)"));
    cmdAusblenden = button(ctSize3, "cmdAusblenden", QStringLiteral("&Ausblenden (F3)"));
    cmdEinblenden = button(this, "cmdEinblenden", QStringLiteral("Ei&nblenden (F2)"));

    // Columns of label groups: 100 PC/110 FA/120 Zoom, 200 HABT/210 ABT,
    // 300 HG/310 UG, 400 HKG/410 HVArt.
    auto place = [&](int row, int column, QLabel *label, QWidget *input) {
        grid->addWidget(label, row, column * 2);
        grid->addWidget(input, row, column * 2 + 1);
    };
    place(0, 0, groupLabel(ctSize3, "lblPC", QStringLiteral("PC:")),
          m_lists[SelectionModel::SPCNR]);
    place(1, 0, groupLabel(ctSize3, "lblFirma", QStringLiteral("FA:")), SFirma);
    place(2, 0, groupLabel(ctSize3, "lblZoom", QStringLiteral("Zoom")), cmbZoom);
    place(0, 1, groupLabel(ctSize3, "lblHabt", QStringLiteral("HABT:")),
          m_lists[SelectionModel::SHABT]);
    place(1, 1, groupLabel(ctSize3, "lblAbt", QStringLiteral("ABT:")),
          m_lists[SelectionModel::SABTNR]);
    place(0, 2, groupLabel(ctSize3, "lblHG", QStringLiteral("HG:")),
          m_lists[SelectionModel::SHGRP]);
    place(1, 2, groupLabel(ctSize3, "lblUG", QStringLiteral("UG:")),
          m_lists[SelectionModel::SUGRP]);
    place(0, 3, groupLabel(ctSize3, "lblHKG", QStringLiteral("HKG:")),
          m_lists[SelectionModel::SPG]);
    place(1, 3, groupLabel(ctSize3, "lblHVArt", QStringLiteral("HVArt:")),
          m_lists[SelectionModel::SHVArt]);
    auto *lblMonat = groupLabel(ctSize3, "lblMonat", QStringLiteral("Monat:"));
    lblMonat->setBuddy(txtMonat);
    grid->addWidget(lblMonat, 2, 2);
    grid->addWidget(txtMonat, 2, 3);
    grid->addWidget(cmdUebernehmen, 0, 8);
    grid->addWidget(cmdAusblenden, 1, 8);
    for (int c = 1; c < 8; c += 2)
        grid->setColumnStretch(c, 1);

    connect(cmdUebernehmen, &QPushButton::clicked, this, [this] { fetchData(); });
    connect(cmdAusblenden, &QPushButton::clicked, this, [this] { mDatenClick(1); });
    connect(cmdEinblenden, &QPushButton::clicked, this, [this] { mDatenClick(0); });
}

void FMStart::buildDetails()
{
    ctSize2 = new QWidget(ctSplit);
    ctSize2->setObjectName(QStringLiteral("ctSize2"));
    auto *outer = new QVBoxLayout(ctSize2);
    outer->setContentsMargins(0, 0, 0, 0);
    frDetails = new QGroupBox(QStringLiteral(" Details "), ctSize2);
    frDetails->setObjectName(QStringLiteral("frDetails"));
    outer->addWidget(frDetails);

    chkHVArt = new QCheckBox(QStringLiteral("Aufteilung Hauptversandart"), frDetails);
    chkHVArt->setObjectName(QStringLiteral("chkHVArt"));
    chkHKGRP = new QCheckBox(QStringLiteral("Aufteilung Hauptkundengruppen"), frDetails);
    chkHKGRP->setObjectName(QStringLiteral("chkHKGRP"));
    chkUGRP = new QCheckBox(QStringLiteral("Aufteilung Untergruppen"), frDetails);
    chkUGRP->setObjectName(QStringLiteral("chkUGRP"));

    frJahr = new QGroupBox(frDetails);
    frJahr->setObjectName(QStringLiteral("frJahr"));
    auto *years = new QGridLayout(frJahr);
    // Two exclusive groups in one frame: a year option and a value kind are always chosen.
    auto *yearGroup = new QButtonGroup(frJahr);
    auto *kindGroup = new QButtonGroup(frJahr);
    for (int i = 0; i < 3; ++i) {
        optJahr[size_t(i)] = new QRadioButton(frJahr);
        yearGroup->addButton(optJahr[size_t(i)], i);
        optJahr[size_t(i)]->setObjectName(QStringLiteral("optJahr%1").arg(i));
        years->addWidget(optJahr[size_t(i)], i, 0);
        connect(optJahr[size_t(i)], &QRadioButton::clicked, this, [this, i] { optJahrClick(i); });
    }
    auto *kinds = new QWidget(frJahr); // its own group: the two kinds exclude each other only
    auto *kindLayout = new QVBoxLayout(kinds);
    kindLayout->setContentsMargins(0, 0, 0, 0);
    const QString kindCaptions[2]
        = { QStringLiteral("Jahreswerte"), QStringLiteral("Monatswerte") };
    for (int i = 0; i < 2; ++i) {
        optJahrMonat[size_t(i)] = new QRadioButton(kindCaptions[i], kinds);
        kindGroup->addButton(optJahrMonat[size_t(i)], i);
        optJahrMonat[size_t(i)]->setObjectName(QStringLiteral("optJahrMonat%1").arg(i));
        kindLayout->addWidget(optJahrMonat[size_t(i)]);
        connect(optJahrMonat[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { optJahrMonatClick(i); });
    }
    years->addWidget(kinds, 0, 1, 3, 1);

    cmdUebernehmenDetails
        = button(frDetails, "cmdÜbernehmenDetails", QStringLiteral("D&aten holen (F5)"));
    cmdAusbeldenDetails = button(frDetails, "cmdAusbeldenDetails", QStringLiteral("Aus&blenden"));
    ctList = new QTreeView(frDetails);
    ctList->setObjectName(QStringLiteral("ctList"));
    ctList->setRootIsDecorated(false);
    ctList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ctList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The list sorts by a click on a heading: amounts by value, the group column as text.
    m_sortedDetails = new QSortFilterProxyModel(this);
    m_sortedDetails->setSourceModel(&m_breakdown);
    m_sortedDetails->setSortRole(BreakdownTable::SortRole);
    ctList->setModel(m_sortedDetails);
    // The columns follow the list's width, however the pane got it.
    ctList->viewport()->installEventFilter(this);
    auto *copy = new QShortcut(QKeySequence::Copy, ctList, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this,
            [this] { QApplication::clipboard()->setText(selectedRowsText()); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdUebernehmenDetails);
    buttons->addWidget(cmdAusbeldenDetails);
    auto *inner = new QVBoxLayout(frDetails);
    inner->addWidget(chkHVArt);
    inner->addWidget(chkHKGRP);
    inner->addWidget(chkUGRP);
    inner->addWidget(frJahr);
    inner->addLayout(buttons);
    inner->addWidget(ctList, 1);

    connect(chkUGRP, &QCheckBox::clicked, this,
            [this](bool on) { m_selection.setChecked(SelectionModel::ChkUGRP, on); });
    connect(chkHKGRP, &QCheckBox::clicked, this,
            [this](bool on) { m_selection.setChecked(SelectionModel::ChkHKGRP, on); });
    connect(chkHVArt, &QCheckBox::clicked, this,
            [this](bool on) { m_selection.setChecked(SelectionModel::ChkHVArt, on); });
    connect(cmdUebernehmenDetails, &QPushButton::clicked, this, &FMStart::fetchAndRefreshDetails);
    connect(cmdAusbeldenDetails, &QPushButton::clicked, this, [this] { mDetailsClick(1); });
}

QAction *FMStart::addItem(QMenu *menu, const QString &name, const QString &caption,
                          const QKeySequence &shortcut, bool checkable)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setCheckable(checkable);
    return action;
}

void FMStart::buildMenus()
{
    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mDatei"));
    m_fileMenu = datei;
    addItem(datei, QStringLiteral("mStandardDrucker"), QStringLiteral("Druckereinstellungen"));
    QAction *print = addItem(datei, QStringLiteral("mDrucken"), QStringLiteral("&Drucken"),
                             QKeySequence(Qt::CTRL | Qt::Key_P));
    m_printAction = print;
    datei->addSeparator();
    QAction *login = addItem(datei, QStringLiteral("mLogin"), QStringLiteral("&Login"));
    datei->addSeparator();
    QAction *quit = addItem(datei, QStringLiteral("Beenden"), QStringLiteral("&Beenden"));
    connect(print, &QAction::triggered, this,
            [this] { m_onPrint ? m_onPrint() : notAvailable(QStringLiteral("Drucken")); });
    connect(login, &QAction::triggered, this,
            [this] { m_onLogin ? m_onLogin() : notAvailable(QStringLiteral("Anmeldung")); });
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu *props = menuBar()->addMenu(QStringLiteral("&Eigenschaften"));
    props->setObjectName(QStringLiteral("mEigenschaften"));
    auto *datenGroup = new QActionGroup(this);
    const QString datenCaptions[2]
        = { QStringLiteral("Dateneingabe Anzeigen"), QStringLiteral("Dateneingabe Ausblenden") };
    const QKeySequence datenKeys[2] = { QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_F3) };
    for (int i = 0; i < 2; ++i) {
        mDaten[size_t(i)] = addItem(props, QStringLiteral("mDaten%1").arg(i), datenCaptions[i],
                                    datenKeys[i], true);
        datenGroup->addAction(mDaten[size_t(i)]);
        connect(mDaten[size_t(i)], &QAction::triggered, this, [this, i] { mDatenClick(i); });
    }

    QMenu *graph = menuBar()->addMenu(QStringLiteral("Darstellung Graph"));
    graph->setObjectName(QStringLiteral("mDarstellungGraph"));
    auto *graphGroup = new QActionGroup(this);
    const QString graphCaptions[4]
        = { QStringLiteral("bezogen auf Jahresmittel"),
            QStringLiteral("bezogen auf letztes Quartal"), QStringLiteral("Absolut"),
            QStringLiteral("DB in % von Umsatz") };
    for (int i = 0; i < 4; ++i) {
        mGraph[size_t(i)] = addItem(graph, QStringLiteral("mGraph%1").arg(i), graphCaptions[i],
                                    QKeySequence(Qt::Key_F6 + i), true);
        if (i < 3)
            graphGroup->addAction(mGraph[size_t(i)]);
        connect(mGraph[size_t(i)], &QAction::triggered, this, [this, i] { mGraphClick(i); });
    }

    QMenu *table = menuBar()->addMenu(QStringLiteral("Darstellung Tabelle"));
    table->setObjectName(QStringLiteral("mDarstellungTabelle"));
    auto *tableGroup = new QActionGroup(this);
    const QString tableCaptions[5]
        = { QStringLiteral("Werte Kumuliert"), QStringLiteral("Absolut"),
            QStringLiteral("% Bezogen auf"), QStringLiteral("% Bezogen auf"),
            QStringLiteral("Werte Graph") };
    const QKeySequence tableKeys[5]
        = { QKeySequence(Qt::CTRL | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_F7),
            QKeySequence(Qt::CTRL | Qt::Key_F8), QKeySequence(),
            QKeySequence(Qt::CTRL | Qt::Key_F9) };
    for (int i = 0; i < 5; ++i) {
        mTabelle[size_t(i)] = addItem(table, QStringLiteral("mTabelle%1").arg(i), tableCaptions[i],
                                      tableKeys[i], true);
        tableGroup->addAction(mTabelle[size_t(i)]);
        connect(mTabelle[size_t(i)], &QAction::triggered, this, [this, i] { mTabelleClick(i); });
    }

    QMenu *year = menuBar()->addMenu(QStringLiteral("Darstellung Jahr"));
    year->setObjectName(QStringLiteral("mDarstellungJahr"));
    auto *yearGroup = new QActionGroup(this);
    const QString yearCaptions[2]
        = { QStringLiteral("Kalenderjahr"), QStringLiteral("Wirtschaftsjahr") };
    const QKeySequence yearKeys[2]
        = { QKeySequence(Qt::CTRL | Qt::Key_K), QKeySequence(Qt::CTRL | Qt::Key_W) };
    for (int i = 0; i < 2; ++i) {
        mJahr[size_t(i)]
            = addItem(year, QStringLiteral("mJahr%1").arg(i), yearCaptions[i], yearKeys[i], true);
        yearGroup->addAction(mJahr[size_t(i)]);
        connect(mJahr[size_t(i)], &QAction::triggered, this, [this, i] { mJahrClick(i); });
    }
    year->addSeparator();
    mAuswahl
        = addItem(year, QStringLiteral("mAuswahl"), QStringLiteral("Erweiterte Auswahl"), {}, true);
    connect(mAuswahl, &QAction::triggered, this, &FMStart::toggleExtendedSelection);
    year->addSeparator();
    QAction *redraw = addItem(year, QStringLiteral("mNeuZeichnen"), QStringLiteral("Daten holen"),
                              QKeySequence(Qt::Key_F5));
    connect(redraw, &QAction::triggered, this, &FMStart::fetchAndRefreshDetails);

    QMenu *details = menuBar()->addMenu(QStringLiteral("Detai&ls"));
    details->setObjectName(QStringLiteral("mDetailsMenu"));
    auto *detailsGroup = new QActionGroup(this);
    mDetails[0] = addItem(details, QStringLiteral("mDetails0"), QStringLiteral("Details Anz&eigen"),
                          QKeySequence(Qt::CTRL | Qt::Key_D), true);
    mDetails[1] = addItem(details, QStringLiteral("mDetails1"),
                          QStringLiteral("Details &Ausbelden"), {}, true);
    for (int i = 0; i < 2; ++i) {
        detailsGroup->addAction(mDetails[size_t(i)]);
        connect(mDetails[size_t(i)], &QAction::triggered, this, [this, i] { mDetailsClick(i); });
    }

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mTools"));
    QAction *rebuild
        = addItem(tools, QStringLiteral("mGenerieren"), QStringLiteral("Daten &Generieren"),
                  QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(rebuild, &QAction::triggered, this, &FMStart::openRebuild);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("mHilfe"));
    QAction *about = addItem(help, QStringLiteral("HilfeUeber"), QStringLiteral("Hilfe &über ..."),
                             QKeySequence(Qt::Key_F1));
    QAction *history
        = addItem(help, QStringLiteral("mProgrammverlauf"), QStringLiteral("Programmverlauf"),
                  QKeySequence(Qt::CTRL | Qt::Key_F1));
    connect(about, &QAction::triggered, this, [this] {
        frmAbout box(m_prompter, this);
        box.exec();
    });
    connect(history, &QAction::triggered, this, [this] {
        m_onHistory ? m_onHistory() : notAvailable(QStringLiteral("Programmverlauf"));
    });

    syncDisplayChecks();
}

void FMStart::connectModel()
{
    for (int i = 0; i < SelectionModel::ListCount; ++i) {
        const auto list = SelectionModel::List(i);
        m_lists[size_t(i)]->setModel(m_selection.listModel(list));
        connect(m_lists[size_t(i)], &QComboBox::activated, this,
                [this, list](int index) { m_selection.choose(list, index); });
        syncCombo(list);
    }
    connect(&m_selection, &SelectionModel::itemsChanged, this, &FMStart::syncCombo);
    connect(&m_selection, &SelectionModel::currentChanged, this, &FMStart::syncCombo);
    connect(&m_selection, &SelectionModel::splitFlagsChanged, this, &FMStart::syncSplitChecks);
    connect(SFirma, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_selection.setFirma(text); });
    syncSplitChecks();
}

void FMStart::syncCombo(SelectionModel::List list)
{
    QComboBox *combo = m_lists[size_t(list)];
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(m_selection.currentIndex(list));
}

void FMStart::syncSplitChecks()
{
    const QSignalBlocker b1(chkUGRP), b2(chkHKGRP), b3(chkHVArt);
    chkUGRP->setChecked(m_selection.isChecked(SelectionModel::ChkUGRP));
    chkHKGRP->setChecked(m_selection.isChecked(SelectionModel::ChkHKGRP));
    chkHVArt->setChecked(m_selection.isChecked(SelectionModel::ChkHVArt));
}

void FMStart::syncDisplayChecks()
{
    if (m_display.graphMode >= 0 && m_display.graphMode < 3)
        mGraph[size_t(m_display.graphMode)]->setChecked(true);
    mGraph[3]->setChecked(m_display.dbPercent);
    if (m_display.tableMode >= 0 && m_display.tableMode < 5)
        mTabelle[size_t(m_display.tableMode)]->setChecked(true);
    mJahr[size_t(m_display.yearKind == DisplayState::BusinessYear)]->setChecked(true);
}

void FMStart::setPreview(QWidget *surface)
{
    if (!surface || surface == VSPrinter1)
        return;
    surface->setObjectName(QStringLiteral("VSPrinter1"));
    QWidget *old = VSPrinter1;
    ctSplit->replaceWidget(0, surface);
    VSPrinter1 = surface;
    old->deleteLater();
    updateLayout();
}

void FMStart::setLogger(PeriodFetch::Logger logger)
{
    m_logger = logger;
    m_fetch.setLogger(std::move(logger));
}

bool FMStart::startUp(std::function<bool()> login)
{
    StartUp startUp(m_server, m_prompter, m_clock, m_selection, m_display, *this);
    startUp.setLogin(std::move(login));
    const bool running = startUp.run();
    showFirma();
    return running;
}

bool FMStart::admitNewLogin()
{
    StartUp startUp(m_server, m_prompter, m_clock, m_selection, m_display, *this);
    if (!startUp.admitNewLogin())
        return false;
    setRestrictedItemsEnabled(!m_selection.rights().restricted);
    showFirma();
    if (m_extended.active())
        toggleExtendedSelection();
    m_totals.clear();
    m_breakdown.clear();
    Zeichnen();
    return true;
}

void FMStart::showFirma()
{
    const QSignalBlocker block(SFirma);
    SFirma->setText(m_selection.firma());
}

// --- display modes ---------------------------------------------------------

void FMStart::mGraphClick(int index)
{
    if (index == 3) {
        m_display.dbPercent = !m_display.dbPercent;
    } else if (index >= 0 && index < 3) {
        m_display.graphMode = index;
    }
    syncDisplayChecks();
    Zeichnen();
}

void FMStart::mTabelleClick(int index)
{
    if (index < 0 || index > 4)
        return;
    m_display.tableMode = index;
    syncDisplayChecks();
    Zeichnen();
}

void FMStart::mJahrClick(int index)
{
    if (index < 0 || index > 1)
        return;
    m_display.yearKind = index;
    syncDisplayChecks();
    Zeichnen();
}

void FMStart::optJahrClick(int index)
{
    m_display.detailPeriod = index;
}

void FMStart::optJahrMonatClick(int index)
{
    const bool months = index == 1;
    txtMonat->setEnabled(months);
    optJahr[2]->setEnabled(!months);
    if (months && m_display.detailPeriod == 2) {
        m_display.detailPeriod = 0;
        // The mark follows, so the options never show a period that is not used.
        optJahr[0]->setChecked(true);
    }
    m_display.valueKind = index;
}

// --- panels and layout -----------------------------------------------------

void FMStart::mDatenClick(int index)
{
    ctSize3->setVisible(index == 0);
    // "Einblenden" stands where "Ausblenden" stood, as wide as it.
    cmdEinblenden->setFixedWidth(cmdAusblenden->sizeHint().width());
    cmdEinblenden->setVisible(index == 1);
    mDaten[size_t(index == 1)]->setChecked(true);
    updateLayout();
}

void FMStart::mDetailsClick(int index)
{
    ctSize2->setVisible(index == 0);
    mDetails[size_t(index == 1)]->setChecked(true);
    updateLayout();
}

int FMStart::twipsToPixels(int twips) const
{
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    return qRound(twips * dpi / 1440.0);
}

void FMStart::updateLayout()
{
    if (isMinimized() || !ctSplit)
        return;
    if (!ctSize2->isHidden()) {
        // The pane is 3735 twips wide, or as wide as its table needs, up to half the splitter.
        const int total = ctSplit->width() - ctSplit->handleWidth();
        const int details
            = qMin(qMax(twipsToPixels(detailsWidthTwips), m_detailsWidth), qMax(0, total / 2));
        ctSplit->setSizes({ qMax(0, total - details), details });
        resizeListColumns();
    }
}

void FMStart::resizeListColumns()
{
    // The amount columns share the list's width, each at least as wide as its
    // longest text, so that no amount is cut.
    const int columns = m_sortedDetails->columnCount();
    if (columns < 2)
        return;
    const int first = qMax(contentWidth(ctList, 0), 25 * 3);
    ctList->setColumnWidth(0, first);
    const int share = (ctList->viewport()->width() - qMax(first, 50)) / (columns - 1);
    for (int c = 1; c < columns; ++c)
        ctList->setColumnWidth(c, qMax(contentWidth(ctList, c), share));
}

void FMStart::fitDetailsToTable()
{
    // Room for the group column and equal amount columns as wide as the widest amount.
    const int columns = m_sortedDetails->columnCount();
    int widest = 0;
    for (int c = 1; c < columns; ++c)
        widest = qMax(widest, contentWidth(ctList, c));
    int needed = qMax(contentWidth(ctList, 0), 25 * 3) + widest * qMax(0, columns - 1);
    const QMargins frame = frDetails->contentsMargins();
    needed += ctList->frameWidth() * 2 + ctList->verticalScrollBar()->sizeHint().width()
        + frame.left() + frame.right() + 24;
    m_detailsWidth = needed;
    updateLayout();
}

bool FMStart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && ctList && watched == ctList->viewport())
        resizeListColumns();
    return QMainWindow::eventFilter(watched, event);
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

// --- fetch and redraw ------------------------------------------------------

bool FMStart::fetchData()
{
    if (m_fetching)
        return false;
    m_fetching = true;
    m_progress->setValue(0);
    m_progress->show();
    const PeriodFetch::Outcome outcome = m_fetch.run(m_selection, m_extended, m_totals);
    m_progress->hide();
    statusBar()->clearMessage();
    m_fetching = false;
    if (outcome != PeriodFetch::Outcome::Fetched)
        return false;
    Zeichnen();
    return true;
}

void FMStart::fetchAndRefreshDetails()
{
    if (fetchData() && !ctSize2->isHidden())
        refreshDetails();
}

void FMStart::createMonthInput()
{
    QString error;
    txtMonat = m_monthInput.create(ctSize3, MonthInput::bundledLibraryPath(), &error);
    if (!txtMonat) {
        // Without the Orvel library the program still runs; month values then use the
        // current month.
        qWarning("Ertragon: month input unavailable: %s", qPrintable(error));
        txtMonat = new QWidget(ctSize3);
        txtMonat->setObjectName(QStringLiteral("txtMonat"));
    }
    m_monthInput.setMonth(m_clock.now().date().month());
    txtMonat->setEnabled(false);
}

int FMStart::chosenMonth() const
{
    if (!m_monthInput.widget())
        return m_clock.now().date().month();
    return m_monthInput.month();
}

void FMStart::refreshDetails()
{
    if (m_display.valueKind == 1 && (chosenMonth() < 1 || chosenMonth() > 12)) {
        m_prompter.inform(Prompter::Icon::Warning, QStringLiteral("Fehlermeldung"),
                          QStringLiteral("Bitte einen Monat von 1 bis 12 eingeben."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto table = m_details.run(m_selection, m_display, m_clock.now().date(), chosenMonth());
    QApplication::restoreOverrideCursor();
    if (!table)
        return;
    ctList->setSortingEnabled(false);
    m_breakdown.setTable(*table);
    ctList->setSortingEnabled(true);
    ctList->sortByColumn(-1, Qt::AscendingOrder);
    fitDetailsToTable();
}

QString FMStart::selectedRowsText() const
{
    QList<int> rows;
    for (int row = 0; row < m_sortedDetails->rowCount(); ++row) {
        if (ctList->selectionModel()->isRowSelected(row))
            rows << row;
    }
    return BreakdownTable::rowsText(*m_sortedDetails, rows);
}

void FMStart::showProgress(int done, int total)
{
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    statusBar()->showMessage(
        QStringLiteral("Datenabfrage: %1 von %2 Perioden").arg(done).arg(total));
    // Keeps the window painting during long fetches; user input waits until the end.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FMStart::Zeichnen()
{
    if (m_redraw)
        m_redraw(buildReportData(m_totals, m_display, m_selection, m_extended, m_server.context(),
                                 m_clock.now()));
}

// --- other windows ---------------------------------------------------------

void FMStart::notAvailable(const QString &window)
{
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
    if (m_extended.active()) {
        m_extended.close();
        mAuswahl->setChecked(false);
        if (m_auswahl)
            m_auswahl->hide();
        return;
    }
    m_extended.open(m_server, m_selection.fetchSelection().company,
                    m_selection.code(SelectionModel::SHVArt));
    if (!m_auswahl) {
        m_auswahl = new frmAuswahlDetail(m_extended, this);
        m_auswahl->setFetch([this] { fetchData(); });
        // Closing the dialog runs the menu handler, which unchecks the item.
        m_auswahl->setClosed([this] {
            if (m_extended.active())
                toggleExtendedSelection();
        });
    }
    m_auswahl->refresh();
    m_auswahl->show();
    m_auswahl->raise();
    mAuswahl->setChecked(true);
}

void FMStart::openRebuild()
{
    DataRebuild rebuild(m_server, m_clock);
    rebuild.setLogger(m_logger);
    frmNeueDaten dialog(rebuild, m_prompter, this);
    dialog.prepare();
    dialog.exec();
}

void FMStart::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    m_closing = true;
    m_server.Disconnect();
    event->accept();
    m_server.ShutdownProgram();
}

// --- start-up view ---------------------------------------------------------

void FMStart::showSplash()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!m_splash)
        m_splash = new Splash;
    m_splash->show();
    m_splash->repaint();
}

void FMStart::setStatus(const QString &text)
{
    if (m_splash)
        m_splash->setStatus(text);
}

void FMStart::closeSplash()
{
    if (m_splash)
        m_splash->deleteLater();
}

void FMStart::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void FMStart::preparePreview()
{
    if (m_preparePreview)
        m_preparePreview();
}

void FMStart::scaleLayout()
{
    // The grid layout of the selection panel scales the label columns with the
    // window width; nothing to place by hand.
    updateLayout();
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

void FMStart::disableRestrictedItems()
{
    setRestrictedItemsEnabled(false);
}

void FMStart::setRestrictedItemsEnabled(bool enabled)
{
    m_lists[SelectionModel::SPCNR]->setEnabled(enabled);
    mGraph[1]->setEnabled(enabled);
    mTabelle[3]->setEnabled(enabled);
    mAuswahl->setEnabled(enabled);
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
