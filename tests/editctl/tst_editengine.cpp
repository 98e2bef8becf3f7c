#include "EngineRecorder.h"
#include "editctl/DecimalNumber.h"
#include "editctl/HexText.h"
#include "editctl/UmlautConverter.h"

#include <QtTest>

using namespace inkora;

class TestEditEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void typing_data();
    void typing();
    void leaveField_data();
    void leaveField();
    void setters_data();
    void setters();
    void valueSetter_data();
    void valueSetter();
    void enterFormatsAndSelects();
    void keyPressEventSeesFilteredKey();
    void initNew();
    void spellCheckRequests();
    void umlaut_data();
    void umlaut();
    void charChange_data();
    void charChange();
    void hex_data();
    void hex();
    void decimal_data();
    void decimal();
    void hostileTexts();
};

// ---- typing: keys -> text, beeps, Value --------------------------------------------------

void TestEditEngine::typing_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("numeric refuses a letter") << "TextArt=0"
                                              << "12a"
                                              << "12" << 1 << QVariant("12");
    QTest::newRow("numeric minus moves to the front") << "TextArt=0"
                                                      << "12-"
                                                      << "-12" << 0 << QVariant("-12");
    QTest::newRow("numeric second minus refused") << "TextArt=0"
                                                  << "12--"
                                                  << "-12" << 1 << QVariant("-12");
    QTest::newRow("numeric percent") << "TextArt=0"
                                     << "5%"
                                     << "5%" << 0 << QVariant(0.05);
    QTest::newRow("numeric digit before percent") << "TextArt=0"
                                                  << "5%\x02\x02"
                                                     "3"
                                                  << "35%" << 0 << QVariant(0.35);
    QTest::newRow("numeric digit between") << "TextArt=0"
                                           << "5%\x02"
                                              "3"
                                           << "53%" << 0 << QVariant(0.53);
    QTest::newRow("numeric second percent refused") << "TextArt=0"
                                                    << "5%%"
                                                    << "5%" << 1 << QVariant(0.05);
    QTest::newRow("percent of a text kind counts for a numeric kind") << "TextArt=2;Typed=5%;Kind=0"
                                                                      << "%"
                                                                      << "5%" << 1 << QVariant("5");
    QTest::newRow("space refused without percent") << "TextArt=0;Leer=1"
                                                   << "5 "
                                                   << "5" << 1 << QVariant("5");
    QTest::newRow("space admitted after percent") << "TextArt=0;Leer=1"
                                                  << "5% "
                                                  << "5 %" << 0 << QVariant(0.05);
    QTest::newRow("space refused when percent not allowed") << "TextArt=0;Leer=1;Prozent=0"
                                                            << "5 %"
                                                            << "5 " << 1 << QVariant("5");
    QTest::newRow("thousands separator dot") << "TextArt=0;Tausender=1"
                                             << "1.2"
                                             << "1.2" << 0 << QVariant("12");
    QTest::newRow("thousands separator comma when sign is dot") << "TextArt=0;Tausender=1;KText=."
                                                                << "1,2"
                                                                << "1,2" << 0 << QVariant("12");
    QTest::newRow("no thousands: comma refused when sign is dot") << "TextArt=0;KText=."
                                                                  << "1,2"
                                                                  << "12" << 1 << QVariant("12");
    QTest::newRow("period always reaches the box") << "TextArt=4"
                                                   << "ab."
                                                   << "ab." << 0 << QVariant("");
    QTest::newRow("hex upper-cases") << "TextArt=1"
                                     << "a"
                                     << "A" << 0 << QVariant("10");
    QTest::newRow("hex refuses g") << "TextArt=1"
                                   << "g"
                                   << "" << 1 << QVariant("");
    QTest::newRow("hex FF") << "TextArt=1"
                            << "ff"
                            << "FF" << 0 << QVariant("255");
    QTest::newRow("hex FFFF reads -1") << "TextArt=1"
                                       << "FFFF"
                                       << "FFFF" << 0 << QVariant("-1");
    QTest::newRow("alphanum upper umlaut") << "TextArt=3"
                                           << "ä"
                                           << "Ä" << 0 << QVariant("");
    QTest::newRow("alphanum upper sharp s stays") << "TextArt=3"
                                                  << "ß"
                                                  << "ß" << 0 << QVariant("");
    QTest::newRow("alphanum upper special admitted") << "TextArt=3"
                                                     << "a!"
                                                     << "A!" << 0 << QVariant("");
    QTest::newRow("alphanum upper micro refused") << "TextArt=3"
                                                  << "µ"
                                                  << "" << 1 << QVariant("");
    QTest::newRow("text only refuses digit") << "TextArt=4"
                                             << "a1"
                                             << "a" << 1 << QVariant("");
    QTest::newRow("text upper") << "TextArt=5"
                                << "abc"
                                << "ABC" << 0 << QVariant("");
    QTest::newRow("alphanum value from digits") << "TextArt=2"
                                                << "a1,5-"
                                                << "a1,5-" << 0 << QVariant("1,5-");
    QTest::newRow("umlaut mode 1 converts") << "TextArt=2;TextUmlaut=1"
                                            << "ä"
                                            << "{" << 0 << QVariant("");
    QTest::newRow("umlaut mode 1 caret jumps to end") << "TextArt=2;TextUmlaut=1"
                                                      << "ab\x02"
                                                         "ü"
                                                      << "a}b" << 0 << QVariant("");
    QTest::newRow("umlaut mode 2 substitutes admitted") << "TextArt=4;TextUmlaut=2"
                                                        << "Gr|~e"
                                                        << "Größe" << 0 << QVariant("");
    QTest::newRow("underscore with MinLänge") << "TextArt=4;MinLänge=3"
                                              << "a_"
                                              << "a_" << 0 << QVariant("");
    QTest::newRow("underscore refused without MinLänge") << "TextArt=4"
                                                         << "a_"
                                                         << "a" << 1 << QVariant("");
    QTest::newRow("backspace") << "TextArt=0"
                               << "123\b"
                               << "12" << 0 << QVariant("12");
    QTest::newRow("ctrl+c refused") << "TextArt=2"
                                    << "a\x03"
                                    << "a" << 1 << QVariant("");
    QTest::newRow("unknown kind admits nothing") << "TextArt=9"
                                                 << "a1"
                                                 << "" << 2 << QVariant("");
    QTest::newRow("value sign exchanged") << "TextArt=0;KValue=."
                                          << "12,5"
                                          << "12,5" << 0 << QVariant("12.5");
    QTest::newRow("percent with value sign") << "TextArt=0;KValue=."
                                             << "12,5%"
                                             << "12,5%" << 0 << QVariant("0.125");
}

