#pragma once

#include "Currency.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace orvel {

// DataTypeConstants: the automation type a value converts to.
enum DataType : int {
    DataTypeNone = 0, // string
    DataTypeInteger = 1, // 16-bit
    DataTypeLong = 2, // 32-bit
    DataTypeSingle = 3,
    DataTypeDouble = 4,
    DataTypeCurrency = 5,
};

// Conversions between number texts and typed values of the control's data types, with
// the rounding and range rules of automation variants (integers and currency round half
// to even; a value outside the type's range does not convert).
class NumericValue
{
public:
    // Text of the form [-]digits[sep digits] (surrounding blanks allowed) as the data
    // type. The decimal separator may be "." or `decimalSep`. DataTypeNone gives the text.
    static std::optional<QVariant> fromText(const QString &text, int dataType,
                                            QChar decimalSep = u'.');
    // A numeric variant (short, int, float, double, Currency) as the data type.
    static std::optional<QVariant> fromVariant(const QVariant &value, int dataType);

    static bool isNumericVariant(const QVariant &value);
    static std::optional<double> toDouble(const QVariant &value);
    // -1, 0 or 1; both values must hold the same data type.
    static int compare(const QVariant &a, const QVariant &b);
    static bool isNegative(const QVariant &value);
    static bool isZero(const QVariant &value);

    // The double as text with "." and at most 15 significant digits, never in exponent form.
    static QString doubleToText(double value);
    // The number text cut to `places` decimals towards minus infinity (decimal arithmetic).
    static QString floorDecimals(const QString &number, int places);
    // A typed value as plain text with the given decimal separator.
    static QString toText(const QVariant &value, QChar decimalSep = u'.');

    // current + step (up) or current - step (down) in the type of `current`; nullopt when
    // the result leaves the type's range or moves the wrong way (treated as wrapped).
    static std::optional<QVariant> step(const QVariant &current, const QVariant &step, bool up);

    // The QVariant type id that holds values of the data type.
    static int metaTypeOf(int dataType);
    // A typed value as a host receives it: currency travels as a double.
    static QVariant forHost(const QVariant &value);
};

} // namespace orvel
