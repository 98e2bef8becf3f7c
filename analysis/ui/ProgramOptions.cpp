#include "ProgramOptions.h"

#include "CommandLineWords.h"
#include "LoginCommandLine.h"
#include "ParserComplaint.h"
#include "QtOwnOptions.h"

#include <QCommandLineParser>

namespace ertragon {

QString ProgramOptions::usage()
{
    return QStringLiteral(
        "Aufruf: ertragon [FIRMA FILIALE BENUTZER PASSWORT SERVER [PORT [NAMESPACE]]]\n"
        "Umsatz- und Deckungsbeitragsanalyse für KORDEX.\n"
        "Die Anmeldedaten auf der Befehlszeile gelten, wenn das erste Wort eine Zahl ist;\n"
        "sonst fragt das Anmeldefenster. PASSWORT \"-\" liest das Passwort aus\n"
        "ERTRAGON_PASSWORD. SERVER ist eine SQLite-Datei (enthält \"/\" oder endet auf\n"
        "\".db\") oder ein PostgreSQL-Rechner; PORT (Vorgabe 1972) und NAMESPACE (Vorgabe\n"
        "KORDEX) gelten für den Rechner.\n"
        "Vorgaben für alle Benutzer eines Rechners stehen in\n"
        "/etc/xdg/Ertragon/login-defaults.ini ($XDG_CONFIG_DIRS), unter den eigenen in\n"
        "~/.config/Ertragon/Cache Login.ini.\n"
        "  -h, --help     zeigt diese Hilfe\n"
        "  --help-all     zeigt diese Hilfe und die Optionen von Qt\n"
        "  -v, --version  zeigt die Version\n"
        "Die Optionen von Qt selbst (--platform NAME, --style NAME, ...) gehen an Qt.\n"
        "Rückgabewerte: 0 beendet (auch nach \"Abbruch\" der Anmeldung), 1 Aufruf falsch oder\n"
        "keine Desktop-Sitzung.");
}

QString ProgramOptions::fullUsage()
{
    return usage() + QStringLiteral("\n\nOptionen von Qt:\n") + cli::QtOwnOptions::listing();
}

std::variant<ProgramOptions, QString> ProgramOptions::parse(const QStringList &arguments)
{
    QList<QCommandLineOption> known = cli::QtOwnOptions::all();
    known.append(QCommandLineOption(QStringList { QStringLiteral("h"), QStringLiteral("help") }));
    known.append(QCommandLineOption(QStringLiteral("help-all")));
    known.append(
        QCommandLineOption(QStringList { QStringLiteral("v"), QStringLiteral("version") }));
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(known);
    const auto words = cli::CommandLineWords::split(QStringLiteral("ertragon"), arguments, known);
    if (!parser.parse(words.options))
        return cli::ParserComplaint::german(parser);
    ProgramOptions options;
    if (parser.isSet(QStringLiteral("help-all")))
        options.action = Action::HelpAll;
    else if (parser.isSet(QStringLiteral("help")))
        options.action = Action::Help;
    else if (parser.isSet(QStringLiteral("version")))
        options.action = Action::Version;
    options.platform = parser.value(QStringLiteral("platform"));
    options.loginWords = words.positional;
    if (LoginCommandLine::parse(words.positional.join(QLatin1Char(' ')), QString())) {
        // Word 4 of the blank-separated line, in whichever argument it stands.
        qsizetype word = 0;
        for (qsizetype i = 0; i < words.positional.size() && options.passwordArgument < 0; ++i) {
            word += words.positional[i].count(QLatin1Char(' ')) + 1;
            if (word >= 4)
                options.passwordArgument = words.positionalIndex[i];
        }
    }
    options.displayGiven = parser.isSet(QStringLiteral("display"));
    return options;
}

QString ProgramOptions::missingDesktop(const QProcessEnvironment &environment) const
{
    if (displayGiven || !environment.value(QStringLiteral("DISPLAY")).isEmpty()
        || !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return {};
    // Qt tries a list "a;b" in its order; one platform that draws without a display
    // is enough.
    static const QStringList withoutDisplay { "offscreen", "minimal", "minimalegl",  "linuxfb",
                                              "eglfs",     "vnc",     "vkkhrdisplay" };
    const QString names
        = platform.isEmpty() ? environment.value(QStringLiteral("QT_QPA_PLATFORM")) : platform;
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (withoutDisplay.contains(name.section(QLatin1Char(':'), 0, 0).trimmed()))
            return {};
    }
    return QStringLiteral("Ertragon braucht eine Desktop-Sitzung (weder DISPLAY noch "
                          "WAYLAND_DISPLAY ist gesetzt); Berichte ohne Desktop schreibt "
                          "ertragon-report (ertragon-report --help).");
}

} // namespace ertragon
