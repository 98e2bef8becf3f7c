#include "Derivation.h"

#include <QTest>
#include <cmath>

using namespace ertragon;

namespace {

// One expected cell: table 'M' MonthValues, 'C' CumulatedValues, 'G' GraphValues;
// NAN for a cell that must stay empty.
struct Cell
{
    char table;
    int month;
    int series;
    double value;
};
using Cells = QList<Cell>;
// A custom period: period, revenue, margin (NAN leaves that figure empty).
using Period = QList<double>;
using Periods = QList<Period>;

// Like a real fetch in month c: every period up to 60 + c holds revenue 10 p and margin p.
PeriodTotals linearTotals(int fetchedUpTo, const Periods &custom)
{
    PeriodTotals t;
    for (int p = 1; p <= fetchedUpTo; ++p) {
        t.set(p, PeriodTotals::Revenue, 10.0 * p);
        t.set(p, PeriodTotals::Margin, p);
    }
    for (const Period &row : custom) {
        if (!std::isnan(row[1]))
            t.set(int(row[0]), PeriodTotals::Revenue, row[1]);
        if (!std::isnan(row[2]))
            t.set(int(row[0]), PeriodTotals::Margin, row[2]);
    }
    return t;
}

const SeriesTable &tableOf(const DerivedValues &d, char table)
{
    return table == 'M' ? d.monthValues : table == 'C' ? d.cumulatedValues : d.graphValues;
}

} // namespace

Q_DECLARE_METATYPE(Cells)
Q_DECLARE_METATYPE(Periods)

