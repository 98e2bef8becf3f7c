#pragma once

#include "ClassFactory.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace comctl {

// One in-process control server (a control library): its class factories and the work of the
// four library entry points. A library defines one module and exports the entry points with
// COMCTL_EXPORT_MODULE (see ComModuleExports.h).
class ComModule
{
public:
    ComModule() = default;
    ComModule(const ComModule &) = delete;
    ComModule &operator=(const ComModule &) = delete;

    void addFactory(std::unique_ptr<ClassFactory> factory);
    const std::vector<std::unique_ptr<ClassFactory>> &factories() const { return m_factories; }
    ClassFactory *factory(const QString &clsid) const;

    // anchor: the address of any function inside the library, to find the library's path.
    std::int32_t registerServer(const void *anchor);
    std::int32_t unregisterServer(const void *anchor);
    std::int32_t getClassObject(const char *clsid, void **factory, const void *anchor);
    std::int32_t canUnloadNow() const;

    // The absolute path of the shared object that holds the anchor address.
    static QString libraryPath(const void *anchor);

private:
    std::vector<std::unique_ptr<ClassFactory>> m_factories;
};

} // namespace comctl
