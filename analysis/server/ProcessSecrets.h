#pragma once

#include <QString>

namespace ertragon {

// What a program that holds a password does first, before Qt starts: it makes no core
// dumps (a dump would hold the password), and takes PGPASSWORD out of its environment,
// so that no child process inherits it and /proc/PID/environ does not show it.
class ProcessSecrets
{
public:
    static void protect();
    // The variable's value, then the variable gone: overwritten where the process's
    // environment holds it and removed. Empty when it is not set.
    static QString takeEnvironmentSecret(const char *name);
    // Overwrites argument index of argv (0 is the program) in the process's own
    // argument memory, so that ps and /proc/PID/cmdline no longer show it; on a
    // terminal, warns once on stderr that "-" with ERTRAGON_PASSWORD is the safe way.
    static void blankPasswordArgument(int argc, char **argv, qsizetype index,
                                      const QString &program);
};

} // namespace ertragon
