#include "CNumCtrl.h"
#include "FixedLocaleInfo.h"
#include "comctl/HostSite.h"
#include "comctl/PropertyBag.h"

#include <QAccessible>
#include <QBuffer>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QVBoxLayout>

using namespace orvel;

namespace {

// Records every event the control raises, with its arguments as text.
struct EventLog
{
    explicit EventLog(CNumCtrl &ctl)
    {
        QObject::connect(&ctl, &comctl::ComControl::eventRaised,
                         [this](const QString &name, QVariantList &args) {
                             QStringList parts;
                             for (const QVariant &a : args)
                                 parts << a.toString();
                             events << name + u'(' + parts.join(u',') + u')';
                         });
    }
    QStringList named(const QString &name) const
    {
        QStringList out;
        for (const QString &e : events) {
            if (e.startsWith(name + u'('))
                out << e;
        }
        return out;
    }
    QStringList events;
};

struct Fixture
{
    Fixture()
    {
        ctl.setSite(&site);
        ctl.setLocaleInfo(&english);
        ctl.initNew();
    }
    comctl::HostSite site;
    FixedLocaleInfo english = FixedLocaleInfo::englishLike();
    CNumCtrl ctl;
};

} // namespace

class TestCNumCtrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void propertyErrors_data();
    void propertyErrors();
    void errorTexts();
    void designModeGetsFail_data();
    void designModeGetsFail();
    void textAndValue_data();
    void textAndValue();
    void dataTypeRules();
    void validate_data();
    void validate();
    void validateUserRejects();
    void calcSizeInContainerUnits();
    void formatText_data();
    void formatText();
    void persistenceRoundTrip();
    void damagedDataLoadsDefaults();
    void typingThroughTheWidget();
    void keyPressCancelled();
    void keyEventOrder_data();
    void keyEventOrder();
    void nullTextAndIsEmpty();
    void dataBinding();
    void dataBindingRefusals();
    void lostFocusValidation();
    void lostFocusCancelKeepsFocus();
    void spin_data();
    void spin();
};

void TestCNumCtrl::propertyErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("error");

    QTest::newRow("places 10") << "MaskDecimalPlaces" << QVariant(10) << 380;
    QTest::newRow("places -2") << "MaskDecimalPlaces" << QVariant(-2) << 380;
    QTest::newRow("places -1") << "MaskDecimalPlaces" << QVariant(-1) << 0;
    QTest::newRow("places 9") << "MaskDecimalPlaces" << QVariant(9) << 0;
    QTest::newRow("pointer 16") << "MousePointer" << QVariant(16) << 380;
    QTest::newRow("pointer 99") << "MousePointer" << QVariant(99) << 0;
    QTest::newRow("calc width 0") << "CalcWidth" << QVariant(0) << 0;
    QTest::newRow("calc width -1") << "CalcWidth" << QVariant(-1) << 380;
    QTest::newRow("calc height 0") << "CalcHeight" << QVariant(0) << 380;
    QTest::newRow("decimal char ab") << "MaskDecimalChar" << QVariant("ab") << 31004;
    QTest::newRow("decimal char 5") << "MaskDecimalChar" << QVariant("5") << 31005;
    QTest::newRow("decimal char empty") << "MaskDecimalChar" << QVariant("") << 0;
    QTest::newRow("value string") << "Value" << QVariant("12") << 13;
    QTest::newRow("value date") << "Value" << QVariant(QDate(2020, 1, 1)) << 13;
    QTest::newRow("text letters") << "Text" << QVariant("12a") << 13;
    QTest::newRow("alignment 2") << "Alignment" << QVariant(2) << 380;
    QTest::newRow("neg format 12") << "MaskNegFormat" << QVariant(12) << 380;
    QTest::newRow("sel start -1") << "SelStart" << QVariant(-1) << 380;
    QTest::newRow("sel length -1") << "SelLength" << QVariant(-1) << 380;
    QTest::newRow("ellipses width -1") << "EllipsesButtonWidth" << QVariant(-1) << 380;
    QTest::newRow("tooltip delay -1") << "ToolTipDelay" << QVariant(-1) << 380;
    QTest::newRow("spin value abc") << "SpinValue" << QVariant("abc") << 31001;
    QTest::newRow("spin value empty") << "SpinValue" << QVariant("") << 0;
    QTest::newRow("caret picture text") << "CaretPicture" << QVariant("x") << 481;
    QTest::newRow("format text read-only") << "FormatText" << QVariant("1") << 383;
    QTest::newRow("is empty read-only") << "IsEmpty" << QVariant(true) << 383;
    QTest::newRow("data type 6") << "DataType" << QVariant(6) << 380;
    QTest::newRow("validate type 6") << "ValidateType" << QVariant(6) << 380;
    QTest::newRow("status object not an object") << "StatusBarControl" << QVariant(5) << 380;
    QTest::newRow("colour sentinel") << "NegForeColor" << QVariant(0x1000001) << 0;
    QTest::newRow("system colour") << "BackColor" << QVariant(qint64(0x8000000F)) << 0;
}

