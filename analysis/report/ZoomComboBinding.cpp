#include "ZoomComboBinding.h"

#include "PreviewSurface.h"
#include "ZoomChoice.h"

#include <QComboBox>
#include <QLineEdit>

namespace ertragon::report {

ZoomComboBinding::ZoomComboBinding(QComboBox *combo, PreviewSurface *surface, QObject *parent)
    : QObject(parent)
    , m_combo(combo)
    , m_surface(surface)
{
    if (!combo || !surface)
        return;
    connect(combo, &QComboBox::textActivated, this, &ZoomComboBinding::chooseZoom);
    // A typed zoom ("180", "180%", "seitenbreite") counts on Enter, listed or not.
    if (QLineEdit *edit = combo->lineEdit())
        connect(edit, &QLineEdit::returnPressed, this, &ZoomComboBinding::chooseZoom);
    connect(surface, &PreviewSurface::previewChanged, this, &ZoomComboBinding::Synchronize);
    connect(surface, &PreviewSurface::layoutRequested, this, [this] {
        Q_EMIT redrawWanted();
        Synchronize();
    });
}

void ZoomComboBinding::setUpCombo(QComboBox *combo)
{
    combo->clear();
    combo->setEditable(true);
    // The typed zoom is read by the name of the combo box.
    combo->lineEdit()->setAccessibleName(QStringLiteral("Zoom"));
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(ZoomChoice::zoomTexts());
    combo->setToolTip(ZoomChoice::toolTip());
    combo->setCurrentIndex(0);
    combo->setEditText(ZoomChoice::initialText());
}

void ZoomComboBinding::chooseZoom()
{
    if (!m_combo || !m_surface)
        return;
    ZoomChoice::apply(m_combo->currentText(), *m_surface);
    Synchronize();
}

void ZoomComboBinding::Synchronize()
{
    if (m_syncBusy || !m_combo || !m_surface)
        return;
    m_syncBusy = true;
    const ZoomChoice::ComboState state = ZoomChoice::comboStateFor(*m_surface);
    if (state.index >= 0)
        m_combo->setCurrentIndex(state.index);
    else
        m_combo->setEditText(state.text);
    m_syncBusy = false;
}

} // namespace ertragon::report
