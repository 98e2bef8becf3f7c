#include "PropertyStream.h"

#include "PropertyBag.h"

#include <QVariant>

namespace comctl {

namespace {

constexpr quint32 magic = 0x4543544C; // "ECTL"
constexpr quint32 maximumEntries = 100000;

} // namespace

void PropertyStream::save(QDataStream &stream, const PropertyBag &bag, Version version)
{
    stream.setVersion(QDataStream::Qt_6_0);
    stream << magic << version.major << version.minor << quint32(bag.size());
    for (const QString &name : bag.names())
        stream << name << bag.read(name);
}

bool PropertyStream::load(QDataStream &stream, PropertyBag *bag, Version supported, Version *found)
{
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 streamMagic = 0;
    Version version;
    quint32 count = 0;
    stream >> streamMagic >> version.major >> version.minor >> count;
    if (stream.status() != QDataStream::Ok || streamMagic != magic
        || version.major > supported.major || count > maximumEntries)
        return false;
    PropertyBag loaded;
    for (quint32 i = 0; i < count; ++i) {
        QString name;
        QVariant value;
        stream >> name >> value;
        if (stream.status() != QDataStream::Ok)
            return false;
        loaded.writeAlways(name, value);
    }
    *bag = loaded;
    if (found)
        *found = version;
    return true;
}

} // namespace comctl
