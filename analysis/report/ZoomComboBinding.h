#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QComboBox;

namespace ertragon::report {

class PreviewSurface;

// The main window's zoom combo cmbZoom beside the preview: a list pick sets
// the zoom; the surface's notifications redraw and synchronise.
class ZoomComboBinding : public QObject
{
    Q_OBJECT
public:
    // redraw is the main window's Zeichnen, run when the surface asks for a new layout.
    ZoomComboBinding(QComboBox *combo, PreviewSurface *surface, std::function<void()> redraw,
                     QObject *parent = nullptr);

    // Fills a combo with the zoom list, tooltip and initial text; editable.
    static void setUpCombo(QComboBox *combo);

    bool syncBusy() const { return m_syncBusy; }

public Q_SLOTS:
    // The combo's click: the zoom choice for the combo's text.
    void chooseZoom();
    void Synchronize();

private:
    QPointer<QComboBox> m_combo;
    QPointer<PreviewSurface> m_surface;
    std::function<void()> m_redraw;
    bool m_syncBusy = false;
};

} // namespace ertragon::report
