#include "BatchStore.h"
#include "XlsxReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <sys/stat.h>

// Runs ertragon-report on a small demo store made by the kordexdb tool.
class BatchReportTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void passwordSources_data();
    void passwordSources();
    void writesAllOutputs();
    void failures_data();
    void failures();
    void book_data();
    void book();
    void workbookHoldsTheFigures_data();
    void workbookHoldsTheFigures();

private:
    static QList<QStringList> csvRows(const QString &path);
    int runReport(const QStringList &arguments, QString *errors = nullptr,
                  const QByteArray &password = {},
                  const QProcessEnvironment &extra = QProcessEnvironment());
    QTemporaryDir m_dir;
    BatchStore m_demo;
    QString m_store; // stands for the store in ertragon-report's arguments
};

void BatchReportTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QString why;
    QVERIFY2(m_demo.make(m_dir.path(), 3000, &why), qPrintable(why));
    m_store = m_demo.target();
    // a user whose password holds blanks
    QProcess user;
    user.start(QStringLiteral(KORDEXDB_TOOL),
               { "user", "set", m_store, "--company", "1", "--user", "BLA", "--password-stdin",
                 "--name", "Berta Lang", "--department", "M1", "--permitted", "J" });
    user.write("zwei Worte\n");
    user.closeWriteChannel();
    QVERIFY(user.waitForFinished(60000));
    QVERIFY2(user.exitCode() == 0, user.readAllStandardError().constData());
}

int BatchReportTest::runReport(const QStringList &arguments, QString *errors,
                               const QByteArray &password, const QProcessEnvironment &extra)
{
    QProcess report;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    env.remove(QStringLiteral("CREDENTIALS_DIRECTORY"));
    if (!password.isEmpty())
        env.insert(QStringLiteral("ERTRAGON_PASSWORD"), QString::fromUtf8(password));
    env.insert(extra);
    report.setProcessEnvironment(env);
    report.start(QStringLiteral(ERTRAGON_REPORT_TOOL), m_demo.expand(arguments));
    if (!report.waitForFinished(300000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(report.readAllStandardError());
    return report.exitStatus() == QProcess::NormalExit ? report.exitCode() : -2;
}

// Where the password comes from: the word itself, ERTRAGON_PASSWORD, --password-file or the
// systemd credential ertragon-password, a password with blanks through each of them.
void BatchReportTest::passwordSources_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<QByteArray>("file"); // the --password-file; null: none given
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QByteArray>("credential"); // in $CREDENTIALS_DIRECTORY; null: none
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QByteArray none;
    QTest::newRow("through ERTRAGON_PASSWORD")
        << "-" << QByteArray("zwei Worte") << none << 0 << none << 0 << "";
    QTest::newRow("as one argument") << "zwei Worte" << none << none << 0 << none << 0 << "";
    QTest::newRow("from a file only its owner reads")
        << "-" << QByteArray("falsch") << QByteArray("zwei Worte\n") << 0600 << none << 0 << "";
    QTest::newRow("a file's first line, CRLF")
        << "-" << none << QByteArray("zwei Worte\r\nzweite Zeile\n") << 0400 << none << 0 << "";
    QTest::newRow("a file the group may read is refused")
        << "-" << QByteArray("zwei Worte") << QByteArray("zwei Worte\n") << 0640 << none << 1
        << "darf nur für den Eigentümer lesbar sein (Rechte 0640";
    QTest::newRow("an empty file")
        << "-" << none << QByteArray("\n") << 0600 << none << 1 << "die erste Zeile ist leer";
    QTest::newRow("a file beside a password word")
        << "zwei Worte" << none << QByteArray("zwei Worte\n") << 0600 << none << 1
        << "--password-file gilt nur mit PASSWORT";
    QTest::newRow("the systemd credential before the variable")
        << "-" << QByteArray("falsch") << none << 0 << QByteArray("zwei Worte") << 0 << "";
    QTest::newRow("--password-file before the credential")
        << "-" << none << QByteArray("zwei Worte\n") << 0600 << QByteArray("falsch") << 0 << "";
    QTest::newRow("a credential others may read is refused")
        << "-" << none << none << 0 << QByteArray("zwei Worte") << 1 << "Rechte 0644";
    QTest::newRow("no password anywhere")
        << "-" << none << none << 0 << none << 1 << "ERTRAGON_PASSWORD ist nicht gesetzt";
}

void BatchReportTest::passwordSources()
{
    QFETCH(QString, word);
    QFETCH(QByteArray, environment);
    QFETCH(QByteArray, file);
    QFETCH(int, fileMode);
    QFETCH(QByteArray, credential);
    QFETCH(QString, message);
    QTemporaryDir secrets;
    QStringList arguments { "1", "0", "BLA", word, m_store, "--today", "2005-03-15" };
    const auto writeSecret = [&](const QString &path, const QByteArray &content, int mode) {
        QFile secret(path);
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write(content) == content.size());
        secret.close();
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
    };
    if (!file.isNull()) {
        writeSecret(secrets.filePath("password"), file, fileMode);
        arguments << "--password-file" << secrets.filePath("password");
    }
    QProcessEnvironment extra;
    if (!credential.isNull()) {
        QVERIFY(QDir().mkpath(secrets.filePath("credentials")));
        writeSecret(secrets.filePath("credentials/ertragon-password"), credential,
                    QTest::currentDataTag() == QByteArray("a credential others may read is refused")
                        ? 0644
                        : 0400);
        extra.insert(QStringLiteral("CREDENTIALS_DIRECTORY"), secrets.filePath("credentials"));
    }
    const QString csv = m_dir.filePath(QStringLiteral("blanks.csv"));
    QFile::remove(csv);
    QString errors;
    QTEST(runReport(arguments + QStringList { "--csv", csv }, &errors, environment, extra),
          "status");
    QVERIFY2(errors.contains(message), qPrintable(errors));
    QVERIFY2(!message.isEmpty() || !errors.contains(QLatin1String("Anmeldung")),
             qPrintable(errors));
    QCOMPARE(QFileInfo(csv).size() > 0, message.isEmpty());
}

