#pragma once

#include "ComModule.h"

#include <cstdint>

// Defines the four exported entry points of a control library over one ComModule.
// Use once in one source file of the library: COMCTL_EXPORT_MODULE(myModule())
// where myModule() returns a ComModule&.
//   int32_t DllRegisterServer(void);
//   int32_t DllUnregisterServer(void);
//   int32_t DllGetClassObject(const char *clsid, void **factory);  // factory: ClassFactory*
//   int32_t DllCanUnloadNow(void);
#define COMCTL_EXPORT_MODULE(moduleExpression)                                                     \
    namespace {                                                                                    \
    void comctlModuleAnchor() { }                                                                  \
    const void *comctlAnchor()                                                                     \
    {                                                                                              \
        return reinterpret_cast<const void *>(&comctlModuleAnchor);                                \
    }                                                                                              \
    }                                                                                              \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllRegisterServer()             \
    {                                                                                              \
        return (moduleExpression).registerServer(comctlAnchor());                                  \
    }                                                                                              \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllUnregisterServer()           \
    {                                                                                              \
        return (moduleExpression).unregisterServer(comctlAnchor());                                \
    }                                                                                              \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllGetClassObject(              \
        const char *clsid, void **factory)                                                         \
    {                                                                                              \
        return (moduleExpression).getClassObject(clsid, factory, comctlAnchor());                  \
    }                                                                                              \
    extern "C" __attribute__((visibility("default"))) std::int32_t DllCanUnloadNow()               \
    {                                                                                              \
        return (moduleExpression).canUnloadNow();                                                  \
    }
