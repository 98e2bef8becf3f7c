#pragma once

#include "StoreSession_p.h"

#include <QHash>
#include <functional>
#include <kordex/ServerObject.h>
#include <memory>

namespace kordex {

// A server object: properties read once when it is opened, methods as calls
// into the store. Names match without regard to case.
class StoreObject : public ServerObject
{
public:
    using Method = std::function<QString(Store &, const QStringList &)>;

    StoreObject(std::shared_ptr<StoreSession> session, QString className);

    void addProperty(const QString &name, const QString &value);
    void addMethod(const QString &name, Method method);

    QString property(const QString &name) override;
    QString call(const QString &method, const QStringList &arguments) override;
    void SYS_Close() override { m_closed = true; }

private:
    void requireOpen() const;

    std::shared_ptr<StoreSession> m_session;
    QString m_className;
    QHash<QString, QString> m_properties;
    QHash<QString, Method> m_methods;
    bool m_closed = false;
};

} // namespace kordex
