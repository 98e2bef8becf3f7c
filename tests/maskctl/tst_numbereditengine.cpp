#include "MaskTestSupport.h"
#include "NumberEditEngine.h"

#include <QTest>

using namespace orvel;
using namespace orvel::test;

namespace {

// Runs a key script on an engine and records what the control would see.
// Tokens: plain characters are typed; {BS} {DEL} {HOME} {END} {LEFT} {RIGHT} {SLEFT}
// {SRIGHT} {CLEFT} {CRIGHT} {SEND} {SHOME} {INS} {UNDO} {CUT} {COPY} {SELALL}
// {PASTE:text} {SELTEXT:text} {CARET:n}.
struct Recorder
{
    QStringList events;
    int beeps = 0;
    QString clipboard;
};

void run(NumberEditEngine &e, Recorder &r, const QString &script)
{
    int i = 0;
    while (i < script.size()) {
        if (script.at(i) != u'{') {
            e.typeChar(script.at(i));
            ++i;
            continue;
        }
        const int close = int(script.indexOf(u'}', i));
        const QString token = script.mid(i + 1, close - i - 1);
        i = close + 1;
        const QString arg = token.section(u':', 1);
        const QString name = token.section(u':', 0, 0);
        if (name == u"BS")
            e.backspace();
        else if (name == u"DEL")
            e.deleteKey();
        else if (name == u"HOME")
            e.home(false);
        else if (name == u"SHOME")
            e.home(true);
        else if (name == u"END")
            e.end(false);
        else if (name == u"SEND")
            e.end(true);
        else if (name == u"LEFT")
            e.left(false, false);
        else if (name == u"RIGHT")
            e.right(false, false);
        else if (name == u"SLEFT")
            e.left(true, false);
        else if (name == u"SRIGHT")
            e.right(true, false);
        else if (name == u"CLEFT")
            e.left(false, true);
        else if (name == u"CRIGHT")
            e.right(false, true);
        else if (name == u"INS")
            e.setInsertMode(!e.insertMode());
        else if (name == u"UNDO")
            e.undo();
        else if (name == u"CUT")
            e.cut(&r.clipboard);
        else if (name == u"COPY")
            r.clipboard = e.copyText();
        else if (name == u"SELALL")
            e.setSelection(0, int(e.shown().size()));
        else if (name == u"PASTE")
            e.paste(arg);
        else if (name == u"SELTEXT")
            e.insertText(arg);
        else if (name == u"CARET")
            e.placeCaret(arg.toInt(), false);
    }
}

void attach(NumberEditEngine &e, Recorder &r)
{
    e.hooks().beep = [&r] { ++r.beeps; };
    e.hooks().invalidChar = [&r](const QString &ch, int pos) {
        r.events << QStringLiteral("invalid(%1@%2)").arg(ch).arg(pos);
    };
    e.hooks().changed = [&r] { r.events << QStringLiteral("change"); };
    e.hooks().autoTab = [&r] { r.events << QStringLiteral("autotab"); };
}

} // namespace

class TestNumberEditEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keystrokes_data();
    void keystrokes();
    void undoRevertsTypingSinceCaretMoved();
    void programmaticChangeDropsUndo();
    void nullTextShownStably();
    void notEditableBeeps_data();
    void notEditableBeeps();
    void selLengthBeyondEnd();
    void wordNavigation();
};

