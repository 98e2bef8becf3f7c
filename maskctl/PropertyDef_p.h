#pragma once

#include "MaskEditState.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <variant>
#include <vector>

namespace orvel {

// How a property value is converted and checked when it is set.
enum class PropKind { Bool, Int16, Int32, Colour, String, Font, Picture, Variant, Object, Single };

enum PropFlag : unsigned {
    Persisted = 1,
    RuntimeOnly = 2,
    ReadOnly = 4,
    Reformat = 8, // a change re-runs the formatting pass
    Special = 16, // getter and setter of their own
};

// One property of the control: automation name and id, conversion, the field of
// MaskEditState that holds its value (none for values the control computes or keeps
// elsewhere) and the range of whole-number values.
struct PropertyDef
{
    using S = MaskEditState;
    using Field
        = std::variant<std::monostate, bool S::*, int S::*, quint32 S::*, double S::*, QString S::*,
                       QFont S::*, S::Picture S::*, bool MaskSettings::*, int MaskSettings::*,
                       QString MaskSettings::*, quint32 ColourSet::*, quint32 CalculatorLook::*,
                       QFont CalculatorLook::*, QString CalculatorLook::*>;

    QString name;
    int dispId;
    PropKind kind;
    Field field;
    unsigned flags;
    int min = -32768;
    int max = 32767;

    // The field's value as automation sees it (an empty variant for a missing picture).
    QVariant valueIn(const MaskEditState &state) const;
    // Stores a value already converted for the kind.
    void assign(MaskEditState &state, const QVariant &value) const;
    // The value of a new control.
    QVariant defaultValue() const;
};

const std::vector<PropertyDef> &propertyDefs();
const PropertyDef *findPropertyDef(const QString &name);

// The base class part and the numeric part of the property exchange, in their order.
const QStringList &baseExchangeOrder();
const QStringList &numericExchangeOrder();
const QStringList &toolTipExchangeOrder();

QString automationTypeName(PropKind kind);

} // namespace orvel
