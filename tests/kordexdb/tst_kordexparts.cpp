// The small parts of the service: password hashing, the server's text form,
// period texts, connect strings, command parsing, ";"-separated fields and
// lines, the checked sums and input quoted into messages.
#include "CommandParser.h"
#include "ConnectString.h"
#include "CsvReader.h"
#include "EchoedInput.h"
#include "PasswordHash.h"
#include "Period.h"
#include "PeriodSums.h"
#include "ServerText.h"
#include "Validation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QTemporaryDir>
#include <QTest>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <kordex/StoreAddress.h>

using namespace kordex;

Q_DECLARE_METATYPE(kordex::SumRow)

class TestKordexParts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pbkdf2Vectors_data()
    {
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<QByteArray>("salt");
        QTest::addColumn<int>("iterations");
        QTest::addColumn<QByteArray>("expected");
        // RFC 7914, section 11
        QTest::newRow("passwd/salt/1")
            << QByteArray("passwd") << QByteArray("salt") << 1
            << QByteArray("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
                          "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
        QTest::newRow("Password/NaCl/80000")
            << QByteArray("Password") << QByteArray("NaCl") << 80000
            << QByteArray("4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
                          "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d");
        // a key longer than one block is hashed first
        QTest::newRow("long key")
            << QByteArray(100, 'k') << QByteArray("salt") << 2
            << QByteArray("2c1357648009149f57e4d5544c3435bbca87a6b231300fa3abb2a89b50f56ec3");
    }

    void pbkdf2Vectors()
    {
        QFETCH(QByteArray, password);
        QFETCH(QByteArray, salt);
        QFETCH(int, iterations);
        QFETCH(QByteArray, expected);
        const QByteArray actual
            = PasswordHash::pbkdf2Sha256(password, salt, iterations, int(expected.size() / 2));
        QCOMPARE(actual.toHex(), expected);
        // the same construction over Qt's HMAC agrees on the first block
        QCOMPARE(actual.left(32), reference(password, salt, iterations));
    }

    void storedHashes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("matches");
        const QString made
            = PasswordHash::make(QStringLiteral("Geheim ä"), QByteArray("0123456789abcdef"), 1000);
        QTest::newRow("right") << made << "Geheim ä" << true;
        QTest::newRow("wrong") << made << "Geheim a" << false;
        QTest::newRow("empty password") << made << "" << false;
        QTest::newRow("cut hash") << made.left(made.size() - 4) << "Geheim ä" << false;
        QTest::newRow("other scheme")
            << QString(made).replace(QLatin1String("sha256"), QLatin1String("md5")) << "Geheim ä"
            << false;
        QTest::newRow("zero iterations") << "pbkdf2-sha256$0$MDEyMw==$AAAA"
                                         << "x" << false;
        QTest::newRow("clear text") << "demo"
                                    << "demo" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
    }

    void storedHashes()
    {
        QFETCH(QString, stored);
        QFETCH(QString, password);
        QFETCH(bool, matches);
        QCOMPARE(PasswordHash::verify(password, stored), matches);
    }

    void newHashesAreSaltedAndSlow()
    {
        const QString a = PasswordHash::make(QStringLiteral("demo"));
        const QString b = PasswordHash::make(QStringLiteral("demo"));
        QVERIFY(a != b);
        QVERIFY(!a.contains(QLatin1String("demo")));
        QVERIFY(a.section(QLatin1Char('$'), 1, 1).toInt() >= 100000);
        QVERIFY(PasswordHash::verify(QStringLiteral("demo"), a));
    }

    void serverText_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("server");
        QTest::newRow("umlauts") << "Gärtnerei Küche Öl"
                                 << "G{rtnerei K}che \\l";
        QTest::newRow("all") << "äöüßÄÖÜ§"
                             << "{|}~[\\]õ";
        QTest::newRow("plain") << "Baustoffe 12"
                               << "Baustoffe 12";
        QTest::newRow("empty") << ""
                               << "";
    }

    void serverText()
    {
        QFETCH(QString, screen);
        QFETCH(QString, server);
        QCOMPARE(toServerText(screen), server);
        QCOMPARE(toScreenText(server), screen);
    }

    void periods_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("period"); // 0: refused
        QTest::newRow("2005-03") << "10503" << 10503;
        QTest::newRow("1999-12") << "9912" << 9912;
        QTest::newRow("1900-01") << "001" << 1;
        QTest::newRow("four-digit year") << "200503" << 0;
        QTest::newRow("leading zero") << "010503" << 0;
        QTest::newRow("month 00") << "10500" << 0;
        QTest::newRow("month 13") << "10513" << 0;
        QTest::newRow("one month digit") << "1053" << 0;
        QTest::newRow("blank") << " 10503" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("sign") << "-10503" << 0;
        QTest::newRow("1900-03") << "003" << 3;
        QTest::newRow("1900-12") << "012" << 12;
        QTest::newRow("trailing line break") << "10503\n" << 0;
        QTest::newRow("year 0 as 00") << "0003" << 0;
        QTest::newRow("digits of another script") << QStringLiteral("١٠٥٠٣") << 0;
    }

    void periods()
    {
        QFETCH(QString, text);
        QFETCH(int, period);
        QCOMPARE(Period::parse(text).value_or(0), period);
        // what is read is written back the same way, and read again
        if (period != 0)
            QCOMPARE(Period::text(period), text);
    }

    void periodArithmetic()
    {
        QCOMPARE(Period::shifted(10601, -1), 10512);
        QCOMPARE(Period::shifted(10512, 1), 10601);
        QCOMPARE(Period::shifted(12506, -2), 12504);
        QCOMPARE(Period::shifted(12501, -25), 12212);
        QCOMPARE(Period::dayNumber(QDate(2005, 12, 31)), 1051231);
        QCOMPARE(Period::fromDate(QDate(1999, 12, 1)), 9912);
    }

    void money_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0.00";
        QTest::newRow("positive") << qint64(123456) << "1234.56";
        QTest::newRow("negative") << qint64(-123456) << "-1234.56";
        QTest::newRow("negative cents") << qint64(-5) << "-0.05";
        QTest::newRow("large") << qint64(9000000000000) << "90000000000.00";
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-92233720368547758.08";
    }

    void money()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, text);
        QCOMPARE(PeriodSums::money(cents), text);
    }

    void revenueAndMargin_data()
    {
        QTest::addColumn<SumRow>("sums");
        QTest::addColumn<qint64>("revenue"); // 0 with margin 0: out of range
        QTest::addColumn<qint64>("margin");
        constexpr qint64 big = std::numeric_limits<qint64>::max() / 2 + 1;
        QTest::newRow("plain") << SumRow { 1000, 50, 600, 20, 7, 3 } << qint64(1050) << qint64(430);
        QTest::newRow("negative") << SumRow { -1000, 0, -600, 0, 0, 0 } << qint64(-1000)
                                  << qint64(-400);
        QTest::newRow("revenue beyond 64 bits")
            << SumRow { big, big, 0, 0, 0, 0 } << qint64(0) << qint64(0);
        QTest::newRow("margin beyond 64 bits")
            << SumRow { big, 0, -big, 0, 0, 0 } << qint64(0) << qint64(0);
        QTest::newRow("cost beyond 64 bits")
            << SumRow { 0, 0, big, big + 1, 0, 0 } << qint64(0) << qint64(0);
    }

    void revenueAndMargin()
    {
        QFETCH(SumRow, sums);
        QFETCH(qint64, revenue);
        QFETCH(qint64, margin);
        if (revenue == 0 && margin == 0) {
            // never a wrapped value: the sum is refused
            const bool refused = [&] {
                try {
                    PeriodSums::money(PeriodSums::revenue(sums));
                    PeriodSums::money(PeriodSums::margin(sums));
                } catch (const ServerError &e) {
                    return e.number() == error::SqlFailure;
                }
                return false;
            }();
            QVERIFY(refused);
            return;
        }
        QCOMPARE(PeriodSums::revenue(sums), revenue);
        QCOMPARE(PeriodSums::margin(sums), margin);
    }

    void connectStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("file");
        QTest::newRow("host") << "cn_iptcp:db.example[5432]:KORDEX" << true << "db.example"
                              << "5432" << false;
        QTest::newRow("path") << "cn_iptcp:/home/a/demo.db[1972]:KORDEX" << true
                              << "/home/a/demo.db"
                              << "1972" << true;
        QTest::newRow("name ending .db") << "cn_iptcp:demo.db[]:KORDEX" << true << "demo.db"
                                         << "" << true;
        QTest::newRow("bracket in path")
            << "cn_iptcp:/tmp/a[1]/b.db[7]:KORDEX" << true << "/tmp/a[1]/b.db"
            << "7" << true;
        QTest::newRow("other namespace") << "cn_iptcp:host[1972]:USER" << false << ""
                                         << "" << false;
        QTest::newRow("no server") << "cn_iptcp:[1972]:KORDEX" << false << ""
                                   << "" << false;
        QTest::newRow("no prefix") << "host[1972]:KORDEX" << false << ""
                                   << "" << false;
    }

    void connectStrings()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, server);
        QFETCH(QString, port);
        QFETCH(bool, file);
        const auto parsed = ConnectString::parse(text);
        QCOMPARE(parsed.has_value(), valid);
        if (!parsed)
            return;
        QCOMPARE(parsed->server, server);
        QCOMPARE(parsed->port, port);
        QCOMPARE(parsed->isFile(), file);
    }

    // The demo store lives in the program's one folder name, Ertragon/; a store of the
    // earlier folder moves there once, with its WAL files, and never over a newer one.
    void defaultStoreMovesOnce()
    {
        QTemporaryDir dir;
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
        QVERIFY(QDir().mkpath(dir.filePath("ertragon")));
        for (const char *name : { "ertragon/demo.db", "ertragon/demo.db-wal" }) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(name) > 0);
        }
        const QString store = dir.filePath("Ertragon/demo.db");
        QCOMPARE(defaultStorePath(), store);
        QVERIFY(QFileInfo::exists(store) && QFileInfo::exists(store + "-wal"));
        QVERIFY(!QFileInfo::exists(dir.filePath("ertragon")));
        // a later store of the earlier folder stays where it is
        QVERIFY(QDir().mkpath(dir.filePath("ertragon")));
        QVERIFY(QFile::copy(store + "-wal", dir.filePath("ertragon/demo.db")));
        QCOMPARE(defaultStorePath(), store);
        QFile kept(store);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("ertragon/demo.db"));
        QVERIFY(QFileInfo::exists(dir.filePath("ertragon/demo.db")));
        qputenv("XDG_DATA_HOME", dataHome);
    }

    void commands_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind"); // -1: refused
        QTest::addColumn<QString>("detail");
        QTest::newRow("context") << "S FIRMA=12,FIL=3,PERSONAL=\"ABC\"" << int(Command::Context)
                                 << "12/3/ABC";
        QTest::newRow("context, empty branch")
            << "S FIRMA=1,FIL=,PERSONAL=\"\"" << int(Command::Context) << "1//";
        QTest::newRow("context, letters in company")
            << "S FIRMA=A,FIL=0,PERSONAL=\"X\"" << -1 << "";
        QTest::newRow("context, quote in user") << "S FIRMA=1,FIL=0,PERSONAL=\"A\"B\"" << -1 << "";
        QTest::newRow("terminal") << "D ^%XTT" << int(Command::Terminal) << "";
        QTest::newRow("main groups") << "d HGRP^KXCLSU" << int(Command::MainGroups) << "";
        QTest::newRow("departments") << "d ABTNR^KXCLSU" << int(Command::Departments) << "";
        QTest::newRow("main departments") << "d HABT^KXCLSU" << int(Command::MainDepartments) << "";
        QTest::newRow("subgroups") << "d UGRP^KXCLSU(05)" << int(Command::SubGroups) << "05";
        QTest::newRow("nested parenthesis") << "d UGRP^KXCLSU((05))" << -1 << "";
        QTest::newRow("data basis") << "S P0=^XWGDAT W P0" << int(Command::DataBasis) << "";
        QTest::newRow("other global") << "S P0=^XWGDAX W P0" << -1 << "";
        QTest::newRow("leading blank") << " d HGRP^KXCLSU" << -1 << "";
        QTest::newRow("unknown routine") << "d KILL^KXCLSU" << -1 << "";
        QTest::newRow("line break") << "d HGRP^KXCLSU\nK ^X" << -1 << "";
        QTest::newRow("trailing line break") << "d HGRP^KXCLSU\n" << -1 << "";
        QTest::newRow("context, trailing line break") << "S FIRMA=1,FIL=0,PERSONAL=\"DEM\"\n"
                                                      << -1 << "";
        QTest::newRow("data basis, trailing line break") << "S P0=^XWGDAT W P0\n" << -1 << "";
        QTest::newRow("context, escape in user")
            << "S FIRMA=1,FIL=0,PERSONAL=\"D\x1b[2J\"" << -1 << "";
    }

    void commands()
    {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, detail);
        const auto command = CommandParser::parse(text);
        QCOMPARE(command ? int(command->kind) : -1, kind);
        if (!command)
            return;
        if (command->kind == Command::Context)
            QCOMPARE(command->company + '/' + command->branch + '/' + command->user, detail);
        else
            QCOMPARE(command->argument, detail);
    }

    void csvFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields"); // empty: refused
        QTest::newRow("plain") << "a;b;c" << QStringList { "a", "b", "c" };
        QTest::newRow("empty fields") << ";;" << QStringList { "", "", "" };
        QTest::newRow("quoted separator") << "\"a;b\";c" << QStringList { "a;b", "c" };
        QTest::newRow("doubled quote")
            << "\"say \"\"hi\"\"\";x" << QStringList { "say \"hi\"", "x" };
        QTest::newRow("open quote") << "\"abc;d" << QStringList {};
        QTest::newRow("text after quote") << "\"ab\"c;d" << QStringList {};
    }

    void csvLines_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("problem"); // the rejection names these lines
        QTest::newRow("line feeds") << QByteArray("a\nb\n") << QStringList { "a", "b" } << "";
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList { "a", "b" } << "";
        QTest::newRow("CR only") << QByteArray("a\rb\rc") << QStringList { "a", "b", "c" } << "";
        QTest::newRow("mixed, empty line kept")
            << QByteArray("a\r\rb\nc\r\n") << QStringList { "a", "", "b", "c" } << "";
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "a;\xC3\xA4\n")
                                         << QStringList { "a;ä" } << "";
        QTest::newRow("empty") << QByteArray() << QStringList {} << "";
        QTest::newRow("Latin-1 umlaut")
            << QByteArray("ok\nG\xE4rtnerei\nok\n") << QStringList {} << "Zeile 2: ";
        QTest::newRow("cut sequence at a line end")
            << QByteArray("\xC3\rok\r\xE2\x82") << QStringList {} << "Zeile 1: |Zeile 3: ";
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << QStringList {} << "Zeile 1: ";
        // a line is read up to 64 KiB and refused beyond, whatever else the file holds
        QTest::newRow("line at the limit")
            << QByteArray(65536, 'x') + "\nok" << QStringList { QString(65536, u'x'), "ok" } << "";
        QTest::newRow("line over the limit") << "ok\n" + QByteArray(3 << 20, 'x')
                + "\nok" << QStringList {} << "Zeile 2: Zeile länger als 65536 Bytes";
        // a CR LF split between the reader's 1 MiB chunks ends one line
        QStringList many(524286, QStringLiteral("a"));
        QTest::newRow("CR LF across chunks") << QByteArray("a\n").repeated(524286) + "bcd\r\ne"
                                             << (many << "bcd"
                                                      << "e")
                                             << "";
    }

    void csvLines()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, lines);
        QFETCH(QString, problem);
        QString rejected;
        QStringList read;
        try {
            read = CsvReader::lines(contents);
        } catch (const ServerError &e) {
            QCOMPARE(e.number(), error::ImportRejected);
            rejected = e.description();
        }
        QCOMPARE(read, lines);
        for (const QString &part : problem.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            QVERIFY2(rejected.contains(part), qPrintable(rejected));
        QCOMPARE(rejected.isEmpty(), problem.isEmpty());
    }

    void echoedInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("echo");
        QTest::newRow("plain") << "M7"
                               << "\"M7\"";
        QTest::newRow("escape sequence") << "A\x1b[2JB"
                                         << "\"A\\u001b[2JB\"";
        QTest::newRow("line breaks and tab") << "a\r\n\tb"
                                             << "\"a\\r\\n\\tb\"";
        QTest::newRow("quote and backslash") << "say \"hi\" \\"
                                             << "\"say \\\"hi\\\" \\\\\"";
        QTest::newRow("right-to-left override") << "a\u202Eb"
                                                << "\"a\\u202eb\"";
        QTest::newRow("long") << QString(100000, QLatin1Char('x'))
                              << "\"" + QString(60, QLatin1Char('x')) + "…\"";
        QTest::newRow("pair at the cut")
            << QString(59, QLatin1Char('x')) + QString::fromUtf8("\xF0\x9F\x98\x80") + "y"
            << "\"" + QString(59, QLatin1Char('x')) + "…\"";
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << "\"\\ud800\"";
        QTest::newRow("umlauts stay") << "Gärtnerei"
                                      << "\"Gärtnerei\"";
    }

    void echoedInput()
    {
        QFETCH(QString, text);
        QFETCH(QString, echo);
        QCOMPARE(EchoedInput::quoted(text), echo);
    }

    void csvFields()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        const auto split = CsvReader::split(line);
        QCOMPARE(split.value_or(QStringList {}), fields);
    }

    void validation_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("company") << "company"
                                 << "12" << true;
        QTest::newRow("company 0") << "company"
                                   << "0" << false;
        QTest::newRow("company 01") << "company"
                                    << "01" << false;
        QTest::newRow("code") << "code"
                              << "M7" << true;
        QTest::newRow("code with blank") << "code"
                                         << "M 7" << false;
        QTest::newRow("code with backtick") << "code"
                                            << "M`7" << false;
        QTest::newRow("code with quote") << "code"
                                         << "1' OR '1'='1" << false;
        QTest::newRow("code with bars") << "code"
                                        << "A||B" << false;
        QTest::newRow("long code") << "code"
                                   << "ABCDEFGHIJKLM" << false;
        QTest::newRow("name") << "name"
                              << "Gärtnerei & Söhne" << true;
        QTest::newRow("name with brace") << "name"
                                         << "G{rtnerei" << false;
        QTest::newRow("name with tab") << "name"
                                       << "a\tb" << false;
        QTest::newRow("blank name") << "name"
                                    << "  " << false;
        QTest::newRow("company with line break") << "company"
                                                 << "1\n"
                                                 << false;
        QTest::newRow("code with line break") << "code"
                                              << "M7\n"
                                              << false;
        QTest::newRow("name from bad UTF-8") << "name" << QString::fromUtf8("G\xE4rten") << false;
        QTest::newRow("name with escape") << "name"
                                          << "A\x1b[31mB" << false;
        QTest::newRow("fax") << "fax"
                             << "+49 (711) 4711-90" << true;
        QTest::newRow("empty fax") << "fax"
                                   << "" << true;
        QTest::newRow("fax with escape") << "fax"
                                         << "0711\x1b[2J" << false;
        QTest::newRow("fax of 100 KB") << "fax" << QString(100000, QLatin1Char('1')) << false;
        QTest::newRow("e-mail") << "email"
                                << "leh@mueller-soehne.example" << true;
        QTest::newRow("empty e-mail") << "email"
                                      << "" << true;
        QTest::newRow("e-mail with line break") << "email"
                                                << "a@b.example\n"
                                                << false;
        QTest::newRow("e-mail without @") << "email"
                                          << "leh.example" << false;
        QTest::newRow("e-mail of 100 KB")
            << "email" << QString(100000, QLatin1Char('a')) + "@b.example" << false;
    }

    void validation()
    {
        QFETCH(QString, kind);
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        const QString problem = kind == QLatin1String("company") ? Validation::companyProblem(value)
            : kind == QLatin1String("code")                      ? Validation::codeProblem(value)
            : kind == QLatin1String("fax")                       ? Validation::faxProblem(value)
            : kind == QLatin1String("email")                     ? Validation::emailProblem(value)
                                                                 : Validation::nameProblem(value);
        QCOMPARE(problem.isEmpty(), accepted);
        // the problem quotes the value shortened, never raw
        QVERIFY(problem.size() < 200);
        QVERIFY(!problem.contains(QChar(0x1b)) && !problem.contains(QLatin1Char('\n')));
    }

private:
    static QByteArray reference(const QByteArray &password, const QByteArray &salt, int iterations)
    {
        QByteArray u = QMessageAuthenticationCode::hash(salt + QByteArray("\0\0\0\1", 4), password,
                                                        QCryptographicHash::Sha256);
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            u = QMessageAuthenticationCode::hash(u, password, QCryptographicHash::Sha256);
            for (int j = 0; j < t.size(); ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        return t;
    }
};

QTEST_GUILESS_MAIN(TestKordexParts)
#include "tst_kordexparts.moc"