void TestCNumCtrl::propertyErrors()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(int, error);
    Fixture f;
    const QVariant before = f.ctl.get(name).value;
    const comctl::DispatchResult r = f.ctl.put(name, value);
    QCOMPARE(r.error.number(), error);
    if (error != 0)
        QCOMPARE(f.ctl.get(name).value, before); // a refused value leaves the property as it was
}

void TestCNumCtrl::errorTexts()
{
    Fixture f;
    QCOMPARE(f.ctl.put("MaskDecimalChar", "ab").error.text(),
             QStringLiteral("You must specify either a zero length string for the system default "
                            "value or a single character."));
    QCOMPARE(f.ctl.put("MaskDecimalChar", "5").error.text(),
             QStringLiteral("The decimal character must not be a native digit."));
    QCOMPARE(f.ctl.put("SpinValue", "x").error.text(), QStringLiteral("Invalid number"));
    QCOMPARE(f.ctl.put("Value", "x").error.text(), QStringLiteral("Type mismatch"));
    QCOMPARE(f.ctl.get("CalcBtnText", { 23 }).error.number(), 381);
    QCOMPARE(f.ctl.get("CalcBtnText", { 15 }).value.toString(), QStringLiteral("×"));
    QVERIFY(f.ctl.put("CalcBtnText", "mal", { 15 }).ok());
    QCOMPARE(f.ctl.get("CalcBtnText", { 15 }).value.toString(), QStringLiteral("mal"));
    QCOMPARE(f.ctl.get(0).value, f.ctl.get("Text").value); // Text is the default property
}

void TestCNumCtrl::designModeGetsFail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("Value") << "Value" << 394;
    QTest::newRow("IsEmpty") << "IsEmpty" << 394;
    QTest::newRow("MaskError") << "MaskError" << 394;
    QTest::newRow("SelStart") << "SelStart" << 394;
    QTest::newRow("CalcVisible") << "CalcVisible" << 394;
    QTest::newRow("Text is fine") << "Text" << 0;
    QTest::newRow("FormatText is fine") << "FormatText" << 0;
}

void TestCNumCtrl::designModeGetsFail()
{
    QFETCH(QString, name);
    Fixture f;
    f.site.setUserMode(false);
    QTEST(f.ctl.get(name).error.number(), "error");
}

void TestCNumCtrl::textAndValue_data()
{
    QTest::addColumn<QString>("setup"); // property=value;...
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("assigned");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("value null is 0")
        << "DataType=4"
        << "Value" << QVariant::fromValue(nullptr) << "0" << QVariant(0.0);
    QTest::newRow("negative value rounds away from zero")
        << "DataType=4;MaskDecimalPlaces=2"
        << "Value" << QVariant(-1.234) << "-1.24" << QVariant(-1.24);
    QTest::newRow("decimal cut is exact") << "DataType=4;MaskDecimalPlaces=2"
                                          << "Value" << QVariant(1.15) << "1.15" << QVariant(1.15);
    QTest::newRow("whole number") << "DataType=2;MaskDecimalPlaces=0"
                                  << "Value" << QVariant(7.9) << "7" << QVariant(7);
    QTest::newRow("empty value shows zero") << "DataType=4"
                                            << "Value" << QVariant() << "0" << QVariant(0.0);
    QTest::newRow("text trimmed") << "DataType=4;MaskDecimalPlaces=2"
                                  << "Text" << QVariant("  12.5 ") << "12.5" << QVariant(12.5);
    QTest::newRow("text currency") << "MaskDecimalPlaces=2"
                                   << "Text" << QVariant("-3.25") << "-3.25" << QVariant(-3.25);
    QTest::newRow("integer from text")
        << "DataType=1;MaskDecimalPlaces=0"
        << "Text" << QVariant("32767") << "32767" << QVariant::fromValue(qint16(32767));
}

void TestCNumCtrl::textAndValue()
{
    QFETCH(QString, setup);
    QFETCH(QString, property);
    QFETCH(QVariant, assigned);
    QFETCH(QVariant, value);
    Fixture f;
    for (const QString &pair : setup.split(u';', Qt::SkipEmptyParts))
        QVERIFY(f.ctl.put(pair.section(u'=', 0, 0), pair.section(u'=', 1).toInt()).ok());
    const comctl::DispatchResult r = f.ctl.put(property, assigned);
    QVERIFY2(r.ok(), qPrintable(r.error.text()));
    QTEST(f.ctl.get("Text").value.toString(), "text");
    const QVariant got = f.ctl.get("Value").value;
    QCOMPARE(got.isValid(), value.isValid());
    if (value.isValid())
        QCOMPARE(got.toDouble(), value.toDouble());
}

