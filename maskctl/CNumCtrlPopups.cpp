// The drop-down calculator, the button strip and the spin auto-repeat of CNumCtrl.
#include "CNumCtrl.h"
#include "NumericValue.h"
#include "StatusTarget.h"
#include "comctl/HostSite.h"
#include "comctl/OleColor.h"
#include "comctl/Variants.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace orvel {

CalculatorLook CNumCtrl::calculatorLook() const
{
    CalculatorLook look;
    look.back = colourValue(QStringLiteral("CalcBackColor"));
    look.buttonBack = colourValue(QStringLiteral("CalcBtnBackColor"));
    look.displayBack = colourValue(QStringLiteral("CalcDispBackColor"));
    look.displayFore = colourValue(QStringLiteral("CalcDispForeColor"));
    look.memoryFore = colourValue(QStringLiteral("CalcMemForeColor"));
    look.memoryBack = colourValue(QStringLiteral("CalcMemBackColor"));
    look.clearFore = colourValue(QStringLiteral("CalcBtnClrForeColor"));
    look.memoryButtonFore = colourValue(QStringLiteral("CalcBtnMemForeColor"));
    look.buttonFore = colourValue(QStringLiteral("CalcBtnForeColor"));
    look.operatorFore = colourValue(QStringLiteral("CalcBtnOpForeColor"));
    look.controlFore = colourValue(QStringLiteral("ForeColor"));
    look.displayFont = stored(QStringLiteral("CalcDispFont")).value<QFont>();
    look.buttonFont = stored(QStringLiteral("CalcBtnFont")).value<QFont>();
    look.memoryFont = stored(QStringLiteral("CalcMemFont")).value<QFont>();
    look.memoryText = stringValue(QStringLiteral("CalcMemText"));
    look.errorText = stringValue(QStringLiteral("CalcErrorText"));
    look.captions = m_calcBtnText;
    return look;
}

CalculatorPopup *CNumCtrl::calculator()
{
    if (!m_calc) {
        m_calc = new CalculatorPopup(this);
        connect(m_calc, &CalculatorPopup::buttonPressed, this, &CNumCtrl::onCalculatorButton);
        connect(m_calc, &CalculatorPopup::outsideClick, this, [this] {
            if (m_calcOpen)
                finishCalculator();
        });
        // The control keeps the keyboard while its calculator is open: an activation the
        // calculator took goes back to the form, so the focus can later leave the pair
        // through the control (which closes the calculator) and typed keys reach it.
        connect(m_calc, &CalculatorPopup::activated, this, [this] {
            if (!m_calcOpen || !window())
                return;
            setFocus(Qt::ActiveWindowFocusReason);
            window()->activateWindow();
        });
    }
    m_calc->setLook(calculatorLook());
    return m_calc;
}

void CNumCtrl::onCalculatorButton(int type)
{
    Q_EMIT CalcBtnClick(qint16(type));
    raiseEvent(QStringLiteral("CalcBtnClick"), { qint16(type) });
}

void CNumCtrl::openCalculator(bool byKey)
{
    Q_UNUSED(byKey);
    if (m_calcOpen)
        return;
    QPointer<CNumCtrl> self(this);
    CalculatorPopup *popup = calculator();
    const std::optional<double> current = NumericValue::toDouble(
        NumericValue::fromText(m_engine.value(), DataTypeDouble).value_or(QVariant()));
    popup->engine().start(current.value_or(0.0));
    Q_EMIT DropDown();
    if (self)
        raiseEvent(QStringLiteral("DropDown"));
    if (!self || !m_calc)
        return;
    const int width = m_calcWidthPx > 0 ? int(std::lround(m_calcWidthPx)) : this->width();
    const QSize size(width, int(std::lround(m_calcHeightPx)));
    const QRect control(mapToGlobal(QPoint(0, 0)), this->size());
    const QRect desktop = screen() ? screen()->geometry() : QRect(0, 0, 1 << 14, 1 << 14);
    popup->setGeometry(CalculatorPopup::placement(control, size, desktop));
    popup->show();
    if (window() && !window()->isActiveWindow() && hasFocus())
        window()->activateWindow();
    m_calcOpen = true;
    syncEngine();
}

