#pragma once

#include <QString>
#include <QVariant>

namespace comctl {

class PropertyBag;

// One exchange routine for saving and loading: a control runs the same sequence of
// exchange() calls in both directions, in its fixed order. Saving writes each value with its
// default; loading sets each value from the bag, or to the default when the bag lacks it.
class PropertyExchange
{
public:
    enum class Direction { Load, Save };

    PropertyExchange(PropertyBag &bag, Direction direction);

    bool isLoading() const { return m_direction == Direction::Load; }
    void exchange(const QString &name, QVariant &value, const QVariant &defaultValue);
    // Exchanges the version under the name "_version" as major * 65536 + minor. Loading
    // returns false for a newer major version than given.
    bool exchangeVersion(quint16 major, quint16 minor, quint16 *loadedMajor = nullptr,
                         quint16 *loadedMinor = nullptr);

private:
    PropertyBag &m_bag;
    Direction m_direction;
};

} // namespace comctl
