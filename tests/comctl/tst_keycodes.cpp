#include "comctl/KeyCodes.h"

#include <QKeyEvent>
#include <QTest>

using namespace comctl;

// Key events carry Windows virtual-key numbers to hosts; both control libraries share
// this table, so keypad keys, punctuation and keys without a number must come out right.
class TestKeyCodes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void virtualKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("code");
        QTest::newRow("letter") << int(Qt::Key_Q) << false << 81;
        QTest::newRow("digit") << int(Qt::Key_7) << false << 55;
        QTest::newRow("keypad digit") << int(Qt::Key_7) << true << 103;
        QTest::newRow("plus") << int(Qt::Key_Plus) << false << 187;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << true << 107;
        QTest::newRow("keypad minus") << int(Qt::Key_Minus) << true << 109;
        QTest::newRow("comma") << int(Qt::Key_Comma) << false << 188;
        QTest::newRow("keypad decimal") << int(Qt::Key_Comma) << true << 110;
        QTest::newRow("F4") << int(Qt::Key_F4) << false << 115;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << false << 34;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << true << 13;
        QTest::newRow("umlaut") << int(Qt::Key_Adiaeresis) << false << 222;
        QTest::newRow("asterisk") << int(Qt::Key_Asterisk) << false << 42;
        QTest::newRow("key without a number") << int(Qt::Key_Meta) << false << 0;
        QTest::newRow("media key") << int(Qt::Key_VolumeUp) << false << 0;
    }
    void virtualKey()
    {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(int(KeyCodes::virtualKey(&event)), code);
    }

    void character_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << "a" << 97;
        QTest::newRow("umlaut") << int(Qt::Key_Adiaeresis) << int(Qt::ShiftModifier) << "Ä" << 196;
        QTest::newRow("backspace without text") << int(Qt::Key_Backspace) << 0 << "" << 8;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "" << 13;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << int(Qt::ControlModifier) << "" << 3;
        QTest::newRow("delete has none") << int(Qt::Key_Delete) << 0 << "\x7f" << 0;
        QTest::newRow("escape has none") << int(Qt::Key_Escape) << 0 << "\x1b" << 0;
        QTest::newRow("F4 has none") << int(Qt::Key_F4) << 0 << "" << 0;
    }
    void character()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(KeyCodes::character(&event), code);
    }

    void shiftState_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("state");
        QTest::newRow("none") << int(Qt::NoModifier) << 0;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << 1;
        QTest::newRow("ctrl alt") << int(Qt::ControlModifier | Qt::AltModifier) << 6;
        QTest::newRow("keypad only") << int(Qt::KeypadModifier) << 0;
    }
    void shiftState()
    {
        QFETCH(int, modifiers);
        QFETCH(int, state);
        QCOMPARE(int(KeyCodes::shiftState(Qt::KeyboardModifiers(modifiers))), state);
    }
};

QTEST_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
