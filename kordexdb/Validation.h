#pragma once

#include <QString>

namespace kordex {

// Rules for codes and names that enter the store. Each returns the problem
// as text, or an empty text when the value is acceptable.
class Validation
{
public:
    // company numbers: 1 to 6 digits, no leading zero
    static QString companyProblem(const QString &company);
    // codes: 1 to 12 visible ASCII characters, no blank, backtick, quote, bar or ";"
    static QString codeProblem(const QString &code);
    // names: 1 to 60 characters as people write them; no backtick, no control
    // character, none of the letters the server form uses for umlauts
    static QString nameProblem(const QString &name);
    static QString flagProblem(const QString &flag); // "J" or "N"
    // fax numbers: empty, or up to 30 digits, blanks and + - / ( ) .
    static QString faxProblem(const QString &fax);
    // e-mail addresses: empty, or up to 80 visible ASCII characters with one
    // "@" between a local part and a domain; no blank, quote, backtick or bar
    static QString emailProblem(const QString &email);
};

} // namespace kordex
