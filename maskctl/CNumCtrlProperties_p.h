#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>
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

struct PropertySpec
{
    QString name;
    int dispId;
    PropKind kind;
    QVariant defaultValue;
    unsigned flags;
    int min = -32768;
    int max = 32767;
};

inline QFont defaultFont(int weight, bool italic)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(9);
    f.setWeight(weight >= 900 ? QFont::Black : QFont::Normal);
    f.setItalic(italic);
    return f;
}

const std::vector<PropertySpec> &propertySpecs();
const PropertySpec *findPropertySpec(const QString &name);

// The base class part and the numeric part of the property exchange, in their order.
const QStringList &baseExchangeOrder();
const QStringList &numericExchangeOrder();
const QStringList &toolTipExchangeOrder();

QString automationTypeName(PropKind kind);

} // namespace orvel
