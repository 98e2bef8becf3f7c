#pragma once

#include <QtCore/qnamespace.h>
#include <QtGlobal>

class QKeyEvent;

namespace comctl {

// The key codes and shift states that control events carry: Windows virtual-key numbers
// (VK_BACK 8, VK_RETURN 13, VK_LEFT 37, VK_F4 115, VK_ADD 107, ...) and the shift mask
// 1 Shift, 2 Ctrl, 4 Alt, so hosts written for those numbers keep working.
namespace KeyCodes {

// The virtual-key number of a key event; 0 for keys without one.
qint16 virtualKey(const QKeyEvent *event);
// The character code a key delivers after its key-down (the KeyPress code): 8 Backspace,
// 13 Enter, 1-26 for Ctrl with a letter, else the printable character; 0 for none.
int character(const QKeyEvent *event);
qint16 shiftState(Qt::KeyboardModifiers modifiers);

} // namespace KeyCodes

} // namespace comctl
