// Used only while the kordexdb library is not part of the build: the few
// symbols of its interface that this layer needs, so that it links and its
// tests run against their own fake store.
#include "Factory.h"
#include "ServerError.h"

#include <QStandardPaths>

namespace kordex {

ServerError::ServerError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(m_description.toUtf8())
{
}

std::unique_ptr<Factory> createFactory()
{
    return nullptr;
}

QString connectString(const QString &server, const QString &port)
{
    return QStringLiteral("cn_iptcp:") + server + u'[' + port + QStringLiteral("]:KORDEX");
}

QString defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/ertragon/demo.db");
}

} // namespace kordex
