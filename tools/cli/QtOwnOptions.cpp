#include "QtOwnOptions.h"

namespace ertragon::cli {

QList<QCommandLineOption> QtOwnOptions::all()
{
    QList<QCommandLineOption> options;
    const auto add = [&options](const char *name, bool takesValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(),
                                  takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.append(option);
    };
    // QGuiApplication and QApplication, with the X11 ones of the xcb platform.
    for (const char *name : { "platform", "platformpluginpath", "platformtheme", "plugin",
                              "qwindowgeometry", "qwindowicon", "qwindowtitle", "style",
                              "stylesheet", "display", "geometry", "title", "session" })
        add(name, true);
    for (const char *name : { "reverse", "widgetcount", "nograb", "dograb", "sync" })
        add(name, false);
    return options;
}

QString QtOwnOptions::listing()
{
    QString text;
    for (const QCommandLineOption &option : all()) {
        text += QStringLiteral("  -") + option.names().first();
        if (!option.valueName().isEmpty())
            text += QStringLiteral(" NAME");
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace ertragon::cli
