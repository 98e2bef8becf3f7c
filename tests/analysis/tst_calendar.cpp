#include "Calendar.h"

#include <QTest>

using namespace ertragon;

class TestCalendar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthName_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << QStringLiteral("Jänner");
        QTest::newRow("march") << 2 << QStringLiteral("März");
        QTest::newRow("december") << 11 << QStringLiteral("Dezember");
        QTest::newRow("business year month 11 wraps") << 12 << QStringLiteral("Jänner");
        QTest::newRow("business year month 12 wraps") << 13 << QStringLiteral("Februar");
        QTest::newRow("below the table") << -1 << QString();
        QTest::newRow("beyond the table") << 14 << QString();
    }
    void monthName()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QCOMPARE(Calendar::MonthName(index), name);
    }

    void seriesLabel_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("yearKind");
        QTest::addColumn<int>("series");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("yearText");
        const QDate d2005(2005, 3, 15);
        QTest::newRow("current") << d2005 << 0 << 1 << "U KJ* 2005"
                                 << "2005";
        QTest::newRow("previous") << d2005 << 0 << 2 << "U KJ 2004"
                                  << "2004";
        QTest::newRow("mean") << d2005 << 0 << 3 << "U KJ 2001-2003"
                              << "2001-2003";
        QTest::newRow("margin current") << d2005 << 0 << 4 << "DB KJ 2005"
                                        << "2005";
        QTest::newRow("margin previous") << d2005 << 0 << 5 << "DB KJ 2004"
                                         << "2004";
        QTest::newRow("margin mean") << d2005 << 0 << 6 << "DB KJ 2001-2003"
                                     << "2001-2003";
        QTest::newRow("business current") << d2005 << 1 << 1 << "U WJ* 2005"
                                          << "2005";
        QTest::newRow("business mean") << d2005 << 1 << 6 << "DB WJ 2001-2003"
                                       << "2001-2003";
        QTest::newRow("year 2000") << QDate(2000, 1, 1) << 0 << 3 << "U KJ 1996-1998"
                                   << "1996-1998";
        QTest::newRow("year 2010") << QDate(2010, 12, 31) << 0 << 3 << "U KJ 2006-2008"
                                   << "2006-2008";
        QTest::newRow("no series 0") << d2005 << 0 << 0 << ""
                                     << "";
        QTest::newRow("no series 7") << d2005 << 0 << 7 << ""
                                     << "";
    }
    void seriesLabel()
    {
        QFETCH(QDate, today);
        QFETCH(int, yearKind);
        QFETCH(int, series);
        QFETCH(QString, label);
        QFETCH(QString, yearText);
        QCOMPARE(Calendar::SeriesLabel(series, yearKind, today), label);
        // Other parts take the year text as the third blank-separated word.
        QCOMPARE(label.section(QLatin1Char(' '), 2, 2), yearText);
    }

    void periodKey_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("key");
        QTest::newRow("january 2005") << 2005 << 1 << "10501";
        QTest::newRow("march 2005") << 2005 << 3 << "10503";
        QTest::newRow("december 2005") << 2005 << 12 << "10512";
        QTest::newRow("december 1999") << 1999 << 12 << "9912";
        QTest::newRow("january 2000") << 2000 << 1 << "10001";
    }
    void periodKey()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QString, key);
        QCOMPARE(Calendar::PeriodKey(year, month), key);
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
