#include "CNumCtrl.h"
#include "CalculatorDropDown_p.h"
#include "NumericValue.h"
#include "comctl/AutomationError.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QScreen>
#include <cmath>

namespace orvel {

CalculatorDropDown::CalculatorDropDown(CNumCtrl &control)
    : q(control)
{
}

CalculatorLook CalculatorDropDown::look() const
{
    CalculatorLook look = q.state().calculator;
    look.controlFore = q.state().colours.fore;
    return look;
}

CalculatorPopup *CalculatorDropDown::popup()
{
    if (!m_popup) {
        m_popup = new CalculatorPopup(&q);
        QObject::connect(m_popup, &CalculatorPopup::buttonPressed, &q, [this](int type) {
            q.fire(&CNumCtrl::CalcBtnClick, QStringLiteral("CalcBtnClick"), qint16(type));
        });
        QObject::connect(m_popup, &CalculatorPopup::outsideClick, &q, [this] {
            if (m_open)
                finish();
        });
        // The control keeps the keyboard while its calculator is open: an activation the
        // calculator took goes back to the form, so the focus can later leave the pair
        // through the control (which closes the calculator) and typed keys reach it.
        QObject::connect(m_popup, &CalculatorPopup::activated, &q, [this] {
            if (!m_open || !q.window())
                return;
            q.setFocus(Qt::ActiveWindowFocusReason);
            q.window()->activateWindow();
        });
    }
    m_popup->setLook(look());
    return m_popup;
}

CalculatorPopup *CalculatorDropDown::shownPopup() const
{
    return m_popup && m_popup->isVisible() ? m_popup.data() : nullptr;
}

QSize CalculatorDropDown::size() const
{
    const MaskEditState &s = q.state();
    const int width = s.calcWidthPx > 0 ? int(std::lround(s.calcWidthPx)) : q.width();
    return { width, int(std::lround(s.calcHeightPx)) };
}

void CalculatorDropDown::open()
{
    if (m_open)
        return;
    CalculatorPopup *calculator = popup();
    const std::optional<double> current = NumericValue::toDouble(
        NumericValue::fromText(q.m_engine.value(), DataTypeDouble).value_or(QVariant()));
    calculator->engine().start(current.value_or(0.0));
    if (!q.fire(&CNumCtrl::DropDown, QStringLiteral("DropDown")) || !m_popup)
        return;
    const QRect control(q.mapToGlobal(QPoint(0, 0)), q.size());
    const QRect desktop = q.screen() ? q.screen()->geometry() : QRect(0, 0, 1 << 14, 1 << 14);
    calculator->setGeometry(CalculatorPopup::placement(control, size(), desktop));
    calculator->show();
    if (q.window() && !q.window()->isActiveWindow() && q.hasFocus())
        q.window()->activateWindow();
    m_open = true;
    q.syncEngine();
}

void CalculatorDropDown::close()
{
    if (!m_open)
        return;
    if (m_popup)
        m_popup->hide();
    m_open = false;
    q.syncEngine();
    q.m_tracked = ButtonStrip::None;
    q.m_pressedLook = false;
    q.update();
    q.fire(&CNumCtrl::CloseUp, QStringLiteral("CloseUp"));
}

void CalculatorDropDown::transfer()
{
    if (!m_popup || q.state().locked)
        return;
    if (m_popup->engine().state() == CalculatorEngine::Error)
        return;
    try {
        q.setValue(m_popup->engine().x());
    } catch (const comctl::AutomationError &) {
        return; // a result Value refuses leaves the control as it was
    }
    q.m_engine.setSelection(0, 0);
    q.restartCaret();
    q.changeNotification();
}

void CalculatorDropDown::finish()
{
    if (!m_open)
        return;
    QPointer<CNumCtrl> self(&q);
    m_popup->pressButton(CalcBtnEqual);
    if (!self)
        return;
    transfer();
    close();
}

void CalculatorDropDown::key(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F4)
        finish();
    else if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_Delete)
        m_popup->pressButton(CalcBtnClear);
}

void CalculatorDropDown::typed(QChar c)
{
    static const QHash<char16_t, int> operators = {
        { u'\b', CalcBtnBackspace }, { u'.', CalcBtnDecimal }, { u'*', CalcBtnMultiply },
        { u'-', CalcBtnSubtract },   { u'+', CalcBtnAdd },     { u'/', CalcBtnDivide },
        { u'=', CalcBtnEqual },
    };
    const int button = c >= u'0' && c <= u'9' ? c.digitValue() : operators.value(c.unicode(), -1);
    if (button >= 0)
        m_popup->pressButton(button);
}

int CalculatorDropDown::buttonNamed(const QString &name) const
{
    const qsizetype caption = q.state().calculator.captions.indexOf(name);
    if (caption >= 0)
        return int(caption);
    static const QHash<QString, int> ascii = {
        { QStringLiteral("*"), CalcBtnMultiply },
        { QStringLiteral("/"), CalcBtnDivide },
        { QStringLiteral("+-"), CalcBtnSignToggle },
        { QStringLiteral("MS"), CalcBtnMemoryRecall },
        { QStringLiteral("MR"), CalcBtnMemoryRecall },
        { QStringLiteral("BS"), CalcBtnBackspace },
    };
    if (ascii.contains(name))
        return ascii.value(name);
    bool ok = false;
    const int number = name.startsWith(u'#') ? name.mid(1).toInt(&ok) : -1;
    return ok && number >= 0 && number < CalcButtonCount ? number : -1;
}

void CalculatorDropDown::lookChanged()
{
    if (m_popup)
        m_popup->setLook(look());
}

void CalculatorDropDown::sizeChanged()
{
    if (m_open && m_popup)
        m_popup->resize(size());
}

QString CalculatorDropDown::displayText() const
{
    return m_popup ? m_popup->displayText() : QStringLiteral("0");
}

} // namespace orvel
