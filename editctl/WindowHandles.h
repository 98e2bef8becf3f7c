#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace inkora {

// Window handles: small numbers that stand for widgets, so that a component can be told
// "the text box with handle n" like a platform window handle. Handles are never reused;
// a destroyed widget's handle resolves to nullptr.
class WindowHandles
{
public:
    static qint32 handleOf(QWidget *widget);
    static QWidget *widget(qint32 handle);
};

} // namespace inkora
