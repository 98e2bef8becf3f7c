#include "ServerLists.h"

#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"
#include "TextHelpers.h"

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

bool appendQueryItems(ServerCall &call, const QString &query, const QStringList &arguments,
                      QStringList &items)
{
    call.setOperation(QStringLiteral("Abfrage KXUmsatz.Daten ") + query);
    return call.run([&] {
        ServerHandle rows(call.server(),
                          call.factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"), query));
        rows->RunQuery(arguments);
        while (rows->NextRow()) {
            items << rows->ColumnValue(1) + QLatin1Char(' ')
                    + TextHelpers::ConvertUmlauts(rows->ColumnValue(2), QStringLiteral("KORDEX"),
                                                  false);
        }
    });
}

QString codeOf(const QString &item)
{
    return TextHelpers::GetPiece(item, QStringLiteral(" "), 1);
}

} // namespace ertragon::ServerLists
