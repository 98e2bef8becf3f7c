#include <kordex/ServerError.h>

namespace kordex {

ServerError::ServerError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toUtf8())
{
}

} // namespace kordex