void TestEditEngine::typing()
{
    QFETCH(QString, settings);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    QFETCH(QVariant, value);
    EngineRecorder r;
    r.configure(settings);
    r.run(keys);
    QCOMPARE(r.engine.text(), text);
    QCOMPARE(r.beeps, beeps);
    QCOMPARE(r.engine.state().value, value);
}

// ---- leaving the field -------------------------------------------------------------------

void TestEditEngine::leaveField_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("beep");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("changes"); // Change events of the leave alone

    QTest::newRow("above MaxWert") << "TextArt=0;MaxWert=100;MinWert=-5"
                                   << "250"
                                   << "100" << true << QVariant("100") << 2;
    QTest::newRow("below MinWert") << "TextArt=0;MaxWert=100;MinWert=-5"
                                   << "-7"
                                   << "-5" << true << QVariant("-5") << 2;
    QTest::newRow("inside bounds") << "TextArt=0;MaxWert=100;MinWert=-5"
                                   << "50"
                                   << "50" << false << QVariant("50") << 1;
    QTest::newRow("clamped to a decimal MaxWert") << "TextArt=0;MaxWert=10,5"
                                                  << "11"
                                                  << "10,5" << true << QVariant("10,5") << 2;
    QTest::newRow("clamped to a decimal MinWert") << "TextArt=0;MinWert=-0,5"
                                                  << "-1"
                                                  << "-0,5" << true << QVariant("-0,5") << 2;
    QTest::newRow("decimal entry clamped to a whole bound") << "TextArt=0;MaxWert=10"
                                                            << "11,5"
                                                            << "10" << true << QVariant("10") << 2;
    QTest::newRow("front cut and truncation") << "TextArt=0;LängeVK=3;LängeNK=2"
                                              << "12345,678"
                                              << "345,67" << true << QVariant("345,67") << 2;
    QTest::newRow("decimals padded") << "TextArt=0;LängeVK=3;LängeNK=2"
                                     << "7"
                                     << "7,00" << true << QVariant("7,00") << 2;
    QTest::newRow("thousands grouping") << "TextArt=0;Tausender=1"
                                        << "1234567,5"
                                        << "1.234.567,5" << true << QVariant("1234567,5") << 2;
    QTest::newRow("grouping six digits negative") << "TextArt=0;Tausender=1"
                                                  << "-123456"
                                                  << "-123.456" << true << QVariant("-123456") << 2;
    QTest::newRow("value sign differs") << "TextArt=0;KValue=."
                                        << "12,5"
                                        << "12,5" << false << QVariant("12.5") << 1;
    QTest::newRow("percent value") << "TextArt=0"
                                   << "25%"
                                   << "25%" << false << QVariant(0.25) << 1;
    QTest::newRow("MinLänge numeric") << "TextArt=0;MinLänge=5"
                                      << "42"
                                      << "00042" << true << QVariant("00042") << 2;
    QTest::newRow("MinLänge negative keeps sign first") << "TextArt=0;MinLänge=4"
                                                        << "-5"
                                                        << "-005" << true << QVariant("-005") << 2;
    QTest::newRow("MinLänge text") << "TextArt=2;MinLänge=5"
                                   << "ab"
                                   << "ab___" << true << QVariant("") << 2;
    QTest::newRow("text cut at the end") << "TextArt=2;LängeVK=4"
                                         << "abcdef"
                                         << "abcd" << true << QVariant("") << 2;
    QTest::newRow("leading zeros") << "TextArt=0;Nullen=1"
                                   << "0042"
                                   << "42" << true << QVariant("42") << 2;
    QTest::newRow("leading zero before comma kept") << "TextArt=0;Nullen=1"
                                                    << "0,5"
                                                    << "0,5" << false << QVariant("0,5") << 1;
    QTest::newRow("lone zero kept") << "TextArt=0;Nullen=1"
                                    << "0"
                                    << "0" << false << QVariant("0") << 1;
    QTest::newRow("double zero before comma") << "TextArt=0;Nullen=1"
                                              << "00,5"
                                              << "0,5" << true << QVariant("0,5") << 2;
    QTest::newRow("minus stops zero removal") << "TextArt=0;Nullen=1"
                                              << "-007"
                                              << "-007" << false << QVariant("-007") << 1;
    QTest::newRow("hex above MaxWert") << "TextArt=1;MaxWert=255"
                                       << "1FF"
                                       << "FF" << true << QVariant("255") << 2;
    QTest::newRow("hex below MinWert") << "TextArt=1;MinWert=0"
                                       << "FFFF"
                                       << "0" << true << QVariant("0") << 2;
    QTest::newRow("lone minus") << "TextArt=0"
                                << "-"
                                << "-" << false << QVariant("-") << 1;
    QTest::newRow("second decimal sign dropped") << "TextArt=0"
                                                 << "1,2,3"
                                                 << "1,2" << true << QVariant("1,2") << 2;
    QTest::newRow("nothing numeric stays") << "TextArt=0"
                                           << "abc"
                                           << "abc" << false << QVariant("") << 0;
    QTest::newRow("lone percent stays") << "TextArt=0"
                                        << "%"
                                        << "%" << false << QVariant("") << 0;
    QTest::newRow("text only drops period") << "TextArt=4"
                                            << "ab."
                                            << "ab" << true << QVariant("") << 2;
    QTest::newRow("empty text does nothing") << "TextArt=0"
                                             << ""
                                             << "" << false << QVariant("") << 0;
    QTest::newRow("unknown kind keeps text") << "TextArt=7"
                                             << "a1"
                                             << "" << true << QVariant("1") << 1;
    QTest::newRow("bounds with more digits than a double")
        << "TextArt=0;MaxWert=1000000000000000000000000001"
        << "1000000000000000000000000002"
        << "1000000000000000000000000001" << true << QVariant("1000000000000000000000000001") << 2;
    QTest::newRow("bound compare of decimals") << "TextArt=0;MaxWert=0,1"
                                               << "0,10000000000000000000000001"
                                               << "0,1" << true << QVariant("0,1") << 2;
    QTest::newRow("mode 3 upper-cases on leave") << "TextArt=2;TextUmlaut=3"
                                                 << "Öl"
                                                 << "OEL" << false << QVariant("") << 1;
}

