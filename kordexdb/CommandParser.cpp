#include "CommandParser.h"

#include <QRegularExpression>

namespace kordex {

std::optional<Command> CommandParser::parse(const QString &text)
{
    // Anchored at the very start and end: "$" alone would let a final line break through.
    const auto exactly = [](const QString &pattern) {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
    };
    static const QRegularExpression context
        = exactly(QStringLiteral(R"x([Ss] FIRMA=([0-9]+),FIL=([0-9]*),PERSONAL="([^"\p{Cc}]*)")x"));
    static const QRegularExpression list
        = exactly(QStringLiteral(R"x([Dd] (HGRP|ABTNR|HABT)\^KXCLSU)x"));
    static const QRegularExpression subGroups
        = exactly(QStringLiteral(R"x([Dd] UGRP\^KXCLSU\(([^()\p{Cc}]*)\))x"));
    static const QRegularExpression terminal = exactly(QStringLiteral(R"x([Dd] \^%XTT)x"));
    static const QRegularExpression dataBasis
        = exactly(QStringLiteral(R"x([Ss] P0=\^XWGDAT [Ww] P0)x"));

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