void TestCNumCtrl::dataTypeRules()
{
    Fixture f;
    QVERIFY(f.ctl.put("DataType", 2).ok());
    QVERIFY(f.ctl.put("MaskDecimalPlaces", 0).ok());
    QVERIFY(f.ctl.put("Value", 100000).ok());
    QCOMPARE(f.ctl.put("DataType", 1).error.number(), 31003);
    QCOMPARE(f.ctl.get("DataType").value.toInt(), 2);
    QCOMPARE(f.ctl.put("Text", "40000").error.number(), 0);
    QVERIFY(f.ctl.put("DataType", 4).ok());
    // A 16-bit control refuses a text that does not fit.
    QVERIFY(f.ctl.put("Value", 5).ok());
    QVERIFY(f.ctl.put("DataType", 1).ok());
    QCOMPARE(f.ctl.put("Text", "40000").error.number(), 13);

    QStandardItemModel model(1, 1);
    model.setHorizontalHeaderLabels({ "Betrag" });
    model.setData(model.index(0, 0), 12.5);
    f.ctl.setDataSource(&model);
    QVERIFY(f.ctl.put("DataField", "Betrag").ok());
    QCOMPARE(f.ctl.put("DataType", 4).error.number(), 31002);
    QCOMPARE(f.ctl.get("DataType").value.toInt(), 4); // the field's type while bound
}

void TestCNumCtrl::validate_data()
{
    QTest::addColumn<int>("dataType");
    QTest::addColumn<int>("validateType");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result");

    QTest::newRow("negative without bounds") << 4 << 3 << ""
                                             << ""
                                             << "5" << 0;
    QTest::newRow("positive accepts 0") << 4 << 4 << "-100"
                                        << "100"
                                        << "0" << 0;
    QTest::newRow("positive rejects -1") << 4 << 4 << "-100"
                                         << "100"
                                         << "-1" << 9;
    QTest::newRow("negative rejects 0") << 4 << 3 << "-100"
                                        << "100"
                                        << "0" << 8;
    QTest::newRow("negative accepts -1") << 4 << 3 << "-100"
                                         << "100"
                                         << "-1" << 0;
    QTest::newRow("within 20") << 4 << 1 << "10"
                               << "20"
                               << "20" << 0;
    QTest::newRow("within 20.01") << 4 << 1 << "10"
                                  << "20"
                                  << "20.01" << 5;
    QTest::newRow("within 9.99") << 4 << 1 << "10"
                                 << "20"
                                 << "9.99" << 5;
    QTest::newRow("outside 15") << 4 << 2 << "10"
                                << "20"
                                << "15" << 5;
    QTest::newRow("outside 21") << 4 << 2 << "10"
                                << "20"
                                << "21" << 0;
    QTest::newRow("nonzero 0") << 4 << 5 << "0"
                               << "0"
                               << "0" << 10;
    QTest::newRow("nonzero -0.5") << 4 << 5 << "0"
                                  << "0"
                                  << "-0.5" << 0;
    QTest::newRow("integer within") << 1 << 1 << "1"
                                    << "12"
                                    << "12" << 0;
    QTest::newRow("integer month 13") << 1 << 1 << "1"
                                      << "12"
                                      << "13" << 5;
    QTest::newRow("integer bound too big: no check") << 1 << 1 << "1"
                                                     << "99999"
                                                     << "13" << 0;
    QTest::newRow("long within") << 2 << 1 << "-5"
                                 << "100000"
                                 << "99999" << 0;
    QTest::newRow("single within") << 3 << 1 << "0.5"
                                   << "1.5"
                                   << "1.5" << 0;
    QTest::newRow("single outside") << 3 << 1 << "0.5"
                                    << "1.5"
                                    << "1.51" << 5;
    QTest::newRow("currency exact") << 5 << 1 << "0.01"
                                    << "0.02"
                                    << "0.03" << 5;
    QTest::newRow("string type: no check") << 0 << 1 << "1"
                                           << "2"
                                           << "3" << 0;
    QTest::newRow("bad bound: no check") << 4 << 1 << "x"
                                         << "2"
                                         << "3" << 0;
}

