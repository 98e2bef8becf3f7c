#pragma once

#include <QString>
#include <exception>

namespace kordex {

// Every failure of the database service: a number and a description, as the
// server access layer shows them in its error box. The numbers are listed in
// ErrorNumbers.h and in the README.
class ServerError : public std::exception
{
public:
    ServerError(int number, QString description);

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace kordex