void CNumCtrl::closeCalculator()
{
    if (!m_calcOpen)
        return;
    if (m_calc)
        m_calc->hide();
    m_calcOpen = false;
    syncEngine();
    m_tracked = ButtonStrip::None;
    m_pressedLook = false;
    update();
    Q_EMIT CloseUp();
    raiseEvent(QStringLiteral("CloseUp"));
}

void CNumCtrl::transferCalculator()
{
    if (!m_calc || boolValue(QStringLiteral("Locked")))
        return;
    if (m_calc->engine().state() == CalculatorEngine::Error)
        return;
    try {
        setValue(m_calc->engine().x());
    } catch (const comctl::AutomationError &) {
        return; // a result Value refuses leaves the control as it was
    }
    m_engine.setSelection(0, 0);
    restartCaret();
    changeNotification();
}

void CNumCtrl::finishCalculator()
{
    if (!m_calcOpen)
        return;
    QPointer<CNumCtrl> self(this);
    m_calc->pressButton(CalcBtnEqual);
    if (!self)
        return;
    transferCalculator();
    closeCalculator();
}

void CNumCtrl::calculatorKey(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F4:
        finishCalculator();
        break;
    case Qt::Key_Escape:
        closeCalculator();
        break;
    case Qt::Key_Delete:
        m_calc->pressButton(CalcBtnClear);
        break;
    default:
        break;
    }
}

void CNumCtrl::calculatorChar(QChar c)
{
    int button = -1;
    if (c.unicode() == 8)
        button = CalcBtnBackspace;
    else if (c >= u'0' && c <= u'9')
        button = c.digitValue();
    else if (c == u'.')
        button = CalcBtnDecimal;
    else if (c == u'*')
        button = CalcBtnMultiply;
    else if (c == u'-')
        button = CalcBtnSubtract;
    else if (c == u'+')
        button = CalcBtnAdd;
    else if (c == u'/')
        button = CalcBtnDivide;
    else if (c == u'=')
        button = CalcBtnEqual;
    if (button >= 0)
        m_calc->pressButton(button);
}

