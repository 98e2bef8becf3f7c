#include "ButtonStrip.h"
#include "CNumCtrl.h"
#include "FixedLocaleInfo.h"
#include "comctl/HostSite.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

using namespace orvel;

namespace {

struct Form
{
    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        ctl = new CNumCtrl(&window);
        other = new QLineEdit(&window);
        ctl->setSite(&site);
        ctl->setLocaleInfo(&english);
        ctl->initNew();
        ctl->setTickSource([this] { return now; });
        ctl->setLeftButtonSource([this] { return leftDown; });
        layout->addWidget(ctl);
        layout->addWidget(other);
        window.resize(240, 100);
        window.show();
        window.activateWindow();
        QObject::connect(
            ctl, &comctl::ComControl::eventRaised, [this](const QString &name, QVariantList &args) {
                events << (args.isEmpty() ? name : name + u':' + args.first().toString());
            });
    }
    bool ready()
    {
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        ctl->setFocus();
        return QTest::qWaitFor([this] { return ctl->hasFocus(); });
    }
    int count(const QString &event) const { return int(events.count(event)); }
    QPoint centreOf(ButtonStrip::Part part) const
    {
        return ctl->buttonStrip().rectOf(part).center();
    }

    // Declared before the window, which the control may still notify while it goes.
    QStringList events;
    qint64 now = 1000;
    bool leftDown = false;
    comctl::HostSite site;
    FixedLocaleInfo english = FixedLocaleInfo::englishLike();
    QWidget window;
    CNumCtrl *ctl = nullptr;
    QLineEdit *other = nullptr;
};

void type(QWidget *w, const QString &keys)
{
    for (const QChar c : keys)
        QTest::keyClick(w, c.toLatin1());
}

} // namespace

class TestCNumCtrlPopups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void calculatorByKeys_data();
    void calculatorByKeys();
    void escapeClosesWithoutTransfer();
    void calcButtonClickOnlyFires();
    void lostFocusTransfers();
    void clickOnCalculatorButtons();
    void placement_data();
    void placement();
    void calculatorGrid();
    void stripGeometry_data();
    void stripGeometry();
    void ellipsisClick();
    void doubleClicks();
    void spinAutoRepeat();
    void lockedSpinPressesButDoesNotSpin();
};

void TestCNumCtrlPopups::calculatorByKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("text");
    QTest::newRow("chained") << "2+3*4="
                             << "20"
                             << "20";
    QTest::newRow("enter evaluates") << "7*6"
                                     << "42"
                                     << "42";
    QTest::newRow("cut to places, rounded down") << "2/3="
                                                 << "0.666666666666"
                                                 << "0.66";
    QTest::newRow("error keeps the value") << "1/0="
                                           << "ERROR"
                                           << "5";
}

void TestCNumCtrlPopups::calculatorByKeys()
{
    QFETCH(QString, keys);
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("DataType", 4).ok());
    QVERIFY(f.ctl->put("MaskDecimalPlaces", 2).ok());
    QVERIFY(f.ctl->put("Text", "5").ok());
    QTest::keyClick(f.ctl, Qt::Key_F4);
    QVERIFY(f.ctl->get("CalcVisible").value.toBool());
    QVERIFY(f.ctl->calculator()->isVisible());
    QCOMPARE(f.count("DropDown"), 1);
    QCOMPARE(f.ctl->get("CalcDispText").value.toString(), QStringLiteral("5"));
    type(f.ctl, keys);
    if (!keys.endsWith(u'='))
        QTest::keyClick(f.ctl, Qt::Key_Return);
    else
        QTEST(f.ctl->get("CalcDispText").value.toString(), "display");
    if (f.ctl->calculatorOpen())
        QTest::keyClick(f.ctl, Qt::Key_Return);
    QVERIFY(!f.ctl->get("CalcVisible").value.toBool());
    QCOMPARE(f.count("CloseUp"), 1);
    QTEST(f.ctl->get("Text").value.toString(), "text");
    QVERIFY(f.ctl->hasFocus());
}

