#include "EffectiveMask.h"
#include "FixedLocaleInfo.h"
#include "MaskFormatter.h"
#include "MaskTestSupport.h"

#include <QTest>

using namespace orvel;
using namespace orvel::test;

class TestMaskFormatter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formattingPass_data();
    void formattingPass();
    void negativeLayouts_data();
    void negativeLayouts();
    void positiveLayouts_data();
    void positiveLayouts();
    void effectiveSettings_data();
    void effectiveSettings();
    void validity_data();
    void validity();
    void positionMapping_data();
    void positionMapping();
};

void TestMaskFormatter::formattingPass_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expectedValue");
    QTest::addColumn<QString>("expectedDisplay");

    QTest::newRow("cut not rounded, grouped") << "en"
                                              << "type=0 places=2 grp=1 sep=, dec=. pos=1 neg=2"
                                              << "1234567.891"
                                              << "1234567.89"
                                              << "1,234,567.89";
    QTest::newRow("fixed pads") << "en"
                                << "type=0 places=2 fixed=1 pos=1"
                                << "5"
                                << "5.00"
                                << "5.00";
    QTest::newRow("fixed empty becomes 0.00") << "en"
                                              << "type=0 places=2 fixed=1 pos=1"
                                              << ""
                                              << "0.00"
                                              << "0.00";
    QTest::newRow("negative zero keeps sign, positive layout") << "en"
                                                               << "type=0 places=2 neg=1 pos=1"
                                                               << "-0.00"
                                                               << "-0.00"
                                                               << "0.00";
    QTest::newRow("zero if null") << "en"
                                  << "type=0 places=2 pos=1"
                                  << ""
                                  << "0"
                                  << "0";
    QTest::newRow("empty stays empty") << "en"
                                       << "type=0 places=2 zero=0"
                                       << ""
                                       << ""
                                       << "";
    QTest::newRow("lone minus is empty") << "en"
                                         << "type=0 zero=0"
                                         << "-"
                                         << ""
                                         << "";
    QTest::newRow("-.5 becomes -0.5") << "en"
                                      << "type=0 places=2 neg=2"
                                      << "-.5"
                                      << "-0.5"
                                      << "-0.5";
    QTest::newRow("lead zeros dropped") << "en"
                                        << "type=0 places=0"
                                        << "007"
                                        << "7"
                                        << "7";
    QTest::newRow("lead zeros kept") << "en"
                                     << "type=0 places=0 lead=1"
                                     << "007"
                                     << "007"
                                     << "007";
    QTest::newRow("zero places drops point") << "en"
                                             << "type=0 places=0"
                                             << "12.75"
                                             << "12"
                                             << "12";
    QTest::newRow("trailing point kept") << "en"
                                         << "type=0 places=2"
                                         << "12."
                                         << "12."
                                         << "12.";
    QTest::newRow("german decimal comma")
        << "de"
        << "type=1 grp=1"
        << "1234.5"
        << "1234.5"
        << "1.234,5 "; // the layout adds its space even without a symbol
    QTest::newRow("german currency shown") << "de"
                                           << "type=1 grp=1 cur=1 fixed=1"
                                           << "1234.5"
                                           << "1234.50"
                                           << "1.234,50 €";
    QTest::newRow("german negative currency") << "de"
                                              << "type=1 cur=1"
                                              << "-5"
                                              << "-5"
                                              << "-5 €";
    QTest::newRow("english currency negative brackets") << "en"
                                                        << "type=1 cur=1 grp=1"
                                                        << "-1234.5"
                                                        << "-1234.5"
                                                        << "($1,234.5)";
    QTest::newRow("symbol hidden, spaces kept") << "en"
                                                << "type=1 cur=0 sym=EUR pos=4 neg=9"
                                                << "-5"
                                                << "-5"
                                                << "-5 ";
    QTest::newRow("neg 9 with dollar") << "en"
                                       << "type=1 cur=1 neg=9"
                                       << "-5"
                                       << "-5"
                                       << "-5 $";
    QTest::newRow("group size 0 does not group") << "en"
                                                 << "type=0 grp=1 group=0 pos=1"
                                                 << "1234567"
                                                 << "1234567"
                                                 << "1234567";
    QTest::newRow("group size 2") << "en"
                                  << "type=0 grp=1 group=2 sep=' places=0 pos=1"
                                  << "1234567"
                                  << "1234567"
                                  << "1'23'45'67";
    QTest::newRow("empty locale: no decimals") << "none"
                                               << "type=1"
                                               << "12.5"
                                               << "12"
                                               << "12";
    QTest::newRow("multi-char separator") << "en"
                                          << "type=0 grp=1 sep=ab places=0 pos=1"
                                          << "1234"
                                          << "1234"
                                          << "1ab234";
}