int CNumCtrl::calculatorButtonNamed(const QString &name) const
{
    const qsizetype caption = m_calcBtnText.indexOf(name);
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

// ------------------------------------------------------------------ button strip

qint64 CNumCtrl::tick() const
{
    if (m_tick)
        return m_tick();
    return site()->tickCount();
}

QWidget *CNumCtrl::partAt(const QString &name, QPoint *point)
{
    static const QHash<QString, ButtonStrip::Part> buttons = {
        { QStringLiteral("spin-up"), ButtonStrip::SpinUp },
        { QStringLiteral("spin-down"), ButtonStrip::SpinDown },
        { QStringLiteral("ellipsis"), ButtonStrip::Ellipsis },
        { QStringLiteral("dropdown"), ButtonStrip::DropDown },
    };
    if (buttons.contains(name)) {
        const QRect r = buttonStrip().rectOf(buttons.value(name));
        if (r.isEmpty() || !isVisible())
            return nullptr;
        *point = r.center();
        return this;
    }
    if (name.startsWith(QLatin1String("calc:")) && m_calcOpen && m_calc && m_calc->isVisible()) {
        const int type = calculatorButtonNamed(name.mid(5));
        if (type < 0)
            return nullptr;
        *point = CalculatorPopup::buttonRect(m_calc->size(), type).center();
        return m_calc;
    }
    return nullptr;
}

bool CNumCtrl::stripPress(QMouseEvent *e)
{
    closeToolTip(false);
    if (e->button() != Qt::LeftButton || !isEnabled())
        return false;
    const ButtonStrip strip = buttonStrip();
    const ButtonStrip::Part part = strip.hit(e->position().toPoint());
    if (part == ButtonStrip::None)
        return strip.strip.contains(e->position().toPoint());
    switch (part) {
    case ButtonStrip::Ellipsis:
        if (!boolValue(QStringLiteral("EllipsesButtonEnabled")))
            return true;
        break;
    case ButtonStrip::SpinUp:
    case ButtonStrip::SpinDown:
        if (!boolValue(QStringLiteral("SpinButtonEnabled")))
            return true;
        m_firstRepeat = true;
        m_lastRepeat = tick();
        QCoreApplication::postEvent(this, new QEvent(QEvent::Type(SpinRepeatEvent)));
        break;
    default:
        break;
    }
    m_tracked = part;
    m_pressedLook = true;
    repaint();
    if (part == ButtonStrip::DropDown) {
        if (m_calcOpen)
            finishCalculator();
        else
            openCalculator();
    }
    return true;
}

bool CNumCtrl::stripRelease(QMouseEvent *e)
{
    closeToolTip(false);
    if (m_tracked == ButtonStrip::None)
        return false;
    const ButtonStrip::Part part = m_tracked;
    const bool over = buttonStrip().rectOf(part).contains(e->position().toPoint());
    m_tracked = ButtonStrip::None;
    m_pressedLook = false;
    update();
    if (!over)
        return true;
    if (part == ButtonStrip::Ellipsis) {
        Q_EMIT EllipsesClick();
        raiseEvent(QStringLiteral("EllipsesClick"));
    } else if ((part == ButtonStrip::SpinUp || part == ButtonStrip::SpinDown)
               && !boolValue(QStringLiteral("Locked"))) {
        spin(part == ButtonStrip::SpinUp);
    }
    return true;
}

void CNumCtrl::spinRepeat()
{
    const bool leftDown
        = m_leftDown ? m_leftDown() : (QGuiApplication::mouseButtons() & Qt::LeftButton);
    const bool spinning = m_tracked == ButtonStrip::SpinUp || m_tracked == ButtonStrip::SpinDown;
    if (!leftDown || !spinning || !m_pressedLook)
        return;
    const qint64 now = tick();
    if (now >= m_lastRepeat + (m_firstRepeat ? 500 : 100)) {
        m_firstRepeat = false;
        m_lastRepeat = now;
        if (!boolValue(QStringLiteral("Locked")))
            spin(m_tracked == ButtonStrip::SpinUp);
    }
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(SpinRepeatEvent)));
}

// ------------------------------------------------------------------ tooltip

QList<QWidget *> CNumCtrl::openPopups() const
{
    QList<QWidget *> open;
    if (m_calc && m_calc->isVisible())
        open.append(m_calc);
    if (m_tip && m_tip->isVisible())
        open.append(m_tip);
    return open;
}

void CNumCtrl::createPopups()
{
    if (m_tip || designMode())
        return;
    m_tip = new ToolTipWindow(this);
    connect(m_tip, &ToolTipWindow::mouseActivity, this, [this] { closeToolTip(true); });
    m_tipTimer = new QTimer(this);
    m_tipTimer->setInterval(ToolTipModel::TickMs);
    connect(m_tipTimer, &QTimer::timeout, this, &CNumCtrl::toolTipTick);
    m_tipTimer->start();
    calculator();
    bindStatusObject();
}

void CNumCtrl::showEvent(QShowEvent *event)
{
    MaskEditBase::showEvent(event);
    createPopups();
}

void CNumCtrl::toolTipTick()
{
    if (!m_tip || !boolValue(QStringLiteral("ToolTips")) || !isEnabled() || !isVisible())
        return;
    bool over = false;
    if (m_pointerOver) {
        over = m_pointerOver();
    } else {
        const QWidget *under = QApplication::widgetAt(QCursor::pos());
        over = under == this
            || (under && under->parentWidget() == this && under != m_tip && under != m_calc);
    }
    const bool active = window() && window()->isActiveWindow();
    const bool buttonDown = QGuiApplication::mouseButtons() != Qt::NoButton;
    ToolTipModel::Settings settings;
    settings.delay = intValue(QStringLiteral("ToolTipDelay"));
    settings.timeout = intValue(QStringLiteral("ToolTipTimeout"));
    const bool wasVisible = m_tipModel.visible();
    switch (m_tipModel.tick(over && active ? 0 : -1, buttonDown, settings)) {
    case ToolTipModel::Action::Show:
        showToolTip();
        break;
    case ToolTipModel::Action::Hide:
        if (wasVisible) {
            m_tip->hide();
            Q_EMIT ToolTipEnd();
            raiseEvent(QStringLiteral("ToolTipEnd"));
        }
        break;
    case ToolTipModel::Action::None:
        break;
    }
}

