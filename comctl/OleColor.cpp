#include "OleColor.h"

#include <QColor>
#include <QPalette>

namespace comctl {

namespace {

struct SystemColour
{
    quint8 index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr SystemColour systemColours[] = {
    { 5, QPalette::Active, QPalette::Base }, // window
    { 8, QPalette::Active, QPalette::Text }, // window text
    { 13, QPalette::Active, QPalette::Highlight },
    { 14, QPalette::Active, QPalette::HighlightedText },
    { 15, QPalette::Active, QPalette::Button }, // button face
    { 16, QPalette::Active, QPalette::Dark }, // button shadow
    { 17, QPalette::Disabled, QPalette::Text }, // grey text
    { 18, QPalette::Active, QPalette::ButtonText },
    { 20, QPalette::Active, QPalette::Light }, // button highlight
    { 23, QPalette::Active, QPalette::ToolTipText },
    { 24, QPalette::Active, QPalette::ToolTipBase },
};

} // namespace

QColor OleColor::toQColor(quint32 ole, const QPalette &palette)
{
    if (!isSystemColour(ole))
        return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
    for (const SystemColour &system : systemColours) {
        if (system.index == (ole & 0xFF))
            return palette.color(system.group, system.role);
    }
    return palette.color(QPalette::Active, QPalette::WindowText);
}

quint32 OleColor::fromQColor(const QColor &colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

} // namespace comctl
