#include "VPNavBar.h"

#include "PreviewSurface.h"
#include "ZoomChoice.h"
#include "ZoomComboBinding.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace ertragon::report {

VPNavBar::VPNavBar(std::function<PreviewSurface *()> findSurface, QWidget *parent)
    : QWidget(parent)
    , m_findSurface(std::move(findSurface))
    , m_cmbZoom(new QComboBox(this))
    , m_scrlPage(new QScrollBar(Qt::Horizontal, this))
    , m_lblPage(new QLabel(QStringLiteral("Seite n von n"), this))
{
    setObjectName(QStringLiteral("VPNavBar"));
    m_cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    m_scrlPage->setObjectName(QStringLiteral("scrlPage"));
    m_lblPage->setObjectName(QStringLiteral("lblPage"));
    m_lblPage->setToolTip(QStringLiteral("Seitenanzeige"));
    ZoomComboBinding::setUpCombo(m_cmbZoom);
    m_scrlPage->setMinimum(1);
    m_scrlPage->setMaximum(1);
    m_scrlPage->setMinimumWidth(80);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(new QLabel(QStringLiteral("Zoom"), this));
    layout->addWidget(m_cmbZoom);
    layout->addWidget(m_scrlPage, 1);
    layout->addWidget(m_lblPage);

    connect(m_cmbZoom, &QComboBox::textActivated, this, &VPNavBar::chooseZoom);
    connect(m_scrlPage, &QScrollBar::valueChanged, this, &VPNavBar::choosePage);
    m_cmbZoom->installEventFilter(this);
    if (m_cmbZoom->lineEdit())
        m_cmbZoom->lineEdit()->installEventFilter(this);
    watch(surface());
}

PreviewSurface *VPNavBar::surface() const
{
    return m_findSurface ? m_findSurface() : nullptr;
}

void VPNavBar::watch(PreviewSurface *s)
{
    if (!s || s == m_watched)
        return;
    m_watched = s;
    connect(s, &PreviewSurface::previewChanged, this, [this] { Synchronize(false); });
    connect(s, &QObject::destroyed, this, [this] { m_watched = nullptr; });
}

bool VPNavBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_cmbZoom || watched == m_cmbZoom->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                chooseZoom();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && watched == m_cmbZoom->lineEdit()) {
            chooseZoom();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void VPNavBar::chooseZoom()
{
    PreviewSurface *s = surface();
    if (!s)
        return;
    watch(s);
    ZoomChoice::apply(m_cmbZoom->currentText(), *s);
    Synchronize(false);
}

void VPNavBar::choosePage()
{
    PreviewSurface *s = surface();
    if (!s)
        return;
    if (s->PreviewPage() != m_scrlPage->value())
        s->setPreviewPage(m_scrlPage->value());
    Synchronize(true);
}

void VPNavBar::Synchronize(bool)
{
    PreviewSurface *s = surface();
    if (!s || m_syncBusy)
        return;
    m_syncBusy = true;
    const ZoomChoice::ScrollState scroll = ZoomChoice::scrollStateFor(*s);
    m_scrlPage->setValue(scroll.value);
    m_scrlPage->setPageStep(scroll.largeChange);
    m_scrlPage->setMinimum(scroll.minimum);
    m_scrlPage->setMaximum(scroll.maximum);
    m_scrlPage->setValue(scroll.value);
    m_lblPage->setText(ZoomChoice::pageLabel(s->PreviewPage(), s->PreviewPages(), s->PageCount()));
    const ZoomChoice::ComboState state = ZoomChoice::comboStateFor(*s);
    if (state.index >= 0)
        m_cmbZoom->setCurrentIndex(state.index);
    else
        m_cmbZoom->setEditText(state.text);
    m_syncBusy = false;
}

} // namespace ertragon::report
