#include "ControlLoader.h"

#include "ClassFactory.h"
#include "ComControl.h"
#include "ControlRegistry.h"
#include "HResult.h"

#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>
#include <cstdint>

namespace comctl {

namespace {

// Which registry and library served a ProgID: QT_LOGGING_RULES="comctl.debug=true".
Q_LOGGING_CATEGORY(lcLoader, "comctl", QtWarningMsg)

using EntryPoint = std::int32_t (*)();
using GetClassObject = std::int32_t (*)(const char *, void **);

AutomationError libraryError(const QString &text)
{
    return AutomationError(AutomationError::CannotCreateObject, text);
}

QFunctionPointer resolve(const QString &libraryPath, const char *symbol, AutomationError *error)
{
    if (!QFileInfo::exists(libraryPath)) {
        *error = AutomationError(AutomationError::FileNotFound);
        return nullptr;
    }
    QLibrary library(QFileInfo(libraryPath).absoluteFilePath());
    if (!library.load()) {
        *error = libraryError(library.errorString());
        return nullptr;
    }
    QFunctionPointer function = library.resolve(symbol);
    if (!function)
        *error = libraryError(
            QStringLiteral("%1 not found in %2").arg(QLatin1String(symbol), libraryPath));
    return function;
}

AutomationError callEntry(const QString &libraryPath, const char *symbol)
{
    AutomationError error;
    auto entry = reinterpret_cast<EntryPoint>(resolve(libraryPath, symbol, &error));
    if (!entry)
        return error;
    const std::int32_t result = entry();
    if (result != HResult::ok)
        return libraryError(QStringLiteral("%1 failed with 0x%2")
                                .arg(QLatin1String(symbol))
                                .arg(quint32(result), 8, 16, QLatin1Char('0')));
    return {};
}

} // namespace

AutomationError ControlLoader::registerLibrary(const QString &libraryPath)
{
    return callEntry(libraryPath, "DllRegisterServer");
}

AutomationError ControlLoader::unregisterLibrary(const QString &libraryPath)
{
    return callEntry(libraryPath, "DllUnregisterServer");
}

namespace {

// A new control from one registration's library and class factory; nullptr with *failure.
ComControl *createFrom(const ClassRegistration &registration, QWidget *parent, HostSite *site,
                       AutomationError *failure)
{
    auto getClassObject = reinterpret_cast<GetClassObject>(
        resolve(registration.libraryPath, "DllGetClassObject", failure));
    if (!getClassObject)
        return nullptr;
    void *object = nullptr;
    const QByteArray clsid = registration.clsid.toUtf8();
    if (getClassObject(clsid.constData(), &object) == HResult::ok && object) {
        if (ComControl *control = static_cast<ClassFactory *>(object)->createInstance(parent)) {
            control->setSite(site);
            return control;
        }
    }
    *failure = AutomationError(AutomationError::CannotCreateObject);
    return nullptr;
}

} // namespace

ComControl *ControlLoader::create(const QString &progId, QWidget *parent, HostSite *site,
                                  AutomationError *error)
{
    // An entry whose library is gone or broken gives way to the next registry's.
    AutomationError failure(AutomationError::CannotCreateObject);
    for (ControlRegistry &registry : ControlRegistry::searchOrder()) {
        registry.load();
        const auto registration = registry.findByProgId(progId);
        if (!registration)
            continue;
        if (ComControl *control = createFrom(*registration, parent, site, &failure)) {
            qCDebug(lcLoader, "%s from %s (registry %s)", qPrintable(progId),
                    qPrintable(registration->libraryPath), qPrintable(registry.path()));
            return control;
        }
        qCDebug(lcLoader, "%s: %s (registry %s)", qPrintable(progId), qPrintable(failure.text()),
                qPrintable(registry.path()));
    }
    if (error)
        *error = failure;
    return nullptr;
}

} // namespace comctl
