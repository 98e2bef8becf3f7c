#pragma once

#include <QList>
#include <QString>

namespace comctl {

// Describes one automation member of a control class: a property, a method or an event.
// Names are UTF-8 and may carry umlauts ("LängeVK"); lookups by name ignore case.
struct MemberInfo
{
    enum class Kind { Property, Method, Event };

    struct Param
    {
        QString name;
        QString type;
        bool byRef = false;
        bool optional = false;
    };

    Kind kind = Kind::Property;
    QString name;
    int dispId = 0;
    QString type; // automation type name: "Long", "Integer", "Boolean", "String", ...
    QString description; // shown by a property browser
    QString category; // property-browser grouping, "Page;Category"
    QList<Param> params; // method arguments, event arguments, property indexes
    bool readOnly = false; // put fails with 383
    bool writeOnly = false; // get fails with 394
    bool runtimeOnly = false; // get in design mode fails with 394
    bool persisted = false; // informational: the property is saved

    // Builder style, so tables read as one line per member:
    //   MemberInfo::make("TextArt", 1, "Long").describe("...").inCategory("Page;Verhalten")
    static MemberInfo make(const QString &name, int dispId, const QString &type = {})
    {
        MemberInfo info;
        info.name = name;
        info.dispId = dispId;
        info.type = type;
        return info;
    }
    MemberInfo &describe(const QString &text) { return description = text, *this; }
    MemberInfo &inCategory(const QString &text) { return category = text, *this; }
    MemberInfo &param(const QString &paramName, const QString &paramType, bool isByRef = false,
                      bool isOptional = false)
    {
        params.append(Param { paramName, paramType, isByRef, isOptional });
        return *this;
    }
    MemberInfo &setReadOnly() { return readOnly = true, *this; }
    MemberInfo &setWriteOnly() { return writeOnly = true, *this; }
    MemberInfo &setRuntimeOnly() { return runtimeOnly = true, *this; }
    MemberInfo &setPersisted() { return persisted = true, *this; }
};

} // namespace comctl
