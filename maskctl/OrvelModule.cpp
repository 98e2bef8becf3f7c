#include "OrvelModule.h"

#include "CNumCtrl.h"
#include "OrvelIds.h"
#include "PopupWindowClasses.h"
#include "TallixAccessible.h"
#include "comctl/ComModuleExports.h"

#include <QAccessible>
#include <stdexcept>

namespace orvel {

namespace {

comctl::ClassRegistration tallixRegistration()
{
    comctl::ClassRegistration r;
    r.clsid = QString::fromLatin1(TallixClsid);
    r.progId = QString::fromLatin1(TallixProgId);
    r.userTypeName = QString::fromLatin1(TallixUserTypeName);
    r.typeLibId = QString::fromLatin1(TallixTypeLibId);
    r.typeLibName = QStringLiteral("Tallix");
    r.typeLibVersion = QStringLiteral("1.0");
    r.typeLibDescription = QStringLiteral("Tallix");
    r.helpDir = QStringLiteral("ZIFRA.HLP");
    r.miscStatus = TallixMiscStatus;
    r.toolboxBitmap = 1;
    r.control = true;
    return r;
}

// Module start-up and shut-down: the two popup window classes and the control's
// accessibility factory.
struct ModuleLifetime
{
    ModuleLifetime()
    {
        if (!PopupWindowClasses::registerClasses())
            throw std::runtime_error("Orvel: popup window classes could not be registered");
        QAccessible::installFactory(&TallixAccessible::create);
    }
    ~ModuleLifetime()
    {
        QAccessible::removeFactory(&TallixAccessible::create);
        PopupWindowClasses::unregisterClasses();
    }
};

const ModuleLifetime lifetime;

} // namespace

comctl::ComModule &orvelModule()
{
    static comctl::ComModule module;
    if (module.factories().empty()) {
        module.addFactory(std::make_unique<comctl::ClassFactory>(
            tallixRegistration(), [](QWidget *parent) { return new CNumCtrl(parent); }));
    }
    return module;
}

} // namespace orvel

COMCTL_EXPORT_MODULE(orvel::orvelModule())
