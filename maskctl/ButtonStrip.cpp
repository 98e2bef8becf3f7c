#include "ButtonStrip.h"

namespace orvel {

ButtonStrip ButtonStrip::layout(const QRect &client, const Options &o)
{
    ButtonStrip s;
    const bool any = o.dropDown || o.ellipsis || o.spin;
    QRect area = client;
    if (any && o.flatSingleBorder)
        area.adjust(1, 0, 1, 1);
    int right = area.right() + 1;
    const auto take = [&](int width) {
        const int w = qMax(0, width);
        const QRect r(right - w, area.top(), w, area.height());
        right -= w;
        return r;
    };
    if (o.dropDown)
        s.dropDown = take(DropDownWidth);
    if (o.ellipsis)
        s.ellipsis = take(o.ellipsisWidth);
    if (o.spin) {
        const QRect spin = take(o.spinWidth);
        const int half = spin.height() / 2;
        s.spinUp = QRect(spin.left(), spin.top(), spin.width(), half);
        s.spinDown = QRect(spin.left(), spin.top() + half, spin.width(), spin.height() - half);
    }
    if (any)
        s.strip = QRect(QPoint(right, area.top()), QPoint(area.right(), area.bottom()));
    s.textRight = any ? right : client.right() + 1;
    return s;
}

ButtonStrip::Part ButtonStrip::hit(const QPoint &pos) const
{
    for (Part part : { DropDown, Ellipsis, SpinUp, SpinDown }) {
        if (rectOf(part).contains(pos))
            return part;
    }
    return None;
}

QRect ButtonStrip::rectOf(Part part) const
{
    switch (part) {
    case DropDown:
        return dropDown;
    case Ellipsis:
        return ellipsis;
    case SpinUp:
        return spinUp;
    case SpinDown:
        return spinDown;
    default:
        return {};
    }
}

} // namespace orvel
