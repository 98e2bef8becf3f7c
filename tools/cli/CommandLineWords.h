#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

namespace ertragon::cli {

// The words of a command line whose positional words may begin with "-" (a password
// "-" or "-x"). Long options ("--name", "--name=value", and "--name value" for a known
// option that takes a value), a known option with one dash as Qt accepts its own
// ("-platform offscreen") and the short -h and -v are option words; every other word
// is a positional word, in its order. A parser then reads the option words.
struct CommandLineWords
{
    QStringList options; // the program name first, for QCommandLineParser::parse
    QStringList positional;
    QList<qsizetype> positionalIndex; // where each positional word stands in the arguments

    static CommandLineWords split(const QString &program, const QStringList &arguments,
                                  const QList<QCommandLineOption> &known);
};

} // namespace ertragon::cli
