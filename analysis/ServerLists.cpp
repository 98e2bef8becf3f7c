#include "ServerLists.h"

#include "ServerAccess.h"
#include "TextHelpers.h"

#include <kordex/ServerError.h>
#include <memory>

namespace ertragon::ServerLists {

namespace {
const QChar itemSeparator(0xFF);
const QString backtick = QStringLiteral("`");
} // namespace

QStringList commandItems(ServerAccess &server, const QString &command)
{
    QStringList raw;
    bool failed = false;
    const int count = server.ServerList(command, itemSeparator, raw, failed);
    QStringList items;
    for (int i = 0; i < count && i < raw.size(); ++i) {
        const QString &item = raw.at(i);
        items << TextHelpers::GetPiece(item, backtick, 1) + QLatin1Char(' ')
                + TextHelpers::GetPiece(item, backtick, 2);
    }
    return items;
}

bool appendQueryItems(ServerAccess &server, const QString &query, const QStringList &arguments,
                      QStringList &items)
{
    std::unique_ptr<kordex::ResultSet> rows;
    try {
        rows = server.factory()->OpenQuery(QStringLiteral("KXUmsatz.Daten"), query);
        rows->RunQuery(arguments);
        while (rows->NextRow()) {
            items << rows->ColumnValue(1) + QLatin1Char(' ')
                    + TextHelpers::ConvertUmlauts(rows->ColumnValue(2), QStringLiteral("KORDEX"),
                                                  false);
        }
        server.CloseServerObject(rows);
        return true;
    } catch (const kordex::ServerError &error) {
        server.CloseServerObject(rows);
        server.ShowServerError(error, QStringLiteral("Abfrage KXUmsatz.Daten ") + query);
        return false;
    }
}

bool beginCall(ServerAccess &server, bool hourglass, const QString &operation)
{
    try {
        return server.BeginServerCall(hourglass);
    } catch (const kordex::ServerError &error) {
        server.ShowServerError(error, operation);
        return false;
    }
}

QString codeOf(const QString &item)
{
    return TextHelpers::GetPiece(item, QStringLiteral(" "), 1);
}

} // namespace ertragon::ServerLists