void BatchReportTest::writesAllOutputs()
{
    const QString pdf = m_dir.filePath(QStringLiteral("r.pdf"));
    const QString png = m_dir.filePath(QStringLiteral("r.png"));
    const QString json = m_dir.filePath(QStringLiteral("r.json"));
    const QString csv = m_dir.filePath(QStringLiteral("r.csv"));
    QString errors;
    const int status = runReport({ "1",          "0",
                                   "DEM",        "-",
                                   m_store,      "--today",
                                   "2005-03-15", "--graph-mode",
                                   "2",          "--table-mode",
                                   "1",          "--pdf",
                                   pdf,          "--png",
                                   png,          "--dpi",
                                   "60",         "--json",
                                   json,         "--csv",
                                   csv },
                                 &errors, "demo");
    QVERIFY2(status == 0, qPrintable(errors));
    QFile pdfFile(pdf);
    QVERIFY(pdfFile.open(QIODevice::ReadOnly) && pdfFile.read(5) == "%PDF-");
    QCOMPARE(QImage(png).size(), QSize(702, 496));

    QFile jsonFile(json);
    QVERIFY(jsonFile.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(jsonFile.readAll()).object();
    const QStringList keys { "cumulatedValues", "footer",       "graphValues", "legend",
                             "modeCaption",     "monthNames",   "monthValues", "ops",
                             "panelCaptions",   "periodTotals", "scales",      "seriesLabels",
                             "table",           "tableCaption", "today" };
    QCOMPARE(o.keys(), keys);
    QCOMPARE(o["today"].toString(), QStringLiteral("2005-03-15"));
    QCOMPARE(o["periodTotals"].toArray().size(), 72);
    QCOMPARE(o["periodTotals"].toArray()[0].toArray().size(), 2);
    QCOMPARE(o["monthValues"].toArray().size(), 12);
    QCOMPARE(o["monthValues"].toArray()[0].toArray().size(), 6);
    QCOMPARE(o["cumulatedValues"].toArray().size(), 13);
    QVERIFY(o["cumulatedValues"].toArray()[0].toArray()[0].isNull()); // row 0 stays empty
    QCOMPARE(o["graphValues"].toArray().size(), 12);
    QCOMPARE(o["seriesLabels"].toArray()[0].toString(), QStringLiteral("U KJ* 2005"));
    QCOMPARE(o["monthNames"].toArray()[0].toString(), QStringLiteral("Jänner"));
    QCOMPARE(o["scales"].toArray().size(), 2);
    QCOMPARE(o["scales"].toArray()[0].toObject().keys(),
             (QStringList { "S", "hi", "lo", "n", "q", "s" }));
    QCOMPARE(o["modeCaption"].toString(), QStringLiteral("Absolut Monatilcher Wert in €"));
    QCOMPARE(o["panelCaptions"].toArray().size(), 2);
    QCOMPARE(o["tableCaption"].toString(), QStringLiteral("Werte Absolut"));
    QCOMPARE(o["table"].toArray().size(), 6);
    QCOMPARE(o["table"].toArray()[0].toArray().size(), 12);
    QVERIFY(o["footer"].toString().contains(QStringLiteral("am 15.03.2005")));
    // the current year's periods after today were never fetched
    QVERIFY(o["periodTotals"].toArray()[71].toArray()[0].isNull());
    const QJsonArray ops = o["ops"].toArray();
    QVERIFY(ops.size() > 1000);
    QVERIFY(ops[0].toObject().contains(QStringLiteral("op")));

    QFile csvFile(csv);
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    QCOMPARE(csvFile.readAll().count("\r\n"), 7);
}

void BatchReportTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QString out = QDir::temp().filePath(QStringLiteral("ertragon-never-written.json"));
    QTest::newRow("usage") << QStringList { "--today", "2005-03-15" } << 1 << "Erwartet werden";
    QTest::newRow("wrong password")
        << QStringList { "1", "0", "DEM", "falsch", "@STORE@", "--json", out } << 2 << "Anmeldung";
    QTest::newRow("the right password with a blank too many")
        << QStringList { "1", "0", "BLA", "zwei  Worte", "@STORE@", "--json", out } << 2
        << "Anmeldung";
    QTest::newRow("unknown profit centre")
        << QStringList { "1", "0", "DEM", "demo", "@STORE@", "--pc", "999999", "--json", out } << 3
        << "Unbekannter Code für --pc";
    QTest::newRow("a book into a missing folder writes none of its files") << QStringList {
        "1",           "0",       "DEM",
        "demo",        "@STORE@", "--today",
        "2005-03-15",  "--book",  QDir::temp().filePath(QStringLiteral("missing-folder/book.pdf")),
        "--book-json", out,       "--each",
        "habt"
    } << 5 << "Schreiben fehlgeschlagen: Berichtsmappe";
    QTest::newRow("department-bound user without a department")
        << QStringList { "1", "0", "OTT", "demo", "@STORE@", "--json", out } << 3
        << "eine Abteilung muss gewählt sein";
}

