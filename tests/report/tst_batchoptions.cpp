#include "BatchOptions.h"

#include <QtTest>

using ertragon::report::BatchOptions;

class BatchOptionsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rejected_data();
    void rejected();
    void accepted();
    void passwordFromEnvironment();
};

void BatchOptionsTest::rejected_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("errorStart");
    const QStringList login { "1", "0", "DEM", "demo", "/tmp/x.db" };
    const QStringList out { "--json", "r.json" };
    QTest::newRow("too few words")
        << QStringList { "1", "0", "DEM", "demo", "--pdf", "a" } << "Erwartet werden";
    QTest::newRow("too many words")
        << login + QStringList { "1972", "KX", "extra" } + out << "Erwartet werden";
    QTest::newRow("company not numeric")
        << QStringList { "A", "0", "DEM", "demo", "s" } + out << "Die Firma";
    QTest::newRow("unknown option")
        << login + out + QStringList { "--fast" } << "Unbekannte Option";
    QTest::newRow("value missing") << login + QStringList { "--pdf" } << "Wert fehlt";
    QTest::newRow("bad main customer group")
        << login + out + QStringList { "--hkg", "X" } << "Ungültiger Wert für --hkg";
    QTest::newRow("bad type") << login + out + QStringList { "--typ", "Q" }
                              << "Ungültiger Wert für --typ";
    QTest::newRow("graph mode 3") << login + out + QStringList { "--graph-mode", "3" }
                                  << "Ungültiger Wert für --graph-mode";
    QTest::newRow("table mode text") << login + out + QStringList { "--table-mode", "two" }
                                     << "Ungültiger Wert für --table-mode";
    QTest::newRow("impossible date")
        << login + out + QStringList { "--today", "2005-02-30" } << "Ungültiges Datum";
    QTest::newRow("dpi without png")
        << login + out + QStringList { "--dpi", "300" } << "--dpi gilt nur";
    QTest::newRow("dpi too high") << login + QStringList { "--png", "a.png", "--dpi", "5000" }
                                  << "Ungültige Auflösung";
    QTest::newRow("no output") << login << "Keine Ausgabe";
    QTest::newRow("code with a blank")
        << login + out + QStringList { "--pc", "10 20" } << "Ungültiger Code";
    QTest::newRow("password from a missing variable")
        << QStringList { "1", "0", "DEM", "-", "s" } + out << "ERTRAGON_PASSWORD";
}

void BatchOptionsTest::rejected()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, errorStart);
    const auto result = BatchOptions::parse(arguments, std::nullopt);
    const QString *error = std::get_if<QString>(&result);
    QVERIFY(error);
    QVERIFY2(error->startsWith(errorStart) || error->contains(errorStart), qPrintable(*error));
}

void BatchOptionsTest::accepted()
{
    const auto result = BatchOptions::parse(
        { "1",     "0",           "DEM",   "demo",         "db.db",   "1972",
          "KX",    "--pc",        "10",    "--abt",        "21",      "--hkg",
          "p",     "--typ",       "a",     "--graph-mode", "2",       "--table-mode",
          "0",     "--year-kind", "1",     "--db-percent", "--today", "2005-03-15",
          "--png", "r.png",       "--dpi", "300",          "--json",  "my report.json" },
        std::nullopt);
    const BatchOptions *o = std::get_if<BatchOptions>(&result);
    QVERIFY(o);
    QCOMPARE(o->loginCommandLine(), QStringLiteral("1 0 DEM demo db.db 1972 KX"));
    QCOMPARE(o->pc, QStringLiteral("10"));
    QCOMPARE(o->abt, QStringLiteral("21"));
    QCOMPARE(o->hkg, QStringLiteral("P"));
    QCOMPARE(o->typ, QStringLiteral("A"));
    QVERIFY(o->extendedSelection());
    QCOMPARE(o->graphMode, std::optional<int>(2));
    QCOMPARE(o->tableMode, std::optional<int>(0));
    QCOMPARE(o->yearKind, std::optional<int>(1));
    QVERIFY(o->dbPercent);
    QCOMPARE(o->today, std::optional<QDate>(QDate(2005, 3, 15)));
    QCOMPARE(o->dpi, 300);
    QCOMPARE(o->json, QStringLiteral("my report.json"));
    QVERIFY(o->pdf.isEmpty());
}

void BatchOptionsTest::passwordFromEnvironment()
{
    const QStringList args { "1", "0", "DEM", "-", "db.db", "--csv", "t.csv" };
    const auto result = BatchOptions::parse(args, QStringLiteral("geheim"));
    const BatchOptions *o = std::get_if<BatchOptions>(&result);
    QVERIFY(o);
    QCOMPARE(o->loginWords[3], QStringLiteral("geheim"));
    QVERIFY(!o->extendedSelection());
    const auto spaced = BatchOptions::parse(args, QStringLiteral("two words"));
    QVERIFY(std::holds_alternative<QString>(spaced));
}

QTEST_MAIN(BatchOptionsTest)
#include "tst_batchoptions.moc"
