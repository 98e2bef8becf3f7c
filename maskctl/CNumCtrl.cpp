#include "CNumCtrl.h"

#include "AccessibleEdits_p.h"
#include "CalculatorDropDown_p.h"
#include "FieldBinding_p.h"
#include "OrvelLog.h"
#include "PropertyDef_p.h"
#include "SpinRepeater_p.h"
#include "StatusTextLink_p.h"
#include "ToolTipPoller_p.h"
#include "comctl/AutomationError.h"
#include "comctl/HostSite.h"
#include "comctl/KeyCodes.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QHash>
#include <QKeyEvent>
#include <QTimer>
#include <utility>

using comctl::AutomationError;

namespace orvel {

// ------------------------------------------------------------------ construction

CNumCtrl::CNumCtrl(QWidget *parent)
    : MaskEditBase(parent)
    , m_binding(std::make_unique<FieldBinding>(*this))
    , m_calculator(std::make_unique<CalculatorDropDown>(*this))
    , m_spinRepeat(std::make_unique<SpinRepeater>(*this))
    , m_toolTip(std::make_unique<ToolTipPoller>(*this))
    , m_status(std::make_unique<StatusTextLink>(*this))
    , m_accessible(std::make_unique<AccessibleEdits>())
{
    registerCurrencyType();
    auto &hooks = m_engine.hooks();
    hooks.beep = [this] {
        if (state().maskErrorBeep)
            beep();
    };
    hooks.invalidChar = [this](const QString &ch, int pos) { fireInvalidChar(ch, pos); };
    hooks.changed = [this] { changeNotification(); };
    hooks.autoTab = [this] { moveToNextControl(); };
    hooks.formatText = [this] { return formatText(); };
    setDefaults();
}

CNumCtrl::~CNumCtrl()
{
    // The calculator and tooltip windows go while the control is still whole.
    delete m_calculator->existingPopup();
    delete m_toolTip->window();
}

void CNumCtrl::setLocaleInfo(const LocaleInfo *locale)
{
    m_engine.setLocale(locale);
    m_engine.reformat();
    update();
}

void CNumCtrl::setDefaults()
{
    state() = MaskEditState();
    state().font = site() ? site()->ambientFont() : QApplication::font();
    setFont(state().font);
    setEnabled(true);
    syncEngine();
    m_engine.assignValue(QString());
}

void CNumCtrl::initNew()
{
    setDefaults();
    update();
}

void CNumCtrl::syncEngine()
{
    m_engine.settings() = state().mask;
    m_engine.setRunMode(!designMode());
    m_engine.setNullText(state().nullText);
    m_engine.setEditable(!state().locked && state().allowEdit && !calculatorOpen());
    m_engine.setInsertMode(state().insertMode);
    m_engine.setClipLiterals(state().clipLiterals);
    m_engine.setAutoTab(state().autoTab);
    m_engine.setAutoSelect(state().autoSelect);
}

// ------------------------------------------------------------------ properties

void CNumCtrl::assignGeneric(const QString &name, const QVariant &v)
{
    const PropertyDef *propDef = findPropertyDef(name);
    if (!propDef)
        throw AutomationError(AutomationError::ObjectDoesntSupportMember);
    propDef->assign(state(), propDef->convert(v));
    applyChange(propDef->name);
}

void CNumCtrl::applyChange(const QString &name)
{
    const PropertyDef *propDef = findPropertyDef(name);
    const unsigned flags = propDef ? propDef->flags : 0;
    syncEngine();
    if (flags & AppliesEnabled)
        setEnabled(state().enabled);
    if (flags & AppliesFont)
        setFont(state().font);
    if (flags & RestartsCaret)
        restartCaret();
    if ((flags & BindsStatus) && !m_loading && !designMode()) {
        m_status->bind();
        m_status->update(hasFocus());
    }
    if (flags & AppliesCursor)
        setCursor(pointerCursor());
    if ((flags & Reformat) && !m_loading)
        m_engine.reformat();
    else if (flags & RefreshesShown)
        m_engine.refreshShown();
    if (!m_loading)
        notifyPropertyChanged(name);
    update();
    announceEdits();
}

// ------------------------------------------------------------------ value surface

TallixValue CNumCtrl::valueRules() const
{
    return TallixValue(m_engine, state(), dataType());
}

QString CNumCtrl::text() const
{
    return designMode() ? state().designText : m_engine.value();
}

void CNumCtrl::applyText(const QString &text, bool raise)
{
    const QString trimmed = text.trimmed();
    const auto v = valueRules().textValue(trimmed);
    if (!v) {
        if (raise)
            throw AutomationError(AutomationError::TypeMismatch);
        return;
    }
    state().designText = trimmed;
    m_engine.assignValue(*v);
    afterValueChange();
    if (!m_loading)
        changeNotification();
}

void CNumCtrl::setText(const QString &text)
{
    applyText(text, true);
}

QVariant CNumCtrl::value() const
{
    return valueRules().value();
}

void CNumCtrl::setValue(const QVariant &input)
{
    if (!input.isValid()) {
        state().designText.clear();
        m_engine.assignValue(QString());
        afterValueChange();
        return;
    }
    const auto text = valueRules().valueText(input);
    if (!text) {
        qCDebug(orvelLog).noquote() << objectName() << "Value passt nicht zur Maske:" << input;
        throw AutomationError(AutomationError::TypeMismatch);
    }
    m_engine.assignValue(*text);
    m_engine.setSelection(0, 0);
    state().designText = *text;
    afterValueChange();
}

QString CNumCtrl::formatText() const
{
    const comctl::HostSite *host = site();
    return valueRules().formatText(
        host ? TallixValue::SiteFormat([host](const QVariant &v, const QString &picture) {
            return host->formatValue(v, picture);
        })
             : TallixValue::SiteFormat());
}

int CNumCtrl::dataType() const
{
    if (m_binding->isBound()) {
        const int field = m_binding->fieldType();
        if (field != -2)
            return field;
    }
    return state().dataType;
}

void CNumCtrl::setDataType(int type)
{
    if (type < 0 || type > 5)
        throw AutomationError(AutomationError::InvalidPropertyValue);
    if (m_binding->isBound())
        throw AutomationError(
            31002,
            QStringLiteral("Cannot set DataType property when control is bound to a field in a "
                           "database."));
    if (!valueRules().convertsTo(type))
        throw AutomationError(31003, QStringLiteral("Cannot coerce value to new data type."));
    state().dataType = type;
    notifyPropertyChanged(QStringLiteral("DataType"));
}

void CNumCtrl::afterValueChange()
{
    restartCaret();
    update();
    announceEdits();
}

void CNumCtrl::selectShown(int anchor, int caret)
{
    m_engine.setSelection(anchor, caret);
    restartCaret(); // also scrolls the caret into view and repaints
    announceEdits();
}

void CNumCtrl::announceEdits()
{
    m_accessible->announce(this, m_engine, isEmpty() ? QVariant() : value());
}

void CNumCtrl::changeNotification()
{
    m_binding->valueChanged();
    fire(&CNumCtrl::Change, QStringLiteral("Change"));
}

int CNumCtrl::validate()
{
    qint16 valid = -1;
    const auto answers
        = fire(&CNumCtrl::OnValidate, QStringLiteral("OnValidate"), m_engine.value(), valid);
    if (!answers)
        return ErrTypeNoError;
    return valueRules().validate(answers->value(1).toInt() != 0);
}

// ------------------------------------------------------------------ editing methods

void CNumCtrl::copy()
{
    const QString text = m_engine.copyText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void CNumCtrl::cut()
{
    QString text;
    if (m_engine.cut(&text) && !text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
    afterValueChange();
}

void CNumCtrl::deleteSelection()
{
    if (m_engine.hasSelection())
        m_engine.deleteKey();
    afterValueChange();
}

void CNumCtrl::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!m_engine.editable()) {
        m_engine.paste(text);
        return;
    }
    if (!text.isEmpty())
        m_engine.paste(text);
    afterValueChange();
}

void CNumCtrl::undo()
{
    m_engine.undo();
    afterValueChange();
}

bool CNumCtrl::spin(bool up)
{
    const auto next = valueRules().spinStep(up);
    if (!next)
        return false;
    const QString before = m_engine.value();
    QPointer<CNumCtrl> self(this);
    try {
        setValue(*next);
    } catch (const AutomationError &) {
        return false;
    }
    // A spin is an edit of the user: a bound field must learn of it like of typing.
    if (m_engine.value() != before)
        changeNotification();
    if (!self)
        return false;
    if (fire(&CNumCtrl::SpinClick, QStringLiteral("SpinClick"), qint32(up ? 1 : 0)))
        repaint();
    return true;
}

void CNumCtrl::fireInvalidChar(const QString &ch, int position)
{
    fire(&CNumCtrl::InvalidChar, QStringLiteral("InvalidChar"), ch, qint16(position));
}

void CNumCtrl::fireStockError(int number, const QString &description)
{
    QString text = description;
    bool cancel = false;
    fire(&CNumCtrl::Error, QStringLiteral("Error"), qint16(number), text, qint32(0), className(),
         QString(), qint32(0), cancel);
}

// ------------------------------------------------------------------ focus and keys

bool CNumCtrl::sameFormActive() const
{
    return window() && window()->isActiveWindow();
}

void CNumCtrl::refocusLater()
{
    QPointer<CNumCtrl> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->sameFormActive())
            self->setFocus(Qt::OtherFocusReason);
    });
}

