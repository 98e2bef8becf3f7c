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
    void details_data();
    void details();
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
    QTest::newRow("plain numbers alone are no output")
        << login + QStringList { "--plain-numbers" } << "Keine Ausgabe";
    QTest::newRow("workbook without a file") << login + QStringList { "--xlsx" } << "Wert fehlt";
    QTest::newRow("code with a blank")
        << login + out + QStringList { "--pc", "10 20" } << "Ungültiger Code";
    const QStringList details { "--details", "d.csv" };
    QTest::newRow("details without a file") << login + QStringList { "--details" } << "Wert fehlt";
    QTest::newRow("month without details")
        << login + out + QStringList { "--month", "3" } << "--month gilt nur mit --details";
    QTest::newRow("rows without details")
        << login + out + QStringList { "--rows", "pc" } << "--rows gilt nur mit --details";
    QTest::newRow("value kind 2") << login + details + QStringList { "--value-kind", "2" }
                                  << "Ungültiger Wert für --value-kind";
    QTest::newRow("detail period 3") << login + details + QStringList { "--detail-period", "3" }
                                     << "Ungültiger Wert für --detail-period";
    QTest::newRow("three-year mean of a month")
        << login + details + QStringList { "--value-kind", "1", "--detail-period", "2" }
        << "--detail-period 2";
    QTest::newRow("month 0") << login + details
            + QStringList { "--value-kind", "1", "--month", "0" }
                             << "Ungültiger Wert für --month";
    QTest::newRow("month 13") << login + details
            + QStringList { "--value-kind", "1", "--month", "13" }
                              << "Ungültiger Wert für --month";
    QTest::newRow("month with year values") << login + details + QStringList { "--month", "4" }
                                            << "--month gilt nur mit --value-kind 1";
    QTest::newRow("split 4") << login + details + QStringList { "--split", "4" }
                             << "Ungültiger Wert für --split";
    QTest::newRow("split 12") << login + details + QStringList { "--split", "12" }
                              << "Ungültiger Wert für --split";
    QTest::newRow("split negative")
        << login + details + QStringList { "--split", "-1" } << "Ungültiger Wert für --split";
    QTest::newRow("rows other") << login + details + QStringList { "--rows", "abt" }
                                << "Ungültiger Wert für --rows";
    QTest::newRow("book without a level")
        << login + QStringList { "--book", "b.pdf" } << "mindestens ein --each";
    QTest::newRow("level without a book")
        << login + out + QStringList { "--each", "abt" } << "--each gilt nur mit --book";
    QTest::newRow("book workbook without a level")
        << login + QStringList { "--book-xlsx", "b.xlsx" } << "mindestens ein --each";
    QTest::newRow("level twice") << login
            + QStringList { "--book-csv", "b.csv", "--each", "abt", "--each", "ABT" }
                                 << "steht doppelt";
    QTest::newRow("unknown level") << login + QStringList { "--book", "b.pdf", "--each", "ug" }
                                   << "Ungültiger Wert für --each";
    QTest::newRow("password from a missing variable")
        << QStringList { "1", "0", "DEM", "-", "s" } + out << "ERTRAGON_PASSWORD";
    QTest::newRow("user with a blank")
        << QStringList { "1", "0", "D M", "demo", "s" } + out << "keine Leerzeichen";
    QTest::newRow("password with a tab")
        << QStringList { "1", "0", "DEM", "de\tmo", "s" } + out << "keine Steuerzeichen";
    QTest::newRow("password file beside a password word")
        << login + out + QStringList { "--password-file", "/nowhere" }
        << "--password-file gilt nur mit PASSWORT";
    QTest::newRow("missing password file")
        << QStringList { "1", "0", "DEM", "-", "s", "--password-file", "/nowhere/pw" } + out
        << "/nowhere/pw: ";
    QTest::newRow("unknown locale") << login + out + QStringList { "--locale", "xx_bogus" }
                                    << "Unbekanntes Locale für --locale";
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
        // "--option=value" beside "--option value"; a login word may begin with "-"
        { "1",
          "0",
          "DEM",
          "-demo",
          "db.db",
          "1972",
          "KX",
          "--pc=10",
          "--abt",
          "21",
          "--hkg",
          "p",
          "--typ",
          "a",
          "--graph-mode",
          "2",
          "--table-mode",
          "0",
          "--year-kind",
          "1",
          "--db-percent",
          "--legend",
          "--today",
          "2005-03-15",
          "--png",
          "r.png",
          "--dpi",
          "300",
          "--json=my report.json",
          "--quiet",
          "--xlsx",
          "r.xlsx",
          "--plain-numbers",
          "--locale=de_CH" },
        std::nullopt);
    const BatchOptions *o = std::get_if<BatchOptions>(&result);
    QVERIFY(o);
    QCOMPARE(o->loginWords, (QStringList { "1", "0", "DEM", "-demo", "db.db", "1972", "KX" }));
    // -h and --version answer before anything else is checked
    for (const QStringList &words :
         { QStringList { "-h" }, QStringList { "1", "--help" }, QStringList { "--help-all" } })
        QVERIFY(std::get<BatchOptions>(BatchOptions::parse(words, std::nullopt)).help);
    QVERIFY(std::get<BatchOptions>(BatchOptions::parse({ "--version" }, std::nullopt)).version);
    QCOMPARE(o->pc, QStringLiteral("10"));
    QCOMPARE(o->abt, QStringLiteral("21"));
    QCOMPARE(o->hkg, QStringLiteral("P"));
    QCOMPARE(o->typ, QStringLiteral("A"));
    QVERIFY(o->extendedSelection());
    QCOMPARE(o->graphMode, std::optional<int>(2));
    QCOMPARE(o->tableMode, std::optional<int>(0));
    QCOMPARE(o->yearKind, std::optional<int>(1));
    QVERIFY(o->dbPercent);
    QVERIFY(o->legend);
    QCOMPARE(o->today, std::optional<QDate>(QDate(2005, 3, 15)));
    QCOMPARE(o->dpi, 300);
    QCOMPARE(o->json, QStringLiteral("my report.json"));
    QVERIFY(o->pdf.isEmpty());
    QVERIFY(o->quiet);
    QCOMPARE(o->xlsx, QStringLiteral("r.xlsx"));
    QVERIFY(o->plainNumbers);
    QCOMPARE(o->pageLocale().groupSeparator(),
             QLocale(QLocale::German, QLocale::Switzerland).groupSeparator());
    // German figures unless the caller chose otherwise
    const auto plain
        = BatchOptions::parse({ "1", "0", "DEM", "demo", "db.db", "--csv", "t" }, std::nullopt);
    QCOMPARE(std::get<BatchOptions>(plain).pageLocale().name(), QStringLiteral("de_DE"));
    QVERIFY(!std::get<BatchOptions>(plain).quiet);
    QVERIFY(!std::get<BatchOptions>(plain).plainNumbers);
}

