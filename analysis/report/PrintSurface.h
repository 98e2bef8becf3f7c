#pragma once

#include <QSizeF>
#include <QString>

namespace ertragon::report {

// The surface the report is drawn on. Positions and sizes are twips
// (the page drawing passes millimetres x 57), colours Windows RGB values
// (255 red, 16711680 blue, 0 black), font sizes points.
//
// Text alignment codes (placement of a text in its box):
//   6  left, vertically centred      (captions, footer)
//   7  centred in both directions    (title, month names, table cells)
//   8  right, vertically centred     (scale labels)
//   11 left, top                     (the default when none is given)
// Pen patterns: 0 solid, 1 dashed, 2 dotted, 3 dash-dotted, 5 invisible. Fill patterns: 0 solid, 1
// transparent.
class PrintSurface
{
public:
    enum PenPatterns {
        PenSolid = 0,
        PenDashed = 1,
        PenDotted = 2,
        PenDashDotted = 3,
        PenInvisible = 5
    };
    enum FillPatterns { FillSolid = 0, FillTransparent = 1 };
    enum Alignments {
        AlignLeftMiddle = 6,
        AlignCentre = 7,
        AlignRightMiddle = 8,
        AlignLeftTop = 11
    };
    enum ZoomModes {
        ZoomPercentage = 0,
        ZoomAllPages = 1,
        ZoomTwoPages = 2,
        ZoomWholePage = 3,
        ZoomPageWidth = 4
    };
    static constexpr int PaperA4 = 9;
    static constexpr int Landscape = 1;
    static constexpr int Portrait = 0;

    virtual ~PrintSurface() = default;

    // page set-up
    virtual void setPaperKind(int kind) = 0;
    virtual int paperKind() const = 0;
    virtual void setPageOrientation(int orientation) = 0;
    virtual int pageOrientation() const = 0;
    virtual void setPreviewMode(bool on) = 0;

    // documents
    virtual void BeginDocument() = 0;
    virtual void EndDocument() = 0;
    virtual void Refresh() = 0;

    // settings for what follows
    virtual void FontFace(const QString &face) = 0;
    virtual void FontPoints(double points) = 0;
    virtual void TextColour(int rgb) = 0;
    virtual void TextAlignment(int code) = 0;
    virtual void TextAngle(int tenthsOfDegree) = 0;
    virtual void PenColour(int rgb) = 0;
    virtual void PenPattern(int pattern) = 0;
    virtual void PenThickness(double twips) = 0;
    virtual void FillColour(int rgb) = 0;
    virtual void FillPattern(int pattern) = 0;

    // The two measurement parameters set before measuring (0 and 50 by the page).
    virtual void setMeasureParameters(double first, double second) = 0;
    // Width and height in twips of a text in the current font.
    virtual QSizeF MeasureText(const QString &text) = 0;

    // drawing
    virtual void TextBlock(const QString &text, double left, double top, double width,
                           double height, bool wrap, bool transparent)
        = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void DrawRectangle(double x1, double y1, double x2, double y2) = 0;
    virtual void DrawCircle(double x, double y, double radius) = 0;

    // preview and printing
    virtual double ZoomPercent() const = 0;
    virtual void setZoomPercent(double percent) = 0;
    virtual int ZoomMode() const = 0;
    virtual void setZoomMode(int mode) = 0;
    virtual int PreviewPage() const = 0;
    virtual void setPreviewPage(int page) = 0;
    virtual int PreviewPages() const = 0;
    virtual int PageCount() const = 0;
    virtual void PrintDocument(bool showDialog) = 0;
};

} // namespace ertragon::report
