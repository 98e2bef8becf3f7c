#pragma once

#include <QFont>
#include <QString>

namespace ertragon::report {

// Horizontal room between a text box's border and a left- or right-aligned text.
constexpr double TextPaddingTwips = 40;

// The font for a face and size in a coordinate system of twips: one point is
// twenty twips. Hinting is off so measuring and painting agree on every device.
inline QFont reportFont(const QString &face, double points)
{
    QFont font(face.isEmpty() ? QStringLiteral("Arial") : face);
    font.setPixelSize(qMax(1, qRound(points * 20)));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace ertragon::report
