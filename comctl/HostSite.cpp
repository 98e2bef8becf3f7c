#include "HostSite.h"

#include "ComControl.h"

#include <QApplication>
#include <QElapsedTimer>

namespace comctl {

HostSite::~HostSite() = default;

double HostSite::pixelsToContainer(double pixels) const
{
    const QString units = scaleUnits();
    if (units.compare(QLatin1String("Pixel"), Qt::CaseInsensitive) == 0)
        return pixels;
    if (units.compare(QLatin1String("Point"), Qt::CaseInsensitive) == 0)
        return pixels * twipsPerPixel() / 20.0;
    return pixels * twipsPerPixel();
}

double HostSite::containerToPixels(double units) const
{
    const double onePixel = pixelsToContainer(1.0);
    return onePixel == 0.0 ? units : units / onePixel;
}

double HostSite::twipsToContainer(double twips) const
{
    return pixelsToContainer(twips / twipsPerPixel());
}

QString HostSite::extenderName(const ComControl *control) const
{
    return control ? control->objectName() : QString();
}

void HostSite::propertyChanged(ComControl *, const QString &) { }

QList<QWidget *> HostSite::formControls(const ComControl *control) const
{
    QList<QWidget *> result;
    if (!control || !control->parentWidget())
        return result;
    for (QObject *child : control->parentWidget()->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && widget != control && !widget->isWindow())
            result.append(widget);
    }
    return result;
}

std::optional<QString> HostSite::formatValue(const QVariant &, const QString &) const
{
    return std::nullopt;
}

void HostSite::beep()
{
    QApplication::beep();
}

qint64 HostSite::tickCount() const
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

} // namespace comctl
