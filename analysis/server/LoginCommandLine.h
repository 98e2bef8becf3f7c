#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ertragon {

// The login values of the program's command line: blank-separated company,
// branch, user code, password, server, port and namespace, used only when the
// first word is numeric. A password word "-" stands for $ERTRAGON_PASSWORD, read once.
struct LoginCommandLine
{
    QString firma;
    QString filiale;
    QString name;
    QString password;
    QString server;
    QString port;
    QString nameSpace;

    // Nothing when the first word is missing or not numeric. environmentPassword is
    // what a password word "-" stands for.
    static std::optional<LoginCommandLine> parse(const QString &commandLine,
                                                 const QString &defaultServer,
                                                 const QString &environmentPassword = {});
    // $ERTRAGON_PASSWORD, taken out of the environment so that no child process
    // inherits it.
    static QString takeEnvironmentPassword();
    // The process arguments after the program name, joined by blanks.
    static QString fromArguments(const QStringList &arguments);
    static bool isNumeric(const QString &word);
};

} // namespace ertragon
