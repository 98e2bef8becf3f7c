#include "PageRenderer.h"

#include "PrintSurface.h"
#include "ReportFont_p.h"

#include <QPainter>

namespace ertragon::report {

namespace {

constexpr double TwipsPerMm = 1440.0 / 25.4;

QColor colourOf(double rgb)
{
    const auto v = quint32(qint64(rgb) & 0xFFFFFF);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

Qt::Alignment alignmentOf(int code)
{
    switch (code) {
    case PrintSurface::AlignLeftMiddle:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case PrintSurface::AlignCentre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case PrintSurface::AlignRightMiddle:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

// The settings in force while the operations are replayed.
struct DrawState
{
    QString face = QStringLiteral("Arial");
    double points = 10;
    QColor textColour = Qt::black;
    int alignment = PrintSurface::AlignLeftTop;
    double angle = 0;
    QColor penColour = Qt::black;
    int penPattern = PrintSurface::PenSolid;
    double penThickness = 0;
    QColor fillColour = Qt::black;
    int fillPattern = PrintSurface::FillTransparent;

    QPen pen() const
    {
        if (penPattern == PrintSurface::PenInvisible)
            return Qt::NoPen;
        // Thin pens (up to two twips) are hairlines on every device.
        QPen p(penColour, penThickness <= 2 ? 0 : penThickness);
        p.setStyle(lineStyle());
        p.setCapStyle(Qt::RoundCap);
        p.setJoinStyle(Qt::RoundJoin);
        return p;
    }
    Qt::PenStyle lineStyle() const
    {
        switch (penPattern) {
        case PrintSurface::PenDashed:
            return Qt::DashLine;
        case PrintSurface::PenDotted:
            return Qt::DotLine;
        case PrintSurface::PenDashDotted:
            return Qt::DashDotLine;
        default:
            return Qt::SolidLine;
        }
    }
    QBrush brush() const
    {
        return fillPattern == PrintSurface::FillSolid ? QBrush(fillColour) : QBrush(Qt::NoBrush);
    }
};

void applySetting(DrawState &state, const PageOperation &op)
{
    using K = PageOperation::Kind;
    const double v = op.args[0];
    switch (op.kind) {
    case K::FontFace:
        state.face = op.text;
        break;
    case K::FontPoints:
        state.points = v > 0 ? v : state.points;
        break;
    case K::TextColour:
        state.textColour = colourOf(v);
        break;
    case K::TextAlignment:
        state.alignment = int(v);
        break;
    case K::TextAngle:
        state.angle = v / 10;
        break;
    case K::PenColour:
        state.penColour = colourOf(v);
        break;
    case K::PenPattern:
        state.penPattern = int(v);
        break;
    case K::PenThickness:
        state.penThickness = qMax(0.0, v);
        break;
    case K::FillColour:
        state.fillColour = colourOf(v);
        break;
    case K::FillPattern:
        state.fillPattern = int(v);
        break;
    default:
        break;
    }
}

// A text box: rotated about its top-left corner, a white background unless
// transparent, a border with the pen unless the pen is invisible, the text
// placed by the alignment code. Fill settings apply to shapes only.
void drawTextBlock(QPainter &painter, const DrawState &state, const PageOperation &op)
{
    const double width = op.args[2];
    const double height = op.args[3];
    if (width <= 0 || height <= 0)
        return;
    painter.save();
    painter.translate(op.args[0], op.args[1]);
    if (state.angle != 0)
        painter.rotate(-state.angle);
    const QRectF box(0, 0, width, height);
    if (!op.transparent)
        painter.fillRect(box, Qt::white);
    if (state.penPattern != PrintSurface::PenInvisible) {
        painter.setPen(state.pen());
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
    painter.setFont(reportFont(state.face, state.points));
    painter.setPen(state.textColour);
    const Qt::Alignment alignment = alignmentOf(state.alignment);
    QRectF textBox = box;
    if (!(alignment & Qt::AlignHCenter))
        textBox.adjust(TextPaddingTwips, 0, -TextPaddingTwips, 0);
    int flags = int(alignment) | Qt::TextDontClip;
    if (op.wrap)
        flags |= Qt::TextWordWrap;
    painter.drawText(textBox, flags, op.text);
    painter.restore();
}

void drawShape(QPainter &painter, const DrawState &state, const PageOperation &op)
{
    using K = PageOperation::Kind;
    const auto &a = op.args;
    painter.setPen(state.pen());
    switch (op.kind) {
    case K::DrawLine:
        painter.drawLine(QPointF(a[0], a[1]), QPointF(a[2], a[3]));
        break;
    case K::DrawRectangle:
        painter.setBrush(state.brush());
        painter.drawRect(QRectF(QPointF(a[0], a[1]), QPointF(a[2], a[3])).normalized());
        break;
    case K::DrawCircle:
        painter.setBrush(state.brush());
        painter.drawEllipse(QPointF(a[0], a[1]), a[2], a[2]);
        break;
    default:
        break;
    }
}

} // namespace

QSizeF PageRenderer::pageSizeTwips(int /*paperKind*/, int orientation)
{
    // The report knows one paper, A4; other kinds are shown on A4 as well.
    const QSizeF portrait = QSizeF(210, 297) * TwipsPerMm;
    return orientation == PrintSurface::Landscape ? portrait.transposed() : portrait;
}

void PageRenderer::render(QPainter &painter, const PageOperations &page, const QSizeF &pageTwips,
                          const QRectF &target)
{
    if (pageTwips.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / pageTwips.width(), target.height() / pageTwips.height());
    painter.fillRect(QRectF(QPointF(0, 0), pageTwips), Qt::white);
    DrawState state;
    for (const PageOperation &op : page) {
        switch (op.kind) {
        case PageOperation::Kind::TextBlock:
            drawTextBlock(painter, state, op);
            break;
        case PageOperation::Kind::DrawLine:
        case PageOperation::Kind::DrawRectangle:
        case PageOperation::Kind::DrawCircle:
            drawShape(painter, state, op);
            break;
        default:
            applySetting(state, op);
            break;
        }
    }
    painter.restore();
}

} // namespace ertragon::report
