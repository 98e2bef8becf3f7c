#include "Edit.h"
#include "comctl/ComModuleExports.h"

namespace {

comctl::ComModule &inkoraModule()
{
    static comctl::ComModule module;
    if (module.factories().empty()) {
        comctl::ClassRegistration registration;
        registration.clsid = QString::fromLatin1(inkora::Edit::classIdText);
        registration.progId = QString::fromLatin1(inkora::Edit::progIdText);
        registration.userTypeName = QStringLiteral("Edit");
        registration.typeLibId = QStringLiteral("{0F4C7D21-5B8E-4A63-8C2D-71E9A3B6F402}");
        registration.typeLibName = QStringLiteral("Inkolib");
        registration.typeLibDescription
            = QStringLiteral("Inkolib - Edit Box mit Grenzwerten und Filtern");
        module.addFactory(std::make_unique<comctl::ClassFactory>(
            registration, [](QWidget *parent) { return new inkora::Edit(parent); }));
    }
    return module;
}

} // namespace

COMCTL_EXPORT_MODULE(inkoraModule())
