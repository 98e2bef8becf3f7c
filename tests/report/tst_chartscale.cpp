#include "ChartScale.h"
#include "SeriesTable.h"

#include <QtTest>

using ertragon::SeriesTable;
using ertragon::report::ChartScale;

class ChartScaleTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scale_data();
    void scale();
    void roundHigh_data();
    void roundHigh();
    void roundLow_data();
    void roundLow();
    void minorParts_data();
    void minorParts();
    void roundedMod_data();
    void roundedMod();
    void panelValues_data();
    void panelValues();
};

using Values = QList<double>;

void ChartScaleTest::scale_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("s");
    QTest::addColumn<int>("q");

    QTest::newRow("80,000 to 250,000")
        << Values { 80000, 123456.4, 250000 } << 80000.0 << 260000.0 << 9 << 20000.0 << 2;
    QTest::newRow("all zero") << Values(24, 0.0) << 0.0 << 1.0 << 9 << 1.0 / 9 << 2;
    QTest::newRow("negative and positive")
        << Values { -1234, 500 } << -2000.0 << 510.0 << 5 << 502.0 << 3;
    QTest::newRow("single value") << Values { 1678 } << 1500.0 << 1700.0 << 2 << 100.0 << 10;
    QTest::newRow("a single small value") << Values { 3 } << 3.0 << 4.0 << 9 << 1.0 / 9 << 2;
    QTest::newRow("mixed magnitudes")
        << Values { 7, 12345 } << 5.0 << 13000.0 << 8 << 12995.0 / 8 << 2;
    QTest::newRow("halves round to even") << Values { 2.5, 99.5 } << 2.0 << 110.0 << 8 << 13.5 << 2;
    QTest::newRow("only negative values") << Values { -5, -9 } << -10.0 << -4.0 << 5 << 1.2 << 3;
    QTest::newRow("values that are not numbers are skipped")
        << Values { qQNaN(), 80000, qInf(), 250000 } << 80000.0 << 260000.0 << 9 << 20000.0 << 2;
}

void ChartScaleTest::scale()
{
    QFETCH(Values, values);
    const ChartScale scale = ChartScale::fromValues(values, 62.5);
    QTEST(scale.lo, "lo");
    QTEST(scale.hi, "hi");
    QTEST(scale.n, "n");
    QFETCH(double, s);
    QVERIFY2(qFuzzyCompare(scale.s, s), qPrintable(QString::number(scale.s)));
    QCOMPARE(scale.S, 62.5 / scale.n);
    QTEST(scale.q, "q");
}

void ChartScaleTest::roundHigh_data()
{
    QTest::addColumn<qint64>("hi");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("7") << qint64(7) << qint64(8);
    QTest::newRow("99") << qint64(99) << qint64(100);
    QTest::newRow("12345") << qint64(12345) << qint64(13000);
    QTest::newRow("0") << qint64(0) << qint64(1);
    QTest::newRow("250000") << qint64(250000) << qint64(260000);
    QTest::newRow("-5") << qint64(-5) << qint64(-4);
    QTest::newRow("-1234") << qint64(-1234) << qint64(0);
}

void ChartScaleTest::roundHigh()
{
    QFETCH(qint64, hi);
    QTEST(ChartScale::roundHigh(hi), "expected");
}

void ChartScaleTest::roundLow_data()
{
    QTest::addColumn<qint64>("lo");
    QTest::addColumn<qint64>("hi");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("1678 rounds to 1500") << qint64(1678) << qint64(1700) << qint64(1500);
    QTest::newRow("1234 rounds to 1000") << qint64(1234) << qint64(1300) << qint64(1000);
    QTest::newRow("7 gives 5") << qint64(7) << qint64(8) << qint64(5);
    QTest::newRow("3 stays") << qint64(3) << qint64(4) << qint64(3);
    QTest::newRow("80000 stays") << qint64(80000) << qint64(260000) << qint64(80000);
    QTest::newRow("shorter than hi: first digit only")
        << qint64(1678) << qint64(13000) << qint64(1000);
    QTest::newRow("negative rounds away") << qint64(-1234) << qint64(1000) << qint64(-1300);
    QTest::newRow("negative, hi of other length") << qint64(-1234) << qint64(510) << qint64(-2000);
    QTest::newRow("zero") << qint64(0) << qint64(1) << qint64(0);
}

void ChartScaleTest::roundLow()
{
    QFETCH(qint64, lo);
    QFETCH(qint64, hi);
    QTEST(ChartScale::roundLow(lo, hi), "expected");
}

void ChartScaleTest::minorParts_data()
{
    QTest::addColumn<double>("S");
    QTest::addColumn<int>("q");
    QTest::newRow("2.9") << 2.9 << 0;
    QTest::newRow("3.4") << 3.4 << 0;
    QTest::newRow("3.5 rounds to 4") << 3.5 << 2;
    QTest::newRow("6.94") << 62.5 / 9 << 2;
    QTest::newRow("8.5 rounds to 8") << 8.5 << 2;
    QTest::newRow("12.5 rounds to 12") << 12.5 << 3;
    QTest::newRow("14.5 rounds to 14") << 14.5 << 3;
    QTest::newRow("20") << 20.0 << 5;
    QTest::newRow("20.6") << 20.6 << 10;
    QTest::newRow("negative") << -4.0 << 10;
}

void ChartScaleTest::minorParts()
{
    QFETCH(double, S);
    QTEST(ChartScale::minorParts(S), "q");
}

void ChartScaleTest::roundedMod_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5 mod 2: 2.5 rounds to 2") << 2.5 << 2.0 << true << 0.0;
    QTest::newRow("3.5 mod 100: 3.5 rounds to 4") << 3.5 << 100.0 << true << 4.0;
    QTest::newRow("divisor rounds to 0") << 5.0 << 0.4 << false << 0.0;
    QTest::newRow("large values") << 216666.67 << 1e14 << true << 216667.0;
}

void ChartScaleTest::roundedMod()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(bool, valid);
    const auto mod = ChartScale::roundedMod(a, b);
    QCOMPARE(mod.has_value(), valid);
    if (valid)
        QTEST(*mod, "expected");
}

void ChartScaleTest::panelValues_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("calendarMonth");
    QTest::addColumn<int>("monthShift");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("maximum");
    QTest::newRow("March: January and February of the current year") << 1 << 3 << 0 << 26 << 2000.0;
    QTest::newRow("January: no current-year month") << 1 << 1 << 0 << 24 << 500.0;
    QTest::newRow("business year in March: none") << 2 << 3 << 2 << 24 << 500.0;
    QTest::newRow("December: eleven months, not December") << 2 << 12 << 0 << 35 << 10000.0;
}

void ChartScaleTest::panelValues()
{
    QFETCH(int, panel);
    QFETCH(int, calendarMonth);
    QFETCH(int, monthShift);
    SeriesTable graph;
    const int first = panel == 1 ? 1 : 4;
    for (int m = 1; m <= 12; ++m) {
        graph.set(m, first, m * 1000.0 - (m == 11 ? 8000 : 0)); // 11: 3000
        graph.set(m, first + 1, 500);
    } // series first + 2 stays empty and counts as 0
    const Values values = ChartScale::panelValues(graph, panel, calendarMonth, monthShift);
    QTEST(int(values.size()), "count");
    QTEST(*std::max_element(values.begin(), values.end()), "maximum");
    QCOMPARE(*std::min_element(values.begin(), values.end()), 0.0);
}

QTEST_MAIN(ChartScaleTest)
#include "tst_chartscale.moc"
