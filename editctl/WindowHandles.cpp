#include "WindowHandles.h"

namespace inkora {

namespace {

struct Registry
{
    QHash<qint32, QPointer<QWidget>> widgets;
    qint32 next = 0x100;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

qint32 WindowHandles::handleOf(QWidget *widget)
{
    if (!widget)
        return 0;
    Registry &r = registry();
    for (auto it = r.widgets.constBegin(); it != r.widgets.constEnd(); ++it) {
        if (it.value() == widget)
            return it.key();
    }
    const qint32 handle = r.next++;
    r.widgets.insert(handle, widget);
    return handle;
}

QWidget *WindowHandles::widget(qint32 handle)
{
    return registry().widgets.value(handle).data();
}

} // namespace inkora
