#include "ProcessSecrets.h"

#include <QTextStream>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ertragon {

void ProcessSecrets::protect()
{
    const rlimit none { 0, 0 };
    ::setrlimit(RLIMIT_CORE, &none);
    // Also keeps a dump handler of the system (a core_pattern pipe) away.
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    takeEnvironmentSecret("PGPASSWORD");
}

QString ProcessSecrets::takeEnvironmentSecret(const char *name)
{
    // getenv points into the environment block itself: unsetenv alone would leave the
    // text there, where /proc/PID/environ reads it.
    char *value = std::getenv(name);
    if (!value)
        return {};
    const QString text = QString::fromLocal8Bit(value);
    std::memset(value, 0, std::strlen(value));
    ::unsetenv(name);
    return text;
}

void ProcessSecrets::blankPasswordArgument(int argc, char **argv, qsizetype index,
                                           const QString &program)
{
    if (index <= 0 || index >= argc || std::strcmp(argv[index], "-") == 0)
        return;
    std::memset(argv[index], 0, std::strlen(argv[index]));
    if (::isatty(STDERR_FILENO))
        QTextStream(stderr) << program
                            << ": Warnung: ein Passwort auf der Befehlszeile sehen andere Benutzer"
                               " dieses Rechners (ps); sicherer ist \"-\" mit ERTRAGON_PASSWORD."
                            << Qt::endl;
}

} // namespace ertragon