void TestEditEngine::leaveField()
{
    QFETCH(QString, settings);
    QFETCH(QString, input);
    QFETCH(QString, display);
    QFETCH(bool, beep);
    QFETCH(QVariant, value);
    QFETCH(int, changes);
    EngineRecorder r;
    r.configure(settings);
    r.engine.writeText(input);
    r.beeps = 0;
    r.changes = 0;
    r.engine.leaveField();
    QCOMPARE(r.engine.text(), display);
    QCOMPARE(r.beeps, beep ? 1 : 0);
    QCOMPARE(r.engine.state().value, value);
    QCOMPARE(r.changes, changes);
    // Leaving again formats to the same text without a beep.
    r.beeps = 0;
    r.engine.leaveField();
    QCOMPARE(r.engine.text(), display);
    QCOMPARE(r.beeps, 0);
}

// ---- setters -----------------------------------------------------------------------------

void TestEditEngine::setters_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QVariant>("lengthVK"); // LängeVK afterwards

    QTest::newRow("MaxWert above MinWert")
        << "MinWert=5"
        << "MaxWert" << QVariant("10") << QVariant("10") << 0 << QVariant("x");
    QTest::newRow("MaxWert below MinWert takes MinWert")
        << "MinWert=5"
        << "MaxWert" << QVariant("3") << QVariant("5") << 0 << QVariant("x");
    QTest::newRow("MaxWert lowers LängeVK")
        << "LängeVK=5"
        << "MaxWert" << QVariant("100") << QVariant("100") << 0 << QVariant(3);
    QTest::newRow("MaxWert cleaned")
        << ""
        << "MaxWert" << QVariant("1a2") << QVariant("12") << 0 << QVariant("x");
    QTest::newRow("MaxWert x") << "MaxWert=5"
                               << "MaxWert" << QVariant("x") << QVariant("x") << 0 << QVariant("x");
    QTest::newRow("MaxWert without digits refused")
        << "MaxWert=5"
        << "MaxWert" << QVariant("abc") << QVariant("5") << 1 << QVariant("x");
    QTest::newRow("MaxWert lone minus refused")
        << "MaxWert=5"
        << "MaxWert" << QVariant("-") << QVariant("5") << 1 << QVariant("x");
    QTest::newRow("MaxWert from a double")
        << ""
        << "MaxWert" << QVariant(2.5) << QVariant("2,5") << 0 << QVariant("x");
    QTest::newRow("MinWert above MaxWert takes MaxWert")
        << "MaxWert=10"
        << "MinWert" << QVariant("20") << QVariant("10") << 0 << QVariant("x");
    QTest::newRow("MinWert negative")
        << ""
        << "MinWert" << QVariant("-5") << QVariant("-5") << 0 << QVariant("x");
    QTest::newRow("LängeVK x capped by MaxWert")
        << "MaxWert=999"
        << "LängeVK" << QVariant("x") << QVariant(3) << 1 << QVariant(3);
    QTest::newRow("LängeVK above MaxWert length")
        << "MaxWert=999"
        << "LängeVK" << QVariant("5") << QVariant(3) << 1 << QVariant(3);
    QTest::newRow("LängeVK rounds half to even")
        << ""
        << "LängeVK" << QVariant("2,5") << QVariant("2") << 0 << QVariant("2");
    QTest::newRow("LängeVK rounds 3,5 up")
        << ""
        << "LängeVK" << QVariant("3,5") << QVariant("4") << 0 << QVariant("4");
    QTest::newRow("LängeVK minus dropped")
        << ""
        << "LängeVK" << QVariant("-4") << QVariant("4") << 0 << QVariant("4");
    QTest::newRow("LängeVK lone minus refused")
        << ""
        << "LängeVK" << QVariant("-") << QVariant("x") << 1 << QVariant("x");
    QTest::newRow("LängeNK") << ""
                             << "LängeNK" << QVariant(2) << QVariant("2") << 0 << QVariant("x");
    QTest::newRow("MinLänge") << ""
                              << "MinLänge" << QVariant("4,6") << QVariant(5) << 0 << QVariant("x");
    QTest::newRow("MinLänge x refused")
        << ""
        << "MinLänge" << QVariant("x") << QVariant(0) << 1 << QVariant("x");
    QTest::newRow("MinLänge huge capped")
        << ""
        << "MinLänge" << QVariant("99999999999") << QVariant(32767) << 0 << QVariant("x");
    QTest::newRow("KommaZeichenText semicolon refused")
        << ""
        << "KommaZeichenText" << QVariant(";") << QVariant(",") << 1 << QVariant("x");
    QTest::newRow("KommaZeichenText dot taken")
        << ""
        << "KommaZeichenText" << QVariant(".") << QVariant(".") << 0 << QVariant("x");
    QTest::newRow("KommaZeichenValue two chars refused")
        << ""
        << "KommaZeichenValue" << QVariant(",,") << QVariant(",") << 1 << QVariant("x");
}

