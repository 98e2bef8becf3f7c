#pragma once

#include <QSizeF>
#include <QString>

namespace ertragon::report {

// Measures a text for the print surface, in twips.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    // An empty text measures 0 x 0.
    virtual QSizeF measure(const QString &text, const QString &face, double points) const = 0;
};

// The measurer of preview, printer, PDF and PNG: the font's own metrics in
// twips, independent of any screen or printer resolution.
class FontTextMeasurer final : public TextMeasurer
{
public:
    QSizeF measure(const QString &text, const QString &face, double points) const override;
};

} // namespace ertragon::report
