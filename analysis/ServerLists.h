#pragma once

#include <QString>
#include <QStringList>

namespace ertragon {

class ServerAccess;
class ServerCall;

// Fills selection lists from the server. Every item is a code, one blank and a
// name; the code is what the server receives.
namespace ServerLists {

// Items of a command output ("d HGRP^KXCLSU", ...): each "code`name" becomes
// "code name"; names are shown as sent. A failed command gives no items.
QStringList commandItems(ServerAccess &server, const QString &command);

// Appends one item per row of a query of KXUmsatz.Daten: column 1, a blank and
// column 2 converted from the server's text form. Runs inside the caller's
// server bracket; a server error is reported (which ends the bracket), the rows
// added so far stay, and the result is false.
bool appendQueryItems(ServerCall &call, const QString &query, const QStringList &arguments,
                      QStringList &items);

// The code of a list item: the text before the first blank.
QString codeOf(const QString &item);

} // namespace ServerLists
} // namespace ertragon
