#include "AutomationError.h"

namespace comctl {

AutomationError::AutomationError(int number)
    : AutomationError(number, standardText(number))
{
}

AutomationError::AutomationError(int number, const QString &text)
    : m_number(number)
    , m_text(text)
    , m_what(QStringLiteral("error %1: %2").arg(number).arg(text).toUtf8())
{
}

const char *AutomationError::what() const noexcept
{
    return m_what.constData();
}

QString AutomationError::standardText(int number)
{
    switch (number) {
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case InvalidPropertyArrayIndex:
        return QStringLiteral("Invalid property array index");
    case SetNotSupportedAtRuntime:
        return QStringLiteral("Set not supported at runtime");
    case SetNotSupported:
        return QStringLiteral("Set not supported (read-only property)");
    case SetNotPermitted:
        return QStringLiteral("Set not permitted");
    case GetNotSupported:
        return QStringLiteral("Get not supported (write-only property)");
    case ObjectDoesntSupportMember:
        return QStringLiteral("Object doesn't support this property or method");
    case WrongNumberOfArguments:
        return QStringLiteral("Wrong number of arguments or invalid property assignment");
    case Overflow:
        return QStringLiteral("Overflow");
    case FileNotFound:
        return QStringLiteral("File not found");
    case CannotCreateObject:
        return QStringLiteral("ActiveX component can't create object");
    case InvalidPictureType:
        return QStringLiteral("Invalid picture type");
    default:
        return {};
    }
}

} // namespace comctl
