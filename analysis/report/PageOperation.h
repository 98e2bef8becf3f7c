#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace ertragon::report {

// One recorded call on the print surface: a setting or a drawing, in twips.
struct PageOperation
{
    enum class Kind {
        FontFace,
        FontPoints,
        TextColour,
        TextAlignment,
        TextAngle,
        PenColour,
        PenPattern,
        PenThickness,
        FillColour,
        FillPattern,
        TextBlock,
        DrawLine,
        DrawRectangle,
        DrawCircle,
    };

    Kind kind = Kind::DrawLine;
    QString text; // FontFace, TextBlock
    std::array<double, 4> args {}; // numbers in the order of the surface call
    bool wrap = false; // TextBlock
    bool transparent = false; // TextBlock

    static PageOperation setting(Kind kind, double value);
    static PageOperation fontFace(const QString &face);
    static PageOperation textBlock(const QString &text, double left, double top, double width,
                                   double height, bool wrap, bool transparent);
    static PageOperation shape(Kind kind, double a, double b, double c, double d = 0);

    QString name() const;
    // {"op": name, ...arguments by name}
    QJsonObject toJson() const;
    static std::optional<PageOperation> fromJson(const QJsonObject &object);
    // One line for golden files: the name and the arguments, blank-separated.
    QString toLine() const;

    bool operator==(const PageOperation &other) const = default;
};

using PageOperations = QList<PageOperation>;

// The recorded pages of one document.
struct PageDocument
{
    QList<PageOperations> pages;

    int pageCount() const { return int(pages.size()); }
};

} // namespace ertragon::report
