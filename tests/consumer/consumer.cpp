// Creates a Tallix by its ProgID through the installed control registry layer, gives it a
// value and prints its Text; prints the KORDEX client's version of an error text too.
#include <QApplication>
#include <QTextStream>
#include <comctl/ComControl.h>
#include <comctl/ControlLoader.h>
#include <comctl/HostSite.h>
#include <kordex/ServerError.h>
#include <orvel/OrvelIds.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    out << "Orvel: " << ORVEL_LIBRARY << Qt::endl;
    const kordex::ServerError kordexError(5502, QStringLiteral("Probe"));
    out << "Kordex: " << kordexError.what() << Qt::endl;
    const comctl::AutomationError registered
        = comctl::ControlLoader::registerLibrary(QStringLiteral(ORVEL_LIBRARY));
    if (registered.isError()) {
        out << "register: " << registered.text() << Qt::endl;
        return 1;
    }
    comctl::HostSite site;
    comctl::AutomationError error;
    comctl::ComControl *tallix = comctl::ControlLoader::create(
        QString::fromLatin1(orvel::TallixProgId), nullptr, &site, &error);
    if (!tallix) {
        out << "create: " << error.text() << Qt::endl;
        return 1;
    }
    tallix->initNew();
    tallix->put(QStringLiteral("Value"), 4711);
    out << "Tallix: " << tallix->progId() << ' '
        << tallix->get(QStringLiteral("Text")).value.toString() << Qt::endl;
    delete tallix;
    return 0;
}
