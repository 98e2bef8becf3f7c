#pragma once

#include "DispatchResult.h"
#include "MemberTable.h"

#include <QDataStream>
#include <QWidget>

namespace comctl {

class HostSite;
class PropertyBag;

// Base of every control the component layer hosts. A host drives any control generically:
// late-bound get/put/invoke by name or dispatch id, events as (name, arguments) notifications,
// initialisation as new, saving and loading through a property bag or stream.
class ComControl : public QWidget
{
    Q_OBJECT
public:
    explicit ComControl(QWidget *parent = nullptr);
    ~ComControl() override;

    // The class's member table (properties, methods, events with descriptions).
    virtual const MemberTable &memberTable() const = 0;
    // Class name as hosts know it ("Edit"); default extender names derive from it.
    virtual QString className() const = 0;
    virtual QString progId() const = 0;

    // The container asks a new instance to initialise its properties.
    virtual void initNew() = 0;
    // Persistence through the container's property bag.
    virtual void loadProperties(const PropertyBag &bag) = 0;
    virtual void saveProperties(PropertyBag &bag) const = 0;
    // Persistence through a property stream; default: the bag content behind version 1.0.
    virtual void saveToStream(QDataStream &stream) const;
    virtual bool loadFromStream(QDataStream &stream);

    // Design-time property pages, shown modally; false when the control has none.
    virtual bool showPropertyPages(QWidget *parent);
    // The property dialog for a host that drives it itself (a script): a new top-level
    // widget the caller owns; default: none (nullptr). showPropertyPages runs this one.
    virtual QWidget *createPropertyDialog(QWidget *parent);
    // The part of the control a user clicks, by a name the control gives it ("spin-up",
    // "calc:7"): the widget that takes the click, with the point in its coordinates.
    // nullptr for an unknown name or a part not shown now.
    virtual QWidget *partAt(const QString &name, QPoint *point);
    // The host's data source is about to save or leave its current row: a bound control
    // writes a changed value back first. True when something was written.
    virtual bool writeBoundData() { return false; }
    // Popup windows the control has open now (for screenshots).
    virtual QList<QWidget *> openPopups() const { return {}; }

    // The host site; a control without one behaves as on a default run-mode form.
    void setSite(HostSite *site);
    HostSite *site() const;
    bool designMode() const;
    QString extenderName() const;

    // Late-bound access. Errors come back in the result, never as exceptions.
    DispatchResult get(const QString &name, const QVariantList &index = {});
    DispatchResult get(int dispId, const QVariantList &index = {});
    DispatchResult put(const QString &name, const QVariant &value, const QVariantList &index = {});
    DispatchResult put(int dispId, const QVariant &value, const QVariantList &index = {});
    DispatchResult invoke(const QString &name, QVariantList args = {});
    DispatchResult invoke(int dispId, QVariantList args = {});

    // Refused input: the host's beep.
    void beep();
    // Tells the host that the named property changed.
    void notifyPropertyChanged(const QString &propertyName);

Q_SIGNALS:
    // Every event of the control. A directly connected handler may change entries of args
    // that the event passes by reference; the control reads them back after the emission.
    void eventRaised(const QString &name, QVariantList &args);

protected:
    // Raises an event and returns the arguments as the handlers left them.
    QVariantList raiseEvent(const QString &name, QVariantList args = {});

private:
    DispatchResult getMember(const MemberInfo *member, const QVariantList &index);
    DispatchResult putMember(const MemberInfo *member, const QVariant &value,
                             const QVariantList &index);
    DispatchResult invokeMember(const MemberInfo *member, QVariantList &args);

    HostSite *m_site = nullptr;
};

} // namespace comctl
