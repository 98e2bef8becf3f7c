#include "CNumCtrl.h"
#include "FixedLocaleInfo.h"
#include "comctl/HostSite.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace orvel;

namespace {

// A form with three tab stops: a line edit, the control and another line edit.
struct Form
{
    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        ctl = new CNumCtrl(&window);
        after = new QLineEdit(&window);
        ctl->setSite(&site);
        ctl->setLocaleInfo(&english);
        ctl->initNew();
        layout->addWidget(before);
        layout->addWidget(ctl);
        layout->addWidget(after);
        window.resize(200, 120);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    comctl::HostSite site;
    FixedLocaleInfo english = FixedLocaleInfo::englishLike();
    QWidget window;
    QLineEdit *before = nullptr;
    CNumCtrl *ctl = nullptr;
    QLineEdit *after = nullptr;
};

} // namespace

class TestMaskEditBase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void caretShapes_data();
    void caretShapes();
    void scrollingKeepsCaretVisible();
    void mousePlacesAndSelects();
    void tabOnEnterFollowsTabIndex();
    void autoTabWhenFull();
    void clipboardKeys();
    void insertKeyTogglesMode();
    void selectionHiddenWhenUnfocused();
};

void TestMaskEditBase::caretShapes_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("twoPixels");
    QTest::newRow("default") << 0 << true;
    QTest::newRow("solid") << 1 << false;
    QTest::newRow("gray") << 2 << false;
    QTest::newRow("triangle") << 3 << false;
    QTest::newRow("underline") << 4 << false;
    QTest::newRow("dotted") << 5 << false;
    QTest::newRow("custom without picture") << 6 << false;
}

void TestMaskEditBase::caretShapes()
{
    QFETCH(int, style);
    QFETCH(bool, twoPixels);
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("CaretStyle", style).ok());
    QVERIFY(f.ctl->put("Text", "12345").ok());
    QVERIFY(f.ctl->caretRect().isEmpty()); // no caret without the focus
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    const QRect caret = f.ctl->caretRect();
    const QFontMetrics metrics(f.ctl->font());
    QCOMPARE(caret.height(), metrics.height());
    QCOMPARE(caret.width(), twoPixels ? 2 : metrics.horizontalAdvance(u'1'));
    QVERIFY(f.ctl->textRect().contains(caret.topLeft()));
    f.ctl->grab(); // paints every shape without fault
}

void TestMaskEditBase::scrollingKeepsCaretVisible()
{
    Form f;
    QVERIFY(f.ready());
    f.ctl->setFixedWidth(60);
    QVERIFY(f.ctl->put("MaskDecimalPlaces", 0).ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_End);
    QTest::keyClicks(f.ctl, "123456789012345678");
    QVERIFY(f.ctl->scrollOffset() > 0);
    const QRect text = f.ctl->textRect();
    QVERIFY(f.ctl->caretRect().right() <= text.right());
    QTest::keyClick(f.ctl, Qt::Key_Home);
    QCOMPARE(f.ctl->scrollOffset(), 0);
    QVERIFY(f.ctl->caretRect().left() >= text.left());
}

void TestMaskEditBase::mousePlacesAndSelects()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("Alignment", 0).ok());
    QVERIFY(f.ctl->put("MaskNegFormat", 9).ok());
    QVERIFY(f.ctl->put("MaskShowCurrency", true).ok());
    QVERIFY(f.ctl->put("Text", "-12.5").ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QCOMPARE(f.ctl->engine().shown(), QStringLiteral("-12.5 $"));
    const QRect r = f.ctl->textRect();
    const QFontMetrics m(f.ctl->font());
    const int y = r.center().y();
    const int afterTwo = r.left() + m.horizontalAdvance(QStringLiteral("-12")) + 1;
    QTest::mouseClick(f.ctl, Qt::LeftButton, {}, QPoint(afterTwo, y));
    QCOMPARE(f.ctl->engine().caret(), 3);
    QTest::mouseClick(f.ctl, Qt::LeftButton, Qt::ShiftModifier, QPoint(r.left() + 1, y));
    QCOMPARE(f.ctl->engine().selectionStart(), 0);
    QCOMPARE(f.ctl->engine().selectionEnd(), 3);
    QTest::mouseDClick(f.ctl, Qt::LeftButton, {}, QPoint(afterTwo, y));
    QCOMPARE(f.ctl->get("SelText").value.toString(), QStringLiteral("-12.5 "));
    QCOMPARE(f.ctl->get("SelStart").value.toInt(), 0);
    QCOMPARE(f.ctl->get("SelLength").value.toInt(), 6);
}

