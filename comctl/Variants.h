#pragma once

#include <QString>
#include <QVariant>

namespace comctl {

// Conversions of automation values the way a late-bound caller expects them. Each throws
// AutomationError 13 ("Type mismatch") when the value cannot be converted, and 6 ("Overflow")
// when a number does not fit. Empty converts to 0, false or "". Whole-number conversions round
// halves to the even neighbour.
class Variants
{
public:
    static QVariant empty() { return {}; }
    static QVariant null();
    static bool isEmpty(const QVariant &value) { return !value.isValid(); }
    static bool isNull(const QVariant &value);

    static qint32 toInt32(const QVariant &value);
    static qint16 toInt16(const QVariant &value);
    static quint8 toByte(const QVariant &value);
    static double toDouble(const QVariant &value);
    static bool toBool(const QVariant &value);
    static QString toString(const QVariant &value);
    // OLE_COLOR: a 32-bit unsigned colour value (0x800000nn are system colours).
    static quint32 toColor(const QVariant &value);

    // True for the numeric variant types (integers, floating point).
    static bool isNumeric(const QVariant &value);
};

} // namespace comctl
