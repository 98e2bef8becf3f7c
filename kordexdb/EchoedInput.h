#pragma once

#include <QString>

namespace kordex {

// Input repeated in an error message. A message goes to a terminal or an error
// box, so what the user typed or a file held must neither steer the terminal
// (escape sequences, line breaks) nor flood it (a 10 MB field).
class EchoedInput
{
public:
    static constexpr int defaultLimit = 60;

    // The text in double quotes, control and format characters written as
    // \n, \r, \t or \uXXXX, quotes and backslashes escaped, and cut after
    // `limit` characters with "…".
    static QString quoted(const QString &text, int limit = defaultLimit);
    // A whole message made safe for one line: control and format characters
    // escaped as above, nothing cut.
    static QString oneLine(const QString &message);
};

} // namespace kordex
