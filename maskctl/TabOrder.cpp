#include "TabOrder.h"

#include <QVariant>
#include <QWidget>

namespace orvel {

QWidget *nextInTabOrder(QWidget *from, const QList<QWidget *> &controls)
{
    QWidget *form = from->window();
    QList<QWidget *> chain;
    for (QWidget *w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain())
        chain.append(w);
    const auto tabIndex = [&](QWidget *w) {
        const QVariant explicitIndex = w->property("TabIndex");
        return explicitIndex.isValid() ? explicitIndex.toInt() : int(chain.indexOf(w));
    };
    const int own = tabIndex(from);
    QWidget *next = nullptr, *first = nullptr;
    for (QWidget *w : controls) {
        // A control that hands its focus to an inner box (a text box control) tabs by that.
        const QWidget *focusTaker = w->focusProxy() ? w->focusProxy() : w;
        if (w == from || !w->isVisible() || !w->isEnabled()
            || !(focusTaker->focusPolicy() & Qt::TabFocus))
            continue;
        const int index = tabIndex(w);
        if (index < 0)
            continue;
        if (index > own && (!next || index < tabIndex(next)))
            next = w;
        if (!first || index < tabIndex(first))
            first = w;
    }
    return next ? next : first;
}

} // namespace orvel
