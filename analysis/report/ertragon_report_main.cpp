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
        errors << "ertragon-report: " << *error << Qt::endl
               << ertragon::report::BatchOptions::usage() << Qt::endl;
        return ertragon::report::BatchReport::UsageError;
    }
    ertragon::report::BatchReport report(std::get<ertragon::report::BatchOptions>(parsed), errors);
    return report.run();
}
