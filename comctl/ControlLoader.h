#pragma once

#include "AutomationError.h"

#include <QString>

class QWidget;

namespace comctl {

class ComControl;
class HostSite;

// The host side of the component layer: calls a library's registration entry points, and
// creates controls by ProgID through the control registry, the library and its class factory.
// Libraries stay loaded for the life of the process.
class ControlLoader
{
public:
    // Loads the library and calls DllRegisterServer / DllUnregisterServer.
    static AutomationError registerLibrary(const QString &libraryPath);
    static AutomationError unregisterLibrary(const QString &libraryPath);

    // A new control of the registered class, on parent and bound to site, not yet initialised.
    // The registry path is ControlRegistry::defaultPath(). nullptr with *error on failure.
    static ComControl *create(const QString &progId, QWidget *parent, HostSite *site,
                              AutomationError *error);
};

} // namespace comctl