void TestNumberEditEngine::keystrokes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("clipboard");

    const QString en2 = QStringLiteral("type=0 places=2 pos=1 neg=2");
    QTest::newRow("insert into full decimals pushes last out")
        << "en" << en2 << "12.34"
        << "{CARET:3}5"
        << "12.53"
        << "12.53" << 4 << "change" << 0 << "";
    QTest::newRow("overtype at end refused") << "en" << en2 << "12.34"
                                             << "{INS}{END}5"
                                             << "12.34"
                                             << "12.34" << 5 << "invalid(5@5)" << 2 << "";
    QTest::newRow("overtype replaces and skips to digit") << "en" << en2 << "12.34"
                                                          << "{INS}{HOME}9"
                                                          << "92.34"
                                                          << "92.34" << 1 << "change" << 0 << "";
    QTest::newRow("overtype over point skips it") << "en" << en2 << "12.34"
                                                  << "{INS}{CARET:2}7"
                                                  << "12.74"
                                                  << "12.74" << 4 << "change" << 0 << "";
    QTest::newRow("lone zero replaced") << "en" << en2 << "0"
                                        << "{HOME}7"
                                        << "7"
                                        << "7" << 1 << "change" << 0 << "";
    QTest::newRow("lone zero replaced from the right") << "en" << en2 << "0"
                                                       << "{END}7"
                                                       << "7"
                                                       << "7" << 1 << "change" << 0 << "";
    QTest::newRow("whole places full") << "en"
                                       << "type=0 places=2 whole=3"
                                       << "123"
                                       << "{END}4"
                                       << "123"
                                       << "123" << 3 << "invalid(4@3)" << 2 << "";
    QTest::newRow("minus twice") << "en" << en2 << "5"
                                 << "--"
                                 << "5"
                                 << "5" << 0 << "change;change" << 0 << "";
    QTest::newRow("minus makes negative") << "en" << en2 << "5"
                                          << "-"
                                          << "-5"
                                          << "-5" << 0 << "change" << 0 << "";
    QTest::newRow("minus not allowed") << "en"
                                       << "type=0 places=2 negok=0"
                                       << "5"
                                       << "-"
                                       << "5"
                                       << "5" << 0 << "invalid(-@0)" << 1 << "";
    QTest::newRow("paste drops sign and separators") << "en"
                                                     << "type=0 places=2 grp=1 pos=1"
                                                     << ""
                                                     << "{SELALL}{PASTE:-1,234.5}"
                                                     << "1234.5"
                                                     << "1,234.5" << 7 << "change" << 0 << "";
    QTest::newRow("backspace right of point deletes whole digit")
        << "en" << en2 << "12.5"
        << "{CARET:3}{BS}"
        << "1.5"
        << "1.5" << 1 << "change" << 0 << "";
    QTest::newRow("point refused with comma decimal") << "de"
                                                      << "type=0 places=2 pos=1"
                                                      << "12"
                                                      << "{END}."
                                                      << "12"
                                                      << "12" << 2 << "invalid(.@2)" << 1 << "";
    QTest::newRow("comma typed as decimal") << "de"
                                            << "type=0 places=2 pos=1"
                                            << "12"
                                            << "{END},5"
                                            << "12.5"
                                            << "12,5" << 4 << "change;change" << 0 << "";
    QTest::newRow("decimal char jumps to decimals") << "en" << en2 << "12.34"
                                                    << "{HOME}."
                                                    << "12.34"
                                                    << "12.34" << 3 << "" << 0 << "";
    QTest::newRow("second point left of caret refused") << "en" << en2 << "12.3"
                                                        << "{END}."
                                                        << "12.3"
                                                        << "12.3" << 4 << "invalid(.@4)" << 2 << "";
    QTest::newRow("point with zero places refused") << "en"
                                                    << "type=0 places=0"
                                                    << "12"
                                                    << "{END}."
                                                    << "12"
                                                    << "12" << 2 << "invalid(.@2)" << 2 << "";
    QTest::newRow("leading zero refused") << "en" << en2 << "5"
                                          << "{HOME}0"
                                          << "5"
                                          << "5" << 0 << "invalid(0@0)" << 2 << "";
    QTest::newRow("letter refused") << "en" << en2 << "5"
                                    << "{END}x"
                                    << "5"
                                    << "5" << 1 << "invalid(x@1)" << 1 << "";
    QTest::newRow("copy without literals") << "en"
                                           << "type=1 cur=1 grp=1 fixed=1"
                                           << "1234.5"
                                           << "{SELALL}{COPY}"
                                           << "1234.50"
                                           << "$1,234.50" << 9 << "" << 0 << "1234.50";
    QTest::newRow("copy with literals") << "en"
                                        << "type=1 cur=1 grp=1 fixed=1 clip=1"
                                        << "1234.5"
                                        << "{SELALL}{COPY}"
                                        << "1234.50"
                                        << "$1,234.50" << 9 << "" << 0 << "$1,234.50";
    QTest::newRow("copy negative keeps sign") << "en" << en2 << "-12.5"
                                              << "{SELALL}{COPY}"
                                              << "-12.5"
                                              << "-12.5" << 5 << "" << 0 << "-12.5";
    QTest::newRow("cut whole negative value") << "en"
                                              << "type=0 places=2 zero=0 neg=2"
                                              << "-12.5"
                                              << "{SELALL}{CUT}"
                                              << ""
                                              << "" << 0 << "change" << 0 << "-12.5";
    QTest::newRow("selection replaced by digit") << "en" << en2 << "1234"
                                                 << "{HOME}{SRIGHT}{SRIGHT}9"
                                                 << "934"
                                                 << "934" << 1 << "change" << 0 << "";
    QTest::newRow("delete at caret") << "en" << en2 << "1234"
                                     << "{CARET:1}{DEL}"
                                     << "134"
                                     << "134" << 1 << "change" << 0 << "";
    QTest::newRow("delete first digit strips lead zeros") << "en" << en2 << "1005"
                                                          << "{HOME}{DEL}"
                                                          << "5"
                                                          << "5" << 0 << "change" << 0 << "";
    QTest::newRow("delete at end beeps") << "en" << en2 << "12"
                                         << "{END}{DEL}"
                                         << "12"
                                         << "12" << 2 << "" << 1 << "";
    QTest::newRow("backspace at start beeps") << "en" << en2 << "12"
                                              << "{HOME}{BS}"
                                              << "12"
                                              << "12" << 0 << "" << 1 << "";
    QTest::newRow("backspace through grouping") << "en"
                                                << "type=0 places=0 grp=1 pos=1"
                                                << "1234"
                                                << "{END}{BS}"
                                                << "123"
                                                << "123" << 3 << "change" << 0 << "";
    QTest::newRow("typing into grouped value moves over separator")
        << "en"
        << "type=0 places=0 grp=1 pos=1"
        << "123"
        << "{END}4"
        << "1234"
        << "1,234" << 5 << "change" << 0 << "";
    QTest::newRow("autotab on full decimals") << "en"
                                              << "type=0 places=2 auto=1"
                                              << "1."
                                              << "{END}25"
                                              << "1.25"
                                              << "1.25" << 4 << "change;change;autotab" << 0 << "";
    QTest::newRow("autotab on whole places") << "en"
                                             << "type=0 places=0 whole=2 auto=1"
                                             << ""
                                             << "{END}12"
                                             << "12"
                                             << "12" << 2 << "change;change;autotab" << 0 << "";
    QTest::newRow("seltext inserts") << "en" << en2 << "19"
                                     << "{CARET:1}{SELTEXT:.5}"
                                     << "1.59"
                                     << "1.59" << 3 << "change" << 0 << "";
    QTest::newRow("seltext with letters refused silently") << "en" << en2 << "19"
                                                           << "{CARET:1}{SELTEXT:a}"
                                                           << "19"
                                                           << "19" << 1 << "" << 0 << "";
    QTest::newRow("paste too many decimals is silent") << "en" << en2 << ""
                                                       << "{SELALL}{PASTE:1.234}"
                                                       << "0"
                                                       << "0" << 1 << "" << 0 << "";
    QTest::newRow("german currency typing")
        << "de"
        << "type=1 cur=1 grp=1"
        << ""
        << "{SELALL}1234,5"
        << "1234.5"
        << "1.234,5 €" << 7 << "change;change;change;change;change;change" << 0 << "";
    QTest::newRow("undo restores before typing") << "en" << en2 << "12"
                                                 << "{END}3{UNDO}"
                                                 << "12"
                                                 << "12" << 2 << "change;change" << 0 << "";
    QTest::newRow("second undo swaps back") << "en" << en2 << "12"
                                            << "{END}3{UNDO}{UNDO}"
                                            << "123"
                                            << "123" << 3 << "change;change;change" << 0 << "";
}

