#include "PropertyPersistence.h"

#include "PropertyDef_p.h"
#include "comctl/AutomationError.h"
#include "comctl/PropertyExchange.h"

namespace orvel::PropertyPersistence {

namespace {

void exchangeOne(comctl::PropertyExchange &ex, MaskEditState &state, const Put &put,
                 const QString &name)
{
    const PropertyDef *propDef = findPropertyDef(name);
    if (!propDef)
        return;
    QVariant current = propDef->persistedForm(propDef->valueIn(state));
    // A property kept from the host (the font of a new control) is always saved.
    const QVariant defaultValue = (propDef->flags & KeepsAmbient)
        ? QVariant()
        : propDef->persistedForm(propDef->defaultValue());
    ex.exchange(name, current, defaultValue);
    if (!ex.isLoading() || ((propDef->flags & KeepsAmbient) && !current.isValid()))
        return;
    try {
        if (!(propDef->flags & LoadsStored)) {
            put(name, current);
        } else if (const auto stored = propDef->storedForm(current)) {
            propDef->assign(state, *stored);
        }
    } catch (const comctl::AutomationError &) {
        // A damaged or foreign value leaves the default in place.
    }
}

} // namespace

bool exchange(comctl::PropertyExchange &ex, MaskEditState &state, const Put &put)
{
    if (!ex.exchangeVersion(1, 0))
        return false;
    for (const QString &name : baseExchangeOrder())
        exchangeOne(ex, state, put, name);
    for (const QString &name : numericExchangeOrder())
        exchangeOne(ex, state, put, name);
    // The tooltip settings are kept at design time as well, so they are always exchanged.
    for (const QString &name : toolTipExchangeOrder())
        exchangeOne(ex, state, put, name);
    return true;
}

} // namespace orvel::PropertyPersistence
