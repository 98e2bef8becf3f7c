#include "LoginCommandLine.h"

#include "ProcessSecrets.h"
#include "TextHelpers.h"

namespace ertragon {

namespace {
const QString blank = QStringLiteral(" ");
}

bool LoginCommandLine::isNumeric(const QString &word)
{
    bool ok = false;
    word.trimmed().toDouble(&ok);
    return ok;
}

QString LoginCommandLine::takeEnvironmentPassword()
{
    return ProcessSecrets::takeEnvironmentSecret("ERTRAGON_PASSWORD");
}

std::optional<LoginCommandLine> LoginCommandLine::parse(const QString &commandLine,
                                                        const QString &defaultServer,
                                                        const QString &environmentPassword)
{
    using TextHelpers::GetPiece;
    const QString first = GetPiece(commandLine, blank, 1);
    if (first.isEmpty() || !isNumeric(first))
        return std::nullopt;
    LoginCommandLine values;
    values.firma = first;
    values.filiale = GetPiece(commandLine, blank, 2);
    values.name = GetPiece(commandLine, blank, 3);
    values.password = GetPiece(commandLine, blank, 4);
    // "-" keeps the password out of the process list: it comes from the environment.
    if (values.password == QLatin1String("-"))
        values.password = environmentPassword;
    values.server = GetPiece(commandLine, blank, 5, defaultServer);
    values.port = GetPiece(commandLine, blank, 6, QStringLiteral("1972"));
    values.nameSpace = GetPiece(commandLine, blank, 7, QStringLiteral("KORDEX"));
    return values;
}

QString LoginCommandLine::fromArguments(const QStringList &arguments)
{
    return arguments.mid(1).join(blank);
}

} // namespace ertragon