void TestEditEngine::setters()
{
    QFETCH(QString, settings);
    QFETCH(QString, property);
    QFETCH(QVariant, input);
    QFETCH(QVariant, stored);
    QFETCH(int, beeps);
    QFETCH(QVariant, lengthVK);
    EngineRecorder r;
    r.configure(settings);
    EditEngine &e = r.engine;
    QVariant got;
    if (property == "MaxWert") {
        e.setMaxWert(input);
        got = e.state().maxWert;
    } else if (property == "MinWert") {
        e.setMinWert(input);
        got = e.state().minWert;
    } else if (property == "LängeVK") {
        e.setLengthVK(input);
        got = e.state().lengthVK;
    } else if (property == "LängeNK") {
        e.setLengthNK(input);
        got = e.state().lengthNK;
    } else if (property == "MinLänge") {
        e.setMinLength(input);
        got = e.state().minLength;
    } else if (property == "KommaZeichenText") {
        e.setKommaZeichenText(input.toString());
        got = e.state().kommaZeichenText;
    } else {
        e.setKommaZeichenValue(input.toString());
        got = e.state().kommaZeichenValue;
    }
    QCOMPARE(got, stored);
    QCOMPARE(r.beeps, beeps);
    QCOMPARE(e.state().lengthVK, lengthVK);
}

