#include "Variants.h"

#include "AutomationError.h"

#include <cmath>
#include <limits>

namespace comctl {

namespace {

[[noreturn]] void throwMismatch()
{
    throw AutomationError(AutomationError::TypeMismatch);
}

[[noreturn]] void throwOverflow()
{
    throw AutomationError(AutomationError::Overflow);
}

double parseNumberText(const QString &text)
{
    QString trimmed = text.trimmed();
    trimmed.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        throwMismatch();
    return number;
}

double roundHalfEven(double number)
{
    return std::nearbyint(number);
}

double wholeNumber(const QVariant &value, double low, double high)
{
    const double number = roundHalfEven(Variants::toDouble(value));
    if (number < low || number > high)
        throwOverflow();
    return number;
}

} // namespace

QVariant Variants::null()
{
    return QVariant::fromValue(nullptr);
}

bool Variants::isNull(const QVariant &value)
{
    return value.isValid() && value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

bool Variants::isNumeric(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

double Variants::toDouble(const QVariant &value)
{
    if (isEmpty(value))
        return 0.0;
    if (isNull(value))
        throwMismatch();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (isNumeric(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString)
        return parseNumberText(value.toString());
    throwMismatch();
}

qint32 Variants::toInt32(const QVariant &value)
{
    return static_cast<qint32>(
        wholeNumber(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint16 Variants::toInt16(const QVariant &value)
{
    return static_cast<qint16>(
        wholeNumber(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

quint8 Variants::toByte(const QVariant &value)
{
    return static_cast<quint8>(wholeNumber(value, 0, 255));
}

bool Variants::toBool(const QVariant &value)
{
    if (isEmpty(value))
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("wahr"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("falsch"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble(value) != 0.0;
}

QString Variants::toString(const QVariant &value)
{
    if (isEmpty(value))
        return {};
    if (isNull(value))
        throwMismatch();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', 15);
    if (value.typeId() == QMetaType::QString || isNumeric(value))
        return value.toString();
    throwMismatch();
}

quint32 Variants::toColor(const QVariant &value)
{
    return static_cast<quint32>(wholeNumber(value, std::numeric_limits<qint32>::min(),
                                            std::numeric_limits<quint32>::max()));
}

} // namespace comctl
