#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QScrollBar;

namespace ertragon::report {

class PreviewSurface;

// A navigation bar for the preview surface: zoom combo, page scroll bar and
// page label. It finds the surface through the function it is given (the
// main window's); without a surface every handler does nothing.
class VPNavBar : public QWidget
{
    Q_OBJECT
public:
    explicit VPNavBar(std::function<PreviewSurface *()> findSurface, QWidget *parent = nullptr);

    QComboBox *cmbZoom() const { return m_cmbZoom; }
    QScrollBar *scrlPage() const { return m_scrlPage; }
    QLabel *lblPage() const { return m_lblPage; }
    bool syncBusy() const { return m_syncBusy; }

public Q_SLOTS:
    void chooseZoom();
    void choosePage();
    void Synchronize(bool fromScrollBar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PreviewSurface *surface() const;
    void watch(PreviewSurface *surface);

    std::function<PreviewSurface *()> m_findSurface;
    QComboBox *m_cmbZoom = nullptr;
    QScrollBar *m_scrlPage = nullptr;
    QLabel *m_lblPage = nullptr;
    PreviewSurface *m_watched = nullptr;
    bool m_syncBusy = false;
};

} // namespace ertragon::report
