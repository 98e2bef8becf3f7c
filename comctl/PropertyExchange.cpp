#include "PropertyExchange.h"

#include "PropertyBag.h"

namespace comctl {

PropertyExchange::PropertyExchange(PropertyBag &bag, Direction direction)
    : m_bag(bag)
    , m_direction(direction)
{
}

void PropertyExchange::exchange(const QString &name, QVariant &value, const QVariant &defaultValue)
{
    if (isLoading())
        value = m_bag.read(name, defaultValue);
    else
        m_bag.write(name, value, defaultValue);
}

bool PropertyExchange::exchangeVersion(quint16 major, quint16 minor, quint16 *loadedMajor,
                                       quint16 *loadedMinor)
{
    const QString name = QStringLiteral("_version");
    const int current = major * 65536 + minor;
    if (!isLoading()) {
        m_bag.writeAlways(name, current);
        return true;
    }
    bool ok = false;
    const int stored = m_bag.read(name, current).toInt(&ok);
    const int stamp = ok ? stored : current;
    if (loadedMajor)
        *loadedMajor = quint16(stamp / 65536);
    if (loadedMinor)
        *loadedMinor = quint16(stamp % 65536);
    return stamp / 65536 <= major;
}

} // namespace comctl
