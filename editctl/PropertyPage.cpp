#include "PropertyPage.h"

#include "comctl/ComControl.h"

#include <QApplication>

namespace inkora {

PropertyPage::PropertyPage(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
{
}

void PropertyPage::selectionChanged(const Controls &controls)
{
    m_controls = controls;
    m_loading = true;
    if (!controls.isEmpty())
        fill(controls.first());
    m_loading = false;
    if (m_changed) {
        m_changed = false;
        Q_EMIT changedChanged(false);
    }
}

void PropertyPage::apply()
{
    for (comctl::ComControl *control : std::as_const(m_controls))
        applyTo(control);
    m_changed = false;
    Q_EMIT changedChanged(false);
}

void PropertyPage::markChanged()
{
    if (m_loading || m_changed)
        return;
    m_changed = true;
    Q_EMIT changedChanged(true);
}

void PropertyPage::beep()
{
    if (!m_controls.isEmpty())
        m_controls.first()->beep();
    else
        QApplication::beep();
}

void PropertyPage::put(comctl::ComControl *control, const QString &property, const QVariant &value)
{
    control->put(property, value); // a refused value beeps in the control; go on
}

QVariant PropertyPage::get(comctl::ComControl *control, const QString &property) const
{
    return control->get(property).value;
}

} // namespace inkora
