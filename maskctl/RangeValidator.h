#pragma once

#include <QString>
#include <QVariant>

namespace orvel {

// ValidateTypeConstants
enum ValidateType : int {
    ValidateTypeNone = 0,
    ValidateTypeWithin = 1,
    ValidateTypeOutside = 2,
    ValidateTypeNegative = 3,
    ValidateTypePositive = 4,
    ValidateTypeNonZero = 5,
};

// ErrorTypeConstants
enum ErrorType : int {
    ErrTypeNoError = 0,
    ErrTypeNullNotAllowed = 1,
    ErrTypeDataReadError = 2,
    ErrTypeCharRequired = 3,
    ErrTypeBadType = 4,
    ErrTypeInvalidRange = 5,
    ErrTypeNotWeekday = 6,
    ErrTypeNotWeekend = 7,
    ErrTypeNotNegative = 8,
    ErrTypeNotPositive = 9,
    ErrTypeNotNonZero = 10,
    ErrTypeUserError = 11,
};

// Range and sign check of a typed value against the ValidateRange bounds.
class RangeValidator
{
public:
    struct Rule
    {
        int validateType = ValidateTypeNone;
        QString low;
        QString high;
        int dataType = 5;
        QChar localeDecimalSep = u'.';
    };

    // An ErrorType: 0, 5, 8, 9 or 10. No check (0) unless the value is numeric and both
    // bounds are set and convert to the data type.
    static int check(const QVariant &value, const Rule &rule);
};

} // namespace orvel
