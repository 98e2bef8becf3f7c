#pragma once

#include <QPoint>
#include <QtCore/qnamespace.h>

class QWidget;

// Mouse input as the window system delivers it: the events go to the window under the
// pointer, so Qt gives the focus on a click, tracks the held buttons, grabs the mouse for
// the pressed widget and makes a double click of two quick presses. The pointer moves too.
class MouseInput
{
public:
    enum class Action { Press, Release, Click, DoubleClick, Move };

    // point is in the coordinates of target; false when target has no shown window.
    static bool send(Action action, QWidget *target, QPoint point, Qt::MouseButton button,
                     Qt::KeyboardModifiers modifiers);
};