void TestMaskEditBase::tabOnEnterFollowsTabIndex()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("TabOnEnter", true).ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_Return);
    QTRY_VERIFY(f.after->hasFocus());

    // With explicit tab indexes the smallest greater one wins, else the smallest of all.
    f.before->setProperty("TabIndex", 5);
    f.ctl->setProperty("TabIndex", 3);
    f.after->setProperty("TabIndex", 1);
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_Return);
    QTRY_VERIFY(f.before->hasFocus());
    f.before->setProperty("TabIndex", 2);
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_Enter);
    QTRY_VERIFY(f.after->hasFocus());
}

void TestMaskEditBase::autoTabWhenFull()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("AutoTab", true).ok());
    QVERIFY(f.ctl->put("MaskDecimalPlaces", 0).ok());
    QVERIFY(f.ctl->put("MaskWholePlaces", 2).ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_End);
    QTest::keyClick(f.ctl, Qt::Key_1);
    QVERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_2);
    QTRY_VERIFY(f.after->hasFocus());
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("12"));
}

void TestMaskEditBase::clipboardKeys()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("MaskShowCurrency", true).ok());
    QVERIFY(f.ctl->put("MaskShowThousandSep", true).ok());
    QVERIFY(f.ctl->put("MaskDecimalFixed", true).ok());
    QVERIFY(f.ctl->put("Text", "1234.5").ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QCOMPARE(f.ctl->engine().shown(), QStringLiteral("$1,234.50"));
    QTest::keyClick(f.ctl, Qt::Key_Home);
    QTest::keyClick(f.ctl, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(f.ctl, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1234.50"));
    QVERIFY(f.ctl->put("ClipLiterals", true).ok());
    QVERIFY(f.ctl->invoke("Copy").ok());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("$1,234.50"));
    QTest::keyClick(f.ctl, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("0.00"));
    QGuiApplication::clipboard()->setText(QStringLiteral("-7,654.3"));
    QTest::keyClick(f.ctl, Qt::Key_End);
    QTest::keyClick(f.ctl, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(f.ctl->put("SelStart", 0).ok());
    QVERIFY(f.ctl->put("SelLength", 5).ok()); // all of "$0.00"
    QTest::keyClick(f.ctl, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("7654.30"));
    QTest::keyClick(f.ctl, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("0.00"));
    QVERIFY(f.ctl->put("Locked", true).ok());
    QTest::keyClick(f.ctl, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("0.00"));
}

void TestMaskEditBase::insertKeyTogglesMode()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("Text", "12.34").ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QTest::keyClick(f.ctl, Qt::Key_Home);
    QTest::keyClick(f.ctl, Qt::Key_Insert);
    QVERIFY(!f.ctl->get("InsertMode").value.toBool());
    QCOMPARE(f.ctl->caretRect().width(), QFontMetrics(f.ctl->font()).horizontalAdvance(u'1'));
    QTest::keyClick(f.ctl, Qt::Key_9);
    QCOMPARE(f.ctl->get("Text").value.toString(), QStringLiteral("92.34"));
    QVERIFY(f.ctl->put("AllowInsertModeChange", false).ok());
    QTest::keyClick(f.ctl, Qt::Key_Insert);
    QVERIFY(!f.ctl->get("InsertMode").value.toBool());
}

void TestMaskEditBase::selectionHiddenWhenUnfocused()
{
    Form f;
    QVERIFY(f.ready());
    QVERIFY(f.ctl->put("Text", "123").ok());
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QVERIFY(f.ctl->put("SelStart", 0).ok());
    QVERIFY(f.ctl->put("SelLength", 2).ok());
    f.after->setFocus();
    QTRY_VERIFY(f.after->hasFocus());
    // The remembered selection comes back with the focus.
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QCOMPARE(f.ctl->get("SelLength").value.toInt(), 2);
    QVERIFY(f.ctl->put("AutoSelect", true).ok());
    f.after->setFocus();
    f.ctl->setFocus();
    QTRY_VERIFY(f.ctl->hasFocus());
    QCOMPARE(f.ctl->get("SelLength").value.toInt(), 3);
}

QTEST_MAIN(TestMaskEditBase)
#include "tst_maskeditbase.moc"
