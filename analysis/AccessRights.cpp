#include "AccessRights.h"

#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"

#include <QStringList>
#include <kordex/DepartmentRights.h>
#include <kordex/ServerError.h>
#include <memory>

namespace ertragon {

namespace {

bool isYes(const QString &text)
{
    return text.trimmed().compare(QStringLiteral("J"), Qt::CaseInsensitive) == 0;
}

} // namespace

AccessRights AccessRights::load(ServerAccess &server, const QString &company, const QString &user)
{
    AccessRights rights;
    ServerCall call(server, QStringLiteral("Überprüfung Berechtigung"));
    const bool read = call.connected() && call.run([&] {
        ServerHandle rows(server,
                          call.factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                                   QStringLiteral("Zugriffsrechte")));
        rows->RunQuery({ company, user });
        if (rows->NextRow()) {
            rights.permitted = isYes(rows->ColumnValue(1));
            rights.restricted = isYes(rows->ColumnValue(2));
            rights.departmentBound = isYes(rows->ColumnValue(3));
        }
    });
    return read ? rights : AccessRights {};
}

bool AccessRights::departmentAllowed(const QString &own, const QString &chosen)
{
    return kordex::DepartmentRights::allowed(own, chosen);
}

} // namespace ertragon