void TestCNumCtrl::validate()
{
    QFETCH(int, dataType);
    QFETCH(int, validateType);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QString, text);
    Fixture f;
    QVERIFY(f.ctl.put("MaskDecimalPlaces", 2).ok());
    QVERIFY(f.ctl.put("DataType", dataType).ok());
    QVERIFY(f.ctl.put("ValidateType", validateType).ok());
    QVERIFY(f.ctl.put("ValidateRangeLow", low).ok());
    QVERIFY(f.ctl.put("ValidateRangeHigh", high).ok());
    QVERIFY(f.ctl.put("Text", text).ok());
    QTEST(f.ctl.invoke("Validate").value.toInt(), "result");
}

void TestCNumCtrl::validateUserRejects()
{
    Fixture f;
    QVERIFY(f.ctl.put("MaskZeroIfNull", false).ok());
    QVERIFY(f.ctl.put("AllowNull", false).ok());
    QVERIFY(f.ctl.put("Text", "").ok());
    QVERIFY(f.ctl.put("ValidateType", 1).ok());
    QVERIFY(f.ctl.put("ValidateRangeLow", "1").ok());
    QVERIFY(f.ctl.put("ValidateRangeHigh", "2").ok());
    QVERIFY(f.ctl.get("IsEmpty").value.toBool());
    QCOMPARE(f.ctl.invoke("Validate").value.toInt(), 1); // before any range check
    connect(&f.ctl, &CNumCtrl::OnValidate, &f.ctl,
            [](const QString &, qint16 &valid) { valid = 0; });
    QCOMPARE(f.ctl.validate(), 11);
}

void TestCNumCtrl::calcSizeInContainerUnits()
{
    Fixture f;
    QCOMPARE(f.ctl.get("CalcWidth").value.toDouble(), 2250.0); // 150 pixels in twips
    f.site.setScaleUnits("Pixel");
    QCOMPARE(f.ctl.get("CalcWidth").value.toDouble(), 150.0);
    QVERIFY(f.ctl.put("CalcHeight", 200.4).ok());
    QCOMPARE(f.ctl.get("CalcHeight").value.toDouble(), 200.0);
    f.site.setScaleUnits("Point");
    QCOMPARE(f.ctl.get("CalcWidth").value.toDouble(), 112.5); // not rounded
}

void TestCNumCtrl::formatText_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty picture is the display") << ""
                                                  << "1234.5"
                                                  << "$1,234.5";
    QTest::newRow("grouped two places") << "#,##0.00"
                                        << "1234.5"
                                        << "1,234.50";
    QTest::newRow("negative") << "#,##0.00"
                              << "-1234.5"
                              << "-1,234.50";
    QTest::newRow("negative section") << "0.0;(0.0)"
                                      << "-2"
                                      << "(2.0)";
    QTest::newRow("percent") << "0%"
                             << "0.25"
                             << "25%";
    QTest::newRow("literal suffix") << "0.00 \"EUR\""
                                    << "3"
                                    << "3.00 EUR";
    QTest::newRow("named") << "Standard"
                           << "1000"
                           << "1,000.00";
    QTest::newRow("no placeholder: plain value") << "dd.mm.yy"
                                                 << "12.5"
                                                 << "12.5";
}

void TestCNumCtrl::formatText()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    Fixture f;
    QVERIFY(f.ctl.put("MaskShowCurrency", true).ok());
    QVERIFY(f.ctl.put("MaskShowThousandSep", true).ok());
    QVERIFY(f.ctl.put("DataType", 4).ok());
    QVERIFY(f.ctl.put("Format", format).ok());
    QVERIFY(f.ctl.put("Text", text).ok());
    QTEST(f.ctl.get("FormatText").value.toString(), "expected");
    // Unfocused, the window shows the formatted text.
    QTEST(f.ctl.engine().shown(), "expected");
}

