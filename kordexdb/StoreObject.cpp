#include "EchoedInput.h"
#include "StoreObject_p.h"

namespace kordex {

StoreObject::StoreObject(std::shared_ptr<StoreSession> session, QString className)
    : m_session(std::move(session))
    , m_className(std::move(className))
{
}

void StoreObject::addProperty(const QString &name, const QString &value)
{
    m_properties.insert(name.toLower(), value);
}

void StoreObject::addMethod(const QString &name, Method method)
{
    m_methods.insert(name.toLower(), std::move(method));
}

void StoreObject::requireOpen() const
{
    if (m_closed)
        throw ServerError(error::Closed,
                          QStringLiteral("Objekt %1 ist geschlossen").arg(m_className));
}

QString StoreObject::property(const QString &name)
{
    requireOpen();
    m_session->require();
    const auto found = m_properties.constFind(name.toLower());
    if (found == m_properties.constEnd())
        throw ServerError(error::UnknownProperty,
                          QStringLiteral("Unbekannte Eigenschaft %1 der Klasse %2")
                              .arg(EchoedInput::quoted(name), m_className));
    return *found;
}

QString StoreObject::call(const QString &method, const QStringList &arguments)
{
    requireOpen();
    Store &store = m_session->require();
    const auto found = m_methods.constFind(method.toLower());
    if (found == m_methods.constEnd())
        throw ServerError(error::UnknownMethod,
                          QStringLiteral("Unbekannte Methode %1 der Klasse %2")
                              .arg(EchoedInput::quoted(method), m_className));
    return (*found)(store, arguments);
}

} // namespace kordex
