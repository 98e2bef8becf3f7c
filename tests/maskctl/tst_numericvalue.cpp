#include "ColourRules.h"
#include "NumericValue.h"
#include "PictureFormatter.h"

#include <QPalette>
#include <QTest>

using namespace orvel;

class TestNumericValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerCurrencyType(); }
    void fromText_data();
    void fromText();
    void floorDecimals_data();
    void floorDecimals();
    void doubleToText_data();
    void doubleToText();
    void step_data();
    void step();
    void colourRules_data();
    void colourRules();
    void pictures_data();
    void pictures();
};

void TestNumericValue::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dataType");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<QString>("asText");
    QTest::newRow("int16 max") << "32767" << 1 << true << "32767";
    QTest::newRow("int16 overflow") << "32768" << 1 << false << "";
    QTest::newRow("int16 min") << "-32768" << 1 << true << "-32768";
    QTest::newRow("half to even down") << "2.5" << 1 << true << "2";
    QTest::newRow("half to even up") << "3.5" << 2 << true << "4";
    QTest::newRow("above half") << "2.51" << 2 << true << "3";
    QTest::newRow("int32 overflow") << "2147483648" << 2 << false << "";
    QTest::newRow("currency four places") << "1.23456" << 5 << true << "1.2346";
    QTest::newRow("currency half even") << "0.00005" << 5 << true << "0";
    QTest::newRow("currency max") << "922337203685477.5807" << 5 << true << "922337203685477.5807";
    QTest::newRow("currency overflow") << "922337203685478" << 5 << false << "";
    QTest::newRow("currency min") << "-922337203685477.5808" << 5 << true
                                  << "-922337203685477.5808";
    QTest::newRow("currency below min") << "-922337203685477.58086" << 5 << false << "";
    QTest::newRow("single") << "0.5" << 3 << true << "0.5";
    QTest::newRow("single overflow") << "1e39" << 3 << false << "";
    QTest::newRow("single too big") << QString(40, u'9') << 3 << false << "";
    QTest::newRow("double") << "-12.25" << 4 << true << "-12.25";
    QTest::newRow("comma separator") << "1,5" << 4 << true << "1.5";
    QTest::newRow("letters") << "1a" << 4 << false << "";
    QTest::newRow("lone sign") << "-" << 4 << false << "";
    QTest::newRow("string type keeps text") << "abc" << 0 << true << "abc";
    QTest::newRow("many digits") << QString(400, u'9') << 2 << false << "";
}

void TestNumericValue::fromText()
{
    QFETCH(QString, text);
    QFETCH(int, dataType);
    QFETCH(bool, converts);
    const auto v = NumericValue::fromText(text, dataType, u',');
    QCOMPARE(v.has_value(), converts);
    if (converts) {
        QCOMPARE(v->typeId(), NumericValue::metaTypeOf(dataType));
        QTEST(NumericValue::toText(*v), "asText");
    }
}

void TestNumericValue::floorDecimals_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cut") << "1.239" << 2 << "1.23";
    QTest::newRow("negative away from zero") << "-1.234" << 2 << "-1.24";
    QTest::newRow("negative carry") << "-1.999" << 2 << "-2";
    QTest::newRow("negative exact") << "-1.5" << 2 << "-1.5";
    QTest::newRow("zero places") << "7.9" << 0 << "7";
    QTest::newRow("negative zero places") << "-0.1" << 0 << "-1";
    QTest::newRow("tiny positive") << "0.001" << 2 << "0";
}

void TestNumericValue::floorDecimals()
{
    QFETCH(QString, number);
    QFETCH(int, places);
    QTEST(NumericValue::floorDecimals(number, places), "expected");
}

void TestNumericValue::doubleToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("simple") << 1.15 << "1.15";
    QTest::newRow("integer") << 20.0 << "20";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("large without exponent") << 1e20 << "100000000000000000000";
    QTest::newRow("small without exponent") << 1.5e-7 << "0.00000015";
    QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
}

void TestNumericValue::doubleToText()
{
    QFETCH(double, value);
    QTEST(NumericValue::doubleToText(value), "expected");
}

void TestNumericValue::step_data()
{
    QTest::addColumn<int>("dataType");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected"); // empty: nothing happens
    QTest::newRow("int16 up") << 1 << "1"
                              << "1" << true << "2";
    QTest::newRow("int16 wraps") << 1 << "32767"
                                 << "1" << true << "";
    QTest::newRow("int16 wraps down") << 1 << "-32768"
                                      << "1" << false << "";
    QTest::newRow("int32 wraps") << 2 << "2147483647"
                                 << "1" << true << "";
    QTest::newRow("currency") << 5 << "1.0001"
                              << "0.0001" << false << "1";
    QTest::newRow("currency overflow") << 5 << "922337203685477"
                                       << "1" << true << "";
    QTest::newRow("negative step up") << 4 << "1"
                                      << "-1" << true << "";
    QTest::newRow("zero step") << 4 << "1"
                               << "0" << false << "1";
}