void TestNumberEditEngine::keystrokes()
{
    QFETCH(QString, locale);
    QFETCH(QString, mask);
    QFETCH(QString, initial);
    QFETCH(QString, script);
    const FixedLocaleInfo l = localeNamed(locale);
    NumberEditEngine e(&l);
    e.settings() = settingsFrom(mask);
    e.setClipLiterals(mask.contains(QStringLiteral("clip=1")));
    e.setAutoTab(mask.contains(QStringLiteral("auto=1")));
    e.setRunMode(true);
    e.assignValue(initial);
    e.focusIn();
    Recorder r;
    attach(e, r);
    run(e, r, script);
    QTEST(e.value(), "value");
    QTEST(e.shown(), "display");
    QTEST(e.caret(), "caret");
    QTEST(r.events.join(u';'), "events");
    QTEST(r.beeps, "beeps");
    QTEST(r.clipboard, "clipboard");
}

void TestNumberEditEngine::undoRevertsTypingSinceCaretMoved()
{
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    NumberEditEngine e(&l);
    e.settings() = settingsFrom(QStringLiteral("type=0 places=2 pos=1"));
    e.setRunMode(true);
    e.assignValue(QStringLiteral("1"));
    e.focusIn();
    Recorder r;
    attach(e, r);
    run(e, r, QStringLiteral("{END}23{HOME}4"));
    QCOMPARE(e.value(), QStringLiteral("4123"));
    QVERIFY(e.undo());
    // Typing since the caret moved to Home is reverted, the earlier typing stays.
    QCOMPARE(e.value(), QStringLiteral("123"));
    QCOMPARE(e.caret(), 0);
}

