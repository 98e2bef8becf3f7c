#pragma once

#include <QString>
#include <QStringList>
#include <variant>

namespace ertragon {

// The options of the ertragon command line, read before Qt starts, so that help,
// version and usage errors need no display:
//   ertragon [COMPANY BRANCH USER PASSWORD SERVER [PORT [NAMESPACE]]]
// -h/--help and -v/--version; Qt's own options (-platform, --style NAME, ...) are left
// for QApplication. Every other word is a login word and reaches the login exactly as
// it stands (a password "-" or one that begins with "-" included).
struct ProgramOptions
{
    enum class Action { Run, Help, Version };
    Action action = Action::Run;

    // arguments without the program name; the options or a one-line error text.
    static std::variant<ProgramOptions, QString> parse(const QStringList &arguments);
    static QString usage();
};

} // namespace ertragon
