#include "CommandParser.h"

#include <QRegularExpression>

namespace kordex {

std::optional<Command> CommandParser::parse(const QString &text)
{
    static const QRegularExpression context(
        QStringLiteral(R"x(^[Ss] FIRMA=([0-9]+),FIL=([0-9]*),PERSONAL="([^"]*)"$)x"));
    static const QRegularExpression list(QStringLiteral(R"x(^[Dd] (HGRP|ABTNR|HABT)\^KXCLSU$)x"));
    static const QRegularExpression subGroups(
        QStringLiteral(R"x(^[Dd] UGRP\^KXCLSU\(([^()]*)\)$)x"));
    static const QRegularExpression terminal(QStringLiteral(R"x(^[Dd] \^%XTT$)x"));
    static const QRegularExpression dataBasis(QStringLiteral(R"x(^[Ss] P0=\^XWGDAT [Ww] P0$)x"));

    if (auto m = context.match(text); m.hasMatch())
        return Command { Command::Context, m.captured(1), m.captured(2), m.captured(3), {} };
    if (auto m = list.match(text); m.hasMatch()) {
        const QString name = m.captured(1);
        const Command::Kind kind = name == QLatin1String("HGRP") ? Command::MainGroups
            : name == QLatin1String("ABTNR")                     ? Command::Departments
                                                                 : Command::MainDepartments;
        return Command { kind, {}, {}, {}, {} };
    }
    if (auto m = subGroups.match(text); m.hasMatch())
        return Command { Command::SubGroups, {}, {}, {}, m.captured(1) };
    if (terminal.match(text).hasMatch())
        return Command { Command::Terminal, {}, {}, {}, {} };
    if (dataBasis.match(text).hasMatch())
        return Command { Command::DataBasis, {}, {}, {}, {} };
    return std::nullopt;
}

} // namespace kordex