void TestNumericValue::step()
{
    QFETCH(int, dataType);
    QFETCH(QString, current);
    QFETCH(QString, step);
    QFETCH(bool, up);
    QFETCH(QString, expected);
    const auto result = NumericValue::step(*NumericValue::fromText(current, dataType),
                                           *NumericValue::fromText(step, dataType), up);
    QCOMPARE(result.has_value(), !expected.isEmpty());
    if (result)
        QCOMPARE(NumericValue::toText(*result), expected);
}

void TestNumericValue::colourRules_data()
{
    QTest::addColumn<QString>(
        "state"); // letters: d disabled, l locked, f focused, e error, n null, m minus
    QTest::addColumn<bool>("coloursSet");
    QTest::addColumn<uint>("fore");
    QTest::addColumn<uint>("back");
    QTest::newRow("plain") << "" << true << 0x80000008u << 0x80000005u;
    QTest::newRow("disabled grey text") << "d" << true << 0x80000011u << 0x80000005u;
    QTest::newRow("locked default button face") << "l" << false << 0x80000008u << 0x8000000Fu;
    QTest::newRow("locked set") << "lf" << true << 1u << 2u;
    QTest::newRow("focused") << "fem" << true << 3u << 4u;
    QTest::newRow("error unfocused") << "em" << true << 5u << 6u;
    QTest::newRow("error unset falls to negative") << "em" << false << 255u << 0x80000005u;
    QTest::newRow("null") << "nm" << true << 7u << 8u;
    QTest::newRow("negative") << "m" << true << 9u << 10u;
    QTest::newRow("negative unset") << "m" << false << 0x80000008u << 0x80000005u;
}

void TestNumericValue::colourRules()
{
    QFETCH(QString, state);
    QFETCH(bool, coloursSet);
    ColourState s;
    s.enabled = !state.contains(u'd');
    s.locked = state.contains(u'l');
    s.focused = state.contains(u'f');
    s.maskError = state.contains(u'e');
    s.nullShown = state.contains(u'n');
    s.negative = state.contains(u'm');
    ColourSet c;
    if (coloursSet) {
        c.readOnlyFore = 1, c.readOnlyBack = 2, c.focusFore = 3, c.focusBack = 4;
        c.maskErrorFore = 5, c.maskErrorBack = 6, c.nullFore = 7, c.nullBack = 8;
        c.negFore = 9, c.negBack = 10;
    }
    QTEST(uint(ColourRules::textColour(s, c)), "fore");
    QTEST(uint(ColourRules::backColour(s, c)), "back");
}

void TestNumericValue::pictures_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected"); // "-" for no result
    QTest::newRow("grouped") << 1234567.891 << "#,##0.00"
                             << "1.234.567,89";
    QTest::newRow("rounds half away") << 2.345 << "0.00"
                                      << "2,35";
    QTest::newRow("optional decimals") << 2.5 << "0.##"
                                       << "2,5";
    QTest::newRow("min whole digits") << 5.0 << "000"
                                      << "005";
    QTest::newRow("no whole zero") << 0.5 << "#.00"
                                   << ",50";
    QTest::newRow("negative zero shows no sign") << -0.001 << "0.00"
                                                 << "0,00";
    QTest::newRow("zero section") << 0.0 << "0;-0;\"nichts\""
                                  << "nichts";
    QTest::newRow("escaped") << 3.0 << "0\\%"
                             << "3%";
    QTest::newRow("date picture") << 3.0 << "dd.mm.yyyy"
                                  << "-";
    QTest::newRow("infinite") << qInf() << "0"
                              << "-";
    QTest::newRow("largest decimals") << 1e307 << "0.00"
                                      << "1" + QString(307, u'0') + ",00";
    QTest::newRow("largest percent") << 1e307 << "0%"
                                     << "1" + QString(309, u'0') + "%";
    QTest::newRow("beyond 2^53 grouped") << 12345678901234567890.0 << "#,##0.0"
                                         << "12.345.678.901.234.567.000,0";
}

void TestNumericValue::pictures()
{
    QFETCH(double, value);
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    const auto text
        = PictureFormatter::format(value, picture, { QStringLiteral(","), QStringLiteral(".") });
    QCOMPARE(text.value_or(QStringLiteral("-")), expected);
}

QTEST_GUILESS_MAIN(TestNumericValue)
#include "tst_numericvalue.moc"
