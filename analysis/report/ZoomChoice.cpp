#include "ZoomChoice.h"

#include "PrintSurface.h"

#include <cmath>

namespace ertragon::report {

QStringList ZoomChoice::zoomTexts()
{
    return { QStringLiteral("Ganze Seite"), QStringLiteral("Seitenbreite"),
             QStringLiteral("Zwei Seiten"), QStringLiteral("Alle Seiten"),
             QStringLiteral("25%"),         QStringLiteral("50%"),
             QStringLiteral("100%"),        QStringLiteral("150%"),
             QStringLiteral("200%"),        QStringLiteral("400%") };
}

double ZoomChoice::GetVal(const QString &text)
{
    QString t = text;
    const qsizetype percent = t.indexOf(QLatin1Char('%'));
    if (percent >= 0)
        t.truncate(percent);
    qsizetype i = 0;
    while (i < t.size() && (t[i] == QLatin1Char(' ') || t[i] == QLatin1Char('\t')))
        ++i;
    QString number;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        number += t[i++];
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar ch = t[i];
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            number += ch;
        else if (ch == QLatin1Char('.') && !point) {
            point = true;
            number += ch;
        } else
            break;
    }
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

bool ZoomChoice::apply(const QString &text, PrintSurface &surface)
{
    const double n = GetVal(text);
    if (n > 0) {
        surface.setZoomPercent(n);
        return true;
    }
    const QString lower = text.toLower();
    if (lower.contains(QStringLiteral("seitenbreite")))
        surface.setZoomMode(PrintSurface::ZoomPageWidth);
    else if (lower.contains(QStringLiteral("ganze seite")))
        surface.setZoomMode(PrintSurface::ZoomWholePage);
    else if (lower.contains(QStringLiteral("zwei seiten")))
        surface.setZoomMode(PrintSurface::ZoomTwoPages);
    else if (lower.contains(QStringLiteral("alle seiten")))
        surface.setZoomMode(PrintSurface::ZoomAllPages);
    else
        return false;
    return true;
}

ZoomChoice::ComboState ZoomChoice::comboStateFor(const PrintSurface &surface)
{
    switch (surface.ZoomMode()) {
    case PrintSurface::ZoomAllPages:
        return { 3, zoomTexts()[3] };
    case PrintSurface::ZoomTwoPages:
        return { 2, zoomTexts()[2] };
    case PrintSurface::ZoomWholePage:
        return { 0, zoomTexts()[0] };
    case PrintSurface::ZoomPageWidth:
        return { 1, zoomTexts()[1] };
    default:
        return { -1, QString::number(qRound64(surface.ZoomPercent())) + QLatin1Char('%') };
    }
}

QString ZoomChoice::pageLabel(int previewPage, int previewPages, int pageCount)
{
    if (previewPages == 1)
        return QStringLiteral("Seite %1 von %2").arg(previewPage).arg(pageCount);
    return QStringLiteral("Seiten %1 - %2 von %3")
        .arg(previewPage)
        .arg(previewPage + previewPages - 1)
        .arg(pageCount);
}

ZoomChoice::ScrollState ZoomChoice::scrollStateFor(const PrintSurface &surface)
{
    ScrollState state;
    state.value = surface.PreviewPage();
    state.largeChange = surface.PreviewPages();
    state.minimum = 1;
    state.maximum = qMax(1, surface.PageCount() - surface.PreviewPages() + 1);
    return state;
}

} // namespace ertragon::report