void CNumCtrl::focusInEvent(QFocusEvent *event)
{
    MaskEditBase::focusInEvent(event);
    if (m_engine.focused()) {
        // Back from the own calculator's window: the control never lost its edit.
        restartCaret();
        return;
    }
    syncEngine();
    m_engine.focusIn();
    restartCaret();
    m_status->update(true);
}

void CNumCtrl::focusOutEvent(QFocusEvent *event)
{
    MaskEditBase::focusOutEvent(event);
    // A window manager may hand the activation to the calculator when it shows; the
    // control keeps working with its calculator then.
    CalculatorPopup *calculator = m_calculator->existingPopup();
    if (calculatorOpen() && calculator
        && (QApplication::activeWindow() == calculator || event->reason() == Qt::PopupFocusReason))
        return;
    const bool sameForm = event->reason() != Qt::ActiveWindowFocusReason && sameFormActive();
    runLostFocus(sameForm);
}

void CNumCtrl::runLostFocus(bool sameForm)
{
    if (calculatorOpen() && state().calcDropDown)
        m_calculator->finish();
    m_engine.focusOut();
    restartCaret();
    m_status->update(false);
    if (!sameForm || designMode())
        return;
    qint16 cancel = 0;
    const auto answers
        = fire(&CNumCtrl::BeforeLostFocus, QStringLiteral("BeforeLostFocus"), cancel);
    if (!answers)
        return;
    if (answers->value(0).toInt() != 0 || cancel != 0) {
        refocusLater();
        return;
    }
    QPointer<CNumCtrl> self(this);
    const int result = validate();
    if (!self)
        return;
    m_engine.setMaskError(result != ErrTypeNoError);
    if (result == ErrTypeNoError)
        return;
    update();
    if (fire(&CNumCtrl::DataError, QStringLiteral("DataError"), qint16(result), m_engine.value())
        && state().keepFocusOnError)
        refocusLater();
}

