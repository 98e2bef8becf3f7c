#include "TextMeasurer.h"

#include "ReportFont_p.h"

#include <QFontMetricsF>

namespace ertragon::report {

QSizeF FontTextMeasurer::measure(const QString &text, const QString &face, double points) const
{
    if (text.isEmpty())
        return { 0, 0 };
    const QFontMetricsF metrics(reportFont(face, points));
    return { metrics.horizontalAdvance(text) + 2 * TextPaddingTwips, metrics.height() };
}

} // namespace ertragon::report
