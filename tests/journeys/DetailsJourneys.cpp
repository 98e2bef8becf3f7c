// The rest of the window as a user meets it: the details breakdown with its
// month input, the panels, the extended selection, the rebuild, the history
// and the about box; Qt's own texts in German; a window that fits the screen.

#include "FMStart.h"
#include "JourneyRig.h"
#include "ProgramHistory.h"
#include "ServerSession.h"
#include "comctl/ComControl.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

using namespace journey;

namespace {

template<typename T> T *child(ertragon::FMStart &window, const char *name)
{
    return window.findChild<T *>(QString::fromUtf8(name));
}

// True when every column of the list is at least as wide as its longest text and heading.
bool columnsShowTheirTexts(const QTreeView *list)
{
    for (int c = 0; c < list->model()->columnCount(); ++c) {
        const QAbstractItemView *view = list;
        const int needed = qMax(list->header()->sectionSizeHint(c), view->sizeHintForColumn(c));
        if (list->columnWidth(c) < needed)
            return false;
    }
    return true;
}

// Notes whether a widget of the given name was ever shown.
class ShowWatcher final : public QObject
{
public:
    explicit ShowWatcher(const QString &name)
        : m_name(name)
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == m_name)
            shown = true;
        return false;
    }
    bool shown = false;

private:
    QString m_name;
};

} // namespace

class DetailsJourneys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void windowFitsTheScreen();
    void qtTextsAreGerman();
    void panelsHideAndShow();
    void detailsTable();
    void monthInputTakesATypedMonth();
    void extendedSelection_data();
    void extendedSelection();
    void rebuildShowsItsBusyIndicator();
    void historyColumnsAreReadable();
    void aboutBox();

private:
    std::unique_ptr<Run> m_run;
};

void DetailsJourneys::initTestCase()
{
    m_run = std::make_unique<Run>(QStringList { "1", "0", "DEM", "demo", demoStore() });
    QVERIFY(m_run->startAndShow());
}

void DetailsJourneys::cleanupTestCase()
{
    m_run.reset();
}

void DetailsJourneys::windowFitsTheScreen()
{
    const QRect screen = m_run->window().screen()->availableGeometry();

    const QRect window = m_run->window().frameGeometry();
    QVERIFY2(window.width() <= screen.width() && window.height() <= screen.height(),
             qPrintable(QStringLiteral("%1x%2 on %3x%4")
                            .arg(window.width())
                            .arg(window.height())
                            .arg(screen.width())
                            .arg(screen.height())));
}

void DetailsJourneys::qtTextsAreGerman()
{
    // The buttons under "(JA)/(NEIN)" and the print dialog speak German.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Drucken"));
}

void DetailsJourneys::panelsHideAndShow()
{
    auto *panel = child<QWidget>(m_run->window(), "ctSize3");
    auto *showAgain = child<QPushButton>(m_run->window(), "cmdEinblenden");
    m_run->press(Qt::Key_F3);
    QVERIFY(panel->isHidden());
    QVERIFY(showAgain->isVisible());
    QVERIFY(m_run->action(QStringLiteral("mDaten1"))->isChecked());
    m_run->press(Qt::Key_F2);
    QVERIFY(panel->isVisible());
    QVERIFY(showAgain->isHidden());
    QVERIFY(m_run->action(QStringLiteral("mDaten0"))->isChecked());
}

