#include "BatchStore.h"

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

// ertragon-report --details on a small demo store made by the kordexdb tool. The
// expected tables are worked out from single "PeriodenSummeAufteilung" queries
// that the kordexdb tool runs on the same store.
class BatchDetailsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void breakdown_data();
    void breakdown();
    void threeYearMeanDividesByThree();
    void refused_data();
    void refused();
    void usageErrors_data();
    void usageErrors();

private:
    struct Run
    {
        int status = -1;
        QString errors;
        QStringList lines; // of the written file; empty when none was written
    };
    Run runDetails(const QStringList &flags, const QString &user = QStringLiteral("DEM"));
    QStringList tool(const QStringList &arguments);
    // Revenue and margin of one query: company 1, then from, to, HGRP, UGRP, PCNR,
    // HABT, ABTNR, PG, HVART.
    std::pair<double, double> sums(const QStringList &arguments);
    QStringList codes(const QStringList &toolArguments, QChar separator);

    QTemporaryDir m_dir;
    BatchStore m_demo;
    QString m_store; // stands for the store in the tools' arguments
    QString m_csv;
};

void BatchDetailsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_csv = m_dir.filePath(QStringLiteral("details.csv"));
    QString why;
    QVERIFY2(m_demo.make(m_dir.path(), 3000, &why), qPrintable(why));
    m_store = m_demo.target();
}

QStringList BatchDetailsTest::tool(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(KORDEXDB_TOOL), arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::pair<double, double> BatchDetailsTest::sums(const QStringList &arguments)
{
    const QStringList out
        = tool(QStringList { "query", m_store, "KXUmsatz.Daten", "PeriodenSummeAufteilung", "1" }
               + arguments);
    const QStringList columns = out.value(0).split(QLatin1Char('\t'));
    return { columns.value(0).toDouble(), columns.value(1).toDouble() };
}

QStringList BatchDetailsTest::codes(const QStringList &toolArguments, QChar separator)
{
    QStringList result { QString() }; // every list starts with its empty entry
    for (const QString &line :
         tool(QStringList { toolArguments[0], m_store } + toolArguments.mid(1)))
        result << line.section(separator, 0, 0);
    return result;
}

BatchDetailsTest::Run BatchDetailsTest::runDetails(const QStringList &flags, const QString &user)
{
    QFile::remove(m_csv);
    QProcess report;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    report.setProcessEnvironment(env);
    report.start(QStringLiteral(ERTRAGON_REPORT_TOOL),
                 m_demo.expand(QStringList { "1", "0", user, "demo", m_store, "--today",
                                             "2005-03-15", "--details", m_csv }
                               + flags));
    Run run;
    if (!report.waitForFinished(300000))
        return run;
    run.status = report.exitStatus() == QProcess::NormalExit ? report.exitCode() : -2;
    run.errors = QString::fromUtf8(report.readAllStandardError());
    QFile file(m_csv);
    if (file.open(QIODevice::ReadOnly))
        run.lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!run.lines.isEmpty() && run.lines.last().isEmpty())
        run.lines.removeLast();
    return run;
}

namespace {
// Query argument positions after the company.
enum Arg { From, To, Hgrp, Ugrp, Pcnr, Habt, Abtnr, Pg, Hvart };
} // namespace

