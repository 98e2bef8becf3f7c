#pragma once

#include <QRect>

namespace orvel {

// Geometry of the buttons at the right edge of the control: from the edge inwards the
// calculator drop-down (13 pixels), the ellipsis and the spin button split into halves.
struct ButtonStrip
{
    enum Part { None, DropDown, Ellipsis, SpinUp, SpinDown };

    struct Options
    {
        bool dropDown = false;
        bool ellipsis = false;
        int ellipsisWidth = 16;
        bool spin = false;
        int spinWidth = 13;
        bool flatSingleBorder = false;
    };

    static constexpr int DropDownWidth = 13;

    QRect dropDown, ellipsis, spinUp, spinDown;
    QRect strip; // all shown buttons together; empty when none is shown
    int textRight = 0; // the text area ends before this x

    static ButtonStrip layout(const QRect &client, const Options &options);
    Part hit(const QPoint &pos) const;
    QRect rectOf(Part part) const;
};

} // namespace orvel
