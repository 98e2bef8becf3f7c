#include "MemberTable.h"

namespace comctl {

void MemberTable::addProperty(MemberInfo info, Getter get, Setter put)
{
    info.kind = MemberInfo::Kind::Property;
    m_entries.push_back({ std::move(info), std::move(get), std::move(put), {} });
}

void MemberTable::addMethod(MemberInfo info, Method call)
{
    info.kind = MemberInfo::Kind::Method;
    m_entries.push_back({ std::move(info), {}, {}, std::move(call) });
}

void MemberTable::addEvent(MemberInfo info)
{
    info.kind = MemberInfo::Kind::Event;
    m_entries.push_back({ std::move(info), {}, {}, {} });
}

const MemberInfo *MemberTable::find(const QString &name, MemberInfo::Kind kind) const
{
    for (const Entry &entry : m_entries) {
        if (entry.info.kind == kind && entry.info.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry.info;
    }
    return nullptr;
}

const MemberInfo *MemberTable::find(int dispId, MemberInfo::Kind kind) const
{
    for (const Entry &entry : m_entries) {
        if (entry.info.kind == kind && entry.info.dispId == dispId)
            return &entry.info;
    }
    return nullptr;
}

QList<MemberInfo> MemberTable::members(MemberInfo::Kind kind) const
{
    QList<MemberInfo> result;
    for (const Entry &entry : m_entries) {
        if (entry.info.kind == kind)
            result.append(entry.info);
    }
    return result;
}

const MemberTable::Entry *MemberTable::entryFor(const MemberInfo &member) const
{
    for (const Entry &entry : m_entries) {
        if (&entry.info == &member)
            return &entry;
    }
    const MemberInfo *found = find(member.name, member.kind);
    for (const Entry &entry : m_entries) {
        if (&entry.info == found)
            return &entry;
    }
    return nullptr;
}

const MemberTable::Getter &MemberTable::getter(const MemberInfo &member) const
{
    static const Getter none;
    const Entry *entry = entryFor(member);
    return entry ? entry->get : none;
}

const MemberTable::Setter &MemberTable::setter(const MemberInfo &member) const
{
    static const Setter none;
    const Entry *entry = entryFor(member);
    return entry ? entry->put : none;
}

const MemberTable::Method &MemberTable::method(const MemberInfo &member) const
{
    static const Method none;
    const Entry *entry = entryFor(member);
    return entry ? entry->call : none;
}

} // namespace comctl
