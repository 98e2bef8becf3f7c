#pragma once

#include <QString>

namespace kordex {

// The server keeps German letters in a 7-bit form: { | } ~ [ \ ] stand for
// ä ö ü ß Ä Ö Ü, and õ for §. These convert between that form and normal text.
QString toServerText(const QString &screenText);
QString toScreenText(const QString &serverText);

} // namespace kordex