void TestEditEngine::valueSetter_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("beeps");

    QTest::newRow("shown unformatted")
        << "TextArt=0;Tausender=1" << QVariant("1234,5") << "1234,5" << QVariant("1234,5") << 0;
    QTest::newRow("value sign converted")
        << "TextArt=0;KValue=." << QVariant("12.5") << "12,5" << QVariant("12.5") << 0;
    QTest::newRow("hex written") << "TextArt=1" << QVariant(255) << "FF" << QVariant("255") << 0;
    QTest::newRow("hex 65535 round trips")
        << "TextArt=1" << QVariant(65535) << "0FFFF" << QVariant("65535") << 0;
    QTest::newRow("hex negative") << "TextArt=1" << QVariant(-1) << "FFFF" << QVariant("-1") << 0;
    QTest::newRow("no digits refused") << "TextArt=0" << QVariant("abc") << "" << QVariant("") << 1;
    QTest::newRow("number variant")
        << "TextArt=0" << QVariant(0.5) << "0,5" << QVariant("0,5") << 0;
    QTest::newRow("percent not added")
        << "TextArt=0" << QVariant("25") << "25" << QVariant("25") << 0;
    QTest::newRow("percent of the old kind forgotten")
        << "TextArt=0;Typed=5%;Kind=1" << QVariant(255) << "FF" << QVariant("255") << 0;
}

