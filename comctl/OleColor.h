#pragma once

#include <QtGlobal>

class QColor;
class QPalette;

namespace comctl {

// OLE_COLOR values: 0x00bbggrr for a colour of its own, 0x800000nn for system colour nn.
class OleColor
{
public:
    static constexpr quint32 SystemFlag = 0x80000000u;

    static bool isSystemColour(quint32 ole) { return (ole & SystemFlag) != 0; }
    // A system colour is read from the palette (grey text from its disabled group, the rest
    // from the active one); an index without a palette role gives the window text colour.
    static QColor toQColor(quint32 ole, const QPalette &palette);
    // The colour's own value, never a system colour.
    static quint32 fromQColor(const QColor &colour);
};

} // namespace comctl
