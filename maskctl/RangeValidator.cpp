#include "RangeValidator.h"

#include "NumericValue.h"

namespace orvel {

int RangeValidator::check(const QVariant &value, const Rule &rule)
{
    if (!NumericValue::isNumericVariant(value) || rule.low.isEmpty() || rule.high.isEmpty())
        return ErrTypeNoError;
    const auto low = NumericValue::fromText(rule.low, rule.dataType, rule.localeDecimalSep);
    const auto high = NumericValue::fromText(rule.high, rule.dataType, rule.localeDecimalSep);
    const auto typed = NumericValue::fromVariant(value, rule.dataType);
    if (!low || !high || !typed || !NumericValue::isNumericVariant(*low))
        return ErrTypeNoError;
    switch (rule.validateType) {
    case ValidateTypeWithin:
        return NumericValue::compare(*typed, *low) < 0 || NumericValue::compare(*typed, *high) > 0
            ? ErrTypeInvalidRange
            : ErrTypeNoError;
    case ValidateTypeOutside:
        return NumericValue::compare(*typed, *low) >= 0 && NumericValue::compare(*typed, *high) <= 0
            ? ErrTypeInvalidRange
            : ErrTypeNoError;
    case ValidateTypeNegative:
        return NumericValue::isNegative(*typed) ? ErrTypeNoError : ErrTypeNotNegative;
    case ValidateTypePositive:
        return NumericValue::isNegative(*typed) ? ErrTypeNotPositive : ErrTypeNoError;
    case ValidateTypeNonZero:
        return NumericValue::isZero(*typed) ? ErrTypeNotNonZero : ErrTypeNoError;
    default:
        return ErrTypeNoError;
    }
}

} // namespace orvel