void BatchReportTest::failures()
{
    QFETCH(QStringList, arguments);
    arguments.replaceInStrings(QStringLiteral("@STORE@"), m_store);
    QString errors;
    QTEST(runReport(arguments, &errors), "status");
    QFETCH(QString, message);
    QVERIFY2(errors.contains(message), qPrintable(errors));
    QVERIFY(!QFile::exists(QDir::temp().filePath(QStringLiteral("ertragon-never-written.json"))));
}

void BatchReportTest::book_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("base"); // the selection every page starts from
    QTest::addColumn<QStringList>("levels"); // --each, in order
    QTest::addColumn<QString>("topTitles"); // how the outline's first level begins
    QTest::addColumn<QString>("kidTitles"); // how every entry one level down begins
    QTest::addColumn<QString>("leftOut"); // a text stderr holds, or empty
    // how a scheduled job runs: the caller's LC_ALL and whether stderr must stay empty
    QTest::addColumn<QString>("callerLocale");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<QChar>("grouping"); // of the figures in the book's value tables
    QTest::newRow("departments inside main departments")
        << "DEM" << QStringList {} << QStringList { "habt", "abt" } << "HABT "
        << "ABT " << QString() << "de_DE.UTF-8" << false << QChar('.');
    // LEH is restricted to main department 10 and the departments of B0
    QTest::newRow("a restricted user's own units only")
        << "LEH" << QStringList {} << QStringList { "habt", "abt" } << "HABT 10 "
        << "ABT B" << QString() << "de_DE.UTF-8" << false << QChar('.');
    // OTT must choose a department: no main-department pages, the departments alone
    QTest::newRow("a department-bound user's departments only")
        << "OTT" << QStringList {} << QStringList { "habt", "abt" } << "ABT " << QString()
        << QString() << "de_DE.UTF-8" << false << QChar('.');
    QTest::newRow("main groups of one department, those without sales left out")
        << "DEM" << QStringList { "--abt", "B2" } << QStringList { "hg" } << "HG " << QString()
        << "Ohne Zahlen in den sechs Jahren"
        << "de_DE.UTF-8" << false << QChar('.');
    // no rebuild answer, no left-out note; German figures although the job runs under C
    QTest::newRow("a scheduled job: quiet, German under C.UTF-8")
        << "DEM" << QStringList { "--abt", "B2", "--quiet" } << QStringList { "hg" } << "HG "
        << QString() << QString() << "C.UTF-8" << true << QChar('.');
    QTest::newRow("the caller's own locale, chosen")
        << "DEM" << QStringList { "--locale", "system" } << QStringList { "habt" } << "HABT "
        << QString() << QString() << "C.UTF-8" << false << QChar(',');
}