void TestCNumCtrlPopups::escapeClosesWithoutTransfer()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("Text", "5").ok());
    QTest::keyClick(f.ctl, Qt::Key_F4);
    type(f.ctl, "9+1=");
    QCOMPARE(f.ctl->get("CalcDispText").value.toString(), QStringLiteral("10"));
    QTest::keyClick(f.ctl, Qt::Key_Escape);
    QVERIFY(!f.ctl->calculatorOpen());
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("5"));
    QVERIFY(f.ctl->put("CalcDropDown", false).ok());
    QTest::keyClick(f.ctl, Qt::Key_F4);
    QVERIFY(!f.ctl->calculatorOpen());
}

void TestCNumCtrlPopups::calcButtonClickOnlyFires()
{
    Form f;
    QVERIFY(f.ready());
    QTest::keyClick(f.ctl, Qt::Key_F4);
    type(f.ctl, "2");
    QVERIFY(f.ctl->invoke("DoCalcBtnClick", { 17 }).ok());
    QCOMPARE(f.count("CalcBtnClick:17"), 1);
    QCOMPARE(f.ctl->calculator()->engine().pendingOperator(), -1);
    QCOMPARE(f.count("CalcBtnClick:2"), 1);
    // In the error state only Clear acts (and fires).
    type(f.ctl, "/0=");
    f.events.clear();
    type(f.ctl, "5+");
    QVERIFY(f.events.filter(QStringLiteral("CalcBtnClick")).isEmpty());
    QVERIFY(f.ctl->put("CalcErrorText", "Fehler").ok());
    QCOMPARE(f.ctl->calculator()->displayText(), QStringLiteral("Fehler"));
    QTest::keyClick(f.ctl, Qt::Key_Delete);
    QCOMPARE(f.count("CalcBtnClick:14"), 1);
}

void TestCNumCtrlPopups::lostFocusTransfers()
{
    Form f;
    QVERIFY(f.ready());
    QTest::keyClick(f.ctl, Qt::Key_F4);
    // The offscreen platform activates the shown calculator; the form takes it back.
    QTest::qWait(20);
    QTRY_VERIFY(f.ctl->hasFocus());
    type(f.ctl, "8*2");
    f.other->setFocus();
    QTRY_VERIFY(!f.ctl->calculatorOpen());
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("16"));
}

void TestCNumCtrlPopups::clickOnCalculatorButtons()
{
    Form f;
    QVERIFY(f.ready());
    QTest::mouseClick(f.ctl, Qt::LeftButton, {}, f.centreOf(ButtonStrip::DropDown));
    QVERIFY(f.ctl->calculatorOpen());
    CalculatorPopup *calc = f.ctl->calculator();
    QCOMPARE(calc->size(), QSize(150, 150));
    const auto click = [calc](int type) {
        QTest::mouseClick(calc, Qt::LeftButton, {},
                          CalculatorPopup::buttonRect(calc->size(), type).center());
    };
    click(3);
    click(CalcBtnAdd);
    click(4);
    // Pressed on one button and released over another: nothing.
    QTest::mousePress(calc, Qt::LeftButton, {},
                      CalculatorPopup::buttonRect(calc->size(), 9).center());
    QTest::mouseRelease(calc, Qt::LeftButton, {},
                        CalculatorPopup::buttonRect(calc->size(), 8).center());
    QCOMPARE(calc->displayText(), QStringLiteral("4"));
    click(CalcBtnEqual);
    QCOMPARE(calc->displayText(), QStringLiteral("7"));
    // A click outside the calculator closes it and transfers.
    QTest::mouseClick(f.other, Qt::LeftButton);
    QTRY_VERIFY(!f.ctl->calculatorOpen());
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("7"));
}

