#pragma once

#include "PageOperation.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace ertragon::report {

// Paints a recorded page with QPainter. The same code serves the preview,
// the printer, PDF and PNG, so every output shows the same page.
class PageRenderer
{
public:
    // The paper in twips (A4: 297 x 210 mm in landscape).
    static QSizeF pageSizeTwips(int paperKind, int orientation);

    // Paints the page into target (device coordinates), page twips scaled to fit it.
    static void render(QPainter &painter, const PageOperations &page, const QSizeF &pageTwips,
                       const QRectF &target);
};

} // namespace ertragon::report
