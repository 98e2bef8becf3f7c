#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <variant>

namespace ertragon {

// The options of the ertragon command line, read before Qt starts, so that help,
// version and usage errors need no display:
//   ertragon [COMPANY BRANCH USER PASSWORD SERVER [PORT [NAMESPACE]]]
// -h/--help, --help-all and -v/--version; Qt's own options (-platform, --style NAME, ...) are left
// for QApplication. Every other word is a login word and reaches the login exactly as
// it stands (a password "-" or one that begins with "-" included).
struct ProgramOptions
{
    enum class Action { Run, Help, HelpAll, Version };
    Action action = Action::Run;
    QString platform; // Qt's -platform NAME, empty when not given
    QStringList loginWords; // the positional words, the login's command line
    // Where the argument holding the password (word 4 of a login command line) stood
    // among the arguments; -1 when there is none.
    qsizetype passwordArgument = -1;
    bool displayGiven = false; // Qt's -display NAME

    // Empty when Qt can open its windows here; otherwise the one line that says why not
    // (no desktop session: neither DISPLAY nor WAYLAND_DISPLAY, and no platform that
    // needs none, such as the tests' offscreen, in -platform or $QT_QPA_PLATFORM).
    QString missingDesktop(const QProcessEnvironment &environment) const;

    // arguments without the program name; the options or a one-line error text.
    static std::variant<ProgramOptions, QString> parse(const QStringList &arguments);
    static QString usage();
    // The usage and Qt's own options (--help-all).
    static QString fullUsage();
};

} // namespace ertragon