void BatchReportTest::book()
{
    QFETCH(QString, user);
    QFETCH(QStringList, base);
    QFETCH(QStringList, levels);
    QFETCH(QString, topTitles);
    QFETCH(QString, kidTitles);
    QFETCH(QString, leftOut);
    QFETCH(QString, callerLocale);
    QFETCH(bool, quiet);
    QFETCH(QChar, grouping);
    const QString pdfPath = m_dir.filePath(QStringLiteral("book.pdf"));
    const QString jsonPath = m_dir.filePath(QStringLiteral("book.json"));
    const QString csvPath = m_dir.filePath(QStringLiteral("book.csv"));
    const QString xlsxPath = m_dir.filePath(QStringLiteral("book.xlsx"));
    // cumulated figures in the value tables, large enough to show their grouping
    const QStringList login { "1",       "0",          user,           "demo", m_store,
                              "--today", "2005-03-15", "--table-mode", "0" };
    QStringList arguments
        = login + base + QStringList { "--book",     pdfPath, "--book-json", jsonPath,
                                       "--book-csv", csvPath, "--book-xlsx", xlsxPath };
    for (const QString &level : levels)
        arguments << "--each" << level;
    QString errors;
    QProcessEnvironment caller;
    caller.insert(QStringLiteral("LC_ALL"), callerLocale);
    QCOMPARE(runReport(arguments, &errors, {}, caller), 0);
    QVERIFY2(errors.contains(leftOut), qPrintable(errors));
    QVERIFY2(!quiet || errors.isEmpty(), qPrintable(errors));
    QFile csvFile(csvPath);
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    const QString table = QString::fromUtf8(csvFile.readAll());
    const QString other = grouping == QLatin1Char('.') ? QStringLiteral(",") : QStringLiteral(".");
    QVERIFY2(table.contains(QRegularExpression(QStringLiteral("\\d\\%1\\d{3}\\b").arg(grouping))),
             qPrintable(table.left(400)));
    QVERIFY2(!table.contains(QRegularExpression(QStringLiteral("\\d\\%1\\d{3}\\b").arg(other))),
             qPrintable(table.left(400)));

    QPDF pdf;
    pdf.processFile(pdfPath.toLocal8Bit().constData());
    QPDFOutlineDocumentHelper outline(pdf);
    size_t entries = 0;
    for (auto item : outline.getTopLevelOutlines()) {
        const QString title = QString::fromStdString(item.getTitle());
        QVERIFY2(title.startsWith(topTitles), qPrintable(title));
        for (auto kid : item.getKids()) {
            QVERIFY(!kidTitles.isEmpty());
            QVERIFY(QString::fromStdString(kid.getTitle()).startsWith(kidTitles));
        }
        entries += 1 + item.getKids().size();
    }
    QVERIFY(entries > 0);
    QCOMPARE(pdf.getAllPages().size(), entries);
    // the workbook: one sheet per page, each name at most 31 characters and its own
    const QList<ertragon::test::XlsxReader::Sheet> sheets
        = ertragon::test::XlsxReader::read(xlsxPath, &errors);
    QVERIFY2(size_t(sheets.size()) == entries, qPrintable(errors));
    QSet<QString> names;
    for (const auto &sheet : sheets) {
        QVERIFY2(sheet.name.size() <= 31, qPrintable(sheet.name));
        names.insert(sheet.name.toLower());
    }
    QCOMPARE(size_t(names.size()), entries);

    // A page holds the figures of a single-page run for its unit: the first and the last here.
    QFile jsonFile(jsonPath);
    QVERIFY(jsonFile.open(QIODevice::ReadOnly));
    const QJsonArray units = QJsonDocument::fromJson(jsonFile.readAll())["units"].toArray();
    QCOMPARE(units.size(), qsizetype(entries));
    const QString singlePath = m_dir.filePath(QStringLiteral("single.json"));
    for (const qsizetype i : { qsizetype(0), units.size() - 1 }) {
        const QJsonObject unit = units[i].toObject();
        const QJsonArray path = unit["path"].toArray();
        QStringList single = login + base + QStringList { "--json", singlePath };
        for (qsizetype l = 0; l < path.size(); ++l)
            single << QStringLiteral("--") + levels[l] << path[l].toString();
        QCOMPARE(runReport(single, nullptr, {}, caller), 0);
        QFile singleFile(singlePath);
        QVERIFY(singleFile.open(QIODevice::ReadOnly));
        const QJsonObject page = QJsonDocument::fromJson(singleFile.readAll()).object();
        QCOMPARE(unit["figures"].toObject()["periodTotals"], page["periodTotals"]);
        QCOMPARE(unit["figures"].toObject()["table"], page["table"]);
    }
}

