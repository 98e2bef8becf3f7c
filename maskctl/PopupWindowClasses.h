#pragma once

#include <QString>
#include <Qt>

namespace orvel {

// The module's popup window classes: "ovToolTip" and "ovCalculator", each a set of Qt window
// flags. Registered when the library is loaded, removed when it is unloaded.
class PopupWindowClasses
{
public:
    static bool registerClasses();
    static void unregisterClasses();
    static bool isRegistered(const QString &className);
    // The window flags of a registered class; Qt::Widget for an unknown one.
    static Qt::WindowFlags flags(const QString &className);
};

} // namespace orvel
