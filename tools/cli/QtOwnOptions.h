#pragma once

#include <QCommandLineOption>
#include <QList>

namespace ertragon::cli {

// The options QApplication takes from the command line itself (-platform NAME,
// -style NAME, -reverse, ...; Qt accepts them with one dash or two). A program that
// reads its options before Qt starts knows them too, so that they are not refused as
// unknown; they stay out of the help.
class QtOwnOptions
{
public:
    static QList<QCommandLineOption> all();
    // One line each, "  -platform NAME", for --help-all.
    static QString listing();
};

} // namespace ertragon::cli
