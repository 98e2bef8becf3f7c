// The kordexdb tool on SQLite files: demo, query, xecute, object, imports
// (all or nothing), user set, rebuild and check.
#include "CreateFactory.h"
#include "DemoGenerator.h"
#include "Store.h"
#include "Tool.h"

#include <QTemporaryDir>
#include <QTest>
#include <kordex/Factory.h>
#include <kordex/StoreAddress.h>
#include <sys/stat.h>

using namespace kordex;

class TestKordexdbTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_out;
    QString m_err;

    QString db() const { return m_dir.path() + QStringLiteral("/tool.db"); }

    int tool(const QStringList &args, const QString &input = QString())
    {
        m_out.clear();
        m_err.clear();
        QString in = input;
        QTextStream out(&m_out), err(&m_err), inStream(&in);
        const int status = Tool(out, err, inStream).run(args);
        out.flush();
        err.flush();
        return status;
    }

    QString writeFile(const QString &name, const QString &contents)
    {
        const QString path = m_dir.path() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(contents.toUtf8());
        return path;
    }

    static int modeOf(const QString &path)
    {
        struct stat info
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777)
                                                                       : -1;
    }

    // A copy of the demo store with everything in its file, for a test to damage.
    QString scratchCopy(const QString &name)
    {
        {
            QString why;
            auto store = Store::open(db(), QString(), false, &why);
            if (!store)
                return QString();
            store->sql().script(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        }
        const QString path = m_dir.filePath(name);
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(path + QLatin1String(suffix));
        return QFile::copy(db(), path) ? path : QString();
    }

    qint64 salesLines()
    {
        QString why;
        auto store = Store::open(db(), QString(), false, &why);
        return store
            ? store->sql().scalar(QStringLiteral("SELECT count(*) FROM umsatzzeile")).toLongLong()
            : -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCOMPARE(tool({ "demo", db(), "--lines", "5000", "--seed", "3", "--today", "2024-03-10" }),
                 0);
        QVERIFY(m_out.contains(QLatin1String("user DEM, password demo")));
        // the store holds password hashes: its owner's alone
        QCOMPARE(modeOf(db()), 0600);
        QCOMPARE(tool({ "create", m_dir.filePath(QStringLiteral("empty.db")) }), 0);
        QCOMPARE(modeOf(m_dir.filePath(QStringLiteral("empty.db"))), 0600);
    }

    void demoIsDeterministic()
    {
        const QString other = m_dir.path() + QStringLiteral("/other.db");
        QCOMPARE(tool({ "demo", other, "--lines", "5000", "--seed", "3", "--today", "2024-03-10" }),
                 0);
        const QStringList query { "query",
                                  "",
                                  "KXUmsatz.Daten",
                                  "PeriodenSummeAufteilung",
                                  "1",
                                  "11901",
                                  "12312",
                                  "",
                                  "",
                                  "",
                                  "",
                                  "",
                                  "",
                                  "" };
        QStringList first = query, second = query;
        first[1] = db();
        second[1] = other;
        QCOMPARE(tool(first), 0);
        const QString answer = m_out;
        QCOMPARE(tool(second), 0);
        QCOMPARE(m_out, answer);
        QVERIFY(answer.count(QLatin1Char('\t')) == 1);
        second.last() = QStringLiteral("S");
        QCOMPARE(tool({ "demo", other, "--lines", "5000", "--seed", "4", "--today", "2024-03-10",
                        "--force" }),
                 0);
        QCOMPARE(tool(second), 0);
        QVERIFY(m_out != answer);
    }

    void demoRefusesExistingStore()
    {
        QVERIFY(tool({ "demo", db() }) != 0);
        QVERIFY(m_err.contains(QLatin1String("exists")));
        QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
    }

    void inspectionCommands_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output"); // on stdout when done, else on stderr
        QTest::newRow("period query") << QStringList {
            "query", "@", "KXUmsatz.Daten", "PeriodenSumme", "1", "12401", "", "", "", "", "",
            "",      ""
        } << 0 << "^-?[0-9]+\\.[0-9]{2}\t-?[0-9]+\\.[0-9]{2}\n$";
        QTest::newRow("main groups")
            << QStringList { "xecute", "@", "d HGRP^KXCLSU" } << 0 << "^01`Baustoffe\n02`Holz\n";
        QTest::newRow("data basis")
            << QStringList { "xecute", "@", "S P0=^XWGDAT W P0" } << 0 << "^12401`1240310\n$";
        QTest::newRow("context then list")
            << QStringList { "xecute", "@", "S FIRMA=2,FIL=0,PERSONAL=\"DEM\"", "d HABT^KXCLSU" }
            << 0 << "^10`Baustoffe und Holz\n";
        QTest::newRow("object") << QStringList { "object", "@",     "KX.ParPersEdv",
                                                 "1||OTT", "PNAME", "AKTIV" }
                                << 0 << "^PNAME\tOtto \\\\zt}rk\nAKTIV\tJ\n$";
        QTest::newRow("unknown query")
            << QStringList { "query", "@", "KXUmsatz.Daten", "Nix" } << 1 << "";
        QTest::newRow("unknown command") << QStringList { "xecute", "@", "K ^XWGDAT" } << 1 << "";
        QTest::newRow("unknown tool command") << QStringList { "drop", "@" } << 2 << "";
        QTest::newRow("missing file") << QStringList { "check", "/nonexistent/x.db" } << 1 << "";
        QTest::newRow("unknown option")
            << QStringList { "rebuild", "@", "--company", "1", "--all" } << 1 << "";
        QTest::newRow("command with a trailing line break")
            << QStringList { "xecute", "@", "d HGRP^KXCLSU\n" } << 1 << "\\(5301\\)";
        QTest::newRow("query says why it cannot open")
            << QStringList { "query", "/nonexistent/x.db", "KXUmsatz.Daten", "Profitcenter" } << 1
            << "cannot open \"/nonexistent/x.db\": no such file";
        QTest::newRow("object says why it cannot open")
            << QStringList { "object", "/nonexistent/x.db", "KX.ParPersEdv", "1||DEM", "AKTIV" }
            << 1 << "cannot open \"/nonexistent/x.db\": no such file";
        QTest::newRow("xecute says why it cannot open")
            << QStringList { "xecute", "/nonexistent/x.db", "D ^%XTT" } << 1
            << "cannot open \"/nonexistent/x.db\": no such file";
        QTest::newRow("escape sequence echoed quoted")
            << QStringList { "query", "@", "KXUmsatz.Daten", "\x1b]0;pwned\x07" } << 1
            << "\"\\\\u001b]0;pwned\\\\u0007\"";
        QTest::newRow("10 MB argument echoed short")
            << QStringList { "xecute", "@", QString(10 << 20, QLatin1Char('x')) } << 1
            << "^kordexdb: Unbekannter Befehl: \"x{60}…\" \\(5301\\)\n$";
        QTest::newRow("archive inside a year")
            << QStringList { "archive", "@", "--before", "12003" } << 1
            << "12003 lies inside a year.*12001.*\\(5502\\)";
        QTest::newRow("detach without partitions")
            << QStringList { "archive", "@", "--before", "12001", "--detach" } << 1
            << "partitioned by year";
        QTest::newRow("seed beyond 64 bits")
            << QStringList { "demo", "@.new", "--seed", "99999999999999999999" } << 1
            << "--seed needs a whole number";
    }

    void inspectionCommands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        for (QString &arg : args)
            if (arg.startsWith(QLatin1Char('@')))
                arg.replace(0, 1, db());
        QCOMPARE(tool(args), status);
        if (status == 0) {
            QVERIFY2(QRegularExpression(output).match(m_out).hasMatch(), qPrintable(m_out));
        } else {
            QVERIFY(m_err.startsWith(QLatin1String("kordexdb: ")) || status == 2);
            QVERIFY2(QRegularExpression(output).match(m_err).hasMatch(), qPrintable(m_err));
            QVERIFY(m_err.size() < 1000 && !m_err.contains(QChar(0x1b)));
        }
        QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/x.db")));
    }

    void importSalesAllOrNothing()
    {
        const qint64 before = salesLines();
        const QString bad
            = writeFile(QStringLiteral("bad.csv"),
                        QStringLiteral("firma;periode;abtnr;hgrp;ugrp;pg;svart;typ;umsatz;"
                                       "nebenerloes;einsatz;nebenkosten;skonto;nachlass\n"
                                       "1;12402;M1;03;031;P;LA;L;10.50;0;6;0;0;0\n"
                                       "1;12402;ZZ;03;031;P;LA;L;10.50;0;6;0;0;0\n"
                                       "1;12402;M1;03;011;P;LA;L;10.50;0;6;0;0;0\n"
                                       "1;202402;M1;03;031;P;LA;L;10.50;0;6;0;0;0\n"
                                       "1;12402;M1;03;031;P;LA;L;10.5.0;0;6;0;0;0\n"
                                       "1;12402;1' OR '1'='1;03;031;P;LA;L;1;0;0;0;0;0\n"
                                       "1;12402;M1;03;031;X;LA;Q;1;0;0;0;0;0\n"
                                       "1;12402;M1;03\n"));
        QCOMPARE(tool({ "import-sales", db(), bad }), 1);
        for (int line : { 3, 4, 5, 6, 7, 8, 9 })
            QVERIFY2(m_err.contains(QStringLiteral("Zeile %1:").arg(line)), qPrintable(m_err));
        QVERIFY(!m_err.contains(QLatin1String("Zeile 2:")));
        QCOMPARE(salesLines(), before);

        const QString good
            = writeFile(QStringLiteral("good.csv"),
                        QStringLiteral("1;12402;M1;03;031;P;LA;L;1000,00;0;600;0;0;0\n"
                                       "1;12402;M1;03;031;G;SD;B;-100.5;0;-60;0;0;0\n"));
        QCOMPARE(tool({ "rebuild", db(), "--company", "1", "--from", "12402", "--to", "12402" }),
                 0);
        QCOMPARE(tool({ "query", db(), "KXUmsatz.Daten", "PeriodenSumme", "1", "12402", "03", "031",
                        "", "", "M1", "", "" }),
                 0);
        const double old = m_out.section(QLatin1Char('\t'), 0, 0).toDouble();
        QCOMPARE(tool({ "import-sales", db(), good }), 0);
        QCOMPARE(salesLines(), before + 2);
        QCOMPARE(tool({ "rebuild", db(), "--company", "1", "--from", "12402", "--to", "12402" }),
                 0);
        QCOMPARE(tool({ "query", db(), "KXUmsatz.Daten", "PeriodenSumme", "1", "12402", "03", "031",
                        "", "", "M1", "", "" }),
                 0);
        QCOMPARE(m_out.section(QLatin1Char('\t'), 0, 0).toDouble(), old + 899.5);
        QCOMPARE(tool({ "check", db() }), 0);
        QVERIFY(m_out.contains(QLatin1String("sums consistent")));
    }

    void importSalesFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("added"); // -1: rejected
        QTest::addColumn<QString>("message"); // on stderr when rejected
        const QByteArray header = "firma;periode;abtnr;hgrp;ugrp;pg;svart;typ;umsatz;nebenerloes;"
                                  "einsatz;nebenkosten;skonto;nachlass";
        const QByteArray line = "1;12403;M1;03;031;P;LA;L;10.00;0;6;0;0;0";
        QTest::newRow("CR line ends") << header + "\r" + line + "\r" + line + "\r" << 2 << "";
        QTest::newRow("CR LF line ends") << header + "\r\n" + line + "\r\n" + line << 2 << "";
        QTest::newRow("header only") << header + "\r" << -1 << "keine Umsatzzeile";
        QTest::newRow("empty file") << QByteArray() << -1 << "keine Umsatzzeile";
        QTest::newRow("invalid UTF-8") << line + "\n1;12403;M\xFC;03;031;P;LA;L;1;0;0;0;0;0\n"
                                       << -1 << "Zeile 2: kein gültiger";
        QTest::newRow("largest amount") << QByteArray(
            "1;12403;M1;03;031;P;LA;L;999999999.99;999999999,99;0;0;0;-999999999.99\n")
                                        << 1 << "";
        QTest::newRow("amount beyond the bound")
            << QByteArray("1;12403;M1;03;031;P;LA;L;9999999999999.99;0;0;0;0;0\n") << -1
            << "Zeile 1: ungültiger Betrag \"9999999999999.99\" in Spalte umsatz";
        QTest::newRow("escape sequence in a code")
            << QByteArray("1;12403;\x1b[2J;03;031;P;LA;L;1;0;0;0;0;0\n") << -1
            << "Abteilung \"\\u001b[2J\" unbekannt";
        // a line beyond 64 KiB is refused by its number, never held in memory
        QTest::newRow("10 MB field")
            << "1;12403;" + QByteArray(10 << 20, 'M') + ";03;031;P;LA;L;1;0;0;0;0;0\n"
            << -1 << "Zeile 1: Zeile länger als 65536 Bytes";
    }

    void importSalesFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, added);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(QStringLiteral("sales-file.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        file.close();
        const qint64 before = salesLines();
        QCOMPARE(tool({ "import-sales", db(), path }), added < 0 ? 1 : 0);
        QCOMPARE(salesLines(), before + qMax(added, 0));
        QVERIFY2(m_err.contains(message), qPrintable(m_err));
        QVERIFY(m_err.size() < 1000 && !m_err.contains(QChar(0x1b)));
        if (added > 0) {
            QVERIFY(m_out.startsWith(QStringLiteral("imported %1 sales lines").arg(added)));
            QCOMPARE(
                tool({ "rebuild", db(), "--company", "1", "--from", "12403", "--to", "12403" }), 0);
        }
    }

    void importMasterAllOrNothing()
    {
        const QString bad = writeFile(QStringLiteral("master-bad.csv"),
                                      QStringLiteral("# new department\n"
                                                     "ABT;1;M0;Möbel;3;70\n"
                                                     "ABT;1;MX;Lager;9;70\n"
                                                     "HGRP;1;12;G{rtnerei\n"
                                                     "UGRP;1;121;Sträucher;99\n"
                                                     "XYZ;1;1;x\n"
                                                     "PC;01;5;Neu\n"));
        QCOMPARE(tool({ "import-master", db(), bad }), 1);
        for (int line : { 3, 4, 5, 6, 7 })
            QVERIFY2(m_err.contains(QStringLiteral("Zeile %1:").arg(line)), qPrintable(m_err));
        QCOMPARE(tool({ "object", db(), "KX.ParPersAbt", "1||M0", "abtbez" }), 1);

        const QString good = writeFile(QStringLiteral("master.csv"),
                                       QStringLiteral("PC;1;5;\"Lager; Logistik\"\n"
                                                      "ABT;1;M0;Möbel & Küchengeräte;5;70\n"
                                                      "HGRP;2;12;Gewächshaus\n"
                                                      "UGRP;2;121;Sträucher;12\n"));
        QCOMPARE(tool({ "import-master", db(), good }), 0);
        QCOMPARE(tool({ "object", db(), "KX.ParPersAbt", "1||M0", "abtbez", "HAbtNr" }), 0);
        QCOMPARE(m_out, QStringLiteral("abtbez\tM|bel & K}chenger{te\nHAbtNr\t70\n"));
        QCOMPARE(tool({ "query", db(), "KXUmsatz.Daten", "AbtInPC", "1", "5" }), 0);
        QCOMPARE(m_out, QStringLiteral("M0\tM|bel & K}chenger{te\n"));
        QCOMPARE(tool({ "xecute", db(), "S FIRMA=2,FIL=0,PERSONAL=\"DEM\"", "d UGRP^KXCLSU(12)" }),
                 0);
        QCOMPARE(m_out, QStringLiteral("121`Sträucher\n"));
    }

    void userSet()
    {
        QCOMPARE(tool({ "user", "set", db(), "--company", "1", "--user", "NEU", "--password-stdin",
                        "--name", "Nele Jürgens", "--rights", "4", "--department", "M2",
                        "--permitted", "J", "--restricted", "J" },
                      QStringLiteral("Sommer 2024\n")),
                 0);
        auto factory = createFactory();
        QVERIFY(factory->OpenConnection(connectString(db(), QStringLiteral("1972"))));
        auto user = factory->OpenObject(QStringLiteral("KX.ParPersEdv"), QStringLiteral("1||NEU"));
        QCOMPARE(user->call(QStringLiteral("PasswortPruefen"), { QStringLiteral("Sommer 2024") }),
                 QStringLiteral("1"));
        QCOMPARE(user->property(QStringLiteral("PNAME")), QStringLiteral("Nele J}rgens"));
        QCOMPARE(user->property(QStringLiteral("BERGRP")), QStringLiteral("4"));
        factory->CloseConnection();

        QCOMPARE(tool({ "user", "set", db(), "--company", "1", "--user", "NEU", "--active", "N",
                        "--password-stdin" },
                      QStringLiteral("neu\n")),
                 0);
        QVERIFY(factory->OpenConnection(connectString(db(), QStringLiteral("1972"))));
        user = factory->OpenObject(QStringLiteral("KX.ParPersEdv"), QStringLiteral("1||NEU"));
        QCOMPARE(user->property(QStringLiteral("AKTIV")), QStringLiteral("N"));
        QCOMPARE(user->call(QStringLiteral("PasswortPruefen"), { QStringLiteral("Sommer 2024") }),
                 QStringLiteral("0"));
        QCOMPARE(user->call(QStringLiteral("PasswortPruefen"), { QStringLiteral("neu") }),
                 QStringLiteral("1"));
        QCOMPARE(user->property(QStringLiteral("BERGRP")), QStringLiteral("4"));
    }

    void userSetRefusesBadValues_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("new user without password")
            << QStringList { "--user", "XX1", "--name", "X", "--department", "M1" };
        QTest::newRow("new user without department")
            << QStringList { "--user", "XX1", "--name", "X", "--password-stdin" };
        QTest::newRow("empty department") << QStringList { "--user", "DEM", "--department", "" };
        QTest::newRow("code with a trailing line break")
            << QStringList { "--user",       "XX1\n", "--name",          "X",
                             "--department", "M1",    "--password-stdin" };
        QTest::newRow("rights beyond 32 bits wrapping to 4")
            << QStringList { "--user", "DEM", "--rights", "4294967300" };
        QTest::newRow("rights 100") << QStringList { "--user", "DEM", "--rights", "100" };
        QTest::newRow("fax with an escape sequence")
            << QStringList { "--user", "DEM", "--fax", "0711\x1b[2J" };
        QTest::newRow("fax of 100 KB")
            << QStringList { "--user", "DEM", "--fax", QString(100000, QLatin1Char('7')) };
        QTest::newRow("e-mail with a line break")
            << QStringList { "--user", "DEM", "--email", "dem@example.org\nBcc: x@y" };
        QTest::newRow("name of 10 MB with escapes")
            << QStringList { "--user", "DEM", "--name", QString(10 << 20, QChar(0x1b)) };
        QTest::newRow("lower-case code")
            << QStringList { "--user", "abc", "--name", "X", "--password-stdin" };
        QTest::newRow("unknown department")
            << QStringList { "--user", "DEM", "--department", "QQ" };
        QTest::newRow("flag not J or N") << QStringList { "--user", "DEM", "--active", "ja" };
        QTest::newRow("rights not a number") << QStringList { "--user", "DEM", "--rights", "viel" };
        QTest::newRow("empty password") << QStringList { "--user", "DEM", "--password-stdin" };
    }

    void userSetRefusesBadValues()
    {
        QFETCH(QStringList, args);
        QVERIFY(tool(QStringList { "user", "set", db(), "--company", "1" } + args,
                     QTest::currentDataTag() == QLatin1String("empty password")
                         ? QStringLiteral("\n")
                         : QStringLiteral("pw\n"))
                != 0);
        QVERIFY2(m_err.size() < 1000 && !m_err.contains(QChar(0x1b)), qPrintable(m_err.left(1000)));
        QCOMPARE(tool({ "object", db(), "KX.ParPersEdv", "1||DEM", "AKTIV", "AbtNr", "BERGRP" }),
                 0);
        QCOMPARE(m_out, QStringLiteral("AKTIV\tJ\nAbtNr\tB0\nBERGRP\t9\n"));
        QCOMPARE(tool({ "object", db(), "KX.PersBasis", "1||1001", "fax" }), 0);
        QVERIFY(m_out.startsWith(QLatin1String("fax\t0711 4711-9")));
        const QString code = args.value(args.indexOf(QStringLiteral("--user")) + 1);
        if (code != QLatin1String("DEM"))
            QCOMPARE(tool({ "object", db(), "KX.ParPersEdv", "1||" + code, "AKTIV" }), 1);
    }

    void unusableStores_data()
    {
        // SQL run on a copy of the store; "#bytes" garbles it, "#foreign" makes it no database
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // on stderr, or on stdout for check
        const QStringList import { "import-master", "@", "@master" };
        QTest::newRow("schema version 99")
            << "UPDATE kordex_meta SET wert = '99' WHERE schluessel = 'schema'" << import << 1
            << "schema version \"99\", expected 1 (5003)";
        QTest::newRow("sum table dropped")
            << "DROP TABLE summe_hgrp" << import << 1 << "table summe_hgrp missing (5003)";
        // the same cause gives the same number, whichever command meets it
        const QStringList query { "query", "@", "KXUmsatz.Daten", "Profitcenter" };
        QTest::newRow("wrong schema, query")
            << "UPDATE kordex_meta SET wert = '99' WHERE schluessel = 'schema'" << query << 1
            << "schema version \"99\", expected 1 (5003)";
        QTest::newRow("foreign file, import") << "#foreign" << import << 1 << "(5003)";
        QTest::newRow("foreign file, query") << "#foreign" << query << 1 << "(5003)";
        QTest::newRow("file damaged, import")
            << "#bytes" << import << 1 << "damaged (integrity check";
        QTest::newRow("file damaged, check")
            << "#bytes" << QStringList { "check", "@" } << 1 << "file integrity: DAMAGED";
        QTest::newRow("demo stopped on its way")
            << "INSERT INTO kordex_meta VALUES ('unvollstaendig', 'demo')"
            << QStringList { "check", "@" } << 1 << "demo INCOMPLETE";
        QTest::newRow("sums never built")
            << "DELETE FROM datenbasis WHERE firma = '2'" << QStringList { "check", "@" } << 1
            << "period sums: never built (run rebuild)\n";
    }

    void unusableStores()
    {
        QFETCH(QString, damage);
        QFETCH(QStringList, command);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QString copy = scratchCopy(QStringLiteral("damaged.db"));
        QVERIFY(!copy.isEmpty());
        if (damage == QLatin1String("#foreign")) {
            QFile file(copy);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
        } else if (damage == QLatin1String("#bytes")) {
            // garble pages in the middle of the file, where the sales lines lie
            QFile file(copy);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(file.size() / 2 / 4096 * 4096));
            file.write(QByteArray(3 * 4096, '\x5a'));
        } else {
            QString why;
            auto store = Store::open(copy, QString(), false, &why);
            QVERIFY2(store, qPrintable(why));
            store->sql().script(damage);
        }
        const QString master = writeFile(QStringLiteral("one.csv"), QStringLiteral("PC;1;9;Neu\n"));
        for (QString &arg : command)
            arg = arg == QLatin1String("@") ? copy : arg == QLatin1String("@master") ? master : arg;
        QCOMPARE(tool(command), status);
        const QString &shown = command.first() == QLatin1String("check") ? m_out : m_err;
        QVERIFY2(shown.contains(message), qPrintable(shown));
        if (command.first() == QLatin1String("check"))
            QVERIFY(!m_out.contains(QLatin1String("sums consistent")));
        else
            QCOMPARE(tool({ "object", db(), "KX.ParPersAbt", "1||M1", "abtbez" }), 0);
    }

    void checkFindsStaleSums()
    {
        QString why;
        {
            auto store = Store::open(db(), QString(), false, &why);
            QVERIFY(store);
            store->sql().execute(QStringLiteral(
                "UPDATE summe_abt SET umsatz = umsatz + 1 WHERE periode = 12312 AND firma = '1'"));
        }
        QCOMPARE(tool({ "check", db() }), 1);
        QVERIFY(m_out.contains(QLatin1String("summe_abt does not match")));
        QCOMPARE(tool({ "rebuild", db(), "--company", "1" }), 0);
        QCOMPARE(tool({ "check", db() }), 0);
    }
};

QTEST_GUILESS_MAIN(TestKordexdbTool)
#include "tst_kordexdbtool.moc"