void BatchDetailsTest::breakdown_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QStringList>("baseArguments"); // from, to and the selection codes
    QTest::addColumn<QStringList>("rowList"); // tool command giving the row codes
    QTest::addColumn<int>("rowArgument");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QString>("absentRow"); // a row without revenue that must be left out
    QTest::addColumn<int>("divisor");

    const QStringList pcs { "query", "KXUmsatz.Daten", "Profitcenter", "1" };
    const QStringList habts { "xecute", "d HABT^KXCLSU" };
    const QStringList pair { "Grp", "P Umsatz", "P DB", "G Umsatz", "G DB" };
    const QStringList one { "Grp", "Umsatz", "DB" };
    const QStringList shipping { "Grp", "L Umsatz", "L DB", "S Umsatz", "S DB" };
    auto base = [](const QString &from, const QString &to) {
        return QStringList { from, to, "", "", "", "", "", "", "" };
    };
    QTest::newRow("defaults: profit centres, this year, split 3")
        << "DEM" << QStringList {} << base("10501", "10512") << pcs << int(Pcnr) << pair
        << QString() << 1;
    QTest::newRow("main departments, previous year, split 1")
        << "DEM" << QStringList { "--rows", "habt", "--detail-period", "1", "--split", "1" }
        << base("10401", "10412") << habts << int(Habt) << one << QString() << 1;
    QTest::newRow("profit centres, a month, split 8")
        << "DEM" << QStringList { "--rows",  "PC", "--value-kind", "1", "--detail-period", "1",
                                  "--month", "7",  "--split",      "8" }
        << base("10407", "10407") << pcs << int(Pcnr) << shipping << QString() << 1;
    QStringList inPc1 = base("10402", "10402");
    inPc1[Pcnr] = "1";
    QTest::newRow("departments of a profit centre, B2 without sales")
        << "DEM" << QStringList { "--pc",    "1", "--value-kind", "1",   "--detail-period", "1",
                                  "--month", "2", "--rows",       "habt" }
        << inPc1 << QStringList { "query", "KXUmsatz.Daten", "AbtInPC", "1", "1" } << int(Abtnr)
        << pair << "B2" << 1;
    QTest::newRow("business year in year-1900 form")
        << "DEM" << QStringList { "--year-kind", "1", "--detail-period", "1", "--split", "1" }
        << base("10403", "10502") << pcs << int(Pcnr) << one << QString() << 1;
    QStringList ownDepartment = base("10401", "10412");
    ownDepartment[Abtnr] = "B1";
    QTest::newRow("department-bound user: main groups of the own department")
        << "OTT" << QStringList { "--abt", "B1", "--detail-period", "1" } << ownDepartment
        << QStringList { "xecute", "d HGRP^KXCLSU" } << int(Hgrp) << pair << QString() << 1;
    // A restricted user is never given profit centres, nor the company total: the own
    // main department only.
    QTest::newRow("restricted user: the own main department instead of profit centres")
        << "LEH" << QStringList {} << base("10501", "10512") << QStringList { "codes", "10" }
        << int(Habt) << pair << QString() << 1;
    QTest::newRow("business-year three-year mean")
        << "DEM" << QStringList { "--year-kind", "1", "--detail-period", "2",
                                  "--split",     "1", "--rows",          "habt" }
        << base("10103", "10402") << habts << int(Habt) << one << QString() << 3;
    QTest::newRow("month of today without period sums: no row has revenue")
        << "DEM" << QStringList { "--value-kind", "1", "--rows", "habt" } << base("10503", "10503")
        << habts << int(Habt) << pair << QString() << 1;
}

void BatchDetailsTest::breakdown()
{
    QFETCH(QString, user);
    QFETCH(QStringList, flags);
    QFETCH(QStringList, baseArguments);
    QFETCH(QStringList, rowList);
    QFETCH(int, rowArgument);
    QFETCH(QStringList, headings);
    QFETCH(QString, absentRow);
    QFETCH(int, divisor);

    const Run run = runDetails(flags, user);
    QVERIFY2(run.status == 0, qPrintable(run.errors));

    QStringList groups { QString() };
    int groupArgument = -1;
    if (headings[1].startsWith(QLatin1String("P "))) {
        groups = { "P", "G" };
        groupArgument = Pg;
    } else if (headings[1].startsWith(QLatin1String("L "))) {
        groups = { "L", "S" };
        groupArgument = Hvart;
    }
    const QLocale german(QLocale::German, QLocale::Germany);
    QStringList expected { headings.join(QLatin1Char(';')) };
    const bool given = rowList[0] == QLatin1String("codes");
    const QStringList entries = given
        ? rowList.mid(1)
        : codes(rowList, rowList[0] == QLatin1String("xecute") ? '`' : '\t');
    QVERIFY(entries.size() > (given ? 0 : 2));
    for (const QString &code : entries) {
        QStringList args = baseArguments;
        args[rowArgument] = code;
        QStringList columns { code };
        double revenue = 0;
        for (const QString &group : groups) {
            if (groupArgument >= 0)
                args[groupArgument] = group;
            const auto [rev, db] = sums(args);
            revenue += std::nearbyint(rev / divisor);
            columns << german.toString(qint64(std::nearbyint(rev / divisor)))
                    << german.toString(qint64(std::nearbyint(db / divisor)));
        }
        if (revenue != 0)
            expected << columns.join(QLatin1Char(';'));
    }
    QCOMPARE(run.lines, expected);
    if (!absentRow.isEmpty()) {
        QVERIFY(entries.contains(absentRow));
        for (const QString &line : run.lines)
            QVERIFY(!line.startsWith(absentRow + QLatin1Char(';')));
    }
}

