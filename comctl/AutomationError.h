#pragma once

#include <QString>
#include <exception>

namespace comctl {

// An automation error as a host sees it: a number and its text. Number 0 means "no error".
// Control code may throw it from property and method implementations; the dispatch layer of
// ComControl catches it and hands it to the caller as a DispatchResult.
class AutomationError : public std::exception
{
public:
    enum Number : int {
        None = 0,
        TypeMismatch = 13,
        InvalidPropertyValue = 380,
        InvalidPropertyArrayIndex = 381,
        SetNotSupportedAtRuntime = 382,
        SetNotSupported = 383,
        SetNotPermitted = 387,
        GetNotSupported = 394,
        InvalidPictureType = 481,
        SubscriptOutOfRange = 9,
        ObjectDoesntSupportMember = 438,
        WrongNumberOfArguments = 450,
        FileNotFound = 53,
        CannotCreateObject = 429,
        Overflow = 6,
    };

    AutomationError() = default;
    // A standard error; the text is the standard text of the number.
    explicit AutomationError(int number);
    // A control-specific error with the control's own text.
    AutomationError(int number, const QString &text);

    int number() const { return m_number; }
    QString text() const { return m_text; }
    bool isError() const { return m_number != None; }
    const char *what() const noexcept override;

    // The standard text of a platform error number, or an empty string for unknown numbers.
    static QString standardText(int number);

private:
    int m_number = None;
    QString m_text;
    QByteArray m_what;
};

} // namespace comctl