void TestCNumCtrl::persistenceRoundTrip()
{
    Fixture f;
    const QVariantMap values = {
        { "MaskDecimalPlaces", 3 },
        { "MaskShowCurrency", true },
        { "MaskCurrencySymbol", "EUR" },
        { "MaskNegFormat", 9 },
        { "NullText", "leer" },
        { "ValidateType", 1 },
        { "ValidateRangeLow", "1" },
        { "ValidateRangeHigh", "12" },
        { "DataType", 4 },
        { "Text", "7.125" },
        { "NegForeColor", 255 },
        { "ReadOnlyBackColor", qint64(0x80000005) },
        { "ToolTipDelay", 100 },
        { "CalcWidth", 3000 },
        { "MaskDecimalChar", ";" },
        { "SpinValue", "0.5" },
        { "InsertMode", false },
        { "CaretStyle", 3 },
        { "Locked", true },
        { "Enabled", false },
    };
    for (auto it = values.begin(); it != values.end(); ++it)
        QVERIFY2(f.ctl.put(it.key(), it.value()).ok(), qPrintable(it.key()));
    QFont font(QStringLiteral("DejaVu Sans"), 14);
    QVERIFY(f.ctl.put("NullFont", font).ok());

    comctl::PropertyBag bag;
    f.ctl.saveProperties(bag);
    QVERIFY(bag.contains(QStringLiteral("_version")));
    QVERIFY(!bag.contains(QStringLiteral("AllowEdit"))); // defaults are left out

    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        f.ctl.saveToStream(out);
    }
    for (int through = 0; through < 2; ++through) {
        comctl::HostSite site;
        CNumCtrl copy;
        copy.setSite(&site);
        copy.setLocaleInfo(&f.english);
        if (through == 0) {
            copy.loadProperties(bag);
        } else {
            QDataStream in(bytes);
            QVERIFY(copy.loadFromStream(in));
        }
        for (auto it = values.begin(); it != values.end(); ++it) {
            QCOMPARE(copy.get(it.key()).value.toString(), f.ctl.get(it.key()).value.toString());
        }
        QCOMPARE(copy.get("NullFont").value.value<QFont>().pointSize(), 14);
        QCOMPARE(copy.engine().display(), QStringLiteral("EUR7;125"));
        QVERIFY(!copy.isEnabled());
    }
}

void TestCNumCtrl::damagedDataLoadsDefaults()
{
    comctl::PropertyBag bag;
    bag.writeAlways("_version", 65536);
    bag.writeAlways("MaskDecimalPlaces", 99);
    bag.writeAlways("Alignment", "rechts");
    bag.writeAlways("Text", "12abc");
    bag.writeAlways("NullFont", 12);
    bag.writeAlways("CaretPicture", QByteArray("not a picture"));
    bag.writeAlways("CalcHeight", -5);
    bag.writeAlways("DataType", 77);
    bag.writeAlways("MaskDecimalChar", "xyz");
    Fixture f;
    f.ctl.loadProperties(bag);
    QCOMPARE(f.ctl.get("MaskDecimalPlaces").value.toInt(), -1);
    QCOMPARE(f.ctl.get("Alignment").value.toInt(), 1);
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("0")); // what empty formats to
    QCOMPARE(f.ctl.get("DataType").value.toInt(), 5);
    QCOMPARE(f.ctl.get("MaskDecimalChar").value.toString(), QString());

    comctl::PropertyBag newer;
    newer.writeAlways("_version", 2 * 65536);
    newer.writeAlways("MaskDecimalPlaces", 4);
    f.ctl.loadProperties(newer);
    QCOMPARE(f.ctl.get("MaskDecimalPlaces").value.toInt(), -1);

    QByteArray garbage("\x00\x01garbage\xff\xfe", 12);
    QDataStream in(garbage);
    QVERIFY(!f.ctl.loadFromStream(in));
    QByteArray truncated;
    {
        QDataStream out(&truncated, QIODevice::WriteOnly);
        f.ctl.saveToStream(out);
    }
    truncated.chop(truncated.size() / 2);
    QDataStream half(truncated);
    QVERIFY(!f.ctl.loadFromStream(half));
}

void TestCNumCtrl::typingThroughTheWidget()
{
    comctl::HostSite site;
    FixedLocaleInfo german = FixedLocaleInfo::germanLike();
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *ctl = new CNumCtrl(&form);
    ctl->setSite(&site);
    ctl->setLocaleInfo(&german);
    ctl->initNew();
    layout->addWidget(ctl);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(ctl->put("MaskShowCurrency", true).ok());
    QVERIFY(ctl->put("MaskShowThousandSep", true).ok());
    EventLog log(*ctl);
    ctl->setFocus();
    QCOMPARE(ctl->engine().shown(), QStringLiteral("0 €"));
    QTest::keyClick(ctl, Qt::Key_A, Qt::ControlModifier); // no select-all key: nothing happens
    QTest::keyClick(ctl, Qt::Key_End);
    QTest::keyClicks(ctl, "1234,5");
    QCOMPARE(ctl->get("Text").value.toString(), QStringLiteral("1234.5"));
    QCOMPARE(ctl->engine().shown(), QStringLiteral("1.234,5 €"));
    QTest::keyClick(ctl, Qt::Key_Period);
    QCOMPARE(log.named("InvalidChar"), QStringList { "InvalidChar(.,7)" });
    QTest::keyClick(ctl, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ctl->get("Text").value.toString(), QStringLiteral("0"));
    QTest::keyClick(ctl, Qt::Key_Minus);
    QCOMPARE(ctl->engine().shown(), QStringLiteral("0 €"));
    QCOMPARE(ctl->get("Text").value.toString(), QStringLiteral("-0"));
    // A screen reader gets the spin step as the buttons read it, in the locale's writing.
    QVERIFY(ctl->put("SpinValue", "0,5").ok());
    QCOMPARE(QAccessible::queryAccessibleInterface(ctl)->valueInterface()->minimumStepSize(),
             QVariant(0.5));
}

