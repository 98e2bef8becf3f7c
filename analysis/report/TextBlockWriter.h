#pragma once

#include "PrintSurface.h"

#include <QString>

namespace ertragon::report {

// How a text block looks; the defaults are those of a plain page text.
struct TextBlockStyle
{
    double points = 10;
    QString font = QStringLiteral("Arial");
    int colour = 0;
    bool transparent = false;
    int alignment = PrintSurface::AlignLeftTop;
    double penThickness = 1;
    int fillPattern = PrintSurface::FillTransparent;
    int penPattern = PrintSurface::PenInvisible;
};

// Every text of the report goes through here: sets the text, pen and fill
// settings on the surface and writes one text block. Positions and sizes are
// millimetres; a width or height of 0 is measured.
class TextBlockWriter
{
public:
    static void write(PrintSurface &surface, const QString &text, double left, double top,
                      double width, double height, const TextBlockStyle &style);
};

} // namespace ertragon::report
