#include "CNumCtrl.h"
#include "StatusTarget.h"
#include "ToolTipModel.h"
#include "ToolTipWindow.h"
#include "comctl/HostSite.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>

using namespace orvel;

class TestToolTipStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timing_data();
    void timing();
    void placement_data();
    void placement();
    void tipOnTheControl();
    void cancelledTipFiresNoEnd();
    void inactiveFormShowsNoTip();
    void statusTextSavedAndRestored();
    void statusNamesAndCancel();
};

void TestToolTipStatus::timing_data()
{
    // Script per tick: "o" over the tool, "-" over none, "b" over with a button held,
    // "x" over the tool with a show declined, "m" a pointer move before the tick. Result:
    // the tick numbers (1-based) of Show, Declined show and Hide.
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("actions");
    QTest::newRow("delay 750 shows at 800 ms") << 750 << 5000 << "oooooooooo"
                                               << "S8";
    QTest::newRow("delay rounds up to ticks") << 100 << 5000 << "oo"
                                              << "S1";
    QTest::newRow("button held waits") << 200 << 5000 << "bbbboo"
                                       << "S6";
    QTest::newRow("move restarts the delay") << 300 << 5000 << "oomooo"
                                             << "S5";
    QTest::newRow("timeout hides and blocks") << 100 << 300 << "oooooooo"
                                              << "S1 H4";
    QTest::newRow("no timeout keeps it") << 100 << 0 << QString(80, u'o') << "S1";
    QTest::newRow("leaving hides") << 100 << 0 << "oo-"
                                   << "S1 H3";
    QTest::newRow("back after timeout shows again quickly") << 100 << 200 << "ooo-o"
                                                            << "S1 H3 S5";
    QTest::newRow("declined: once per rest of the pointer") << 100 << 5000 << "xxxm-xx"
                                                            << "D1 D5";
}

void TestToolTipStatus::timing()
{
    QFETCH(int, delay);
    QFETCH(int, timeout);
    QFETCH(QString, script);
    ToolTipModel model;
    const ToolTipModel::Settings settings { delay, timeout };
    QStringList actions;
    int tick = 0;
    for (const QChar c : script) {
        if (c == u'm') {
            model.pointerMoved();
            continue;
        }
        ++tick;
        const auto action = model.tick(c == u'-' ? -1 : 0, c == u'b', settings);
        if (action == ToolTipModel::Action::Show && c == u'x') {
            model.declined();
            actions << QStringLiteral("D%1").arg(tick);
        } else if (action == ToolTipModel::Action::Show) {
            model.shown();
            actions << QStringLiteral("S%1").arg(tick);
        } else if (action == ToolTipModel::Action::Hide) {
            actions << QStringLiteral("H%1").arg(tick);
        }
    }
    QTEST(actions.join(u' '), "actions");
}

void TestToolTipStatus::placement_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("below the pointer") << QPoint(100, 100) << QRect(100, 116, 60, 20);
    QTest::newRow("right edge") << QPoint(1250, 100) << QRect(1220, 116, 60, 20);
    QTest::newRow("bottom edge: above the tool") << QPoint(100, 1000) << QRect(100, 970, 60, 20);
}

void TestToolTipStatus::placement()
{
    QFETCH(QPoint, pointer);
    QTEST(ToolTipWindow::placement(pointer, QSize(60, 20), QRect(0, 0, 1280, 1024), 990),
          "expected");
}

namespace {

struct TipForm
{
    TipForm()
    {
        auto *layout = new QVBoxLayout(&window);
        ctl = new CNumCtrl(&window);
        ctl->setSite(&site);
        ctl->initNew();
        ctl->setPointerSource([] { return true; });
        layout->addWidget(ctl);
        QObject::connect(ctl, &comctl::ComControl::eventRaised,
                         [this](const QString &name, QVariantList &) { events << name; });
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            ctl->toolTipTick();
    }
    QStringList events;
    comctl::HostSite site;
    QWidget window;
    CNumCtrl *ctl = nullptr;
};

} // namespace

void TestToolTipStatus::tipOnTheControl()
{
    TipForm f;
    QVERIFY(f.ctl->put("ToolTipText", "Monat 1 bis 12").ok());
    QVERIFY(f.ctl->put("ToolTipDelay", 300).ok());
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QVERIFY(f.ctl->toolTipWindow());
    f.ticks(2);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
    f.ticks(1);
    QVERIFY(f.ctl->toolTipWindow()->isVisible());
    QCOMPARE(f.ctl->toolTipWindow()->text(), QStringLiteral("Monat 1 bis 12"));
    QCOMPARE(f.events.count("ToolTipBegin"), 1);
    // Any mouse activity hides the tip and blocks it while the pointer stays.
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&f.window, &move);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
    QCOMPARE(f.events.count("ToolTipEnd"), 1);
    f.ticks(10);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
    QVERIFY(f.ctl->toolTipModel().blocked());
    // With the calculator open the tool has no text.
    f.ctl->setPointerSource([] { return false; });
    f.ticks(1);
    f.ctl->setPointerSource([] { return true; });
    f.ctl->openCalculator();
    f.ticks(5);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
}

