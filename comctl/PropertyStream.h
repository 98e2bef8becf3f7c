#pragma once

#include <QDataStream>

namespace comctl {

class PropertyBag;

// A property stream: the content of a property bag written to a QDataStream behind a magic
// number and an exchange version (major, minor). Loading accepts the same major version and any
// older one; a newer major version, a wrong magic number or corrupt data are refused.
class PropertyStream
{
public:
    struct Version
    {
        quint16 major = 1;
        quint16 minor = 0;
    };

    static void save(QDataStream &stream, const PropertyBag &bag, Version version);
    // Returns false (bag untouched) for foreign or corrupt data or a newer major version.
    static bool load(QDataStream &stream, PropertyBag *bag, Version supported,
                     Version *found = nullptr);
};

} // namespace comctl