void CNumCtrl::handleKey(QKeyEvent *e)
{
    using Command = NumberEditEngine::KeyCommand;
    switch (m_engine.processKey(e->key(), e->modifiers())) {
    case Command::None:
        return;
    case Command::Revert:
        if (state().allowEscape && m_binding->isBound())
            m_binding->read();
        return;
    case Command::SpinUp:
    case Command::SpinDown:
        if (!state().spinKeys || state().locked)
            return;
        m_engine.suppressNextChar(); // the key's "+" or "-" is not typed as well
        spin(e->key() == Qt::Key_Plus);
        return;
    case Command::Calculator:
        if (state().calcDropDown)
            m_calculator->open();
        return;
    case Command::NextControl:
        if (state().tabOnEnter)
            moveToNextControl();
        return;
    case Command::ToggleInsert:
        if (state().allowInsertModeChange) {
            state().insertMode = !state().insertMode;
            syncEngine();
        }
        return;
    case Command::Copy:
        return copy();
    case Command::Cut:
        return cut();
    case Command::Paste:
        return paste();
    case Command::Undo:
        return undo();
    }
}

void CNumCtrl::keyPressEvent(QKeyEvent *event)
{
    if (designMode()) {
        MaskEditBase::keyPressEvent(event);
        return;
    }
    event->accept();
    QPointer<CNumCtrl> self(this);
    syncEngine();
    // The key-down: the control's own handling, then the stock KeyDown.
    if (calculatorOpen() && m_calculator->existingPopup())
        m_calculator->key(event);
    else
        handleKey(event);
    if (!self)
        return;
    afterValueChange();
    qint16 keyCode = comctl::KeyCodes::virtualKey(event);
    const qint16 shift = comctl::KeyCodes::shiftState(event->modifiers());
    if (!fire(&CNumCtrl::KeyDown, QStringLiteral("KeyDown"), keyCode, shift))
        return;
    // The character the key delivers: the stock KeyPress for every one (Enter, Backspace
    // and keys meant for the calculator too), then the typed-character handling.
    qint16 ascii = qint16(comctl::KeyCodes::character(event));
    if (ascii == 0)
        return;
    const auto answers = fire(&CNumCtrl::KeyPress, QStringLiteral("KeyPress"), ascii);
    if (!answers)
        return;
    ascii = qint16(answers->value(0).toInt());
    if (calculatorOpen() && m_calculator->existingPopup())
        m_calculator->typed(QChar(char16_t(ascii)));
    else
        m_engine.typeChar(QChar(char16_t(ascii))); // 0 (cancelled) only ends a suppression
    if (self)
        afterValueChange();
}

void CNumCtrl::keyReleaseEvent(QKeyEvent *event)
{
    if (designMode()) {
        MaskEditBase::keyReleaseEvent(event);
        return;
    }
    qint16 keyCode = comctl::KeyCodes::virtualKey(event);
    const qint16 shift = comctl::KeyCodes::shiftState(event->modifiers());
    fire(&CNumCtrl::KeyUp, QStringLiteral("KeyUp"), keyCode, shift);
}

void CNumCtrl::changeEvent(QEvent *event)
{
    MaskEditBase::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

} // namespace orvel
