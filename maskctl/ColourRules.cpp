#include "ColourRules.h"

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

} // namespace orvel
