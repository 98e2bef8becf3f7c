// The kordexdb tool on SQLite files: demo, query, xecute, object, imports
// (all or nothing), user set, rebuild and check.
#include "DemoGenerator.h"
#include "Factory.h"
#include "Store.h"
#include "Tool.h"

#include <QTemporaryDir>
#include <QTest>

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
        QTest::addColumn<QString>("output");
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
    }

    void inspectionCommands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        args.replaceInStrings(QStringLiteral("@"), db());
        QCOMPARE(tool(args), status);
        if (status == 0)
            QVERIFY2(QRegularExpression(output).match(m_out).hasMatch(), qPrintable(m_out));
        else
            QVERIFY(m_err.startsWith(QLatin1String("kordexdb: ")) || status == 2);
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
            << QStringList { "--user", "XX1", "--name", "X" };
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
        QCOMPARE(tool({ "object", db(), "KX.ParPersEdv", "1||DEM", "AKTIV", "AbtNr" }), 0);
        QCOMPARE(m_out, QStringLiteral("AKTIV\tJ\nAbtNr\tB0\n"));
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
