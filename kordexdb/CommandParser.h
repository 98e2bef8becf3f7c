#pragma once

#include <QString>
#include <optional>

namespace kordex {

// One command text of KX.Windows.Xecute, parsed strictly.
struct Command
{
    enum Kind { Context, Terminal, MainGroups, Departments, MainDepartments, SubGroups, DataBasis };
    Kind kind;
    QString company; // Context
    QString branch; // Context
    QString user; // Context
    QString argument; // SubGroups: the main group
};

class CommandParser
{
public:
    // Nothing when the text is not exactly one of the known commands.
    static std::optional<Command> parse(const QString &text);
};

} // namespace kordex
