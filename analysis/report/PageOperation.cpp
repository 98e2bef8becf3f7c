#include "PageOperation.h"

#include <QJsonValue>

namespace ertragon::report {

namespace {

struct KindInfo
{
    PageOperation::Kind kind;
    const char *name;
    std::array<const char *, 4> argNames;
    int argCount;
};

const std::array<KindInfo, 14> &kindTable()
{
    using K = PageOperation::Kind;
    static const std::array<KindInfo, 14> table = { {
        { K::FontFace, "FontFace", {}, 0 },
        { K::FontPoints, "FontPoints", { "points" }, 1 },
        { K::TextColour, "TextColour", { "rgb" }, 1 },
        { K::TextAlignment, "TextAlignment", { "code" }, 1 },
        { K::TextAngle, "TextAngle", { "angle" }, 1 },
        { K::PenColour, "PenColour", { "rgb" }, 1 },
        { K::PenPattern, "PenPattern", { "pattern" }, 1 },
        { K::PenThickness, "PenThickness", { "twips" }, 1 },
        { K::FillColour, "FillColour", { "rgb" }, 1 },
        { K::FillPattern, "FillPattern", { "pattern" }, 1 },
        { K::TextBlock, "TextBlock", { "left", "top", "width", "height" }, 4 },
        { K::DrawLine, "DrawLine", { "x1", "y1", "x2", "y2" }, 4 },
        { K::DrawRectangle, "DrawRectangle", { "x1", "y1", "x2", "y2" }, 4 },
        { K::DrawCircle, "DrawCircle", { "x", "y", "radius" }, 3 },
    } };
    return table;
}

const KindInfo &infoOf(PageOperation::Kind kind)
{
    return kindTable()[size_t(kind)];
}

QString numberText(double v)
{
    return QString::number(v, 'g', 12);
}

} // namespace

PageOperation PageOperation::setting(Kind kind, double value)
{
    PageOperation op;
    op.kind = kind;
    op.args[0] = value;
    return op;
}

PageOperation PageOperation::fontFace(const QString &face)
{
    PageOperation op;
    op.kind = Kind::FontFace;
    op.text = face;
    return op;
}

PageOperation PageOperation::textBlock(const QString &text, double left, double top, double width,
                                       double height, bool wrap, bool transparent)
{
    PageOperation op;
    op.kind = Kind::TextBlock;
    op.text = text;
    op.args = { left, top, width, height };
    op.wrap = wrap;
    op.transparent = transparent;
    return op;
}

PageOperation PageOperation::shape(Kind kind, double a, double b, double c, double d)
{
    PageOperation op;
    op.kind = kind;
    op.args = { a, b, c, d };
    return op;
}

QString PageOperation::name() const
{
    return QString::fromLatin1(infoOf(kind).name);
}

QJsonObject PageOperation::toJson() const
{
    const KindInfo &info = infoOf(kind);
    QJsonObject object;
    object.insert(QStringLiteral("op"), name());
    if (kind == Kind::FontFace)
        object.insert(QStringLiteral("face"), text);
    if (kind == Kind::TextBlock)
        object.insert(QStringLiteral("text"), text);
    for (int i = 0; i < info.argCount; ++i)
        object.insert(QString::fromLatin1(info.argNames[size_t(i)]), args[size_t(i)]);
    if (kind == Kind::TextBlock) {
        object.insert(QStringLiteral("wrap"), wrap);
        object.insert(QStringLiteral("transparent"), transparent);
    }
    return object;
}

std::optional<PageOperation> PageOperation::fromJson(const QJsonObject &object)
{
    const QString opName = object.value(QStringLiteral("op")).toString();
    for (const KindInfo &info : kindTable()) {
        if (opName != QLatin1String(info.name))
            continue;
        PageOperation op;
        op.kind = info.kind;
        op.text = object
                      .value(info.kind == Kind::FontFace ? QStringLiteral("face")
                                                         : QStringLiteral("text"))
                      .toString();
        for (int i = 0; i < info.argCount; ++i) {
            const QJsonValue v = object.value(QString::fromLatin1(info.argNames[size_t(i)]));
            if (!v.isDouble())
                return std::nullopt;
            op.args[size_t(i)] = v.toDouble();
        }
        op.wrap = object.value(QStringLiteral("wrap")).toBool();
        op.transparent = object.value(QStringLiteral("transparent")).toBool();
        return op;
    }
    return std::nullopt;
}

QString PageOperation::toLine() const
{
    const KindInfo &info = infoOf(kind);
    QString line = name();
    if (kind == Kind::FontFace || kind == Kind::TextBlock)
        line += QStringLiteral(" \"") + text + QLatin1Char('"');
    for (int i = 0; i < info.argCount; ++i)
        line += QLatin1Char(' ') + numberText(args[size_t(i)]);
    if (kind == Kind::TextBlock)
        line += transparent ? QStringLiteral(" transparent") : QStringLiteral(" opaque");
    return line;
}

} // namespace ertragon::report
