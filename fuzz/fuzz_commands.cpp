// The command parser of KX.Windows.Xecute and the server texts around it:
// the 7-bit name form, period texts, connect strings, the input rules and
// input quoted into error messages.
#include "CommandParser.h"
#include "ConnectString.h"
#include "EchoedInput.h"
#include "FuzzInput.h"
#include "Period.h"
#include "ServerText.h"
#include "Validation.h"

#include <kordex/Factory.h>
#include <kordex/StoreAddress.h>
using namespace kordex;

namespace {

// The command text that means exactly this command.
QString commandText(const Command &c)
{
    switch (c.kind) {
    case Command::Context:
        return QStringLiteral("S FIRMA=%1,FIL=%2,PERSONAL=\"%3\"").arg(c.company, c.branch, c.user);
    case Command::Terminal:
        return QStringLiteral("D ^%XTT");
    case Command::MainGroups:
        return QStringLiteral("d HGRP^KXCLSU");
    case Command::Departments:
        return QStringLiteral("d ABTNR^KXCLSU");
    case Command::MainDepartments:
        return QStringLiteral("d HABT^KXCLSU");
    case Command::SubGroups:
        return QStringLiteral("d UGRP^KXCLSU(%1)").arg(c.argument);
    case Command::DataBasis:
        return QStringLiteral("S P0=^XWGDAT W P0");
    }
    return QString();
}

bool hasControl(const QString &text)
{
    for (QChar c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return true;
    return false;
}

void checkCommand(const QString &text)
{
    const auto command = CommandParser::parse(text);
    if (!command)
        return;
    FuzzInput::check(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')),
                     "a command is one line", text);
    FuzzInput::check(!hasControl(command->user) && !hasControl(command->argument),
                     "command values hold no control characters", text);
    const auto again = CommandParser::parse(commandText(*command));
    FuzzInput::check(again && again->kind == command->kind && again->company == command->company
                         && again->branch == command->branch && again->user == command->user
                         && again->argument == command->argument,
                     "a command rebuilt from its parts parses to the same command", text);
}

void checkServerText(const QString &text)
{
    static const QString serverLetters = QStringLiteral("{|}~[\\]õ");
    static const QString umlauts = QStringLiteral("äöüßÄÖÜ§");
    const QString server = toServerText(text);
    FuzzInput::check(server.size() == text.size(), "the server form keeps the length", text);
    bool plain = true;
    for (QChar c : text)
        plain = plain && !serverLetters.contains(c);
    if (plain)
        FuzzInput::check(toScreenText(server) == text, "screen text survives the server form",
                         text);
    bool noUmlauts = true;
    for (QChar c : text)
        noUmlauts = noUmlauts && !umlauts.contains(c);
    if (noUmlauts)
        FuzzInput::check(toServerText(toScreenText(text)) == text,
                         "server text survives the screen form", text);
}

void checkPeriod(const QString &text)
{
    const auto period = Period::parse(text);
    if (!period)
        return;
    FuzzInput::check(Period::text(*period) == text, "a period is written as it was read", text);
    FuzzInput::check(Period::month(*period) >= 1 && Period::month(*period) <= 12
                         && Period::year(*period) >= 1900 && Period::year(*period) <= 2899,
                     "a period names a month of 1900 to 2899", text);
}

void checkConnectString(const QString &text)
{
    const auto parsed = ConnectString::parse(text);
    if (!parsed)
        return;
    FuzzInput::check(!parsed->server.isEmpty(), "a connect string names a server", text);
    FuzzInput::check(connectString(parsed->server, parsed->port) == text,
                     "a connect string is rebuilt from its parts", text);
}

void checkEcho(const QString &text)
{
    const QString quoted = EchoedInput::quoted(text);
    FuzzInput::check(quoted.size() <= 2 + 6 * EchoedInput::defaultLimit + 1, "an echo is short",
                     text);
    FuzzInput::check(quoted.startsWith(QLatin1Char('"')) && quoted.endsWith(QLatin1Char('"')),
                     "an echo is quoted", quoted);
    FuzzInput::check(!hasControl(quoted), "an echo holds no control characters", quoted);
    FuzzInput::check(!hasControl(EchoedInput::oneLine(text)),
                     "a message line holds no control characters", text);
    for (const QString &problem : { Validation::companyProblem(text), Validation::codeProblem(text),
                                    Validation::nameProblem(text), Validation::flagProblem(text),
                                    Validation::faxProblem(text), Validation::emailProblem(text) })
        FuzzInput::check(problem.size() < 500 && !hasControl(problem),
                         "a refusal quotes the value short and harmless", problem);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = FuzzInput(data, size).rest();
    checkCommand(text);
    checkServerText(text);
    checkPeriod(text);
    checkConnectString(text);
    checkEcho(text);
    return 0;
}
