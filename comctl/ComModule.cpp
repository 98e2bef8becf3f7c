#include "ComModule.h"

#include "ControlRegistry.h"
#include "HResult.h"

#include <QFileInfo>
#include <dlfcn.h>

namespace comctl {

void ComModule::addFactory(std::unique_ptr<ClassFactory> factory)
{
    m_factories.push_back(std::move(factory));
}

ClassFactory *ComModule::factory(const QString &clsid) const
{
    for (const auto &factory : m_factories) {
        if (factory->registration().clsid.compare(clsid, Qt::CaseInsensitive) == 0)
            return factory.get();
    }
    return nullptr;
}

QString ComModule::libraryPath(const void *anchor)
{
    Dl_info info {};
    if (!anchor || dladdr(anchor, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

std::int32_t ComModule::registerServer(const void *anchor)
{
    const QString path = libraryPath(anchor);
    if (path.isEmpty())
        return HResult::selfRegTypeLib;
    ControlRegistry registry;
    registry.load(); // a broken file is replaced
    for (const auto &factory : m_factories) {
        factory->setLibraryPath(path);
        registry.add(factory->registration());
    }
    return registry.save() ? HResult::ok : HResult::selfRegClass;
}

std::int32_t ComModule::unregisterServer(const void *)
{
    ControlRegistry registry;
    if (!registry.load())
        return HResult::selfRegTypeLib;
    for (const auto &factory : m_factories)
        registry.remove(factory->registration().clsid);
    return registry.save() ? HResult::ok : HResult::selfRegClass;
}

std::int32_t ComModule::getClassObject(const char *clsid, void **result, const void *anchor)
{
    if (!result)
        return HResult::invalidArgument;
    *result = nullptr;
    ClassFactory *found = clsid ? factory(QString::fromUtf8(clsid)) : nullptr;
    if (!found)
        return HResult::classNotAvailable;
    found->setLibraryPath(libraryPath(anchor));
    *result = found;
    return HResult::ok;
}

std::int32_t ComModule::canUnloadNow() const
{
    for (const auto &factory : m_factories) {
        if (factory->liveObjects() > 0 || factory->locks() > 0)
            return HResult::falseResult;
    }
    return HResult::ok;
}

} // namespace comctl
