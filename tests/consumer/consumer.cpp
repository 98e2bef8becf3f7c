// Creates a Tallix and an Edit by their ProgIDs through the installed host layer, puts a
// member and prints each control's Text; shows a Designer form holding both, as uic
// compiled it; opens the KORDEX store named on the command line.
#include "ui_form.h"

#include <QApplication>
#include <QTextStream>
#include <comctl/ComControl.h>
#include <comctl/ControlLoader.h>
#include <comctl/HostSite.h>
#include <inkora/InkoraIds.h>
#include <kordex/CreateFactory.h>
#include <kordex/StoreAddress.h>
#include <orvel/OrvelIds.h>

namespace {

// "NAME: PROGID TEXT", or what went wrong.
QString probe(const QString &library, const char *progId, const QString &member,
              const QVariant &value)
{
    const comctl::AutomationError registered = comctl::ControlLoader::registerLibrary(library);
    if (registered.isError())
        return QStringLiteral("register: ") + registered.text();
    comctl::HostSite site;
    comctl::AutomationError error;
    comctl::ComControl *control
        = comctl::ControlLoader::create(QString::fromLatin1(progId), nullptr, &site, &error);
    if (!control)
        return QStringLiteral("create: ") + error.text();
    control->initNew();
    control->put(member, value);
    const QString text = control->className() + QStringLiteral(": ") + control->progId()
        + QLatin1Char(' ') + control->get(QStringLiteral("Text")).value.toString();
    delete control;
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    out << "Orvel: " << ORVEL_LIBRARY << Qt::endl;
    out << "Inkora: " << INKORA_LIBRARY << Qt::endl;
    const std::unique_ptr<kordex::Factory> factory = kordex::createFactory();
    const QString store
        = kordex::connectString(QCoreApplication::arguments().value(1), QStringLiteral("1972"));
    const bool open = factory->OpenConnection(store) && factory->IsConnected();
    out << "Kordex: " << (open ? QStringLiteral("open") : factory->lastError()) << ' ' << store
        << Qt::endl;
    out << probe(QStringLiteral(ORVEL_LIBRARY), orvel::TallixProgId, QStringLiteral("Value"), 4711)
        << Qt::endl;
    out << probe(QStringLiteral(INKORA_LIBRARY), inkora::EditProgId, QStringLiteral("Text"),
                 QStringLiteral("Grüße"))
        << Qt::endl;
    QWidget form;
    Ui::Form ui;
    ui.setupUi(&form);
    out << "Form: Tallix " << (ui.tallix1->control() ? ui.tallix1->text() : ui.tallix1->error())
        << ", Edit " << (ui.edit1->control() ? ui.edit1->text() : ui.edit1->error()) << Qt::endl;
    return 0;
}