void TestCNumCtrl::keyPressCancelled()
{
    Fixture f;
    f.ctl.show();
    f.ctl.setFocus();
    connect(&f.ctl, &CNumCtrl::KeyPress, &f.ctl, [](qint16 &ascii) {
        if (ascii == '7')
            ascii = '8';
        else if (ascii == '5')
            ascii = 0;
    });
    QTest::keyClicks(&f.ctl, "157");
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("18"));
}

void TestCNumCtrl::keyEventOrder_data()
{
    // Keys: a name (Delete, F4, Return, Backspace, End, KP+) or one character.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected"); // the events of the last key
    // What a screen reader reads at the end: the accessible text and value (from "5").
    QTest::addColumn<QString>("accessible");
    QTest::newRow("digit: typed after KeyPress") << "End 1"
                                                 << "KeyDown(49,0) KeyPress(49) Change KeyUp(49,0)"
                                                 << "51|51";
    QTest::newRow("Delete: handled before KeyDown") << "Delete"
                                                    << "Change KeyDown(46,0) KeyUp(46,0)"
                                                    << "0|0";
    QTest::newRow("F4: DropDown before KeyDown") << "F4"
                                                 << "DropDown KeyDown(115,0) KeyUp(115,0)"
                                                 << "5|5";
    QTest::newRow("Enter has a KeyPress") << "Return"
                                          << "KeyDown(13,0) KeyPress(13) KeyUp(13,0)"
                                          << "5|5";
    QTest::newRow("Backspace has a KeyPress") << "End Backspace"
                                              << "Change KeyDown(8,0) KeyPress(8) KeyUp(8,0)"
                                              << "0|0";
    QTest::newRow("keypad plus spins, its character is not typed")
        << "KP+"
        << "Change SpinClick(1) KeyDown(107,0) KeyPress(43) KeyUp(107,0)"
        << "6|6";
    QTest::newRow("calculator open: KeyPress, then the button")
        << "F4 7"
        << "KeyDown(55,0) KeyPress(55) CalcBtnClick(7) KeyUp(55,0)"
        << "5|5";
    QTest::newRow("calculator open: Enter transfers before KeyDown")
        << "F4 7 Return"
        << "CalcBtnClick(11) Change CloseUp KeyDown(13,0) KeyPress(13) KeyUp(13,0)"
        << "7|7";
    QTest::newRow("digits typed one by one are read one by one")
        << "End Backspace 1 2"
        << "KeyDown(50,0) KeyPress(50) Change KeyUp(50,0)"
        << "12|12";
}

void TestCNumCtrl::keyEventOrder()
{
    QFETCH(QString, keys);
    Fixture f;
    f.ctl.show();
    f.ctl.setFocus();
    QVERIFY(f.ctl.put("DataType", 2).ok());
    QVERIFY(f.ctl.put("Text", "5").ok());
    EventLog log(f.ctl);
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> named {
        { "Delete", { Qt::Key_Delete, Qt::NoModifier } },
        { "F4", { Qt::Key_F4, Qt::NoModifier } },
        { "Return", { Qt::Key_Return, Qt::NoModifier } },
        { "Backspace", { Qt::Key_Backspace, Qt::NoModifier } },
        { "End", { Qt::Key_End, Qt::NoModifier } },
        { "KP+", { Qt::Key_Plus, Qt::KeypadModifier } },
    };
    for (const QString &key : keys.split(u' ')) {
        log.events.clear();
        if (named.contains(key))
            QTest::keyClick(&f.ctl, named[key].first, named[key].second);
        else
            QTest::keyClick(&f.ctl, key.at(0).toLatin1());
    }
    log.events.removeIf([](const QString &e) { return e.startsWith(u"Mouse"); });
    QTEST(log.events.join(u' ').remove(QStringLiteral("()")), "expected");

    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(&f.ctl);
    QVERIFY(reader && reader->textInterface() && reader->valueInterface());
    const QString text
        = reader->textInterface()->text(0, reader->textInterface()->characterCount());
    const QVariant value = reader->valueInterface()->currentValue();
    QTEST(text + u'|' + value.toString(), "accessible");
    QCOMPARE(reader->text(QAccessible::Value), text);
}