void TestEditEngine::valueSetter()
{
    QFETCH(QString, settings);
    QFETCH(QVariant, input);
    QFETCH(QString, text);
    QFETCH(QVariant, value);
    QFETCH(int, beeps);
    EngineRecorder r;
    r.configure(settings);
    r.engine.setValueProperty(input);
    QCOMPARE(r.engine.text(), text);
    QCOMPARE(r.engine.state().value, value);
    QCOMPARE(r.beeps, beeps);
}

void TestEditEngine::enterFormatsAndSelects()
{
    EngineRecorder r;
    r.configure("TextArt=0;LängeNK=2");
    r.run("7\r");
    QCOMPARE(r.engine.text(), QStringLiteral("7,00"));
    QCOMPARE(r.engine.selectionStart(), 0);
    QCOMPARE(r.engine.selectionLength(), 4);
    QCOMPARE(r.keyPresses, (QList<int> { '7', 13 }));
    // Typing over the selection replaces it.
    r.run("9");
    QCOMPARE(r.engine.text(), QStringLiteral("9"));
}

void TestEditEngine::keyPressEventSeesFilteredKey()
{
    EngineRecorder r;
    r.configure("TextArt=3");
    r.run("a1");
    QCOMPARE(r.keyPresses, (QList<int> { 'A', '1' }));
    r.keyPresses.clear();
    r.run("µ");
    QCOMPARE(r.keyPresses, QList<int> { 0 });
    r.replaceKeyWith = 0; // the host swallows every key
    r.run("b");
    QCOMPARE(r.engine.text(), QStringLiteral("A1"));
    r.replaceKeyWith = 'Z'; // or exchanges it
    r.run("b");
    QCOMPARE(r.engine.text(), QStringLiteral("A1Z"));
}

void TestEditEngine::initNew()
{
    EngineRecorder r;
    r.engine.state().textArt = 0;
    r.engine.initNew(QStringLiteral("Edit1"));
    const EditState &s = r.engine.state();
    QCOMPARE(r.engine.text(), QStringLiteral("Edit1"));
    QCOMPARE(s.textArt, 2);
    QCOMPARE(s.maxWert, QVariant("x"));
    QCOMPARE(s.minWert, QVariant("x"));
    QCOMPARE(s.lengthVK, QVariant("x"));
    QCOMPARE(s.lengthNK, QVariant("x"));
    QCOMPARE(s.kommaZeichenText, QStringLiteral(","));
    QVERIFY(s.leerzeichenErlaubt && s.prozentWertErlaubt);
    QCOMPARE(s.value, QVariant(""));
    QCOMPARE(s.erlaubteSonderzeichen.size(), 37);
    QCOMPARE(r.changes, 1);
}

