#include "KeyCodes.h"

#include <QKeyEvent>

namespace comctl::KeyCodes {

namespace {

qint16 keypadKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return qint16(96 + key - Qt::Key_0); // VK_NUMPAD0..9
    switch (key) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

qint16 namedKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Udiaeresis:
        return 186;
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Odiaeresis:
        return 192;
    case Qt::Key_ssharp:
        return 219;
    case Qt::Key_Adiaeresis:
        return 222;
    default:
        return 0;
    }
}

} // namespace

qint16 virtualKey(const QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() & Qt::KeypadModifier) {
        if (const qint16 code = keypadKey(key))
            return code;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return qint16(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return qint16(112 + key - Qt::Key_F1);
    if (const qint16 code = namedKey(key))
        return code;
    // Other printable Latin-1 keys keep their code; Qt's special keys have none.
    return key < 256 ? qint16(key) : qint16(0);
}

int character(const QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Backspace)
        return 8;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() != 127)
        return text[0].unicode();
    return 0;
}

qint16 shiftState(Qt::KeyboardModifiers modifiers)
{
    return qint16(((modifiers & Qt::ShiftModifier) ? 1 : 0)
                  | ((modifiers & Qt::ControlModifier) ? 2 : 0)
                  | ((modifiers & Qt::AltModifier) ? 4 : 0));
}

} // namespace comctl::KeyCodes
