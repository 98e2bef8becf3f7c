#include "ValueLiteral.h"
#include "comctl/Variants.h"

#include <QtTest>

class TestValueLiteral : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void lists_data();
    void lists();
};

void TestValueLiteral::parse_data()
{
    QTest::addColumn<QString>("literal");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("printed");
    QTest::newRow("text") << "\"abc\"" << true << QVariant("abc") << "\"abc\"";
    QTest::newRow("escaped quote") << "\"a\\\"b\"" << true << QVariant("a\"b") << "\"a\\\"b\"";
    QTest::newRow("escaped backslash") << "\"a\\\\b\"" << true << QVariant("a\\b") << "\"a\\\\b\"";
    QTest::newRow("umlauts and blanks")
        << "\"Größe 5\"" << true << QVariant("Größe 5") << "\"Größe 5\"";
    QTest::newRow("empty text") << "\"\"" << true << QVariant("") << "\"\"";
    QTest::newRow("integer") << "12" << true << QVariant(12) << "12";
    QTest::newRow("negative double") << "-1.5" << true << QVariant(-1.5) << "-1.5";
    QTest::newRow("whole double") << "12.0" << true << QVariant(12.0) << "12.0";
    QTest::newRow("negative whole double") << "-3.0" << true << QVariant(-3.0) << "-3.0";
    QTest::newRow("double with exponent") << "1e+20" << true << QVariant(1e20) << "1e+20";
    QTest::newRow("large integer")
        << "4294967296" << true << QVariant(qlonglong(4294967296LL)) << "4294967296";
    QTest::newRow("true") << "true" << true << QVariant(true) << "true";
    QTest::newRow("false") << "false" << true << QVariant(false) << "false";
    QTest::newRow("empty") << "empty" << true << QVariant() << "empty";
    QTest::newRow("null") << "null" << true << comctl::Variants::null() << "null";
    QTest::newRow("unterminated") << "\"abc" << false << QVariant() << "";
    QTest::newRow("bare word") << "abc" << false << QVariant() << "";
    QTest::newRow("two values") << "1 2" << false << QVariant() << "";
    QTest::newRow("comma decimal refused") << "1,5" << false << QVariant() << "";
}

void TestValueLiteral::parse()
{
    QFETCH(QString, literal);
    QFETCH(bool, ok);
    QFETCH(QVariant, value);
    QFETCH(QString, printed);
    const auto parsed = ValueLiteral::parse(literal);
    QCOMPARE(parsed.has_value(), ok);
    if (!ok)
        return;
    QCOMPARE(parsed->metaType(), value.metaType());
    QCOMPARE(ValueLiteral::format(*parsed), printed);
    QCOMPARE(ValueLiteral::parse(printed)->metaType(), value.metaType());
}

void TestValueLiteral::lists_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count");
    QTest::newRow("mixed") << "\"aXbX\" \"Xb\" \"-\" true" << 4;
    QTest::newRow("blank inside text") << "\"a b\"  7" << 2;
    QTest::newRow("none") << "   " << 0;
    QTest::newRow("broken") << "\"a\" \"b" << -1;
}

void TestValueLiteral::lists()
{
    QFETCH(QString, line);
    QFETCH(int, count);
    const auto list = ValueLiteral::parseList(line);
    QCOMPARE(list.has_value(), count >= 0);
    if (list)
        QCOMPARE(list->size(), count);
}

QTEST_MAIN(TestValueLiteral)
#include "tst_valueliteral.moc"
