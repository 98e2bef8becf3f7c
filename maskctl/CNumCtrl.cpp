#include "CNumCtrl.h"

#include "CalculatorDropDown_p.h"
#include "FieldBinding_p.h"
#include "MaskFormatter.h"
#include "NumericValue.h"
#include "OrvelLog.h"
#include "PictureFormatter.h"
#include "PropertyDef_p.h"
#include "RangeValidator.h"
#include "SpinRepeater_p.h"
#include "StatusTextLink_p.h"
#include "ToolTipPoller_p.h"
#include "comctl/AutomationError.h"
#include "comctl/HostSite.h"
#include "comctl/KeyCodes.h"
#include "comctl/PropertyBag.h"
#include "comctl/PropertyExchange.h"
#include "comctl/Variants.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCursor>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <cmath>
#include <utility>

using comctl::AutomationError;
using comctl::Variants;

namespace orvel {

namespace {

QVariant pictureFrom(const QVariant &v)
{
    if (!v.isValid() || Variants::isNull(v))
        return {};
    switch (v.typeId()) {
    case QMetaType::QPixmap:
        return v;
    case QMetaType::QImage:
        return QPixmap::fromImage(v.value<QImage>());
    case QMetaType::QIcon:
        return v.value<QIcon>().pixmap(32, 32);
    case QMetaType::QByteArray: {
        QPixmap p;
        if (p.loadFromData(v.toByteArray()))
            return p;
        break;
    }
    default:
        break;
    }
    throw AutomationError(AutomationError::InvalidPictureType);
}

QVariant persistedPicture(const QVariant &v)
{
    if (!v.isValid() || v.value<QPixmap>().isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    v.value<QPixmap>().save(&buffer, "PNG");
    return bytes;
}

// Button, Shift, X, Y of the stock mouse events.
QVariantList mouseEventArguments(const QMouseEvent *event, Qt::MouseButtons buttons)
{
    return { qint16(buttons.toInt()), comctl::KeyCodes::shiftState(event->modifiers()),
             float(event->position().x()), float(event->position().y()) };
}

} // namespace

// ------------------------------------------------------------------ construction

CNumCtrl::CNumCtrl(QWidget *parent)
    : MaskEditBase(parent)
    , m_binding(std::make_unique<FieldBinding>(*this))
    , m_calculator(std::make_unique<CalculatorDropDown>(*this))
    , m_spinRepeat(std::make_unique<SpinRepeater>(*this))
    , m_toolTip(std::make_unique<ToolTipPoller>(*this))
    , m_status(std::make_unique<StatusTextLink>(*this))
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

// ------------------------------------------------------------------ generic properties

QCursor CNumCtrl::pointerCursor() const
{
    static const Qt::CursorShape shapes[] = {
        Qt::IBeamCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    const int pointer = state().mousePointer;
    if (pointer == 99) {
        const QPixmap icon = state().mouseIcon.value_or(QPixmap());
        return icon.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(icon);
    }
    return QCursor(shapes[qBound(0, pointer, 15)]);
}

void CNumCtrl::assignGeneric(const QString &name, const QVariant &v)
{
    const PropertyDef *propDef = findPropertyDef(name);
    if (!propDef)
        throw AutomationError(AutomationError::ObjectDoesntSupportMember);
    QVariant stored;
    switch (propDef->kind) {
    case PropKind::Bool:
        stored = Variants::toBool(v);
        break;
    case PropKind::Int16:
    case PropKind::Int32: {
        const qint32 n
            = propDef->kind == PropKind::Int16 ? Variants::toInt16(v) : Variants::toInt32(v);
        if (n < propDef->min || n > propDef->max)
            throw AutomationError(AutomationError::InvalidPropertyValue);
        stored = n;
        break;
    }
    case PropKind::Colour:
        stored = QVariant::fromValue(Variants::toColor(v));
        break;
    case PropKind::String:
        stored = Variants::toString(v);
        break;
    case PropKind::Font:
        if (v.typeId() == QMetaType::QFont) {
            stored = v;
        } else if (v.typeId() == QMetaType::QString) {
            QFont f;
            if (!f.fromString(v.toString()))
                throw AutomationError(AutomationError::TypeMismatch);
            stored = f;
        } else {
            throw AutomationError(AutomationError::TypeMismatch);
        }
        break;
    case PropKind::Picture:
        stored = pictureFrom(v);
        break;
    case PropKind::Single:
        stored = Variants::toDouble(v);
        break;
    case PropKind::Variant:
    case PropKind::Object:
        stored = v;
        break;
    }
    propDef->assign(state(), stored);
    applyChange(propDef->name);
}

void CNumCtrl::applyChange(const QString &name)
{
    const PropertyDef *propDef = findPropertyDef(name);
    syncEngine();
    if (name == u"Enabled")
        setEnabled(state().enabled);
    else if (name == u"Font")
        setFont(state().font);
    else if (name == u"InsertMode")
        restartCaret();
    else if (name == u"StatusBarControlName" && !m_loading && !designMode()) {
        m_status->bind();
        m_status->update(hasFocus());
    } else if (name == u"MousePointer" || name == u"MouseIcon")
        setCursor(pointerCursor());
    if (propDef && (propDef->flags & Reformat) && !m_loading)
        m_engine.reformat();
    else if (name == u"NullText" || name == u"Format")
        m_engine.refreshShown();
    if (!m_loading)
        notifyPropertyChanged(name);
    update();
}

void CNumCtrl::setProp(const QString &name, const QVariant &v)
{
    const comctl::DispatchResult r = put(name, v);
    if (!r.ok())
        throw r.error;
}

// ------------------------------------------------------------------ value surface

QChar CNumCtrl::localeDecimal() const
{
    const QString sep = localeDecimalSeparator(m_engine.settings(), m_engine.locale());
    return sep.isEmpty() ? QChar(u'.') : sep.at(0);
}

QString CNumCtrl::text() const
{
    return designMode() ? state().designText : m_engine.value();
}

void CNumCtrl::applyText(const QString &text, bool raise)
{
    const QString trimmed = text.trimmed();
    const QString v = m_engine.textToValue(trimmed);
    const bool converts = v.isEmpty() || NumericValue::fromText(v, dataType(), u'.').has_value();
    if (!m_engine.isValidCandidate(v) || !converts) {
        if (raise)
            throw AutomationError(AutomationError::TypeMismatch);
        return;
    }
    state().designText = trimmed;
    m_engine.assignValue(v);
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
    if (m_engine.value().isEmpty())
        return {};
    const auto typed = NumericValue::fromText(m_engine.value(), dataType(), u'.');
    return typed ? NumericValue::forHost(*typed) : QVariant();
}

void CNumCtrl::setValue(const QVariant &input)
{
    if (!input.isValid()) {
        state().designText.clear();
        m_engine.assignValue(QString());
        afterValueChange();
        return;
    }
    QVariant given = input;
    if (Variants::isNull(given))
        given = QVariant::fromValue(qint32(0));
    switch (given.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        break;
    default:
        if (given.typeId() != qMetaTypeId<Currency>())
            throw AutomationError(AutomationError::TypeMismatch);
    }
    const double d = given.typeId() == qMetaTypeId<Currency>() ? given.value<Currency>().toDouble()
                                                               : given.toDouble();
    if (!std::isfinite(d))
        throw AutomationError(AutomationError::TypeMismatch);
    const int places = m_engine.effective().decimalPlaces;
    QString text = NumericValue::doubleToText(d);
    if (places <= 7)
        text = NumericValue::floorDecimals(text, qMax(0, places));
    if (!m_engine.isValidCandidate(text)) {
        qCDebug(orvelLog).noquote() << objectName() << "Value passt nicht zur Maske:" << text;
        throw AutomationError(AutomationError::TypeMismatch);
    }
    const QVariant numeric = given.typeId() == qMetaTypeId<Currency>() ? given : QVariant(d);
    if (!NumericValue::fromVariant(numeric, dataType()))
        throw AutomationError(AutomationError::TypeMismatch);
    m_engine.assignValue(text);
    m_engine.setSelection(0, 0);
    state().designText = text;
    afterValueChange();
}

QString CNumCtrl::formatText() const
{
    const QString picture = state().format;
    if (picture.isEmpty() || m_engine.value().isEmpty())
        return m_engine.display();
    const auto typed = NumericValue::fromText(m_engine.value(), dataType(), u'.');
    if (!typed)
        return m_engine.display();
    const QVariant hostValue = NumericValue::forHost(*typed);
    if (site()) {
        if (const auto text = site()->formatValue(hostValue, picture))
            return *text;
    }
    PictureFormatter::Separators sep;
    const QString dec = m_engine.locale().item(LocaleItem::NumberDecimalSep);
    const QString thousands = m_engine.locale().item(LocaleItem::NumberThousandSep);
    sep.decimal = dec.isEmpty() ? QStringLiteral(".") : dec;
    sep.thousands = thousands.isEmpty() && dec != u"," ? QStringLiteral(",") : thousands;
    if (const auto d = NumericValue::toDouble(*typed)) {
        if (const auto text = PictureFormatter::format(*d, picture, sep))
            return *text;
    }
    return NumericValue::toText(*typed, localeDecimal());
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
    if (!m_engine.value().isEmpty() && !NumericValue::fromText(m_engine.value(), type, u'.'))
        throw AutomationError(31003, QStringLiteral("Cannot coerce value to new data type."));
    state().dataType = type;
    notifyPropertyChanged(QStringLiteral("DataType"));
}

void CNumCtrl::afterValueChange()
{
    restartCaret();
    update();
}

void CNumCtrl::changeNotification()
{
    m_binding->valueChanged();
    Q_EMIT Change();
    raiseEvent(QStringLiteral("Change"));
}

int CNumCtrl::validate()
{
    QPointer<CNumCtrl> self(this);
    qint16 valid = -1;
    Q_EMIT OnValidate(m_engine.value(), valid);
    if (!self)
        return ErrTypeNoError;
    const QVariantList args = raiseEvent(QStringLiteral("OnValidate"), { m_engine.value(), valid });
    if (!self)
        return ErrTypeNoError;
    valid = qint16(args.value(1).toInt());
    if (valid == 0)
        return ErrTypeUserError;
    if (!state().allowNull && isEmpty())
        return ErrTypeNullNotAllowed;
    const EffectiveMask mask = m_engine.effective();
    QString digits;
    for (const QChar c : m_engine.display()) {
        if (!mask.isLiteral(c))
            digits.append(c);
    }
    if (m_engine.isNegative() && !digits.isEmpty())
        digits.prepend(u'-');
    const int type = dataType();
    const QChar dec = mask.decimalCharacter().isNull() ? QChar(u'.') : mask.decimalCharacter();
    if (type != DataTypeNone && !digits.isEmpty() && !NumericValue::fromText(digits, type, dec))
        return ErrTypeBadType;
    if (isEmpty())
        return ErrTypeNoError;
    const auto typed = NumericValue::fromText(m_engine.value(), type, u'.');
    if (!typed)
        return ErrTypeNoError;
    return RangeValidator::check(*typed, rangeRule(type));
}

RangeValidator::Rule CNumCtrl::rangeRule(int type) const
{
    RangeValidator::Rule rule;
    rule.validateType = state().validateType;
    rule.low = state().validateRangeLow;
    rule.high = state().validateRangeHigh;
    rule.dataType = type;
    rule.localeDecimalSep = localeDecimal();
    return rule;
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
    const int type = dataType();
    if (type == DataTypeNone)
        return false;
    const QString current = m_engine.value().isEmpty() ? QStringLiteral("0") : m_engine.value();
    const auto now = NumericValue::fromText(current, type, u'.');
    const auto step = NumericValue::fromText(state().spinValue, type, localeDecimal());
    if (!now || !step)
        return false;
    const auto next = NumericValue::step(*now, *step, up);
    if (!next)
        return false;
    if (RangeValidator::check(*next, rangeRule(type)) != ErrTypeNoError)
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
    Q_EMIT SpinClick(up ? 1 : 0);
    if (self)
        raiseEvent(QStringLiteral("SpinClick"), { qint32(up ? 1 : 0) });
    if (self)
        repaint();
    return true;
}

// ------------------------------------------------------------------ events

void CNumCtrl::fireInvalidChar(const QString &ch, int position)
{
    Q_EMIT InvalidChar(ch, qint16(position));
    raiseEvent(QStringLiteral("InvalidChar"), { ch, qint16(position) });
}

void CNumCtrl::fireStockError(int number, const QString &description)
{
    QString text = description;
    bool cancel = false;
    Q_EMIT Error(qint16(number), text, 0, className(), QString(), 0, cancel);
    raiseEvent(QStringLiteral("Error"),
               { qint16(number), text, 0, className(), QString(), 0, cancel });
}

// ------------------------------------------------------------------ persistence

void CNumCtrl::exchangeOne(comctl::PropertyExchange &ex, const QString &name)
{
    const PropertyDef *propDef = findPropertyDef(name);
    if (!propDef)
        return;
    const auto persistedForm = [&](const QVariant &v) -> QVariant {
        switch (propDef->kind) {
        case PropKind::Colour:
            return qint64(v.toUInt());
        case PropKind::Picture:
            return persistedPicture(v);
        case PropKind::Single:
            return float(v.toDouble());
        default:
            return v;
        }
    };
    QVariant current = persistedForm(propDef->valueIn(state()));
    // The font of a new control is the host's: it is always saved.
    const QVariant defaultValue
        = name == u"Font" ? QVariant() : persistedForm(propDef->defaultValue());
    ex.exchange(name, current, defaultValue);
    if (!ex.isLoading())
        return;
    if (name == u"Font" && !current.isValid())
        return; // keep the ambient font
    try {
        if (name == u"Text") {
            state().designText = Variants::toString(current);
        } else if (name == u"CalcWidth" || name == u"CalcHeight") {
            const double px = Variants::toDouble(current);
            if (!std::isfinite(px) || px < 0 || (name == u"CalcHeight" && px <= 0) || px > 1e5)
                return;
            (name == u"CalcWidth" ? state().calcWidthPx : state().calcHeightPx) = px;
        } else if (name == u"DataType") {
            const int type = Variants::toInt16(current);
            if (type >= 0 && type <= 5)
                state().dataType = type;
        } else if (name == u"DataField") {
            state().dataField = Variants::toString(current);
        } else {
            setProp(name, current);
        }
    } catch (const AutomationError &) {
        // A damaged or foreign value leaves the default in place.
    }
}

void CNumCtrl::exchange(comctl::PropertyExchange &ex)
{
    if (!ex.exchangeVersion(1, 0)) {
        setDefaults();
        return;
    }
    for (const QString &name : baseExchangeOrder())
        exchangeOne(ex, name);
    for (const QString &name : numericExchangeOrder())
        exchangeOne(ex, name);
    // The tooltip settings are kept at design time as well, so they are always exchanged.
    for (const QString &name : toolTipExchangeOrder())
        exchangeOne(ex, name);
}

void CNumCtrl::loadProperties(const comctl::PropertyBag &bag)
{
    setDefaults();
    m_loading = true;
    comctl::PropertyBag copy = bag;
    comctl::PropertyExchange ex(copy, comctl::PropertyExchange::Direction::Load);
    exchange(ex);
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
    const_cast<CNumCtrl *>(this)->exchange(ex);
}

// ------------------------------------------------------------------ helpers' surface

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
    QPointer<CNumCtrl> self(this);
    qint16 cancel = 0;
    Q_EMIT BeforeLostFocus(cancel);
    if (!self)
        return;
    const QVariantList args = raiseEvent(QStringLiteral("BeforeLostFocus"), { cancel });
    if (!self)
        return;
    if (args.value(0).toInt() != 0 || cancel != 0) {
        refocusLater();
        return;
    }
    const int result = validate();
    if (!self)
        return;
    m_engine.setMaskError(result != ErrTypeNoError);
    if (result == ErrTypeNoError)
        return;
    update();
    Q_EMIT DataError(qint16(result), m_engine.value());
    if (!self)
        return;
    raiseEvent(QStringLiteral("DataError"), { qint16(result), m_engine.value() });
    if (self && state().keepFocusOnError)
        refocusLater();
}

void CNumCtrl::moveToNextControl()
{
    QWidget *form = window();
    if (!form)
        return;
    // Tab order: a "TabIndex" property where the host gives one, else the focus chain.
    QList<QWidget *> chain;
    for (QWidget *w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain())
        chain.append(w);
    const auto tabIndex = [&](QWidget *w) {
        const QVariant explicitIndex = w->property("TabIndex");
        return explicitIndex.isValid() ? explicitIndex.toInt() : int(chain.indexOf(w));
    };
    const QList<QWidget *> controls
        = site() ? site()->formControls(this) : comctl::HostSite().formControls(this);
    const int own = tabIndex(this);
    QWidget *next = nullptr, *first = nullptr;
    for (QWidget *w : controls) {
        // A control that hands its focus to an inner box (a text box control) tabs by that.
        const QWidget *focusTaker = w->focusProxy() ? w->focusProxy() : w;
        if (w == this || !w->isVisible() || !w->isEnabled()
            || !(focusTaker->focusPolicy() & Qt::TabFocus))
            continue;
        const int index = tabIndex(w);
        if (index < 0)
            continue;
        if (index > own && (!next || index < tabIndex(next)))
            next = w;
        if (!first || index < tabIndex(first))
            first = w;
    }
    if (QWidget *target = next ? next : first)
        target->setFocus(Qt::TabFocusReason);
}

void CNumCtrl::handleKey(QKeyEvent *e)
{
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_Backspace:
        m_engine.backspace();
        return;
    case Qt::Key_Delete:
        m_engine.deleteKey();
        return;
    case Qt::Key_Escape:
        if (state().allowEscape && m_binding->isBound())
            m_binding->read();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!keypad || !state().spinKeys || state().locked)
            return;
        m_engine.suppressNextChar(); // the key's "+" or "-" is not typed as well
        spin(e->key() == Qt::Key_Plus);
        return;
    case Qt::Key_F4:
        if (state().calcDropDown)
            m_calculator->open();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state().tabOnEnter)
            moveToNextControl();
        return;
    case Qt::Key_Home:
        m_engine.home(shift);
        return;
    case Qt::Key_End:
        m_engine.end(shift);
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        m_engine.left(shift, ctrl);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        m_engine.right(shift, ctrl);
        return;
    case Qt::Key_Insert:
        if (state().allowInsertModeChange) {
            state().insertMode = !state().insertMode;
            syncEngine();
        }
        return;
    default:
        break;
    }
    if (!ctrl)
        return;
    switch (e->key()) {
    case Qt::Key_C:
        copy();
        return;
    case Qt::Key_X:
        cut();
        return;
    case Qt::Key_V:
        paste();
        return;
    case Qt::Key_Z:
        undo();
        return;
    default:
        return;
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
    Q_EMIT KeyDown(keyCode, shift);
    if (!self)
        return;
    raiseEvent(QStringLiteral("KeyDown"), { keyCode, shift });
    if (!self)
        return;
    // The character the key delivers: the stock KeyPress for every one (Enter, Backspace
    // and keys meant for the calculator too), then the typed-character handling.
    qint16 ascii = qint16(comctl::KeyCodes::character(event));
    if (ascii == 0)
        return;
    Q_EMIT KeyPress(ascii);
    if (!self)
        return;
    ascii = qint16(raiseEvent(QStringLiteral("KeyPress"), { ascii }).value(0).toInt());
    if (!self)
        return;
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
    Q_EMIT KeyUp(keyCode, shift);
    raiseEvent(QStringLiteral("KeyUp"), { keyCode, shift });
}

