#include "DetailsCsv.h"

#include <QTemporaryDir>
#include <QtTest>

using ertragon::report::DetailsCsv;

// The CSV form of the breakdown table that ertragon-report --details writes.
class BatchDetailsCsvTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columns_data();
    void columns();
    void text_data();
    void text();
    void writesWholeFileOrNothing();
};

void BatchDetailsCsvTest::columns_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("pair kind") << "10;1.234;56;7;8" << 5
                               << QStringList { "10", "1.234", "56", "7", "8" };
    QTest::newRow("one pair") << "M1;0;-3" << 3 << QStringList { "M1", "0", "-3" };
    QTest::newRow("code holding the separator")
        << "A;B;1;2" << 3 << QStringList { "A;B", "1", "2" };
    QTest::newRow("empty label") << ";5;6" << 3 << QStringList { "", "5", "6" };
    QTest::newRow("short row kept") << "X;1" << 3 << QStringList { "X", "1" };
}

void BatchDetailsCsvTest::columns()
{
    QFETCH(QString, row);
    QFETCH(int, columnCount);
    QTEST(DetailsCsv::columns(row, columnCount), "expected");
}

void BatchDetailsCsvTest::text_data()
{
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("expected");
    const QStringList pair { "Grp", "P Umsatz", "P DB", "G Umsatz", "G DB" };
    QTest::newRow("headings only")
        << pair << QStringList {} << "Grp;P Umsatz;P DB;G Umsatz;G DB\r\n";
    QTest::newRow("rows") << QStringList { "Grp", "Umsatz", "DB" }
                          << QStringList { "10;1.234;-56", "20;7;0" }
                          << "Grp;Umsatz;DB\r\n10;1.234;-56\r\n20;7;0\r\n";
    QTest::newRow("hostile code") << QStringList { "Grp", "Umsatz", "DB" }
                                  << QStringList { "a\"b;c;1;2", "x\ny;3;4" }
                                  << "Grp;Umsatz;DB\r\n\"a\"\"b;c\";1;2\r\n\"x\ny\";3;4\r\n";
}

void BatchDetailsCsvTest::text()
{
    QFETCH(QStringList, headings);
    QFETCH(QStringList, rows);
    QTEST(DetailsCsv::text(headings, rows), "expected");
}

void BatchDetailsCsvTest::writesWholeFileOrNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.csv"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    QString error;
    QVERIFY(DetailsCsv::write({ "Grp", "Umsatz", "DB" }, { "Zürich;1;2" }, path, &error));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()),
             QStringLiteral("Grp;Umsatz;DB\r\nZürich;1;2\r\n"));

    const QString missingDir = dir.filePath(QStringLiteral("nowhere/d.csv"));
    QVERIFY(!DetailsCsv::write({ "Grp" }, {}, missingDir, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(missingDir));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "d.csv" }); // no temp left
}

QTEST_MAIN(BatchDetailsCsvTest)
#include "tst_batchdetailscsv.moc"
