// ertragon-report: the report page of Ertragon from the command line, for
// scheduled reports. Runs without a screen.

#include "BatchOptions.h"
#include "BatchReport.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream errors(stderr);

    const QStringList arguments = app.arguments().mid(1);
    const std::optional<QString> password = qEnvironmentVariableIsSet("ERTRAGON_PASSWORD")
        ? std::optional<QString>(qEnvironmentVariable("ERTRAGON_PASSWORD"))
        : std::nullopt;
    const auto parsed = ertragon::report::BatchOptions::parse(arguments, password);
    if (const QString *error = std::get_if<QString>(&parsed)) {
        // One line, whatever a hostile argument value holds.
        QString line = *error;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        errors << "ertragon-report: " << line << " (Hilfe: ertragon-report --help)" << Qt::endl;
        return ertragon::report::BatchReport::UsageError;
    }
    const auto &options = std::get<ertragon::report::BatchOptions>(parsed);
    if (options.help || options.version) {
        QTextStream out(stdout);
        if (options.help)
            out << ertragon::report::BatchOptions::usage() << Qt::endl;
        else
            out << "ertragon-report " << ERTRAGON_VERSION << Qt::endl;
        return ertragon::report::BatchReport::Success;
    }
    ertragon::report::BatchReport report(options, errors);
    return report.run();
}