void TestMaskFormatter::formattingPass()
{
    QFETCH(QString, locale);
    QFETCH(QString, mask);
    QFETCH(QString, value);
    const FixedLocaleInfo l = localeNamed(locale);
    const MaskSettings s = settingsFrom(mask);
    const FormattedValue f = MaskFormatter::format(value, s, EffectiveMask::resolve(s, l));
    QTEST(f.value, "expectedValue");
    QTEST(f.display, "expectedDisplay");
}

void TestMaskFormatter::negativeLayouts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("withSymbol");
    QTest::addColumn<QString>("withoutSymbol");
    const char *rows[][2]
        = { { "($1.1)", "(1.1)" }, { "-$1.1", "-1.1" },   { "$-1.1", "-1.1" },  { "$1.1-", "1.1-" },
            { "$(1.1)", "(1.1)" }, { "-1.1$", "-1.1" },   { "1.1-$", "1.1-" },  { "1.1$-", "1.1-" },
            { "-1.1 $", "-1.1 " }, { "-$ 1.1", "- 1.1" }, { "1.1 $-", "1.1 -" } };
    for (int code = 1; code <= 11; ++code) {
        QTest::addRow("code %d", code)
            << code << QString::fromUtf8(rows[code - 1][0]) << QString::fromUtf8(rows[code - 1][1]);
    }
    QTest::newRow("code 12 keeps the sign") << 12 << "-$1.1"
                                            << "-1.1";
    QTest::newRow("code -1 keeps the sign") << -1 << "-$1.1"
                                            << "-1.1";
}

void TestMaskFormatter::negativeLayouts()
{
    QFETCH(int, code);
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    MaskSettings s = settingsFrom(QStringLiteral("type=1 cur=1 places=2"));
    s.negFormat = code;
    QTEST(MaskFormatter::format(QStringLiteral("-1.1"), s, EffectiveMask::resolve(s, l)).display,
          "withSymbol");
    s.showCurrency = false;
    QTEST(MaskFormatter::format(QStringLiteral("-1.1"), s, EffectiveMask::resolve(s, l)).display,
          "withoutSymbol");
}

void TestMaskFormatter::positiveLayouts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1") << 1 << "$1.1";
    QTest::newRow("2") << 2 << "1.1$";
    QTest::newRow("3") << 3 << "$ 1.1";
    QTest::newRow("4") << 4 << "1.1 $";
    QTest::newRow("locale default (0 -> 1)") << 0 << "$1.1";
}

void TestMaskFormatter::positiveLayouts()
{
    QFETCH(int, code);
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    MaskSettings s = settingsFrom(QStringLiteral("type=1 cur=1"));
    s.posFormat = code;
    QTEST(MaskFormatter::format(QStringLiteral("1.1"), s, EffectiveMask::resolve(s, l)).display,
          "expected");
}

