#pragma once

#include <QString>
#include <QStringList>

namespace kordex {

// An object of a server class, opened by id or created new. Properties are read
// by name; methods are called by name with text arguments. All values are text.
class ServerObject
{
public:
    virtual ~ServerObject() = default;

    // Reads a property; an unknown name raises ServerError.
    virtual QString property(const QString &name) = 0;
    // Calls a method ("PNAMELogicalToODBC", "Generieren", "Xecute", ...).
    virtual QString call(const QString &method, const QStringList &arguments) = 0;
    // Releases the object; further use raises ServerError.
    virtual void SYS_Close() = 0;
};

} // namespace kordex