void TestCNumCtrl::nullTextAndIsEmpty()
{
    Fixture f;
    QVERIFY(f.ctl.put("MaskZeroIfNull", false).ok());
    QVERIFY(f.ctl.put("NullText", "(kein Wert)").ok());
    QVERIFY(f.ctl.put("NullForeColor", 0x00FF00).ok());
    QVERIFY(f.ctl.put("Text", "").ok());
    QCOMPARE(f.ctl.engine().shown(), QStringLiteral("(kein Wert)"));
    QVERIFY(f.ctl.get("IsEmpty").value.toBool());
    f.ctl.update();
    QVERIFY(f.ctl.get("IsEmpty").value.toBool());
    QCOMPARE(ColourRules::textColour(f.ctl.colourState(), f.ctl.colourSet()), 0x00FF00u);
    QVERIFY(f.ctl.put("Text", "3").ok());
    QVERIFY(!f.ctl.get("IsEmpty").value.toBool());
    QVERIFY(f.ctl.put("Text", "").ok());
    QCOMPARE(f.ctl.engine().shown(), QStringLiteral("(kein Wert)"));
}

void TestCNumCtrl::dataBinding()
{
    Fixture f;
    QStandardItemModel model(2, 2);
    model.setHorizontalHeaderLabels({ "Name", "Betrag" });
    model.setData(model.index(0, 1), 12.5);
    model.setData(model.index(1, 1), 7.25);
    EventLog log(f.ctl);
    connect(&f.ctl, &CNumCtrl::DataRead, &f.ctl, [](QVariant &v, qint16 &) {
        if (v.toDouble() == 7.25)
            v = 8.0; // the handler may change the value read
    });
    f.ctl.setDataSource(&model);
    QVERIFY(f.ctl.put("DataField", "Betrag").ok());
    f.ctl.setCurrentRow(0);
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("12.5"));
    QCOMPARE(log.named("DataRead").size(), 1);
    QVERIFY(!f.ctl.dataChanged());

    QVERIFY(f.ctl.put("Text", "99").ok());
    QVERIFY(f.ctl.get("DataChanged").value.toBool());
    f.ctl.setCurrentRow(1); // leaving the row writes the value back
    QCOMPARE(model.data(model.index(0, 1)).toDouble(), 99.0);
    QCOMPARE(log.named("BeforeUpdate").size(), 1);
    QCOMPARE(log.named("AfterUpdate").size(), 1);
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("8"));

    // A change in the source row is read at once.
    model.setData(model.index(1, 1), 3.0);
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("3"));

    // A value changed only by spinning is written back as well.
    QVERIFY(f.ctl.invoke("DoSpinClick", { 1 }).ok());
    QVERIFY(f.ctl.dataChanged());
    QVERIFY(f.ctl.writeBoundValue());
    QCOMPARE(model.data(model.index(1, 1)).toDouble(), 4.0);
}

void TestCNumCtrl::dataBindingRefusals()
{
    Fixture f;
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({ "Name", "Betrag" });
    model.setData(model.index(0, 0), QStringLiteral("Filiale"));
    model.setData(model.index(0, 1), 5);
    f.ctl.setDataSource(&model);
    f.ctl.setCurrentRow(0);
    QCOMPARE(f.ctl.put("DataField", "Name").error.number(), 31000);
    QCOMPARE(f.ctl.get("DataField").value.toString(), QString());
    QVERIFY(f.ctl.put("DataField", "Unbekannt").ok());
    QVERIFY(f.ctl.put("DataField", "Betrag").ok());
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("5"));

    connect(&f.ctl, &CNumCtrl::BeforeUpdate, &f.ctl,
            [](QVariant &, qint16 &cancel) { cancel = -1; });
    QVERIFY(f.ctl.put("Text", "6").ok());
    QVERIFY(!f.ctl.writeBoundValue());
    QCOMPARE(model.data(model.index(0, 1)).toInt(), 5);
    QVERIFY(f.ctl.dataChanged());

    // Escape re-reads the field and drops the change.
    f.ctl.show();
    f.ctl.setFocus();
    QTest::keyClick(&f.ctl, Qt::Key_Escape);
    QCOMPARE(f.ctl.get("Text").value.toString(), QStringLiteral("5"));
    QVERIFY(!f.ctl.dataChanged());

    // A value the field type cannot take raises the stock Error event with 13.
    EventLog log(f.ctl);
    model.setData(model.index(0, 1), QStringLiteral("abc"));
    QCOMPARE(log.named("Error").size(), 1);
    QVERIFY(log.named("Error").first().startsWith(QStringLiteral("Error(13,")));
}