void DetailsJourneys::detailsTable()
{
    ertragon::FMStart &window = m_run->window();
    window.resize(1600, 900);
    auto *details = child<QGroupBox>(window, "frDetails");
    auto *list = child<QTreeView>(window, "ctList");
    m_run->press(QKeySequence(Qt::CTRL | Qt::Key_D));
    QVERIFY(details->isVisible());
    // F5 with the details shown fetches and fills the breakdown; "No" means by main department.
    m_run->press(Qt::Key_F5);
    QVERIFY(m_run->prompter.saw(QStringLiteral("Wollen Sie nach Profitcenter aufteilen? (JA)")));
    QVERIFY(list->model()->rowCount() > 1);
    QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("P Umsatz"));
    QVERIFY(columnsShowTheirTexts(list));
    // The units carry their names; the total stays on top whichever way a column sorts.
    const QString unit = list->model()->index(1, 0).data().toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\S+ \\S")).match(unit).hasMatch(),
             qPrintable(unit));
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {},
                          QPoint(list->header()->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("Gesamt"));
    }
    // Another year option marks the list as belonging to the old periods until F5.
    child<QRadioButton>(window, "optJahr1")->click();
    QVERIFY(details->title().contains(QStringLiteral("andere Perioden")));
    child<QRadioButton>(window, "optJahr0")->click();
    QCOMPARE(details->title(), QStringLiteral(" Details "));
    child<QRadioButton>(window, "optJahr2")->click();
    QVERIFY(details->title().contains(QStringLiteral("andere Perioden")));
    m_run->press(Qt::Key_F5);
    QCOMPARE(details->title(), QStringLiteral(" Details "));
    QVERIFY(details->width() > 249);
    QVERIFY2(list->viewport()->width() >= list->header()->length(),
             qPrintable(QStringLiteral("%1 < %2, pane %3")
                            .arg(list->viewport()->width())
                            .arg(list->header()->length())
                            .arg(details->width())
                        + QString::number(window.width())));

    m_run->chooseFromMenu(QStringLiteral("mDetails1"));
    QVERIFY(!details->isVisible());
    QVERIFY(m_run->action(QStringLiteral("mDetails1"))->isChecked());
    window.resize(800, 600);
}

void DetailsJourneys::monthInputTakesATypedMonth()
{
    ertragon::FMStart &window = m_run->window();
    m_run->press(QKeySequence(Qt::CTRL | Qt::Key_D));
    auto *months = child<QRadioButton>(window, "optJahrMonat1");
    QTest::mouseClick(months, Qt::LeftButton);
    // The control comes from the Orvel library, which has its own copy of the
    // component layer, so it is reached the way the program reaches it.
    auto *input = static_cast<comctl::ComControl *>(child<QWidget>(window, "txtMonat"));
    QVERIFY(input->isEnabled());
    auto *label = child<QLabel>(window, "lblMonat");
    QCOMPARE(label->text(), QStringLiteral("Monat:"));
    QCOMPARE(label->buddy(), input);

    const auto clickAndType = [&](const QString &text) {
        QTest::mouseClick(input, Qt::LeftButton, {}, input->rect().center());
        QTRY_VERIFY(input->hasFocus());
        QTest::qWait(20); // the selection follows the click
        QTest::keyClicks(input, text);
        child<QPushButton>(window, "cmdÜbernehmenDetails")->setFocus();
    };
    clickAndType(QStringLiteral("12"));
    QCOMPARE(input->get(QStringLiteral("Value")).value.toInt(), 12);
    // Clicking into "12" and typing 5 replaces the month.
    clickAndType(QStringLiteral("5"));
    QCOMPARE(input->get(QStringLiteral("Value")).value.toInt(), 5);
    QTest::mouseClick(child<QRadioButton>(window, "optJahrMonat0"), Qt::LeftButton);
    // The three-year mean, then month values: one year option and one kind stay chosen.
    child<QRadioButton>(window, "optJahr2")->click();
    QTest::mouseClick(months, Qt::LeftButton);
    QVERIFY(child<QRadioButton>(window, "optJahr0")->isChecked());
    QVERIFY(!child<QRadioButton>(window, "optJahr2")->isEnabled());
    QTest::mouseClick(child<QRadioButton>(window, "optJahrMonat0"), Qt::LeftButton);
    for (const char *name : { "optJahr0", "optJahr1", "optJahr2", "optJahrMonat0" })
        QCOMPARE(child<QRadioButton>(window, name)->isChecked(),
                 name == QByteArray("optJahr0") || name == QByteArray("optJahrMonat0"));
    m_run->chooseFromMenu(QStringLiteral("mDetails1"));
}

