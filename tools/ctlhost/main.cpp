#include "ControlHost.h"
#include "HostWindow.h"
#include "ParserComplaint.h"
#include "QtOwnOptions.h"
#include "ScriptRunner.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int exitUnknownOption = 1;
constexpr int exitUsage = 2;

const char usageText[]
    = "usage: ctlhost --script FILE|-\n"
      "       ctlhost --gui [SCRIPT-COMMAND]...\n"
      "Creates controls by ProgID through the control registry ($ERTRAGON_CONTROL_REGISTRY\n"
      "or ~/.config/Ertragon/controls.json) and drives them.\n"
      "  --script FILE  runs the commands of FILE (-: standard input), one a line, and\n"
      "                 prints their results; without a display on the offscreen platform\n"
      "  --gui          shows the control with a property grid, a method box and an event\n"
      "                 log, after running the SCRIPT-COMMANDs given\n"
      "  -h, --help     shows this help\n"
      "  --help-all     shows this help and Qt's own options\n"
      "  -v, --version  shows the version\n"
      "A value follows its option as --script FILE or --script=FILE. Exit status: 0 done,\n"
      "1 unknown option, 2 wrong command line or unreadable script.\n";

int usage()
{
    std::fputs(usageText, stderr);
    return exitUsage;
}

// Opens the script before Qt starts, so that an unreadable one needs no display.
bool openScript(QFile &file, const QString &path)
{
    const bool opened = path == QLatin1String("-")
        ? file.open(stdin, QIODevice::ReadOnly)
        : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        std::fprintf(stderr, "ctlhost: cannot read %s\n", qPrintable(path));
    return opened;
}

int runScript(QFile &file)
{
    ControlHost host;
    host.site().setUnattended(true);
    host.site().useScriptClock();
    host.show();
    host.activateWindow();
    QApplication::processEvents();
    QTextStream in(&file);
    QTextStream out(stdout);
    ScriptRunner runner(host, out);
    runner.run(in);
    out.flush();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // The options are read before Qt starts: help, version and usage errors need no
    // display. Qt's own options (-platform NAME, ...) are known here and left to Qt.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(ertragon::cli::QtOwnOptions::all());
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption helpAll(QStringLiteral("help-all"));
    const QCommandLineOption version(
        QStringList { QStringLiteral("v"), QStringLiteral("version") });
    const QCommandLineOption script(QStringLiteral("script"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption gui(QStringLiteral("gui"));
    parser.addOptions({ help, helpAll, version, script, gui });
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "ctlhost: %s (see ctlhost --help)\n",
                     qPrintable(ertragon::cli::ParserComplaint::english(parser)));
        return exitUnknownOption;
    }
    if (parser.isSet(help) || parser.isSet(helpAll)) {
        std::fputs(usageText, stdout);
        if (parser.isSet(helpAll))
            std::printf("\nQt's own options:\n%s",
                        qPrintable(ertragon::cli::QtOwnOptions::listing()));
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("ctlhost %s\n", ERTRAGON_VERSION);
        return 0;
    }
    const bool scripted = parser.isSet(script);
    if (scripted == parser.isSet(gui) || (scripted && !parser.positionalArguments().isEmpty()))
        return usage();

    QFile scriptFile;
    if (scripted && !openScript(scriptFile, parser.value(script)))
        return exitUsage;
    if (scripted && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (scripted)
        return runScript(scriptFile);
    HostWindow window;
    window.host()->site().audible = true;
    window.show();
    for (const QString &command : parser.positionalArguments())
        window.runCommand(command);
    return QApplication::exec();
}