void TestEditEngine::spellCheckRequests()
{
    EngineRecorder r;
    r.engine.writeText("Haus");
    r.engine.leaveField();
    QCOMPARE(r.spellChecks, 0);
    r.configure("Auto=1");
    r.engine.leaveField();
    QCOMPARE(r.spellChecks, 1);
    r.engine.writeText("");
    r.engine.leaveField();
    QCOMPARE(r.spellChecks, 1);
    r.configure("TextArt=0");
    r.engine.writeText("abc"); // nothing numeric: the formatting stops early
    r.engine.leaveField();
    QCOMPARE(r.spellChecks, 1);
}

// ---- umlauts and replacement -------------------------------------------------------------

void TestEditEngine::umlaut_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("output");
    QTest::newRow("to kordex") << "Größe" << 1 << "Gr|~e";
    QTest::newRow("from kordex") << "Gr|~e" << 2 << "Größe";
    QTest::newRow("paragraph") << "Müller §5" << 1 << "M}ller õ5";
    QTest::newRow("paragraph back") << "M}ller õ5" << 2 << "Müller §5";
    QTest::newRow("capitals") << "ÄÖÜ" << 1 << "[\\]";
    QTest::newRow("search sharp s") << "Straße" << 3 << "STRASSE";
    QTest::newRow("search Öl") << "Öl" << 3 << "OEL";
    QTest::newRow("search lower umlaut") << "grün" << 3 << "GRUEN";
    QTest::newRow("rtf") << "Bär" << 4 << "B\\'e4r";
    QTest::newRow("rtf capital C") << "Ära" << 4 << "\\'C4ra";
    QTest::newRow("rtf all") << "öüßÖÜ" << 4 << "\\'f6\\'fc\\'df\\'d6\\'dc";
    QTest::newRow("empty 1") << "" << 1 << "";
    QTest::newRow("empty 4") << "" << 4 << "";
    QTest::newRow("mode 0 unchanged") << "Größe" << 0 << "Größe";
    QTest::newRow("mode 9 unchanged") << "Größe" << 9 << "Größe";
    QTest::newRow("idempotent 1") << "Gr|~e" << 1 << "Gr|~e";
}

void TestEditEngine::umlaut()
{
    QFETCH(QString, input);
    QFETCH(int, mode);
    QFETCH(QString, output);
    QCOMPARE(UmlautConverter::umlaut(input, mode), output);
}

void TestEditEngine::charChange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("several");
    QTest::addColumn<QString>("result");
    QTest::newRow("delete minus") << "1-2-3"
                                  << "-"
                                  << "" << false << "123";
    QTest::newRow("decimal sign") << "12,5"
                                  << ","
                                  << "." << false << "12.5";
    QTest::newRow("several") << "aXbX"
                             << "Xb"
                             << "-" << true << "a-X";
    QTest::newRow("first characters only") << "aXbX"
                                           << "Xb"
                                           << "-" << false << "a-b-";
    QTest::newRow("non overlapping") << "aaa"
                                     << "aa"
                                     << "b" << true << "ba";
    QTest::newRow("empty search unchanged") << "abc"
                                            << ""
                                            << "x" << false << "abc";
    QTest::newRow("long text") << QString(300, 'a') + ","
                               << ","
                               << "." << false << QString(300, 'a') + ".";
}

void TestEditEngine::charChange()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, several);
    QFETCH(QString, result);
    QCOMPARE(UmlautConverter::charChange(text, search, replacement, several), result);
}

// ---- hexadecimal and decimal -------------------------------------------------------------

void TestEditEngine::hex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("written");
    QTest::newRow("empty") << "" << 0 << "0";
    QTest::newRow("FF") << "FF" << 255 << "FF";
    QTest::newRow("FFFF is -1") << "FFFF" << -1 << "FFFF";
    QTest::newRow("8000") << "8000" << -32768 << "8000";
    QTest::newRow("FFFFF") << "FFFFF" << 1048575 << "FFFFF";
    QTest::newRow("0FFFF") << "0FFFF" << 65535 << "0FFFF";
    QTest::newRow("FFFFFFFF") << "FFFFFFFF" << -1 << "FFFF";
    QTest::newRow("7FFFFFFF") << "7FFFFFFF" << 2147483647 << "7FFFFFFF";
    QTest::newRow("80000000") << "80000000" << int(-2147483648LL) << "80000000";
    QTest::newRow("nine digits keep the last eight") << "1000000FF" << 255 << "FF";
    QTest::newRow("foreign characters ignored") << "F-F" << 255 << "FF";
    QTest::newRow("lower case") << "ff" << 255 << "FF";
    QTest::newRow("digits of other scripts ignored")
        << QStringLiteral("1\u0663F\uFF11") << 31 << "1F";
}

