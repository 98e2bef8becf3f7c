#include <QStandardPaths>
#include <kordex/StoreAddress.h>

namespace kordex {

QString connectString(const QString &server, const QString &port)
{
    return QStringLiteral("cn_iptcp:") + server + QLatin1Char('[') + port
        + QStringLiteral("]:KORDEX");
}

QString defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/ertragon/demo.db");
}

} // namespace kordex