void BatchOptionsTest::passwordFromEnvironment()
{
    const QStringList args { "1", "0", "DEM", "-", "db.db", "--csv", "t.csv" };
    const auto result = BatchOptions::parse(args, QStringLiteral("geheim"));
    const BatchOptions *o = std::get_if<BatchOptions>(&result);
    QVERIFY(o);
    QCOMPARE(o->loginWords[3], QStringLiteral("geheim"));
    QVERIFY(!o->extendedSelection());
    // a password may hold blanks, from the environment or as one argument
    const auto spaced = BatchOptions::parse(args, QStringLiteral(" two  words "));
    QVERIFY(std::holds_alternative<BatchOptions>(spaced));
    QCOMPARE(std::get<BatchOptions>(spaced).loginWords[3], QStringLiteral(" two  words "));
    QStringList quoted = args;
    quoted[3] = QStringLiteral("two words");
    QVERIFY(std::holds_alternative<BatchOptions>(BatchOptions::parse(quoted, std::nullopt)));
    const auto broken = BatchOptions::parse(args, QStringLiteral("line\nbreak"));
    QVERIFY(std::holds_alternative<QString>(broken));
}

void BatchOptionsTest::details_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<int>("valueKind");
    QTest::addColumn<int>("detailPeriod");
    QTest::addColumn<int>("month"); // 0: none given
    QTest::addColumn<int>("split");
    QTest::addColumn<bool>("byProfitCentre");
    QTest::newRow("defaults") << QStringList {} << 0 << 0 << 0 << 3 << true;
    QTest::newRow("three-year mean by main department")
        << QStringList { "--detail-period", "2", "--rows", "HABT" } << 0 << 2 << 0 << 3 << false;
    QTest::newRow("previous year, subgroups only")
        << QStringList { "--detail-period", "1", "--split", "1", "--rows", "pc" } << 0 << 1 << 0
        << 1 << true;
    QTest::newRow("one month, shipping types")
        << QStringList { "--value-kind", "1", "--month", "12", "--split", "8" } << 1 << 0 << 12 << 8
        << true;
    QTest::newRow("month of the previous year")
        << QStringList { "--value-kind", "1", "--detail-period", "1", "--month", "1" } << 1 << 1
        << 1 << 3 << true;
    QTest::newRow("no split") << QStringList { "--split", "0" } << 0 << 0 << 0 << 0 << true;
    QTest::newRow("both pair boxes")
        << QStringList { "--split", "10" } << 0 << 0 << 0 << 10 << true;
}

void BatchOptionsTest::details()
{
    QFETCH(QStringList, flags);
    const QStringList args
        = QStringList { "1", "0", "DEM", "demo", "db.db", "--details", "d.csv" } + flags;
    const auto result = BatchOptions::parse(args, std::nullopt);
    const BatchOptions *o = std::get_if<BatchOptions>(&result);
    QVERIFY2(o, o ? "" : qPrintable(std::get<QString>(result)));
    QCOMPARE(o->details.path, QStringLiteral("d.csv"));
    QTEST(o->details.valueKind, "valueKind");
    QTEST(o->details.detailPeriod, "detailPeriod");
    QTEST(o->details.month.value_or(0), "month");
    QTEST(o->details.splitFlags, "split");
    QTEST(o->details.rowsByProfitCentre, "byProfitCentre");
    QVERIFY(!o->pageRequested()); // the breakdown alone is an output
}

QTEST_MAIN(BatchOptionsTest)
#include "tst_batchoptions.moc"
