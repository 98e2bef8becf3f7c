#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

namespace ertragon::cli {

// The words of a command line whose positional words may begin with "-" (a password
// "-" or "-x"). Long options ("--name", "--name=value", and "--name value" for a known
// option that takes a value) and the short -h and -v are option words; every other word
// is a positional word, in its order. A parser then reads the option words.
struct CommandLineWords
{
    QStringList options; // the program name first, for QCommandLineParser::parse
    QStringList positional;

    static CommandLineWords split(const QString &program, const QStringList &arguments,
                                  const QList<QCommandLineOption> &known);
};

} // namespace ertragon::cli