void TestCNumCtrlPopups::placement_data()
{
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QRect>("expected");
    // Edges as the platform counts them: one pixel of gap below the control's bottom.
    const QSize size(150, 150);
    QTest::newRow("below") << QRect(100, 100, 80, 20) << QRect(QPoint(100, 121), size);
    QTest::newRow("above at the bottom")
        << QRect(100, 900, 80, 20) << QRect(QPoint(100, 749), size);
    QTest::newRow("neither fits: below")
        << QRect(100, 100, 80, 900) << QRect(QPoint(100, 1001), size);
    QTest::newRow("right edge") << QRect(1200, 100, 80, 20) << QRect(QPoint(1130, 121), size);
}

void TestCNumCtrlPopups::placement()
{
    QFETCH(QRect, control);
    const QRect desktop(0, 0, 1280, 1024);
    QTEST(CalculatorPopup::placement(control, QSize(150, 150), desktop), "expected");
}

void TestCNumCtrlPopups::calculatorGrid()
{
    const QSize client(150, 150); // W = H = 23
    QCOMPARE(CalculatorPopup::displayRect(client), QRect(QPoint(4, 4), QPoint(146, 25)));
    QCOMPARE(CalculatorPopup::buttonRect(client, CalcBtnBackspace), QRect(4 + 5 * 24, 27, 21, 21));
    QCOMPARE(CalculatorPopup::buttonRect(client, 7), QRect(28, 51, 21, 21));
    QCOMPARE(CalculatorPopup::buttonRect(client, CalcBtnAdd), QRect(100, 99, 21, 45));
    QCOMPARE(CalculatorPopup::buttonRect(client, CalcBtnClear), QRect(4, 123, 21, 21));
    QCOMPARE(CalculatorPopup::memoryIndicatorRect(client), QRect(4, 27, 21, 21));
}

void TestCNumCtrlPopups::stripGeometry_data()
{
    QTest::addColumn<bool>("flat");
    QTest::addColumn<QRect>("dropDown");
    QTest::addColumn<QRect>("ellipsis");
    QTest::addColumn<QRect>("spinUp");
    QTest::addColumn<QRect>("spinDown");
    QTest::addColumn<int>("textRight");
    QTest::newRow("3d") << false << QRect(87, 0, 13, 21) << QRect(71, 0, 16, 21)
                        << QRect(58, 0, 13, 10) << QRect(58, 10, 13, 11) << 58;
    QTest::newRow("flat single border") << true << QRect(88, 0, 13, 22) << QRect(72, 0, 16, 22)
                                        << QRect(59, 0, 13, 11) << QRect(59, 11, 13, 11) << 59;
}

void TestCNumCtrlPopups::stripGeometry()
{
    QFETCH(bool, flat);
    ButtonStrip::Options o;
    o.dropDown = o.ellipsis = o.spin = true;
    o.flatSingleBorder = flat;
    const ButtonStrip s = ButtonStrip::layout(QRect(0, 0, 100, 21), o);
    QTEST(s.dropDown, "dropDown");
    QTEST(s.ellipsis, "ellipsis");
    QTEST(s.spinUp, "spinUp");
    QTEST(s.spinDown, "spinDown");
    QTEST(s.textRight, "textRight");
    QCOMPARE(s.hit(s.ellipsis.center()), ButtonStrip::Ellipsis);
}

