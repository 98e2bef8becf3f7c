// ertragon-report: the report page of Ertragon from the command line, for
// scheduled reports. Runs without a screen.

#include "BatchOptions.h"
#include "BatchReport.h"
#include "LoginCommandLine.h"
#include "ProcessSecrets.h"
#include "QuietMessages.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

using ertragon::report::BatchOptions;
using ertragon::report::BatchReport;
using ertragon::report::QuietMessages;

int main(int argc, char *argv[])
{
    ertragon::ProcessSecrets::protect();
    // The options are read before Qt starts: help, version and usage errors
    // need no display, and print nothing but their own lines.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const std::optional<QString> password = qEnvironmentVariableIsSet("ERTRAGON_PASSWORD")
        ? std::optional<QString>(ertragon::LoginCommandLine::takeEnvironmentPassword())
        : std::nullopt;
    const auto parsed
        = BatchOptions::parse(arguments, password, qEnvironmentVariable("CREDENTIALS_DIRECTORY"));
    if (const auto *read = std::get_if<BatchOptions>(&parsed))
        ertragon::ProcessSecrets::blankPasswordArgument(argc, argv, read->passwordArgument + 1,
                                                        QStringLiteral("ertragon-report"));
    if (const QString *error = std::get_if<QString>(&parsed)) {
        // One line, whatever a hostile argument value holds.
        QString line = *error;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        QTextStream(stderr) << "ertragon-report: " << line << " (Hilfe: ertragon-report --help)"
                            << Qt::endl;
        return BatchReport::UsageError;
    }
    const auto &options = std::get<BatchOptions>(parsed);
    if (options.help || options.version) {
        QTextStream out(stdout);
        if (options.help)
            out << BatchOptions::usage() << Qt::endl;
        else
            out << "ertragon-report " << ERTRAGON_VERSION << Qt::endl;
        return BatchReport::Success;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (options.quiet)
        QuietMessages::install();
    QApplication app(argc, argv);
    QLocale::setDefault(options.pageLocale());
    QTextStream errors(stderr);
    BatchReport report(options, errors);
    return report.run();
}
