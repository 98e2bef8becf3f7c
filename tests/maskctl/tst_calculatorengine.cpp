#include "CalculatorEngine.h"

#include <QTest>

using namespace orvel;

namespace {

// Keys: digits and "." "+" "-" "*" "/" "=", n sign, r square root, c clear, b backspace,
// R memory recall, P memory add, M memory subtract.
int buttonFor(QChar key)
{
    if (key.isDigit())
        return key.digitValue();
    switch (key.unicode()) {
    case u'.':
        return CalcBtnDecimal;
    case u'=':
        return CalcBtnEqual;
    case u'n':
        return CalcBtnSignToggle;
    case u'r':
        return CalcBtnSquareRoot;
    case u'c':
        return CalcBtnClear;
    case u'*':
        return CalcBtnMultiply;
    case u'-':
        return CalcBtnSubtract;
    case u'+':
        return CalcBtnAdd;
    case u'b':
        return CalcBtnBackspace;
    case u'/':
        return CalcBtnDivide;
    case u'R':
        return CalcBtnMemoryRecall;
    case u'P':
        return CalcBtnMemoryAdd;
    case u'M':
        return CalcBtnMemorySubtract;
    default:
        return -1;
    }
}

} // namespace

class TestCalculatorEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sequences_data();
    void sequences();
    void errorIgnoresAllButClear();
    void memorySurvivesClearAndStart();
    void inverseChecks_data();
    void inverseChecks();
};

void TestCalculatorEngine::sequences_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("state");

    QTest::newRow("start shows value") << 12.5 << ""
                                       << "12.5" << 2;
    QTest::newRow("chained left to right") << 0.0 << "2+3*4="
                                           << "20" << 2;
    QTest::newRow("operator pending") << 0.0 << "2+3*"
                                      << "5" << 3;
    QTest::newRow("decimal sums exact") << 0.0 << ".1+.2="
                                        << "0.3" << 2;
    QTest::newRow("divide by zero") << 0.0 << "1/0="
                                    << "ERROR" << -1;
    QTest::newRow("square root") << 0.0 << "16r"
                                 << "4" << 2;
    QTest::newRow("square root of negative") << 0.0 << "4nr"
                                             << "ERROR" << -1;
    QTest::newRow("square root evaluates first") << 0.0 << "9+7r"
                                                 << "4" << 2;
    QTest::newRow("point first shows 0.") << 0.0 << "."
                                          << "0." << 2;
    QTest::newRow("second point ignored") << 0.0 << "1.2.3"
                                          << "1.23" << 2;
    QTest::newRow("15th digit ignored") << 0.0 << "123456789012345"
                                        << "12345678901234" << 2;
    QTest::newRow("14 digits and a sign fit") << 0.0 << "12345678901234n"
                                              << "-12345678901234" << 2;
    QTest::newRow("too long result") << 0.0 << "99999999999999*99="
                                     << "ERROR" << -1;
    QTest::newRow("long decimals are cut") << 0.0 << "1/3="
                                           << "0.333333333333" << 2;
    QTest::newRow("backspace") << 0.0 << "123b"
                               << "12" << 2;
    QTest::newRow("backspace to empty shows 0") << 0.0 << "1bb"
                                                << "0" << 2;
    QTest::newRow("backspace after result starts new entry") << 5.0 << "b"
                                                             << "0" << 2;
    QTest::newRow("equals repeats nothing") << 0.0 << "2+="
                                            << "2" << 2;
    QTest::newRow("multiply by zero") << 0.0 << "5*0="
                                      << "0" << 2;
    QTest::newRow("sign of value") << 7.0 << "n"
                                   << "-7" << 2;
    QTest::newRow("sign of second operand keeps operation") << 0.0 << "10-3n="
                                                            << "13" << 2;
    QTest::newRow("clear") << 7.0 << "3+c"
                           << "0" << 2;
    QTest::newRow("memory add and recall") << 0.0 << "5P2P"
                                           << "2" << 2;
    QTest::newRow("memory recalled") << 0.0 << "5P2PcR"
                                     << "7" << 2;
    QTest::newRow("memory subtract") << 0.0 << "5P2McR"
                                     << "3" << 2;
}

void TestCalculatorEngine::sequences()
{
    QFETCH(double, start);
    QFETCH(QString, keys);
    CalculatorEngine calc;
    calc.start(start);
    for (const QChar key : keys)
        calc.press(buttonFor(key));
    QTEST(calc.displayText(QStringLiteral("ERROR")), "display");
    QTEST(calc.state(), "state");
}

void TestCalculatorEngine::errorIgnoresAllButClear()
{
    CalculatorEngine calc;
    calc.start(1);
    for (const QChar key : QStringLiteral("/0="))
        calc.press(buttonFor(key));
    QCOMPARE(calc.state(), int(CalculatorEngine::Error));
    for (int button = 0; button < CalcButtonCount; ++button) {
        if (button != CalcBtnClear)
            QVERIFY(!calc.press(button));
    }
    QCOMPARE(calc.displayText(QStringLiteral("Fehler")), QStringLiteral("Fehler"));
    QVERIFY(calc.press(CalcBtnClear));
    QCOMPARE(calc.displayText(QStringLiteral("Fehler")), QStringLiteral("0"));
    QVERIFY(!calc.press(23));
}

void TestCalculatorEngine::memorySurvivesClearAndStart()
{
    CalculatorEngine calc;
    calc.start(4);
    calc.press(CalcBtnMemoryAdd);
    calc.press(CalcBtnClear);
    calc.start(9); // opened again
    QCOMPARE(calc.memory(), 4.0);
    calc.press(CalcBtnMemoryRecall);
    QCOMPARE(calc.displayText({}), QStringLiteral("4"));
}

void TestCalculatorEngine::inverseChecks_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("y");
    QTest::addColumn<bool>("ok");
    QTest::newRow("decimal add") << 0.1 << int(CalcBtnAdd) << "0.7" << true;
    QTest::newRow("add loses the small value")
        << 1e-10 << int(CalcBtnAdd) << "99999999999999" << false;
    QTest::newRow("subtract") << 1.1 << int(CalcBtnSubtract) << "0.9" << true;
    QTest::newRow("subtract loses the small value")
        << 1e-10 << int(CalcBtnSubtract) << "99999999999999" << false;
    QTest::newRow("multiply") << 1.1 << int(CalcBtnMultiply) << "3" << true;
    QTest::newRow("divide") << 10.0 << int(CalcBtnDivide) << "4" << true;
    QTest::newRow("divide thirds") << 1.0 << int(CalcBtnDivide) << "3" << true;
}

void TestCalculatorEngine::inverseChecks()
{
    QFETCH(double, x);
    QFETCH(int, op);
    QFETCH(QString, y);
    QFETCH(bool, ok);
    CalculatorEngine calc;
    calc.start(x);
    calc.press(op);
    for (const QChar c : y)
        calc.press(buttonFor(c));
    calc.press(CalcBtnEqual);
    QCOMPARE(calc.state() != CalculatorEngine::Error, ok);
}

QTEST_GUILESS_MAIN(TestCalculatorEngine)
#include "tst_calculatorengine.moc"