QList<QStringList> BatchReportTest::csvRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    for (const QString &line :
         QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        rows.append(line.split(QLatin1Char(';')));
    return rows;
}

// --xlsx beside --csv and --details with --plain-numbers: the workbook, read with openpyxl,
// holds as numbers the figures the plain CSV files show, with their number formats.
void BatchReportTest::workbookHoldsTheFigures_data()
{
    QTest::addColumn<QStringList>("display");
    QTest::addColumn<QString>("format"); // of the value table's first cell
    QTest::newRow("cumulated") << QStringList { "--table-mode", "0" } << "#,##0";
    QTest::newRow("absolute") << QStringList { "--table-mode", "1" } << "#,##0";
    QTest::newRow("in percent of the mean") << QStringList { "--table-mode", "2" } << "0";
    QTest::newRow("DB % with two decimals")
        << QStringList { "--table-mode", "1", "--db-percent" } << "#,##0";
}

void BatchReportTest::workbookHoldsTheFigures()
{
    QFETCH(QStringList, display);
    QFETCH(QString, format);
    const QString csv = m_dir.filePath(QStringLiteral("plain.csv"));
    const QString details = m_dir.filePath(QStringLiteral("details.csv"));
    const QString xlsx = m_dir.filePath(QStringLiteral("r.xlsx"));
    QString errors;
    QCOMPARE(runReport(QStringList { "1", "0", "DEM", "demo", m_store, "--today", "2005-03-15",
                                     "--plain-numbers", "--csv", csv, "--details", details,
                                     "--xlsx", xlsx }
                           + display,
                       &errors),
             0);
    const QList<QStringList> table = csvRows(csv);
    const QList<QStringList> breakdown = csvRows(details);
    QCOMPARE(table.size(), 7);
    QVERIFY(breakdown.size() > 1);
    const QList<ertragon::test::XlsxReader::Sheet> sheets
        = ertragon::test::XlsxReader::read(xlsx, &errors);
    QVERIFY2(sheets.size() == 2, qPrintable(errors));
    QCOMPARE(sheets[0].name, QStringLiteral("Werte"));
    QCOMPARE(sheets[1].name, QStringLiteral("Details"));
    // the selection above the table
    QCOMPARE(sheets[0].rows.first().first().text, QStringLiteral("Firma"));
    QVERIFY(sheets[0].rowStarting(QStringLiteral("Stand")) >= 0);
    QCOMPARE(sheets[0].rows[sheets[0].rowStarting(QStringLiteral("Stand"))][1].text,
             QStringLiteral("15.03.2005"));

    const auto compare = [](const ertragon::test::XlsxReader::Sheet &sheet,
                            const QList<QStringList> &csvTable) {
        const qsizetype first = sheet.rowStarting(csvTable[0][0]);
        QVERIFY2(first >= 0, qPrintable(csvTable[0][0]));
        for (qsizetype r = 0; r < csvTable.size(); ++r) {
            const QList<ertragon::test::XlsxReader::Cell> &row = sheet.rows.value(first + r);
            QCOMPARE(row.size(), csvTable[r].size());
            QCOMPARE(row[0].text, csvTable[r][0]);
            for (qsizetype c = 1; c < row.size() && r > 0; ++c) {
                // The CSV shows the figure rounded as the page does; the cell holds it whole.
                const QString shown = csvTable[r][c];
                const int decimals = int(shown.section(QLatin1Char(','), 1).size());
                const double expected = QString(shown).replace(QLatin1Char(','), u'.').toDouble();
                QVERIFY2(row[c].number(), qPrintable(row[c].text));
                QVERIFY2(std::abs(*row[c].number() - expected)
                             <= 0.5 * std::pow(10.0, -decimals) + 1e-9,
                         qPrintable(QStringLiteral("%1 against %2").arg(row[c].text, shown)));
                QCOMPARE(row[c].format.contains(QLatin1String(".00")), decimals == 2);
            }
        }
    };
    compare(sheets[0], table);
    compare(sheets[1], breakdown);
    const qsizetype headings = sheets[0].rowStarting(table[0][0]);
    QCOMPARE(sheets[0].rows[headings + 1][1].format, format);
}

QTEST_MAIN(BatchReportTest)
#include "tst_batchreport.moc"
