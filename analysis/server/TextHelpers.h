#pragma once

#include <QDate>
#include <QString>

namespace ertragon {

// Small text helpers every window uses: cutting list items and server answers
// into pieces, converting between the server's 7-bit text form and the screen,
// shifting a year-and-month period and turning a server day number into a date.
namespace TextHelpers {

// The n-th piece (from 1) of text between single-character delimiters, or
// defaultText when that piece is empty or missing. A delimiter that is not
// exactly one character never matches, so the whole text is piece 1.
QString GetPiece(const QString &text, const QString &delimiter, int n,
                 const QString &defaultText = QString());

// Every occurrence of search replaced, left to right, replacements never
// rescanned. Without multiCharacter, search and replacement are cut to their
// first character. An empty search text leaves the text as it is.
QString ReplaceText(const QString &text, const QString &search, const QString &replacement,
                    bool multiCharacter);

// Upper-cases letter by letter; the sharp s and the server's code for the
// section sign stay as they are.
QString UpperCase(const QString &text);

// Converts between the server form, the screen, the search form and RTF.
// Modes: "RTF", "KORDEX", "KORDEXSZ", "GUIKORDEX", "KORDEXSUCHE"; any other
// mode only upper-cases (when asked).
QString ConvertUmlauts(const QString &text, const QString &mode, bool upperCase = true);

// A period is the year minus 1900 followed by the two-digit month ("10512" is
// December 2005). Returns it shifted by the month offset.
QString ShiftPeriod(const QString &period, const QString &monthOffset);

// A server day number ((year - 1900) * 10000 + month * 100 + day) as a date;
// an invalid QDate when the number names no calendar day.
QDate ServerDate(const QString &dayNumber);

// The whole-number value at the start of a text, as the server writes numbers:
// leading blanks, an optional sign, then digits; anything else ends it (0 if none).
qint64 LeadingNumber(const QString &text);

} // namespace TextHelpers
} // namespace ertragon
