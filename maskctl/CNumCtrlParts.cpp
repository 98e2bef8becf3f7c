#include "CNumCtrl.h"
#include "CalculatorDropDown_p.h"
#include "FieldBinding_p.h"
#include "PropertyPersistence.h"
#include "SpinRepeater_p.h"
#include "StatusTextLink_p.h"
#include "TabOrder.h"
#include "ToolTipPoller_p.h"
#include "comctl/AutomationError.h"
#include "comctl/HostSite.h"
#include "comctl/PropertyBag.h"
#include "comctl/PropertyExchange.h"

// The control's surface over its private parts (the data binding, the drop-down
// calculator, the spin buttons and their auto-repeat, the tooltip and the status text),
// its persistence and its place in the form's tab order.

namespace orvel {

void CNumCtrl::setDataSource(QAbstractItemModel *model)
{
    m_binding->setModel(model);
}

void CNumCtrl::setCurrentRow(int row)
{
    m_binding->setRow(row);
}

bool CNumCtrl::writeBoundValue()
{
    return m_binding->write();
}

bool CNumCtrl::dataChanged() const
{
    return m_binding->changed();
}

void CNumCtrl::openCalculator()
{
    m_calculator->open();
}

bool CNumCtrl::calculatorOpen() const
{
    return m_calculator->isOpen();
}

CalculatorPopup *CNumCtrl::calculator()
{
    return m_calculator->popup();
}

void CNumCtrl::setTickSource(std::function<qint64()> source)
{
    m_spinRepeat->setTickSource(std::move(source));
}

void CNumCtrl::setLeftButtonSource(std::function<bool()> source)
{
    m_spinRepeat->setLeftButtonSource(std::move(source));
}

QObject *CNumCtrl::statusObject() const
{
    return m_status->target();
}

void CNumCtrl::updateStatusText(bool focused)
{
    m_status->update(focused);
}

void CNumCtrl::toolTipTick()
{
    m_toolTip->tick();
}

ToolTipWindow *CNumCtrl::toolTipWindow() const
{
    return m_toolTip->window();
}

const ToolTipModel &CNumCtrl::toolTipModel() const
{
    return m_toolTip->model();
}

void CNumCtrl::setPointerSource(std::function<bool()> source)
{
    m_toolTip->setPointerSource(std::move(source));
}

QList<QWidget *> CNumCtrl::openPopups() const
{
    QList<QWidget *> open;
    if (QWidget *calculator = m_calculator->shownPopup())
        open.append(calculator);
    if (QWidget *tip = m_toolTip->shownWindow())
        open.append(tip);
    return open;
}

void CNumCtrl::createPopups()
{
    if (m_toolTip->started() || designMode())
        return;
    m_toolTip->start();
    m_calculator->popup();
    m_status->bind();
}

void CNumCtrl::showEvent(QShowEvent *event)
{
    MaskEditBase::showEvent(event);
    createPopups();
}

// ------------------------------------------------------------------ button strip

QWidget *CNumCtrl::partAt(const QString &name, QPoint *point)
{
    if (QWidget *button = buttonAt(name, point))
        return button;
    CalculatorPopup *calculator = m_calculator->shownPopup();
    if (name.startsWith(QLatin1String("calc:")) && calculatorOpen() && calculator) {
        const int type = m_calculator->buttonNamed(name.mid(5));
        if (type < 0)
            return nullptr;
        *point = CalculatorPopup::buttonRect(calculator->size(), type).center();
        return calculator;
    }
    return nullptr;
}

bool CNumCtrl::stripButtonPressed(ButtonStrip::Part part)
{
    switch (part) {
    case ButtonStrip::Ellipsis:
        return state().ellipsesButtonEnabled;
    case ButtonStrip::SpinUp:
    case ButtonStrip::SpinDown:
        if (!state().spinButtonEnabled)
            return false;
        m_spinRepeat->start();
        return true;
    default:
        return true;
    }
}

void CNumCtrl::stripButtonDown(ButtonStrip::Part part)
{
    if (part != ButtonStrip::DropDown)
        return;
    if (calculatorOpen())
        m_calculator->finish();
    else
        m_calculator->open();
}

void CNumCtrl::stripButtonClicked(ButtonStrip::Part part)
{
    if (part == ButtonStrip::Ellipsis)
        fire(&CNumCtrl::EllipsesClick, QStringLiteral("EllipsesClick"));
    else if ((part == ButtonStrip::SpinUp || part == ButtonStrip::SpinDown) && !state().locked)
        spin(part == ButtonStrip::SpinUp);
}

void CNumCtrl::stripTouched()
{
    m_toolTip->close(false);
}

void CNumCtrl::pointerMoved()
{
    m_toolTip->pointerMoved();
}

bool CNumCtrl::event(QEvent *e)
{
    if (e->type() == SpinRepeater::RepeatEvent) {
        m_spinRepeat->check();
        return true;
    }
    // Keys, clicks and focus change text and caret in many places: one look after each.
    // Painting and the caret's blink change neither.
    const bool quiet = e->type() == QEvent::Paint || e->type() == QEvent::Timer;
    QPointer<CNumCtrl> self(this);
    const bool handled = MaskEditBase::event(e);
    if (self && !quiet)
        announceEdits();
    return handled;
}

// ------------------------------------------------------------------ persistence

void CNumCtrl::setProp(const QString &name, const QVariant &v)
{
    const comctl::DispatchResult r = put(name, v);
    if (!r.ok())
        throw r.error;
}

void CNumCtrl::loadProperties(const comctl::PropertyBag &bag)
{
    setDefaults();
    m_loading = true;
    comctl::PropertyBag copy = bag;
    comctl::PropertyExchange ex(copy, comctl::PropertyExchange::Direction::Load);
    if (!PropertyPersistence::exchange(
            ex, state(), [this](const QString &name, const QVariant &v) { setProp(name, v); }))
        setDefaults();
    syncEngine();
    const QString loadedText = state().designText;
    state().designText.clear();
    m_engine.assignValue(QString());
    applyText(loadedText, false);
    m_loading = false;
    afterValueChange();
}

void CNumCtrl::saveProperties(comctl::PropertyBag &bag) const
{
    comctl::PropertyExchange ex(bag, comctl::PropertyExchange::Direction::Save);
    MaskEditState saved = state();
    PropertyPersistence::exchange(ex, saved, {});
}

// ------------------------------------------------------------------ tab order

void CNumCtrl::moveToNextControl()
{
    if (!window())
        return;
    const QList<QWidget *> controls
        = site() ? site()->formControls(this) : comctl::HostSite().formControls(this);
    if (QWidget *target = nextInTabOrder(this, controls))
        target->setFocus(Qt::TabFocusReason);
}

} // namespace orvel
