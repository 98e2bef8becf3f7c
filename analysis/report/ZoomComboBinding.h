#pragma once

#include <QObject>
#include <QPointer>

class QComboBox;

namespace ertragon::report {

class PreviewSurface;

// The main window's zoom combo cmbZoom beside the preview: a list pick sets
// the zoom; the surface's notifications synchronise it, and a new layout the
// surface asks for is passed on as redrawWanted.
class ZoomComboBinding : public QObject
{
    Q_OBJECT
public:
    ZoomComboBinding(QComboBox *combo, PreviewSurface *surface, QObject *parent = nullptr);

    // Fills a combo with the zoom list, tooltip and initial text; editable.
    static void setUpCombo(QComboBox *combo);

    bool syncBusy() const { return m_syncBusy; }

Q_SIGNALS:
    // The surface asks for the page in a new layout (Zeichnen).
    void redrawWanted();

public Q_SLOTS:
    // The combo's click: the zoom choice for the combo's text.
    void chooseZoom();
    void Synchronize();

private:
    QPointer<QComboBox> m_combo;
    QPointer<PreviewSurface> m_surface;
    bool m_syncBusy = false;
};

} // namespace ertragon::report
