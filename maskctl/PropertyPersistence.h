#pragma once

#include "MaskEditState.h"

#include <QVariant>
#include <functional>

namespace comctl {
class PropertyExchange;
}

namespace orvel {

// The persisted properties of a Tallix, in their exchange order: saved from the
// state, loaded into it. A loaded value goes through put (the automation setter with
// its checks and side effects) unless its property is stored as it is; a damaged or
// foreign value leaves the default in place.
namespace PropertyPersistence {

using Put = std::function<void(const QString &name, const QVariant &value)>;

// False when the exchange holds another version; nothing was loaded then.
bool exchange(comctl::PropertyExchange &ex, MaskEditState &state, const Put &put);

} // namespace PropertyPersistence
} // namespace orvel
