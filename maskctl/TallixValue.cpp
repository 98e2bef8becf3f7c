#include "TallixValue.h"

#include "Currency.h"
#include "NumericValue.h"
#include "PictureFormatter.h"
#include "comctl/AutomationError.h"
#include "comctl/Variants.h"

#include <cmath>

using comctl::AutomationError;
using comctl::Variants;

namespace orvel {

namespace {

bool isNumberType(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return v.typeId() == qMetaTypeId<Currency>();
    }
}

} // namespace

TallixValue::TallixValue(const NumberEditEngine &engine, const MaskEditState &state, int dataType)
    : m_engine(engine)
    , m_state(state)
    , m_dataType(dataType)
{
}

QChar TallixValue::localeDecimal() const
{
    const QString sep = localeDecimalSeparator(m_engine.settings(), m_engine.locale());
    return sep.isEmpty() ? QChar(u'.') : sep.at(0);
}

std::optional<QString> TallixValue::textValue(const QString &text) const
{
    const QString v = m_engine.textToValue(text);
    const bool converts = v.isEmpty() || NumericValue::fromText(v, m_dataType, u'.').has_value();
    if (!m_engine.isValidCandidate(v) || !converts)
        return std::nullopt;
    return v;
}

QVariant TallixValue::value() const
{
    if (m_engine.value().isEmpty())
        return {};
    const auto typed = NumericValue::fromText(m_engine.value(), m_dataType, u'.');
    return typed ? NumericValue::forHost(*typed) : QVariant();
}

std::optional<QString> TallixValue::valueText(const QVariant &input) const
{
    const QVariant given = Variants::isNull(input) ? QVariant::fromValue(qint32(0)) : input;
    if (!isNumberType(given))
        throw AutomationError(AutomationError::TypeMismatch);
    const bool currency = given.typeId() == qMetaTypeId<Currency>();
    const double d = currency ? given.value<Currency>().toDouble() : given.toDouble();
    if (!std::isfinite(d))
        throw AutomationError(AutomationError::TypeMismatch);
    const int places = m_engine.effective().decimalPlaces;
    QString text = NumericValue::doubleToText(d);
    if (places <= 7)
        text = NumericValue::floorDecimals(text, qMax(0, places));
    if (!m_engine.isValidCandidate(text))
        return std::nullopt;
    if (!NumericValue::fromVariant(currency ? given : QVariant(d), m_dataType))
        throw AutomationError(AutomationError::TypeMismatch);
    return text;
}

bool TallixValue::convertsTo(int dataType) const
{
    return m_engine.value().isEmpty()
        || NumericValue::fromText(m_engine.value(), dataType, u'.').has_value();
}

QString TallixValue::formatText(const SiteFormat &siteFormat) const
{
    const QString picture = m_state.format;
    if (picture.isEmpty() || m_engine.value().isEmpty())
        return m_engine.display();
    const auto typed = NumericValue::fromText(m_engine.value(), m_dataType, u'.');
    if (!typed)
        return m_engine.display();
    if (siteFormat) {
        if (const auto text = siteFormat(NumericValue::forHost(*typed), picture))
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

int TallixValue::validate(bool validByUser) const
{
    if (!validByUser)
        return ErrTypeUserError;
    if (!m_state.allowNull && m_engine.isEmpty())
        return ErrTypeNullNotAllowed;
    const EffectiveMask mask = m_engine.effective();
    QString digits;
    for (const QChar c : m_engine.display()) {
        if (!mask.isLiteral(c))
            digits.append(c);
    }
    if (m_engine.isNegative() && !digits.isEmpty())
        digits.prepend(u'-');
    const QChar dec = mask.decimalCharacter().isNull() ? QChar(u'.') : mask.decimalCharacter();
    if (m_dataType != DataTypeNone && !digits.isEmpty()
        && !NumericValue::fromText(digits, m_dataType, dec))
        return ErrTypeBadType;
    if (m_engine.isEmpty())
        return ErrTypeNoError;
    const auto typed = NumericValue::fromText(m_engine.value(), m_dataType, u'.');
    if (!typed)
        return ErrTypeNoError;
    return RangeValidator::check(*typed, rangeRule());
}

std::optional<QVariant> TallixValue::spinStep(bool up) const
{
    if (m_dataType == DataTypeNone)
        return std::nullopt;
    const QString current = m_engine.value().isEmpty() ? QStringLiteral("0") : m_engine.value();
    const auto now = NumericValue::fromText(current, m_dataType, u'.');
    const auto step = NumericValue::fromText(m_state.spinValue, m_dataType, localeDecimal());
    if (!now || !step)
        return std::nullopt;
    const auto next = NumericValue::step(*now, *step, up);
    if (!next || RangeValidator::check(*next, rangeRule()) != ErrTypeNoError)
        return std::nullopt;
    return next;
}

namespace {

// A number as the control writes its properties: "." or the locale's decimal character.
std::optional<double> numberOf(const QString &text, QChar decimal)
{
    const auto typed = NumericValue::fromText(text, DataTypeDouble, decimal);
    return typed ? NumericValue::toDouble(*typed) : std::nullopt;
}

} // namespace

std::optional<double> TallixValue::rangeEnd(bool high) const
{
    if (m_state.validateType != ValidateTypeWithin)
        return std::nullopt;
    return numberOf(high ? m_state.validateRangeHigh : m_state.validateRangeLow, localeDecimal());
}

std::optional<double> TallixValue::stepSize() const
{
    return numberOf(m_state.spinValue, localeDecimal());
}

RangeValidator::Rule TallixValue::rangeRule() const
{
    RangeValidator::Rule rule;
    rule.validateType = m_state.validateType;
    rule.low = m_state.validateRangeLow;
    rule.high = m_state.validateRangeHigh;
    rule.dataType = m_dataType;
    rule.localeDecimalSep = localeDecimal();
    return rule;
}

} // namespace orvel