void CNumCtrl::showToolTip()
{
    QPointer<CNumCtrl> self(this);
    qint16 cancel = 0;
    Q_EMIT ToolTipBegin(cancel);
    if (!self)
        return;
    const QVariantList args = raiseEvent(QStringLiteral("ToolTipBegin"), { cancel });
    if (!self || !m_tip)
        return;
    const QString text = m_calcOpen ? QString() : stringValue(QStringLiteral("ToolTipText"));
    if (cancel != 0 || args.value(0).toInt() != 0 || text.isEmpty()) {
        // Asked once for this rest of the pointer; the next poll must not ask again.
        m_tipModel.declined();
        return;
    }
    m_tip->setText(text);
    m_tip->setFont(stored(QStringLiteral("ToolTipFont")).value<QFont>());
    m_tip->setColours(
        comctl::OleColor::toQColor(colourValue(QStringLiteral("ToolTipBackColor")), palette()),
        comctl::OleColor::toQColor(colourValue(QStringLiteral("ToolTipForeColor")), palette()));
    const QRect work = screen() ? screen()->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
    m_tip->setGeometry(ToolTipWindow::placement(QCursor::pos(), m_tip->sizeForText(), work,
                                                mapToGlobal(QPoint(0, 0)).y()));
    m_tip->show();
    m_tip->raise();
    m_tipModel.shown();
}

void CNumCtrl::closeToolTip(bool block)
{
    const bool wasVisible = m_tipModel.visible();
    m_tipModel.hidden(block);
    if (wasVisible && m_tip) {
        m_tip->hide();
        Q_EMIT ToolTipEnd();
        raiseEvent(QStringLiteral("ToolTipEnd"));
    }
}

// ------------------------------------------------------------------ status text

void CNumCtrl::bindStatusObject()
{
    const QString name = stringValue(QStringLiteral("StatusBarControlName"));
    if (name.isEmpty())
        return;
    QList<QObject *> candidates;
    const QList<QWidget *> controls
        = site() ? site()->formControls(this) : comctl::HostSite().formControls(this);
    for (QWidget *w : controls)
        candidates.append(w);
    if (QWidget *form = window()) {
        for (QObject *child : form->findChildren<QObject *>())
            candidates.append(child);
    }
    if (QObject *found = StatusTarget::find(candidates, name, this))
        m_statusBar = found;
}

void CNumCtrl::updateStatusText(bool focused)
{
    if (designMode())
        return;
    if (!m_statusBar)
        bindStatusObject();
    if (!m_statusBar)
        return;
    const QString property = stringValue(QStringLiteral("StatusBarPropName"));
    const QString restore = stringValue(QStringLiteral("StatusBarRestoreText"));
    // Before the control has shown a text of its own there is nothing to put back.
    if (!focused && restore.isEmpty() && !m_statusShown)
        return;
    m_statusShown = focused;
    QString text = focused ? stringValue(QStringLiteral("StatusBarText"))
                           : (!restore.isEmpty() ? restore : m_statusSaved);
    if (focused && restore.isEmpty())
        m_statusSaved = StatusTarget::read(m_statusBar, property).value_or(QString());
    QPointer<CNumCtrl> self(this);
    qint16 cancel = 0;
    const qint16 restoreFlag = focused ? 1 : 0;
    Q_EMIT StatusBarUpdate(restoreFlag, text, cancel);
    if (!self)
        return;
    const QVariantList args
        = raiseEvent(QStringLiteral("StatusBarUpdate"), { restoreFlag, text, cancel });
    if (!self || args.value(2).toInt() != 0 || cancel != 0)
        return;
    StatusTarget::write(m_statusBar, property, args.value(1).toString());
}

bool CNumCtrl::event(QEvent *e)
{
    if (e->type() == SpinRepeatEvent) {
        spinRepeat();
        return true;
    }
    return MaskEditBase::event(e);
}

} // namespace orvel
