#pragma once

#include <QtGlobal>

namespace orvel {

// OLE colour values: 0x00bbggrr, or 0x800000nn for system colour nn.
constexpr quint32 IgnoreColor = 0x1000001; // ovIgnoreColorProperty
constexpr quint32 SysGrayText = 0x80000011;

// The state a colour choice depends on, and the optional colours by role.
struct ColourState
{
    bool enabled = true;
    bool locked = false;
    bool focused = false;
    bool maskError = false;
    bool nullShown = false;
    bool negative = false;
};

struct ColourSet
{
    quint32 fore = 0x80000008;
    quint32 back = 0x80000005;
    quint32 readOnlyFore = IgnoreColor, readOnlyBack = 0x8000000F;
    quint32 focusFore = IgnoreColor, focusBack = IgnoreColor;
    quint32 maskErrorFore = 255, maskErrorBack = IgnoreColor;
    quint32 nullFore = IgnoreColor, nullBack = IgnoreColor;
    quint32 negFore = IgnoreColor, negBack = IgnoreColor;
};

// First rule that applies and whose colour is set decides text and background colour.
class ColourRules
{
public:
    static quint32 textColour(const ColourState &state, const ColourSet &colours);
    static quint32 backColour(const ColourState &state, const ColourSet &colours);
};

} // namespace orvel
