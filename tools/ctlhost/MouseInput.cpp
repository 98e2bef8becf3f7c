#include "MouseInput.h"

#include <QCursor>
#include <QTest>
#include <QWidget>
#include <QWindow>

bool MouseInput::send(Action action, QWidget *target, QPoint point, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers)
{
    QWidget *top = target ? target->window() : nullptr;
    QWindow *window = top && top->isVisible() ? top->windowHandle() : nullptr;
    if (!window)
        return false;
    QCursor::setPos(target->mapToGlobal(point));
    const QPoint at = target->mapTo(top, point);
    // In the order of Action.
    static constexpr QTest::MouseAction actions[]
        = { QTest::MousePress, QTest::MouseRelease, QTest::MouseClick, QTest::MouseDClick,
            QTest::MouseMove };
    if (action == Action::Move)
        QTest::mouseEvent(QTest::MouseMove, window, Qt::NoButton, {}, at);
    else
        QTest::mouseEvent(actions[int(action)], window, button, modifiers, at);
    return true;
}
