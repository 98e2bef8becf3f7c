#include "ComControl.h"

#include "HostSite.h"
#include "PropertyBag.h"
#include "PropertyStream.h"

#include <QDialog>
#include <memory>

namespace comctl {

namespace {

HostSite &defaultSite()
{
    static HostSite site;
    return site;
}

DispatchResult noSuchMember()
{
    return DispatchResult::failure(AutomationError(AutomationError::ObjectDoesntSupportMember));
}

} // namespace

ComControl::ComControl(QWidget *parent)
    : QWidget(parent)
{
}

ComControl::~ComControl() = default;

void ComControl::saveToStream(QDataStream &stream) const
{
    PropertyBag bag;
    saveProperties(bag);
    PropertyStream::save(stream, bag, { 1, 0 });
}

bool ComControl::loadFromStream(QDataStream &stream)
{
    PropertyBag bag;
    if (!PropertyStream::load(stream, &bag, { 1, 0 }))
        return false;
    loadProperties(bag);
    return true;
}

bool ComControl::showPropertyPages(QWidget *parent)
{
    const std::unique_ptr<QWidget> pages(createPropertyDialog(parent));
    auto *dialog = qobject_cast<QDialog *>(pages.get());
    if (!dialog)
        return false;
    dialog->exec();
    return true;
}

QWidget *ComControl::createPropertyDialog(QWidget *)
{
    return nullptr;
}

QWidget *ComControl::partAt(const QString &, QPoint *)
{
    return nullptr;
}

void ComControl::setSite(HostSite *site)
{
    m_site = site;
}

HostSite *ComControl::site() const
{
    return m_site ? m_site : &defaultSite();
}

bool ComControl::designMode() const
{
    return !site()->userMode();
}

QString ComControl::extenderName() const
{
    return site()->extenderName(this);
}

void ComControl::beep()
{
    site()->beep();
}

void ComControl::notifyPropertyChanged(const QString &propertyName)
{
    site()->propertyChanged(this, propertyName);
}

QVariantList ComControl::raiseEvent(const QString &name, QVariantList args)
{
    Q_EMIT eventRaised(name, args);
    return args;
}

DispatchResult ComControl::get(const QString &name, const QVariantList &index)
{
    return getMember(memberTable().find(name, MemberInfo::Kind::Property), index);
}

DispatchResult ComControl::get(int dispId, const QVariantList &index)
{
    return getMember(memberTable().find(dispId, MemberInfo::Kind::Property), index);
}

DispatchResult ComControl::put(const QString &name, const QVariant &value,
                               const QVariantList &index)
{
    return putMember(memberTable().find(name, MemberInfo::Kind::Property), value, index);
}

DispatchResult ComControl::put(int dispId, const QVariant &value, const QVariantList &index)
{
    return putMember(memberTable().find(dispId, MemberInfo::Kind::Property), value, index);
}

DispatchResult ComControl::invoke(const QString &name, QVariantList args)
{
    return invokeMember(memberTable().find(name, MemberInfo::Kind::Method), args);
}

DispatchResult ComControl::invoke(int dispId, QVariantList args)
{
    return invokeMember(memberTable().find(dispId, MemberInfo::Kind::Method), args);
}

DispatchResult ComControl::getMember(const MemberInfo *member, const QVariantList &index)
{
    if (!member)
        return noSuchMember();
    if (member->writeOnly || (member->runtimeOnly && designMode()))
        return DispatchResult::failure(AutomationError(AutomationError::GetNotSupported));
    const MemberTable::Getter &get = memberTable().getter(*member);
    if (!get)
        return DispatchResult::failure(AutomationError(AutomationError::GetNotSupported));
    try {
        return DispatchResult::success(get(*this, index));
    } catch (const AutomationError &error) {
        return DispatchResult::failure(error);
    }
}

DispatchResult ComControl::putMember(const MemberInfo *member, const QVariant &value,
                                     const QVariantList &index)
{
    if (!member)
        return noSuchMember();
    const MemberTable::Setter &put = memberTable().setter(*member);
    if (member->readOnly || !put)
        return DispatchResult::failure(AutomationError(AutomationError::SetNotSupported));
    try {
        put(*this, index, value);
        return DispatchResult::success();
    } catch (const AutomationError &error) {
        return DispatchResult::failure(error);
    }
}

DispatchResult ComControl::invokeMember(const MemberInfo *member, QVariantList &args)
{
    if (!member)
        return noSuchMember();
    int required = 0;
    for (const MemberInfo::Param &param : member->params)
        required += param.optional ? 0 : 1;
    if (args.size() < required || args.size() > member->params.size())
        return DispatchResult::failure(AutomationError(AutomationError::WrongNumberOfArguments));
    try {
        return DispatchResult::success(memberTable().method(*member)(*this, args));
    } catch (const AutomationError &error) {
        return DispatchResult::failure(error);
    }
}

} // namespace comctl
