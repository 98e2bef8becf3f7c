#include "ColourRules.h"

#include <QColor>
#include <QPalette>

namespace orvel {

namespace {

bool isSet(quint32 c)
{
    return c != IgnoreColor;
}

} // namespace

quint32 ColourRules::textColour(const ColourState &s, const ColourSet &c)
{
    if (!s.enabled)
        return SysGrayText;
    if (s.locked && isSet(c.readOnlyFore))
        return c.readOnlyFore;
    if (s.focused && isSet(c.focusFore))
        return c.focusFore;
    if (!s.focused && s.maskError && isSet(c.maskErrorFore))
        return c.maskErrorFore;
    if (s.nullShown && isSet(c.nullFore))
        return c.nullFore;
    if (s.negative && isSet(c.negFore))
        return c.negFore;
    return c.fore;
}

quint32 ColourRules::backColour(const ColourState &s, const ColourSet &c)
{
    if (s.locked && isSet(c.readOnlyBack))
        return c.readOnlyBack;
    if (s.focused && isSet(c.focusBack))
        return c.focusBack;
    if (!s.focused && s.maskError && isSet(c.maskErrorBack))
        return c.maskErrorBack;
    if (s.nullShown && isSet(c.nullBack))
        return c.nullBack;
    if (s.negative && isSet(c.negBack))
        return c.negBack;
    return c.back;
}

QColor ColourRules::toQColor(quint32 ole, const QPalette &pal)
{
    if ((ole & 0x80000000u) == 0)
        return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
    switch (ole & 0xFF) {
    case 5: // window
        return pal.color(QPalette::Active, QPalette::Base);
    case 8: // window text
        return pal.color(QPalette::Active, QPalette::Text);
    case 13: // highlight
        return pal.color(QPalette::Active, QPalette::Highlight);
    case 14: // highlight text
        return pal.color(QPalette::Active, QPalette::HighlightedText);
    case 15: // button face
        return pal.color(QPalette::Active, QPalette::Button);
    case 16: // button shadow
        return pal.color(QPalette::Active, QPalette::Dark);
    case 17: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return pal.color(QPalette::Active, QPalette::ButtonText);
    case 20: // button highlight
        return pal.color(QPalette::Active, QPalette::Light);
    case 23: // tooltip text
        return pal.color(QPalette::Active, QPalette::ToolTipText);
    case 24: // tooltip back
        return pal.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return pal.color(QPalette::Active, QPalette::WindowText);
    }
}

} // namespace orvel
