// Ertragon: revenue and contribution-margin analysis for KORDEX.
// Command line: [company branch user password server [port [namespace]]], -h/--help,
// --help-all, -v/--version (see ProgramOptions); a password "-" is read from $ERTRAGON_PASSWORD.

#include "ProcessSecrets.h"
#include "Program.h"
#include "ProgramOptions.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    ertragon::ProcessSecrets::protect();
    // The options are read before Qt starts: help, version and usage errors need no
    // display and print nothing but their own lines.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto parsed = ertragon::ProgramOptions::parse(arguments);
    if (const QString *error = std::get_if<QString>(&parsed)) {
        QTextStream(stderr) << "ertragon: " << *error << " (Hilfe: ertragon --help)" << Qt::endl;
        return 1;
    }
    const auto &options = std::get<ertragon::ProgramOptions>(parsed);
    switch (options.action) {
    case ertragon::ProgramOptions::Action::Help:
        QTextStream(stdout) << ertragon::ProgramOptions::usage() << Qt::endl;
        return 0;
    case ertragon::ProgramOptions::Action::HelpAll:
        QTextStream(stdout) << ertragon::ProgramOptions::fullUsage();
        return 0;
    case ertragon::ProgramOptions::Action::Version:
        QTextStream(stdout) << "ertragon " << ERTRAGON_VERSION << Qt::endl;
        return 0;
    case ertragon::ProgramOptions::Action::Run:
        break;
    }
    // Without a desktop session Qt's xcb platform would abort with its own message.
    const QString missingDesktop = options.missingDesktop(QProcessEnvironment::systemEnvironment());
    if (!missingDesktop.isEmpty()) {
        QTextStream(stderr) << "ertragon: " << missingDesktop << Qt::endl;
        return 1;
    }

    ertragon::ProcessSecrets::blankPasswordArgument(argc, argv, options.passwordArgument + 1,
                                                    QStringLiteral("ertragon"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ertragon"));
    QApplication::setApplicationVersion(QStringLiteral(ERTRAGON_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(ERTRAGON_DESKTOP_ID));
    QApplication::setQuitOnLastWindowClosed(false);

    // The login words as read before Qt started: the password word is blanked since.
    ertragon::Program program(QStringList { QString::fromLocal8Bit(argv[0]) } + options.loginWords);
    return program.run();
}