void CNumCtrl::mousePressEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    if (!stripPress(event))
        MaskEditBase::mousePressEvent(event);
    raiseEvent(QStringLiteral("MouseDown"), mouseEventArguments(event, event->button()));
}

void CNumCtrl::mouseMoveEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    m_toolTip->pointerMoved();
    const QPoint pos = event->position().toPoint();
    const ButtonStrip strip = buttonStrip();
    setCursor(strip.strip.contains(pos) ? QCursor(Qt::ArrowCursor) : pointerCursor());
    if (m_tracked != ButtonStrip::None) {
        const bool over = strip.rectOf(m_tracked).contains(pos);
        if (over != m_pressedLook) {
            m_pressedLook = over;
            update();
        }
        return;
    }
    MaskEditBase::mouseMoveEvent(event);
    raiseEvent(QStringLiteral("MouseMove"), mouseEventArguments(event, event->buttons()));
}

void CNumCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    QPointer<CNumCtrl> self(this);
    const bool onButton
        = stripRelease(event) || buttonStrip().strip.contains(event->position().toPoint());
    if (!self)
        return;
    if (!onButton)
        MaskEditBase::mouseReleaseEvent(event);
    // Every MouseDown gets its MouseUp, on the buttons as well; a button's own click is its
    // event (SpinClick, EllipsesClick), not the control's Click.
    raiseEvent(QStringLiteral("MouseUp"), mouseEventArguments(event, event->button()));
    // The release that ends a double click is no Click of its own.
    const bool afterDoubleClick = std::exchange(m_doubleClicked, false);
    if (self && !onButton && !afterDoubleClick && rect().contains(event->position().toPoint()))
        raiseEvent(QStringLiteral("Click"));
}

void CNumCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (designMode())
        return;
    // The double click stands for the second press: on the button strip it presses the
    // button again, with the MouseDown its release will match.
    if (buttonStrip().strip.contains(event->position().toPoint())) {
        QPointer<CNumCtrl> self(this);
        stripPress(event);
        if (self)
            raiseEvent(QStringLiteral("MouseDown"), mouseEventArguments(event, event->button()));
        return;
    }
    MaskEditBase::mouseDoubleClickEvent(event); // the press (MouseDown, caret), then the word
    m_doubleClicked = true;
    raiseEvent(QStringLiteral("DblClick"));
}

void CNumCtrl::changeEvent(QEvent *event)
{
    MaskEditBase::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

// ------------------------------------------------------------------ button strip

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

bool CNumCtrl::stripPress(QMouseEvent *e)
{
    m_toolTip->close(false);
    if (e->button() != Qt::LeftButton || !isEnabled())
        return false;
    const ButtonStrip strip = buttonStrip();
    const ButtonStrip::Part part = strip.hit(e->position().toPoint());
    if (part == ButtonStrip::None)
        return strip.strip.contains(e->position().toPoint());
    switch (part) {
    case ButtonStrip::Ellipsis:
        if (!state().ellipsesButtonEnabled)
            return true;
        break;
    case ButtonStrip::SpinUp:
    case ButtonStrip::SpinDown:
        if (!state().spinButtonEnabled)
            return true;
        m_spinRepeat->start();
        break;
    default:
        break;
    }
    m_tracked = part;
    m_pressedLook = true;
    repaint();
    if (part == ButtonStrip::DropDown) {
        if (calculatorOpen())
            m_calculator->finish();
        else
            m_calculator->open();
    }
    return true;
}

bool CNumCtrl::stripRelease(QMouseEvent *e)
{
    m_toolTip->close(false);
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
    } else if ((part == ButtonStrip::SpinUp || part == ButtonStrip::SpinDown) && !state().locked) {
        spin(part == ButtonStrip::SpinUp);
    }
    return true;
}

bool CNumCtrl::event(QEvent *e)
{
    if (e->type() == SpinRepeater::RepeatEvent) {
        m_spinRepeat->check();
        return true;
    }
    return MaskEditBase::event(e);
}

} // namespace orvel
