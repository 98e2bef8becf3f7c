#pragma once

#include "MemberInfo.h"

#include <QVariant>
#include <functional>
#include <vector>

namespace comctl {

class ComControl;

// The late-bound surface of one control class: every member with its description and, for
// properties and methods, the functions that run them. A control class builds one table
// (usually as a function-local static) and returns it from ComControl::memberTable().
class MemberTable
{
public:
    using Getter = std::function<QVariant(ComControl &control, const QVariantList &index)>;
    using Setter = std::function<void(ComControl &control, const QVariantList &index,
                                      const QVariant &value)>;
    using Method = std::function<QVariant(ComControl &control, QVariantList &args)>;

    void addProperty(MemberInfo info, Getter get, Setter put);
    void addMethod(MemberInfo info, Method call);
    void addEvent(MemberInfo info);

    // Lookup; nullptr when the class has no such member. Names ignore case.
    const MemberInfo *find(const QString &name, MemberInfo::Kind kind) const;
    const MemberInfo *find(int dispId, MemberInfo::Kind kind) const;

    // All members of one kind in the order they were added.
    QList<MemberInfo> members(MemberInfo::Kind kind) const;

    const Getter &getter(const MemberInfo &member) const;
    const Setter &setter(const MemberInfo &member) const;
    const Method &method(const MemberInfo &member) const;

private:
    struct Entry
    {
        MemberInfo info;
        Getter get;
        Setter put;
        Method call;
    };
    const Entry *entryFor(const MemberInfo &member) const;

    std::vector<Entry> m_entries;
};

} // namespace comctl