void TestCNumCtrl::lostFocusValidation()
{
    comctl::HostSite site;
    FixedLocaleInfo english = FixedLocaleInfo::englishLike();
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *ctl = new CNumCtrl(&form);
    ctl->setSite(&site);
    ctl->setLocaleInfo(&english);
    ctl->initNew();
    auto *other = new QLineEdit(&form);
    layout->addWidget(ctl);
    layout->addWidget(other);
    QVERIFY(ctl->put("ValidateType", 1).ok());
    QVERIFY(ctl->put("ValidateRangeLow", "1").ok());
    QVERIFY(ctl->put("ValidateRangeHigh", "12").ok());
    QVERIFY(ctl->put("KeepFocusOnError", true).ok());
    QVERIFY(ctl->put("MaskErrorBackColor", 0x0000FF).ok());
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    EventLog log(*ctl);
    ctl->setFocus();
    QTest::keyClicks(ctl, "13");
    other->setFocus();
    QCOMPARE(log.named("BeforeLostFocus").size(), 1);
    QCOMPARE(log.named("DataError"), QStringList { "DataError(5,13)" });
    QVERIFY(ctl->engine().maskError());
    QCOMPARE(ColourRules::backColour(ctl->colourState(), ctl->colourSet()), 0x0000FFu);
    QTRY_VERIFY(ctl->hasFocus()); // KeepFocusOnError brings the focus back

    // Leaving for another application does not validate.
    log.events.clear();
    ctl->runLostFocus(false);
    QVERIFY(log.named("BeforeLostFocus").isEmpty());
    QVERIFY(log.named("DataError").isEmpty());
}

void TestCNumCtrl::lostFocusCancelKeepsFocus()
{
    comctl::HostSite site;
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *ctl = new CNumCtrl(&form);
    ctl->setSite(&site);
    ctl->initNew();
    auto *other = new QLineEdit(&form);
    layout->addWidget(ctl);
    layout->addWidget(other);
    QVERIFY(ctl->put("AllowNull", false).ok());
    QVERIFY(ctl->put("MaskZeroIfNull", false).ok());
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    EventLog log(*ctl);
    connect(ctl, &CNumCtrl::BeforeLostFocus, ctl, [](qint16 &cancel) { cancel = -1; });
    ctl->setFocus();
    other->setFocus();
    QTRY_VERIFY(ctl->hasFocus());
    QVERIFY(log.named("DataError").isEmpty());
    QVERIFY(log.named("OnValidate").isEmpty());
}

void TestCNumCtrl::spin_data()
{
    QTest::addColumn<int>("dataType");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("changes"); // Change events: only a step that moves the value
    QTest::newRow("double by 0.5") << 4 << "0.5"
                                   << "1" << true << "1.5" << 1 << 1;
    QTest::newRow("integer wraps: nothing") << 1 << "1"
                                            << "32767" << true << "32767" << 0 << 0;
    QTest::newRow("integer down") << 1 << "1"
                                  << "-32767" << false << "-32768" << 1 << 1;
    QTest::newRow("negative step: nothing") << 2 << "-1"
                                            << "5" << true << "5" << 0 << 0;
    QTest::newRow("negative step down: nothing") << 2 << "-1"
                                                 << "5" << false << "5" << 0 << 0;
    QTest::newRow("zero step re-assigns") << 2 << "0"
                                          << "5" << true << "5" << 1 << 0;
    QTest::newRow("currency") << 5 << "0.01"
                              << "0.99" << true << "1" << 1 << 1;
    QTest::newRow("single") << 3 << "0.25"
                            << "1" << false << "0.75" << 1 << 1;
    QTest::newRow("string type: nothing") << 0 << "1"
                                          << "5" << true << "5" << 0 << 0;
    QTest::newRow("range blocks") << 2 << "1"
                                  << "10" << true << "10" << 0 << 0;
}

void TestCNumCtrl::spin()
{
    QFETCH(int, dataType);
    QFETCH(QString, step);
    QFETCH(QString, start);
    QFETCH(bool, up);
    Fixture f;
    QVERIFY(f.ctl.put("MaskDecimalPlaces", 2).ok());
    QVERIFY(f.ctl.put("DataType", dataType).ok());
    QVERIFY(f.ctl.put("SpinValue", step).ok());
    if (QTest::currentDataTag() == QByteArray("range blocks")) {
        QVERIFY(f.ctl.put("ValidateType", 1).ok());
        QVERIFY(f.ctl.put("ValidateRangeLow", "0").ok());
        QVERIFY(f.ctl.put("ValidateRangeHigh", "10").ok());
    }
    QVERIFY(f.ctl.put("Text", start).ok());
    EventLog log(f.ctl);
    QVERIFY(f.ctl.invoke("DoSpinClick", { up ? 1 : 0 }).ok());
    QTEST(f.ctl.get("Text").value.toString(), "expected");
    QTEST(int(log.named("SpinClick").size()), "clicks");
    QTEST(int(log.named("Change").size()), "changes");
}

QTEST_MAIN(TestCNumCtrl)
#include "tst_cnumctrl.moc"
