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

QList<SelectionEntry> commandItems(ServerAccess &server, const QString &command)
{
    QStringList raw;
    bool failed = false;
    const int count = server.ServerList(command, itemSeparator, raw, failed);
    QList<SelectionEntry> entries;
    for (int i = 0; i < count && i < raw.size(); ++i) {
        const QString &item = raw.at(i);
        entries << SelectionEntry::fromServer(TextHelpers::GetPiece(item, backtick, 1),
                                              TextHelpers::GetPiece(item, backtick, 2));
    }
    return entries;
}

bool appendQueryItems(ServerCall &call, const QString &query, const QStringList &arguments,
                      QList<SelectionEntry> &entries)
{
    call.setOperation(QStringLiteral("Abfrage KXUmsatz.Daten ") + query);
    return call.run([&] {
        ServerHandle rows(call.server(),
                          call.factory().OpenQuery(QStringLiteral("KXUmsatz.Daten"), query));
        rows->RunQuery(arguments);
        while (rows->NextRow()) {
            entries << SelectionEntry::fromServer(
                rows->ColumnValue(1),
                TextHelpers::ConvertUmlauts(rows->ColumnValue(2), QStringLiteral("KORDEX"), false));
        }
    });
}

} // namespace ertragon::ServerLists