void DetailsJourneys::extendedSelection_data()
{
    QTest::addColumn<QString>("leaveBy"); // "OK", "Escape" or "Beenden"
    QTest::addColumn<bool>("extendedFetch");
    QTest::newRow("DatenHolen fetches with the extended selection") << "OK" << true;
    QTest::newRow("Escape switches it off") << "Escape" << false;
    QTest::newRow("Beenden switches it off") << "Beenden" << false;
}

void DetailsJourneys::extendedSelection()
{
    QFETCH(QString, leaveBy);
    QFETCH(bool, extendedFetch);
    QAction *item = m_run->action(QStringLiteral("mAuswahl"));
    m_run->chooseFromMenu(QStringLiteral("mAuswahl"));
    QVERIFY(item->isChecked());
    QWidget *dialog = nullptr;
    QTRY_VERIFY((dialog = qApp->activeWindow()) && dialog->objectName() == "frmAuswahlDetail");
    if (leaveBy == QLatin1String("OK")) {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")),
                          Qt::LeftButton);
    } else {
        if (leaveBy == QLatin1String("Escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CancelButton")),
                              Qt::LeftButton);
        QTRY_VERIFY(!dialog->isVisible());
        QVERIFY(!item->isChecked());
        QApplication::setActiveWindow(&m_run->window());
        m_run->press(Qt::Key_F5);
    }
    QCOMPARE(!m_run->pageTexts().filter(QStringLiteral("STyp:A Alle")).isEmpty(), extendedFetch);
    if (item->isChecked()) {
        m_run->chooseFromMenu(QStringLiteral("mAuswahl"));
        QVERIFY(!item->isChecked());
    }
}

void DetailsJourneys::rebuildShowsItsBusyIndicator()
{
    ShowWatcher indicator(QStringLiteral("RebuildProgress"));
    QString from, to;
    whenModal([&](QWidget *dialog) {
        from = dialog->findChild<QLineEdit *>(QStringLiteral("edtVon"))->text();
        to = dialog->findChild<QLineEdit *>(QStringLiteral("edtBis"))->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")),
                          Qt::LeftButton);
    });
    m_run->press(QKeySequence(Qt::CTRL | Qt::Key_G));
    QCOMPARE(from, QStringLiteral("10501"));
    QCOMPARE(to, QStringLiteral("10502"));
    QVERIFY(indicator.shown);
    QVERIFY(
        m_run->prompter.saw(QStringLiteral("Daten Holen für Periode 10501 bis 10502 erledigt!")));
}

void DetailsJourneys::historyColumnsAreReadable()
{
    m_run->press(Qt::Key_F5);
    m_run->press(QKeySequence(Qt::CTRL | Qt::Key_F1));
    QWidget *history = m_run->program().history().window();
    QVERIFY(history && history->isVisible());
    auto *list = history->findChild<QTreeWidget *>(QStringLiteral("Verlauf"));
    QVERIFY(list->topLevelItemCount() >= 60 + today().month());
    const QFontMetrics metrics = list->fontMetrics();
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            QVERIFY2(list->columnWidth(c)
                         >= metrics.horizontalAdvance(list->topLevelItem(i)->text(c)),
                     qPrintable(list->topLevelItem(i)->text(c)));
    }
    // Whole on the screen, and Escape closes it (the lines stay).
    QVERIFY(history->screen()->availableGeometry().contains(history->geometry()));
    // Escape goes to the active window, as the window system makes a window just opened.
    history->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(history));
    QTest::keyClick(history, Qt::Key_Escape);
    QVERIFY(!history->isVisible());
    QVERIFY(list->topLevelItemCount() >= 60 + today().month());
}

void DetailsJourneys::aboutBox()
{
    QString caption;
    whenModal([&](QWidget *about) {
        caption = about->windowTitle();
        about->close();
    });
    m_run->press(Qt::Key_F1);
    QVERIFY2(caption.startsWith(QStringLiteral("Info zu ")), qPrintable(caption));
}

QObject *makeDetailsJourneys()
{
    return new DetailsJourneys;
}

#include "DetailsJourneys.moc"