void TestNumberEditEngine::programmaticChangeDropsUndo()
{
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    NumberEditEngine e(&l);
    e.setRunMode(true);
    e.focusIn();
    e.typeChar(u'5');
    e.assignValue(QStringLiteral("7"));
    QVERIFY(!e.undoAvailable());
    QVERIFY(!e.undo());
    QCOMPARE(e.value(), QStringLiteral("7"));
}

void TestNumberEditEngine::nullTextShownStably()
{
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    NumberEditEngine e(&l);
    e.settings().zeroIfNull = false;
    e.setRunMode(true);
    e.setNullText(QStringLiteral("(leer)"));
    e.assignValue(QString());
    QCOMPARE(e.shown(), QStringLiteral("(leer)"));
    QVERIFY(e.nullShown());
    QVERIFY(e.isEmpty());
    // A second refresh must not lose the null state because the window holds the null text.
    e.refreshShown();
    e.refreshShown();
    QVERIFY(e.nullShown());
    QVERIFY(e.isEmpty());
    QCOMPARE(e.shown(), QStringLiteral("(leer)"));
    e.focusIn();
    QCOMPARE(e.shown(), QString());
    QVERIFY(!e.nullShown());
    e.focusOut();
    QCOMPARE(e.shown(), QStringLiteral("(leer)"));
    e.setRunMode(false);
    e.refreshShown();
    QVERIFY(!e.nullShown());
}

void TestNumberEditEngine::notEditableBeeps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("events");
    QTest::newRow("digit") << "5" << 1 << "invalid(5@0)";
    QTest::newRow("backspace") << "{END}{BS}" << 1 << "";
    QTest::newRow("delete") << "{DEL}" << 1 << "";
    QTest::newRow("cut") << "{SELALL}{CUT}" << 1 << "";
    QTest::newRow("paste") << "{PASTE:5}" << 1 << "";
    QTest::newRow("undo") << "{UNDO}" << 1 << "";
    QTest::newRow("copy still works") << "{SELALL}{COPY}" << 0 << "";
}

void TestNumberEditEngine::notEditableBeeps()
{
    QFETCH(QString, script);
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    NumberEditEngine e(&l);
    e.setRunMode(true);
    e.assignValue(QStringLiteral("12"));
    e.focusIn();
    e.setEditable(false);
    Recorder r;
    attach(e, r);
    run(e, r, script);
    QCOMPARE(e.value(), QStringLiteral("12"));
    QTEST(r.beeps, "beeps");
    QTEST(r.events.join(u';'), "events");
}

void TestNumberEditEngine::selLengthBeyondEnd()
{
    const FixedLocaleInfo l = FixedLocaleInfo::englishLike();
    NumberEditEngine e(&l);
    e.assignValue(QStringLiteral("1234"));
    e.focusIn();
    e.setSelStart(1);
    e.setSelLength(2, false);
    QCOMPARE(e.selectionStart(), 1);
    QCOMPARE(e.selectionEnd(), 3);
    QCOMPARE(e.caret(), 3);
    e.setSelStart(2);
    e.setSelLength(9, false);
    QCOMPARE(e.caret(), 0);
    QVERIFY(!e.hasSelection());
    e.setSelStart(2);
    e.setSelLength(9, true);
    QCOMPARE(e.caret(), 4);
    e.setSelStart(99);
    QCOMPARE(e.caret(), 4);
}

void TestNumberEditEngine::wordNavigation()
{
    const FixedLocaleInfo l = FixedLocaleInfo::germanLike();
    NumberEditEngine e(&l);
    e.settings() = settingsFrom(QStringLiteral("type=1 cur=1 neg=9"));
    e.assignValue(QStringLiteral("-12.5"));
    e.focusIn();
    QCOMPARE(e.shown(), QStringLiteral("-12,5 €"));
    e.end(false);
    e.left(false, true);
    QCOMPARE(e.caret(), 6);
    e.left(false, true);
    QCOMPARE(e.caret(), 0);
    e.right(false, true);
    QCOMPARE(e.caret(), 6);
    e.selectWordAt(2);
    QCOMPARE(e.selectedText(), QStringLiteral("-12,5 "));
}

QTEST_GUILESS_MAIN(TestNumberEditEngine)
#include "tst_numbereditengine.moc"