void BatchDetailsTest::threeYearMeanDividesByThree()
{
    const Run run = runDetails({ "--detail-period", "2", "--split", "1", "--rows", "habt" });
    QVERIFY2(run.status == 0, qPrintable(run.errors));
    QVERIFY(run.lines.size() > 2);
    QCOMPARE(run.lines.first(), QStringLiteral("Grp;Umsatz;DB"));
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const QString &line : run.lines.mid(1)) {
        const QStringList columns = line.split(QLatin1Char(';'));
        QCOMPARE(columns.size(), 3);
        double revenue = 0;
        double margin = 0;
        for (int year = 101; year <= 103; ++year) {
            const QString y = QString::number(year);
            const auto [rev, db] = sums({ y + "01", y + "12", "", "", "", columns[0], "", "", "" });
            revenue += rev;
            margin += db;
        }
        QVERIFY(revenue > 0);
        QCOMPARE(german.toLongLong(columns[1]), qint64(std::nearbyint(revenue / 3)));
        QCOMPARE(german.toLongLong(columns[2]), qint64(std::nearbyint(margin / 3)));
    }
}

void BatchDetailsTest::refused_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("message");
    QTest::newRow("restricted: foreign department")
        << "MAI" << QStringList { "--abt", "M2" } << "Auswahl nicht erlaubt: --abt M2";
    QTest::newRow("restricted: foreign main department")
        << "MAI" << QStringList { "--habt", "60", "--rows", "habt" }
        << "Auswahl nicht erlaubt: --habt 60";
    QTest::newRow("department-bound without a department")
        << "OTT" << QStringList { "--rows", "habt" } << "Sie Müssen eine Abteilung auswählen!";
    QTest::newRow("department-bound: foreign department")
        << "OTT" << QStringList { "--abt", "M2" } << "Auswahl nicht erlaubt: --abt M2";
}

void BatchDetailsTest::refused()
{
    QFETCH(QString, user);
    QFETCH(QStringList, flags);
    QFETCH(QString, message);
    const Run run = runDetails(flags, user);
    QCOMPARE(run.status, 3);
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    QVERIFY(!QFile::exists(m_csv));
}

void BatchDetailsTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("message");
    QTest::newRow("three-year mean of a month")
        << QStringList { "--value-kind", "1", "--detail-period", "2" } << "--detail-period 2";
    QTest::newRow("month 13") << QStringList { "--value-kind", "1", "--month", "13" }
                              << "Ungültiger Wert für --month: 13";
    QTest::newRow("rows other") << QStringList { "--rows", "abt" } << "Ungültiger Wert für --rows";
    QTest::newRow("line break in a value")
        << QStringList { "--rows", "pc\nhabt" } << "Ungültiger Wert für --rows: pc habt";
}

void BatchDetailsTest::usageErrors()
{
    QFETCH(QStringList, flags);
    QFETCH(QString, message);
    const Run run = runDetails(flags);
    QCOMPARE(run.status, 1);
    const QStringList own
        = run.errors.split(QLatin1Char('\n')).filter(QStringLiteral("ertragon-report"));
    QCOMPARE(own.size(), 1); // one line, without the usage text
    QVERIFY2(own.first().startsWith(QStringLiteral("ertragon-report: ")), qPrintable(run.errors));
    QVERIFY2(own.first().contains(message), qPrintable(run.errors));
    QVERIFY(!QFile::exists(m_csv));
}

QTEST_MAIN(BatchDetailsTest)
#include "tst_batchdetails.moc"
