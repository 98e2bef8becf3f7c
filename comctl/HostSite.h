#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class QWidget;

namespace comctl {

class ComControl;

// What a control may ask of the form that hosts it: the ambient properties (user mode, font,
// scale units), the extender name of the control, property-changed notification, the form's
// other controls, the beep and an optional format service. Hosts derive and override what
// they offer; the defaults describe a plain run-mode form measured in twips.
class HostSite
{
public:
    virtual ~HostSite();

    // Ambient user mode: true at run time, false at design time.
    virtual bool userMode() const { return m_userMode; }
    void setUserMode(bool runMode) { m_userMode = runMode; }

    virtual QFont ambientFont() const { return m_ambientFont; }
    void setAmbientFont(const QFont &font) { m_ambientFont = font; }

    // Ambient scale units of the container: "Twip" (default), "Pixel", "Point", ...
    virtual QString scaleUnits() const { return m_scaleUnits; }
    void setScaleUnits(const QString &units) { m_scaleUnits = units; }

    // Twips per screen pixel (15 on a 96 dpi screen).
    virtual double twipsPerPixel() const { return 15.0; }
    // Converts between pixels and the container's scale units.
    double pixelsToContainer(double pixels) const;
    double containerToPixels(double units) const;
    double twipsToContainer(double twips) const;

    // The name the host gave the control instance; default: its object name.
    virtual QString extenderName(const ComControl *control) const;

    // A property of the control changed (design tools refresh, the form becomes dirty).
    virtual void propertyChanged(ComControl *control, const QString &propertyName);

    // The other controls on the host form (widgets, in creation order); default: the
    // siblings of the control under the same parent.
    virtual QList<QWidget *> formControls(const ComControl *control) const;

    // The host's format service; nullopt when the host offers none.
    virtual std::optional<QString> formatValue(const QVariant &value, const QString &picture) const;

    // Audible signal for refused input; default QApplication::beep().
    virtual void beep();

    // Milliseconds of a steady clock, the system's tick count, for controls that time what
    // the user holds (auto-repeat). A host that scripts the time answers with its own.
    virtual qint64 tickCount() const;

    // True when no user sits at the host (scripts, batch runs): controls must not open modal
    // dialogs and take their default answer instead.
    virtual bool unattended() const { return m_unattended; }
    void setUnattended(bool unattended) { m_unattended = unattended; }

private:
    bool m_userMode = true;
    bool m_unattended = false;
    QFont m_ambientFont;
    QString m_scaleUnits = QStringLiteral("Twip");
};

} // namespace comctl