void TestMaskFormatter::effectiveSettings_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<int>("negLayout");
    QTest::addColumn<QString>("symbol");

    QTest::newRow("de currency defaults") << "de"
                                          << "type=1 cur=1" << 2 << "," << 9 << "€";
    QTest::newRow("de numeric") << "de"
                                << "type=0" << 2 << "," << 2 << "";
    QTest::newRow("property wins")
        << "de"
        << "type=1 places=4 dec=; neg=3 cur=1 sym=DM" << 4 << ";" << 3 << "DM";
    QTest::newRow("no locale: properties, a leading minus") << "none"
                                                            << "type=1" << -1 << "" << 2 << "";
    QTest::newRow("symbol needs show") << "en"
                                       << "type=1 sym=EUR" << 2 << "." << 1 << "";
}

void TestMaskFormatter::effectiveSettings()
{
    QFETCH(QString, locale);
    QFETCH(QString, mask);
    const FixedLocaleInfo l = localeNamed(locale);
    const EffectiveMask m = EffectiveMask::resolve(settingsFrom(mask), l);
    QTEST(m.decimalPlaces, "places");
    QTEST(m.decimalChar, "decimal");
    QTEST(m.negativeLayout, "negLayout");
    QTEST(m.currencySymbol, "symbol");
}

void TestMaskFormatter::validity_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "places=2"
                           << "" << true;
    QTest::newRow("plain") << "places=2"
                           << "-12.34" << true;
    QTest::newRow("too many decimals") << "places=2"
                                       << "1.234" << false;
    QTest::newRow("point without places") << "places=0"
                                          << "1." << false;
    QTest::newRow("two points") << "places=2"
                                << "1.2.3" << false;
    QTest::newRow("two signs") << "places=2"
                               << "--1" << false;
    QTest::newRow("sign not allowed") << "places=2 negok=0"
                                      << "-1" << false;
    QTest::newRow("sign inside") << "places=2"
                                 << "1-2" << false;
    QTest::newRow("lead zero") << "places=2"
                               << "01" << false;
    QTest::newRow("lead zero allowed") << "places=2 lead=1"
                                       << "01" << true;
    QTest::newRow("zero point") << "places=2"
                                << "0.5" << true;
    QTest::newRow("whole places") << "places=2 whole=3"
                                  << "1234" << false;
    QTest::newRow("whole places ok") << "places=2 whole=3"
                                     << "-123.45" << true;
    QTest::newRow("letter") << "places=2"
                            << "1a" << false;
}

void TestMaskFormatter::validity()
{
    QFETCH(QString, mask);
    QFETCH(QString, candidate);
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    const MaskSettings s = settingsFrom(mask);
    QTEST(MaskFormatter::isValidCandidate(candidate, s, EffectiveMask::resolve(s, l)), "valid");
}

void TestMaskFormatter::positionMapping_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<int>("displayPos");
    QTest::addColumn<int>("valuePos");
    QTest::addColumn<int>("backToDisplay");
    QTest::newRow("before symbol") << "$1,234.50" << false << 0 << 0 << 0;
    QTest::newRow("after first digit") << "$1,234.50" << false << 2 << 1 << 2;
    QTest::newRow("on separator") << "$1,234.50" << false << 2 << 1 << 2;
    QTest::newRow("after separator") << "$1,234.50" << false << 3 << 1 << 2;
    QTest::newRow("end") << "$1,234.50" << false << 9 << 7 << 9;
    QTest::newRow("negative start") << "($1.10)" << true << 0 << 1 << 0;
    QTest::newRow("negative middle") << "($1.10)" << true << 4 << 3 << 4;
}

void TestMaskFormatter::positionMapping()
{
    QFETCH(QString, display);
    QFETCH(bool, negative);
    QFETCH(int, displayPos);
    QFETCH(int, valuePos);
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    const EffectiveMask m = EffectiveMask::resolve(MaskSettings(), l);
    QCOMPARE(MaskFormatter::displayToValue(display, displayPos, m, negative), valuePos);
    QTEST(MaskFormatter::valueToDisplay(display, valuePos, m, negative), "backToDisplay");
}

QTEST_GUILESS_MAIN(TestMaskFormatter)
#include "tst_maskformatter.moc"
