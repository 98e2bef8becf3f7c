#pragma once

#include "MaskEditState.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
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
    // What a change does to the control besides storing the value.
    AppliesEnabled = 32, // the widget is enabled or disabled
    AppliesFont = 64, // the widget takes the font
    RestartsCaret = 128, // the caret is drawn anew
    BindsStatus = 256, // the status text control is looked up again
    AppliesCursor = 512, // the mouse pointer changes
    RefreshesShown = 1024, // the shown text is made anew (no formatting pass)
    // How a persisted value is loaded.
    KeepsAmbient = 2048, // always saved; when missing, the host's value stays
    LoadsStored = 4096, // stored as it is when in range, not set through automation
    Positive = 8192, // a stored number must be above zero
};

// One property of the control: automation name and id, conversion, the field of
// MaskEditState that holds its value (none for values the control computes or keeps
// elsewhere), what a change does, a one-line description and the range of numbers.
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
    QString description;
    int min = -32768;
    int max = 32767;

    // The field's value as automation sees it (an empty variant for a missing picture).
    QVariant valueIn(const MaskEditState &state) const;
    // Stores a value already converted for the kind.
    void assign(MaskEditState &state, const QVariant &value) const;
    // The value of a new control.
    QVariant defaultValue() const;
    // An automation value converted and checked for the kind; throws
    // comctl::AutomationError for a value of the wrong type or out of range.
    QVariant convert(const QVariant &value) const;
    // The form a value of the kind is persisted in.
    QVariant persistedForm(const QVariant &value) const;
    // A persisted value converted for the field when it is in range (LoadsStored).
    std::optional<QVariant> storedForm(const QVariant &value) const;
};

const std::vector<PropertyDef> &propertyDefs();
const PropertyDef *findPropertyDef(const QString &name);

// The base class part and the numeric part of the property exchange, in their order.
const QStringList &baseExchangeOrder();
const QStringList &numericExchangeOrder();
const QStringList &toolTipExchangeOrder();

QString automationTypeName(PropKind kind);

} // namespace orvel
