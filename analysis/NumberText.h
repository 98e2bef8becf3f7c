#pragma once

#include <QString>

namespace ertragon::NumberText {

// The longest leading number of a text (blanks, sign, digits, one decimal point,
// an exponent), 0 when there is none: "12.5x" is 12.5, "abc" is 0.
double leadingNumber(const QString &text);

// The company as the server receives it: the text as a number and back to text
// ("" gives "0", "007" gives "7").
QString companyArgument(const QString &text);

} // namespace ertragon::NumberText
