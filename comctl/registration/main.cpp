// control-registration LIBRARY INSTALLED_PATH OUTPUT
// Writes the system registry entry of a control library at build time: the library's own
// DllRegisterServer records its classes into OUTPUT, which then names the library by
// INSTALLED_PATH, where the package puts it.

#include "comctl/ControlLoader.h"
#include "comctl/ControlRegistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() != 4) {
        errors << "usage: control-registration LIBRARY INSTALLED_PATH OUTPUT" << Qt::endl;
        return 2;
    }
    const QString &output = arguments[3];
    QFile::remove(output);
    qputenv("ERTRAGON_CONTROL_REGISTRY", QFile::encodeName(output));
    if (const auto error = comctl::ControlLoader::registerLibrary(arguments[1]); error.isError()) {
        errors << "control-registration: " << error.text() << Qt::endl;
        return 1;
    }
    comctl::ControlRegistry registry(output);
    QString error;
    if (!registry.load(&error)) {
        errors << "control-registration: " << error << Qt::endl;
        return 1;
    }
    for (comctl::ClassRegistration entry : registry.classes()) {
        entry.libraryPath = arguments[2];
        registry.add(entry);
    }
    if (!registry.save(&error)) {
        errors << "control-registration: " << output << ": " << error << Qt::endl;
        return 1;
    }
    return 0;
}
