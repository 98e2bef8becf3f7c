#include "AccessRights.h"

#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"

#include <QHash>
#include <QStringList>
#include <kordex/ServerError.h>
#include <memory>

namespace ertragon {

namespace {

bool isYes(const QString &text)
{
    return text.trimmed().compare(QStringLiteral("J"), Qt::CaseInsensitive) == 0;
}

// Own department -> the departments a restricted user of it may choose.
const QHash<QString, QStringList> &departmentTable()
{
    static const QHash<QString, QStringList> table = {
        { QStringLiteral("B1"), { QStringLiteral("B1"), QStringLiteral("M7") } },
        { QStringLiteral("B2"), { QStringLiteral("B2") } },
        { QStringLiteral("M1"),
          { QStringLiteral("M1"), QStringLiteral("MD"), QStringLiteral("MG"),
            QStringLiteral("MH") } },
        { QStringLiteral("M2"),
          { QStringLiteral("M2"), QStringLiteral("MF"), QStringLiteral("MA") } },
        { QStringLiteral("M3"),
          { QStringLiteral("M3"), QStringLiteral("M6"), QStringLiteral("ME") } },
        { QStringLiteral("M6"),
          { QStringLiteral("M3"), QStringLiteral("M6"), QStringLiteral("ME") } },
        { QStringLiteral("M4"), { QStringLiteral("M4"), QStringLiteral("MC") } },
        { QStringLiteral("M5"),
          { QStringLiteral("M5"), QStringLiteral("M7"), QStringLiteral("MB") } },
        { QStringLiteral("M7"),
          { QStringLiteral("M5"), QStringLiteral("M7"), QStringLiteral("MB") } },
        { QStringLiteral("M8"), { QStringLiteral("M8") } },
        { QStringLiteral("M9"), { QStringLiteral("M9") } },
    };
    return table;
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
    if (own == QStringLiteral("B0"))
        return chosen.startsWith(QLatin1Char('B')) || chosen == QStringLiteral("M7");
    const auto it = departmentTable().constFind(own);
    if (it == departmentTable().constEnd())
        return true;
    return it->contains(chosen);
}

} // namespace ertragon