void TestEditEngine::hex()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(QString, written);
    QCOMPARE(HexText::read(text), number);
    QCOMPARE(HexText::write(number), written);
    QCOMPARE(HexText::read(HexText::write(number)), number);
}

void TestEditEngine::decimal_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");
    QTest::newRow("equal with zeros") << "007,50"
                                      << "7,5" << 0;
    QTest::newRow("negative") << "-2"
                              << "1" << -1;
    QTest::newRow("negatives") << "-10"
                               << "-9" << -1;
    QTest::newRow("minus zero") << "-0"
                                << "0" << 0;
    QTest::newRow("fraction only") << ",5"
                                   << "0,4" << 1;
    QTest::newRow("beyond double") << "9007199254740993"
                                   << "9007199254740992" << 1;
    QTest::newRow("28 digits exact") << "1234567890123456789012345678"
                                     << "1234567890123456789012345677" << 1;
    QTest::newRow("29th digit rounded away") << "1,0000000000000000000000000001"
                                             << "1" << 0;
    QTest::newRow("28th digit kept") << "1,000000000000000000000000001"
                                     << "1" << 1;
}

void TestEditEngine::decimal()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    const auto x = DecimalNumber::parse(a, QLatin1Char(','));
    const auto y = DecimalNumber::parse(b, QLatin1Char(','));
    QVERIFY(x && y);
    QCOMPARE(DecimalNumber::compare(*x, *y), order);
    QCOMPARE(DecimalNumber::compare(*y, *x), -order);
    QVERIFY(!DecimalNumber::parse("-", QLatin1Char(',')));
    QVERIFY(!DecimalNumber::parse(",", QLatin1Char(',')));
    QVERIFY(!DecimalNumber::parse("1,2,3", QLatin1Char(',')));
    QVERIFY(!DecimalNumber::parse("1-2", QLatin1Char(',')));
    QCOMPARE(DecimalNumber::parse("2,5", QLatin1Char(','))->roundedToWhole().toString(','),
             QStringLiteral("2"));
    QCOMPARE(DecimalNumber::parse("-3,5", QLatin1Char(','))->roundedToWhole().toString(','),
             QStringLiteral("-4"));
    QCOMPARE(DecimalNumber::parse("9,51", QLatin1Char(','))->roundedToWhole().toString(','),
             QStringLiteral("10"));
    QCOMPARE(DecimalNumber::parse("0,5", QLatin1Char(','))->roundedToWhole().toString(','),
             QStringLiteral("0"));
    QCOMPARE(DecimalNumber::parse("99999999999999999999999999995", QLatin1Char(','))->toString(','),
             QStringLiteral("100000000000000000000000000000"));
}

void TestEditEngine::hostileTexts()
{
    EngineRecorder r;
    r.configure("TextArt=0;MaxWert=abc;MinWert=;LängeVK=-3;LängeNK=99999999;KText=");
    r.engine.writeText(QString(10000, '9') + "," + QString(5000, '1'));
    r.engine.leaveField(); // broken loaded settings must neither crash nor hang
    QVERIFY(!r.engine.text().isEmpty());
    EngineRecorder h;
    h.configure("TextArt=1;LängeVK=x");
    h.engine.writeText(QString(500, 'F'));
    h.engine.leaveField();
    QCOMPARE(h.engine.text(), QStringLiteral("FFFF"));
}

QTEST_MAIN(TestEditEngine)
#include "tst_editengine.moc"