void TestCNumCtrlPopups::ellipsisClick()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("EllipsesButton", true).ok());
    const QPoint button = f.centreOf(ButtonStrip::Ellipsis);
    QTest::mousePress(f.ctl, Qt::LeftButton, {}, button);
    QVERIFY(f.ctl->buttonLooksPressed());
    QTest::mouseRelease(f.ctl, Qt::LeftButton, {}, button);
    QCOMPARE(f.count("EllipsesClick"), 1);
    QTest::mousePress(f.ctl, Qt::LeftButton, {}, button);
    QTest::mouseRelease(f.ctl, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(f.count("EllipsesClick"), 1);
    QVERIFY(f.ctl->put("EllipsesButtonEnabled", false).ok());
    QTest::mouseClick(f.ctl, Qt::LeftButton, {}, button);
    QCOMPARE(f.count("EllipsesClick"), 1);
    QVERIFY(f.ctl->invoke("DoEllipsesClick").ok());
    QCOMPARE(f.count("EllipsesClick"), 2);
    // Each press on the strip raised MouseDown, each release its MouseUp, and no Click.
    QCOMPARE(f.count("MouseDown:1"), 3);
    QCOMPARE(f.count("MouseUp:1"), 3);
    QCOMPARE(f.count("Click"), 0);
}

// Double clicks as the window system delivers them: the second press comes as a double
// click. It presses a button of the strip again; in the text it is no second Click.
void TestCNumCtrlPopups::doubleClicks()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("SpinButton", true).ok());
    QVERIFY(f.ctl->put("DataType", 2).ok());
    QWindow *window = f.window.windowHandle();
    const auto doubleClick = [&](QPoint at) {
        QTest::mouseDClick(window, Qt::LeftButton, {}, f.ctl->mapTo(&f.window, at));
    };
    doubleClick(f.centreOf(ButtonStrip::SpinUp));
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("2"));
    doubleClick(f.centreOf(ButtonStrip::DropDown));
    QVERIFY(!f.ctl->calculatorOpen()); // opened by the first press, closed by the second
    QCOMPARE(f.count("CloseUp"), 1);
    doubleClick(QPoint(4, f.ctl->height() / 2));
    QCOMPARE(f.count("DblClick"), 1);
    QCOMPARE(f.count("Click"), 1);
    QCOMPARE(f.count("MouseDown:1"), 6);
    QCOMPARE(f.count("MouseUp:1"), 6);
}

void TestCNumCtrlPopups::spinAutoRepeat()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("SpinButton", true).ok());
    QVERIFY(f.ctl->put("DataType", 2).ok());
    QVERIFY(f.ctl->put("MaskDecimalPlaces", 0).ok());
    const QPoint up = f.centreOf(ButtonStrip::SpinUp);
    f.leftDown = true;
    QTest::mousePress(f.ctl, Qt::LeftButton, {}, up);
    const auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    };
    f.now += 499;
    settle();
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("0"));
    f.now += 1;
    settle();
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("1"));
    f.now += 99;
    settle();
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("1"));
    f.now += 1;
    settle();
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("2"));
    // Off the half the repeats stop for the rest of the press, even back over it.
    QTest::mouseMove(f.ctl, QPoint(2, 2));
    f.now += 100;
    settle();
    QTest::mouseMove(f.ctl, up);
    f.now += 500;
    settle();
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("2"));
    f.leftDown = false;
    QTest::mouseRelease(f.ctl, Qt::LeftButton, {}, up);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("3")); // one more at release
    QCOMPARE(f.count("SpinClick:1"), 3);
}

void TestCNumCtrlPopups::lockedSpinPressesButDoesNotSpin()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("SpinButton", true).ok());
    QVERIFY(f.ctl->put("Locked", true).ok());
    const QPoint down = f.centreOf(ButtonStrip::SpinDown);
    QTest::mousePress(f.ctl, Qt::LeftButton, {}, down);
    QCOMPARE(f.ctl->trackedButton(), ButtonStrip::SpinDown);
    QTest::mouseRelease(f.ctl, Qt::LeftButton, {}, down);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("0"));
    QCOMPARE(f.count("SpinClick:0"), 0);
    QTest::keyClick(f.ctl, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("0"));
    QVERIFY(f.ctl->put("Locked", false).ok());
    QTest::keyClick(f.ctl, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("-1"));
}

QTEST_MAIN(TestCNumCtrlPopups)
#include "tst_cnumctrlpopups.moc"
