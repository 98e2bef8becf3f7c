#include "ControlHost.h"
#include "HostWindow.h"
#include "ScriptRunner.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

void usage()
{
    std::fputs(
        "usage: ctlhost --script FILE|-\n"
        "       ctlhost --gui [SCRIPT-COMMAND]...\n"
        "Creates controls by ProgID through the control registry ($ERTRAGON_CONTROL_REGISTRY\n"
        "or ~/.config/ertragon/controls.json) and drives them.\n",
        stderr);
}

int runScript(const QString &path)
{
    QFile file;
    const bool opened = path == QLatin1String("-")
        ? file.open(stdin, QIODevice::ReadOnly)
        : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        std::fprintf(stderr, "ctlhost: cannot read %s\n", qPrintable(path));
        return 2;
    }
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
    const bool scripted = argc >= 2 && qstrcmp(argv[1], "--script") == 0;
    if (scripted && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (scripted && args.size() == 3)
        return runScript(args.at(2));
    if (args.size() >= 2 && args.at(1) == QLatin1String("--gui")) {
        HostWindow window;
        window.host()->site().audible = true;
        window.show();
        for (int i = 2; i < args.size(); ++i)
            window.runCommand(args.at(i));
        return QApplication::exec();
    }
    usage();
    return 2;
}