class TestDerivation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cells_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("yearKind");
        QTest::addColumn<int>("graphMode");
        QTest::addColumn<bool>("dbPercent");
        QTest::addColumn<int>("fetchedUpTo");
        QTest::addColumn<Periods>("custom");
        QTest::addColumn<Cells>("cells");
        const double E = NAN;

        QTest::newRow("calendar year in March")
            << 3 << 0 << 0 << false << 63 << Periods {}
            << Cells { { 'M', 1, 1, 610 },  { 'M', 3, 1, 630 },  { 'M', 4, 1, E },
                       { 'M', 12, 1, E },   { 'M', 1, 4, 61 },   { 'M', 1, 2, 490 },
                       { 'M', 12, 5, 60 },  { 'M', 1, 3, 250 },  { 'M', 12, 6, 36 },
                       { 'C', 0, 1, E },    { 'C', 1, 1, 610 },  { 'C', 2, 1, 1230 },
                       { 'C', 3, 1, 0 },    { 'C', 4, 1, 0 },    { 'C', 12, 1, 0 },
                       { 'C', 2, 4, 123 },  { 'C', 3, 4, 0 },    { 'C', 12, 2, 6540 },
                       { 'C', 12, 5, 654 }, { 'C', 2, 3, 510 },  { 'G', 1, 1, 610 },
                       { 'G', 2, 1, 615 },  { 'G', 3, 1, E },    { 'G', 2, 4, 61.5 },
                       { 'G', 1, 2, 490 },  { 'G', 12, 2, 545 }, { 'G', 12, 5, 54.5 },
                       { 'G', 1, 3, 370 },  { 'G', 2, 6, 37.5 } };
        QTest::newRow("year mean in January: current year empty")
            << 1 << 0 << 0 << false << 61 << Periods {}
            << Cells { { 'G', 1, 1, E }, { 'G', 1, 4, E }, { 'G', 1, 2, 490 },  { 'M', 1, 1, 610 },
                       { 'M', 2, 1, E }, { 'C', 1, 1, 0 }, { 'C', 12, 2, 6540 } };
        QTest::newRow("year mean in February: one month equal to January")
            << 2 << 0 << 0 << false << 62 << Periods {}
            << Cells { { 'G', 1, 1, 610 },
                       { 'G', 2, 1, E },
                       { 'G', 1, 4, 61 },
                       { 'C', 1, 1, 610 },
                       { 'C', 2, 1, 0 } };
        QTest::newRow("last quarter reaches back across the year")
            << 3 << 0 << 1 << false << 63 << Periods {}
            << Cells { { 'G', 1, 2, 475 }, { 'G', 1, 5, 47.5 }, { 'G', 1, 1, 595 },
                       { 'G', 2, 1, 605 }, { 'G', 3, 1, E },    { 'G', 12, 2, 585 },
                       { 'G', 1, 3, 235 }, { 'G', 1, 6, 23.5 }, { 'G', 12, 3, 345 } };
        QTest::newRow("absolute copies the month values")
            << 3 << 0 << 2 << false << 63 << Periods {}
            << Cells { { 'G', 1, 1, 610 },
                       { 'G', 4, 1, E },
                       { 'G', 5, 2, 530 },
                       { 'G', 5, 3, 290 },
                       { 'G', 7, 6, 31 } };
        QTest::newRow("business year starts in March")
            << 12 << 1 << 2 << false << 72 << Periods {}
            << Cells { { 'M', 1, 1, 630 },  { 'M', 10, 1, 720 },  { 'M', 11, 1, E },
                       { 'M', 12, 4, E },   { 'M', 11, 2, 610 },  { 'M', 12, 2, 620 },
                       { 'M', 12, 5, 62 },  { 'M', 1, 2, 510 },   { 'M', 1, 3, 270 },
                       { 'C', 9, 1, 6030 }, { 'C', 10, 1, 0 },    { 'C', 11, 1, 0 },
                       { 'C', 12, 1, 0 },   { 'C', 12, 2, 6780 }, { 'G', 11, 1, E },
                       { 'G', 11, 2, 610 } };
        QTest::newRow("business year, year mean stops at the last complete month")
            << 6 << 1 << 0 << false << 66 << Periods {}
            << Cells { { 'G', 1, 1, 630 }, { 'G', 3, 1, 640 },  { 'G', 4, 1, E },
                       { 'G', 1, 3, 390 }, { 'C', 3, 1, 1920 }, { 'C', 4, 1, 0 } };
        QTest::newRow("margin in percent of revenue")
            << 12 << 0 << 2 << true << 0
            << Periods { { 61, 1000, 250 }, { 49, 0, 250 }, { 50, E, 250 }, { 37, 300, 30 } }
            << Cells { { 'G', 1, 4, 25 },   { 'G', 1, 5, 250 }, { 'G', 2, 5, 250 },
                       { 'G', 1, 1, 1000 }, { 'G', 1, 6, 10 },  { 'G', 1, 3, 100 },
                       { 'G', 3, 4, E },    { 'G', 3, 1, E } };
        QTest::newRow("percent applies to the year mean graph")
            << 4 << 0 << 0 << true << 64 << Periods {}
            << Cells { { 'G', 1, 4, 10 }, { 'G', 3, 4, 10 }, { 'G', 4, 4, E }, { 'G', 12, 5, 10 } };
    }
    void cells()
    {
        QFETCH(int, month);
        QFETCH(int, yearKind);
        QFETCH(int, graphMode);
        QFETCH(bool, dbPercent);
        QFETCH(int, fetchedUpTo);
        QFETCH(Periods, custom);
        QFETCH(Cells, cells);
        DisplayState state;
        state.yearKind = yearKind;
        state.graphMode = graphMode;
        state.dbPercent = dbPercent;
        const DerivedValues d
            = Derivation::AbsolutMittel(linearTotals(fetchedUpTo, custom), state, month);
        for (const Cell &c : cells) {
            const auto v = tableOf(d, c.table).at(c.month, c.series);
            const QByteArray where = QByteArray(1, c.table) + '[' + QByteArray::number(c.month)
                + "][" + QByteArray::number(c.series) + ']';
            if (std::isnan(c.value)) {
                QVERIFY2(!v.has_value(),
                         where + " should be empty, holds " + QByteArray::number(v.value_or(0)));
            } else {
                QVERIFY2(v.has_value(), where + " is empty");
                QVERIFY2(qFuzzyCompare(*v + 1.0, c.value + 1.0),
                         where + " = " + QByteArray::number(*v) + ", expected "
                             + QByteArray::number(c.value));
            }
        }
    }

    // A calendar-year redraw followed by a business-year one from the same totals
    // must not carry November and December of the current year into the business
    // year's January and February.
    void businessYearAfterCalendarYear()
    {
        const PeriodTotals t = linearTotals(72, {});
        DisplayState state;
        state.graphMode = DisplayState::Absolute;
        QVERIFY(Derivation::AbsolutMittel(t, state, 12).monthValues.isSet(11, 1));
        state.yearKind = DisplayState::BusinessYear;
        const DerivedValues d = Derivation::AbsolutMittel(t, state, 12);
        QVERIFY(!d.monthValues.isSet(11, 1));
        QVERIFY(!d.monthValues.isSet(12, 4));
        QVERIFY(!d.graphValues.isSet(12, 1));
    }
};

QTEST_GUILESS_MAIN(TestDerivation)
#include "tst_derivation.moc"
