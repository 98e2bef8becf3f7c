#include "TextBlockWriter.h"

#include "ChartArea.h"

namespace ertragon::report {

namespace {

QSizeF measureTwice(PrintSurface &surface, const QString &text)
{
    surface.setMeasureParameters(0, 50);
    surface.MeasureText(text);
    surface.setMeasureParameters(0, 50);
    return surface.MeasureText(text);
}

} // namespace

void TextBlockWriter::write(PrintSurface &surface, const QString &text, double left, double top,
                            double width, double height, const TextBlockStyle &style)
{
    surface.TextAlignment(style.alignment);
    surface.FontFace(style.font);
    surface.FontPoints(style.points);
    double widthTwips = ChartArea::twips(width);
    double heightTwips = ChartArea::twips(height);
    if (width == 0)
        widthTwips = measureTwice(surface, text).width();
    if (height == 0)
        heightTwips = measureTwice(surface, text).height();
    surface.TextColour(style.colour);
    surface.PenPattern(style.penPattern);
    surface.PenColour(0);
    surface.PenThickness(style.penThickness == 0 ? 1 : style.penThickness);
    surface.FillColour(0);
    surface.FillPattern(style.fillPattern);
    surface.TextBlock(text, ChartArea::twips(left), ChartArea::twips(top), widthTwips, heightTwips,
                      false, style.transparent);
}

} // namespace ertragon::report