void TestToolTipStatus::cancelledTipFiresNoEnd()
{
    TipForm f;
    QVERIFY(f.ctl->put("ToolTipText", "Hinweis").ok());
    QVERIFY(f.ctl->put("ToolTipDelay", 100).ok());
    connect(f.ctl, &CNumCtrl::ToolTipBegin, f.ctl, [](qint16 &cancel) { cancel = -1; });
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.ticks(3);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
    QCOMPARE(f.events.count("ToolTipBegin"), 1); // asked once while the pointer rests
    f.ctl->setPointerSource([] { return false; });
    f.ticks(2);
    QCOMPARE(f.events.count("ToolTipEnd"), 0);
    // No text (the default): one ToolTipBegin for each rest of the pointer, not a stream.
    QVERIFY(f.ctl->put("ToolTipText", "").ok());
    f.ctl->setPointerSource([] { return true; });
    f.ticks(5);
    QCOMPARE(f.events.count("ToolTipBegin"), 2);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
}

void TestToolTipStatus::inactiveFormShowsNoTip()
{
    TipForm f;
    QVERIFY(f.ctl->put("ToolTipText", "Hinweis").ok());
    QVERIFY(f.ctl->put("ToolTipDelay", 100).ok());
    f.window.show();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    f.ticks(5);
    QVERIFY(!f.ctl->toolTipWindow()->isVisible());
    QVERIFY(f.events.isEmpty());
}

void TestToolTipStatus::statusTextSavedAndRestored()
{
    comctl::HostSite site;
    QMainWindow main;
    auto *central = new QWidget(&main);
    auto *layout = new QVBoxLayout(central);
    auto *ctl = new CNumCtrl(central);
    ctl->setSite(&site);
    ctl->initNew();
    auto *other = new QLineEdit(central);
    layout->addWidget(ctl);
    layout->addWidget(other);
    main.setCentralWidget(central);
    main.statusBar()->setObjectName("sbStatus");
    main.statusBar()->showMessage("Bereit");
    QVERIFY(ctl->put("StatusBarControlName", "sbStatus").ok());
    QVERIFY(ctl->put("StatusBarText", "Monat eingeben").ok());
    QStringList updates;
    connect(ctl, &CNumCtrl::StatusBarUpdate, ctl,
            [&updates](qint16 restore, QString &text, qint16 &) {
                updates << QStringLiteral("%1:%2").arg(restore).arg(text);
            });
    other->setFocus();
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    ctl->setFocus();
    QTRY_VERIFY(ctl->hasFocus());
    QCOMPARE(main.statusBar()->currentMessage(), QStringLiteral("Monat eingeben"));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(main.statusBar()->currentMessage(), QStringLiteral("Bereit"));
    QCOMPARE(updates.join(u"/"), QStringLiteral("1:Monat eingeben/0:Bereit"));
    // A restore text of its own replaces the saved one.
    QVERIFY(ctl->put("StatusBarRestoreText", "Fertig").ok());
    ctl->setFocus();
    QTRY_VERIFY(ctl->hasFocus());
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(main.statusBar()->currentMessage(), QStringLiteral("Fertig"));
}

void TestToolTipStatus::statusNamesAndCancel()
{
    QWidget form;
    auto *panel1 = new QLabel("eins", &form);
    auto *panel2 = new QLabel("zwei", &form);
    panel1->setObjectName("Panel");
    panel1->setProperty("index", 1);
    panel2->setObjectName("Panel");
    panel2->setProperty("index", 2);
    auto *plain = new QLabel("x", &form);
    plain->setObjectName("Panel");
    plain->setProperty("index", -1);
    const QList<QObject *> all { panel1, panel2, plain };
    QCOMPARE(StatusTarget::nameOf(panel2), QStringLiteral("Panel(2)"));
    QCOMPARE(StatusTarget::find(all, "Panel(2)", nullptr), panel2);
    QCOMPARE(StatusTarget::find(all, "Panel", nullptr), plain);
    QCOMPARE(StatusTarget::find(all, "panel(2)", nullptr), nullptr); // case-sensitive

    comctl::HostSite site;
    auto *ctl = new CNumCtrl(&form);
    ctl->setSite(&site);
    ctl->initNew();
    QVERIFY(ctl->put("StatusBarPropName", "text").ok());
    QVERIFY(ctl->put("StatusBarText", "Hilfe").ok());
    QVERIFY(ctl->put("StatusBarControlName", "Panel(2)").ok());
    QCOMPARE(ctl->statusObject(), panel2);
    ctl->updateStatusText(true);
    QCOMPARE(panel2->text(), QStringLiteral("Hilfe"));
    connect(ctl, &CNumCtrl::StatusBarUpdate, ctl,
            [](qint16, QString &, qint16 &cancel) { cancel = -1; });
    ctl->updateStatusText(false);
    QCOMPARE(panel2->text(), QStringLiteral("Hilfe"));
    QCOMPARE(ctl->put("StatusBarControl", 3).error.number(), 380);
}

QTEST_MAIN(TestToolTipStatus)
#include "tst_tooltipstatus.moc"
