#include "TextHelpers.h"

#include <QTest>

using namespace ertragon::TextHelpers;

class TestTextHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void getPiece_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("expected");

        QTest::newRow("middle word") << "eins zwei drei"
                                     << " " << 2 << "-"
                                     << "zwei";
        QTest::newRow("first word") << "eins zwei drei"
                                    << " " << 1 << "-"
                                    << "eins";
        QTest::newRow("last word") << "eins zwei drei"
                                   << " " << 3 << "-"
                                   << "drei";
        QTest::newRow("beyond the last") << "eins zwei drei"
                                         << " " << 4 << "-"
                                         << "-";
        QTest::newRow("starts with the delimiter") << "|a|b"
                                                   << "|" << 1 << "def"
                                                   << "def";
        QTest::newRow("after a leading delimiter") << "|a|b"
                                                   << "|" << 2 << "def"
                                                   << "a";
        QTest::newRow("empty text") << ""
                                    << "|" << 1 << "def"
                                    << "def";
        QTest::newRow("empty text, no default") << ""
                                                << "|" << 1 << ""
                                                << "";
        QTest::newRow("empty piece between two") << "a||b"
                                                 << "|" << 2 << "x"
                                                 << "x";
        QTest::newRow("long delimiter never matches") << "a||b"
                                                      << "||" << 1 << "x"
                                                      << "a||b";
        QTest::newRow("long delimiter, piece 2") << "a||b"
                                                 << "||" << 2 << "x"
                                                 << "x";
        QTest::newRow("empty delimiter") << "a b"
                                         << "" << 1 << "x"
                                         << "a b";
        QTest::newRow("piece zero") << "a b"
                                    << " " << 0 << "x"
                                    << "x";
        QTest::newRow("negative piece") << "a b"
                                        << " " << -3 << "x"
                                        << "x";
        QTest::newRow("backtick code") << "M3`Gl{ser"
                                       << "`" << 2 << ""
                                       << "Gl{ser";
        QTest::newRow("beyond 16 bits") << QString(40000, u'|') + "z"
                                        << "|" << 40001 << ""
                                        << "z";
    }

    void getPiece()
    {
        QFETCH(QString, text);
        QFETCH(QString, delimiter);
        QFETCH(int, n);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        QCOMPARE(GetPiece(text, delimiter, n, fallback), expected);
    }

    void replaceText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("multi");
        QTest::addColumn<QString>("expected");

        QTest::newRow("whole matches only") << "abXabYa"
                                            << "ab"
                                            << "--" << true << "--X--Ya";
        QTest::newRow("first characters only") << "abXabYa"
                                               << "ab"
                                               << "-+" << false << "-bX-bY-";
        QTest::newRow("no rescan of the replacement") << "aaa"
                                                      << "a"
                                                      << "aa" << true << "aaaaaa";
        QTest::newRow("overlapping matches left to right") << "aaa"
                                                           << "aa"
                                                           << "b" << true << "ba";
        QTest::newRow("empty replacement deletes") << "a-b-c"
                                                   << "-"
                                                   << "" << true << "abc";
        QTest::newRow("empty search changes nothing") << "abc"
                                                      << ""
                                                      << "x" << true << "abc";
        QTest::newRow("no match") << "abc"
                                  << "z"
                                  << "y" << false << "abc";
        QTest::newRow("match at the end") << "abcd"
                                          << "cd"
                                          << "X" << true << "abX";
        QTest::newRow("partial match at the end") << "abc"
                                                  << "cd"
                                                  << "X" << true << "abc";
        QTest::newRow("longer than 254 characters") << QString(300, u'{') << "{"
                                                    << "ä" << false << QString(300, u'ä');
    }

    void replaceText()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(bool, multi);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceText(text, search, replacement, multi), expected);
    }

    void convertUmlauts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("upper"); // -1: flag omitted
        QTest::addColumn<QString>("expected");

        QTest::newRow("KORDEX, brace second") << "M{rz"
                                              << "KORDEX" << 0 << "März";
        QTest::newRow("KORDEX, flag omitted") << "m{rz"
                                              << "KORDEX" << -1 << "MäRZ";
        QTest::newRow("KORDEX, all eight") << "{|}~[\\]õ"
                                           << "KORDEX" << 0 << "äöüßÄÖÜ§";
        QTest::newRow("KORDEX, all eight upper-cased") << "{|}~[\\]õ"
                                                       << "KORDEX" << 1 << "äöüßÄÖÜ§";
        QTest::newRow("KORDEXSZ leaves bar and backslash") << "{|}~[\\]õ"
                                                           << "KORDEXSZ" << 0 << "ä|üßÄ\\Ü§";
        QTest::newRow("GUIKORDEX, all eight") << "äöüßÄÖÜ§"
                                              << "GUIKORDEX" << 0 << "{|}~[\\]õ";
        QTest::newRow("GUIKORDEX upper-cases first") << "Gläser"
                                                     << "GUIKORDEX" << 1 << "GL[SER";
        QTest::newRow("GUIKORDEX keeps the sharp s") << "Straße"
                                                     << "GUIKORDEX" << 1 << "STRA~E";
        QTest::newRow("KORDEX round trip") << "Müller & Söhne §3"
                                           << "GUIKORDEX" << 0 << "M}ller & S|hne õ3";
        QTest::newRow("KORDEXSUCHE") << "Größe Übel"
                                     << "KORDEXSUCHE" << -1 << "GROESSE UEBEL";
        QTest::newRow("KORDEXSUCHE lower case stays") << "äöü"
                                                      << "KORDEXSUCHE" << 0 << "äöü";
        QTest::newRow("RTF") << "äöüßÄÖÜ"
                             << "RTF" << 0 << "\\'e4\\'f6\\'fc\\'df\\'C4\\'d6\\'dc";
        QTest::newRow("RTF upper-cased") << "ä"
                                         << "RTF" << -1 << "\\'C4";
        QTest::newRow("unknown mode upper-cases") << "abc{"
                                                  << "kordex" << -1 << "ABC{";
        QTest::newRow("unknown mode, no flag") << "abc{"
                                               << "" << 0 << "abc{";
        QTest::newRow("empty text") << ""
                                    << "KORDEX" << -1 << "";
    }

    void convertUmlauts()
    {
        QFETCH(QString, text);
        QFETCH(QString, mode);
        QFETCH(int, upper);
        QFETCH(QString, expected);
        const QString result
            = upper < 0 ? ConvertUmlauts(text, mode) : ConvertUmlauts(text, mode, upper == 1);
        QCOMPARE(result, expected);
    }

    void shiftPeriod_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("expected");

        QTest::newRow("January back to December") << "10601"
                                                  << "-1"
                                                  << "10512";
        QTest::newRow("December on to January") << "10512"
                                                << "1"
                                                << "10601";
        QTest::newRow("no shift") << "10503"
                                  << "0"
                                  << "10503";
        QTest::newRow("eleven back") << "10512"
                                     << "-11"
                                     << "10501";
        QTest::newRow("eleven on") << "10501"
                                   << "11"
                                   << "10512";
        QTest::newRow("a year back") << "10503"
                                     << "-12"
                                     << "10403";
        QTest::newRow("many years on") << "10503"
                                       << "30"
                                       << "10709";
        QTest::newRow("before 1900") << "001"
                                     << "-1"
                                     << "-112";
        QTest::newRow("year 2000") << "9912"
                                   << "1"
                                   << "10001";
        QTest::newRow("leading blanks in offset") << "10506"
                                                  << " +2"
                                                  << "10508";
        QTest::newRow("garbage offset counts 0") << "10506"
                                                 << "x"
                                                 << "10506";
        QTest::newRow("empty period") << ""
                                      << "1"
                                      << "001";
    }

    void shiftPeriod()
    {
        QFETCH(QString, period);
        QFETCH(QString, offset);
        QFETCH(QString, expected);
        QCOMPARE(ShiftPeriod(period, offset), expected);
    }

    void serverDate_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QDate>("expected");

        QTest::newRow("end of 2005") << "1051231" << QDate(2005, 12, 31);
        QTest::newRow("1900") << "101" << QDate(1900, 1, 1);
        QTest::newRow("leap day") << "1040229" << QDate(2004, 2, 29);
        QTest::newRow("no leap day") << "1050229" << QDate();
        QTest::newRow("month 13") << "1051301" << QDate();
        QTest::newRow("zero") << "0" << QDate();
        QTest::newRow("garbage") << "abc" << QDate();
        QTest::newRow("negative") << "-1051231" << QDate();
        QTest::newRow("huge") << "999999999999999999999" << QDate();
        QTest::newRow("trailing text") << "1051231`x" << QDate(2005, 12, 31);
    }

    void serverDate()
    {
        QFETCH(QString, number);
        QFETCH(QDate, expected);
        QCOMPARE(ServerDate(number), expected);
    }
};

QTEST_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
