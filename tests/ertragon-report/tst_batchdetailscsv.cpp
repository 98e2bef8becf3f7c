#include "BreakdownTable.h"
#include "DetailsCsv.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using ertragon::BreakdownTable;
using ertragon::DetailsBreakdown;
using ertragon::report::DetailsCsv;
using Rows = QList<DetailsBreakdown::Row>;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// The breakdown as the details list shows it, amounts in German.
std::unique_ptr<BreakdownTable> table(const QStringList &headings, const Rows &rows)
{
    auto model = std::make_unique<BreakdownTable>();
    model->setTable({ headings, rows, false }, german);
    return model;
}

} // namespace

Q_DECLARE_METATYPE(Rows)

// The CSV form of the breakdown table that ertragon-report --details writes.
class BatchDetailsCsvTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void text_data();
    void text();
    void writesWholeFileOrNothing();
};

void BatchDetailsCsvTest::text_data()
{
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("plain"); // with --plain-numbers
    const QStringList pair { "Grp", "P Umsatz", "P DB", "G Umsatz", "G DB" };
    const QStringList one { "Grp", "Umsatz", "DB" };
    QTest::newRow("headings only") << pair << Rows {} << "Grp;P Umsatz;P DB;G Umsatz;G DB\r\n"
                                   << "Grp;P Umsatz;P DB;G Umsatz;G DB\r\n";
    QTest::newRow("rows") << one << Rows { { "10", { 1234, -56 } }, { "20", { 7, 0 } } }
                          << "Grp;Umsatz;DB\r\n10;1.234;-56\r\n20;7;0\r\n"
                          << "Grp;Umsatz;DB\r\n10;1234;-56\r\n20;7;0\r\n";
    QTest::newRow("pair kind") << pair << Rows { { "10", { 1234, 56, 7, 8 } } }
                               << "Grp;P Umsatz;P DB;G Umsatz;G DB\r\n10;1.234;56;7;8\r\n"
                               << "Grp;P Umsatz;P DB;G Umsatz;G DB\r\n10;1234;56;7;8\r\n";
    QTest::newRow("millions, negative") << one << Rows { { "M1", { -1234567, 1000 } } }
                                        << "Grp;Umsatz;DB\r\nM1;-1.234.567;1.000\r\n"
                                        << "Grp;Umsatz;DB\r\nM1;-1234567;1000\r\n";
    QTest::newRow("one pair") << one << Rows { { "M1", { 0, -3 } } }
                              << "Grp;Umsatz;DB\r\nM1;0;-3\r\n"
                              << "Grp;Umsatz;DB\r\nM1;0;-3\r\n";
    QTest::newRow("code holding the separator")
        << one << Rows { { "A;B", { 1, 2 } } } << "Grp;Umsatz;DB\r\n\"A;B\";1;2\r\n"
        << "Grp;Umsatz;DB\r\n\"A;B\";1;2\r\n";
    QTest::newRow("empty label") << one << Rows { { "", { 5, 6 } } } << "Grp;Umsatz;DB\r\n;5;6\r\n"
                                 << "Grp;Umsatz;DB\r\n;5;6\r\n";
    QTest::newRow("short row kept") << one << Rows { { "X", { 1 } } } << "Grp;Umsatz;DB\r\nX;1;\r\n"
                                    << "Grp;Umsatz;DB\r\nX;1;\r\n";
    QTest::newRow("hostile code") << one << Rows { { "a\"b;c", { 1, 2 } }, { "x\ny", { 3, 4 } } }
                                  << "Grp;Umsatz;DB\r\n\"a\"\"b;c\";1;2\r\n\"x\ny\";3;4\r\n"
                                  << "Grp;Umsatz;DB\r\n\"a\"\"b;c\";1;2\r\n\"x\ny\";3;4\r\n";
}

void BatchDetailsCsvTest::text()
{
    QFETCH(QStringList, headings);
    QFETCH(Rows, rows);
    const auto model = table(headings, rows);
    QTEST(DetailsCsv::text(*model), "expected");
    QTEST(DetailsCsv::text(*model, BreakdownTable::PlainTextRole), "plain");
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
    QVERIFY(DetailsCsv::write(*table({ "Grp", "Umsatz", "DB" }, { { "Zürich", { 1, 2 } } }), path,
                              &error));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()),
             QStringLiteral("Grp;Umsatz;DB\r\nZürich;1;2\r\n"));

    const QString missingDir = dir.filePath(QStringLiteral("nowhere/d.csv"));
    QVERIFY(!DetailsCsv::write(*table({ "Grp" }, {}), missingDir, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(missingDir));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "d.csv" }); // no temp left
}

QTEST_MAIN(BatchDetailsCsvTest)
#include "tst_batchdetailscsv.moc"
