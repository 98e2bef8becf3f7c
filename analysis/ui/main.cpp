// Ertragon: revenue and contribution-margin analysis for KORDEX.
// Command line: company branch user password server [port [namespace]];
// a password "-" is read from $ERTRAGON_PASSWORD.

#include "Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ertragon"));
    QApplication::setApplicationVersion(QStringLiteral(ERTRAGON_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    ertragon::Program program(QApplication::arguments());
    return program.run();
}
