#pragma once

#include "SelectionList.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ertragon {

class ServerAccess;
class ServerCall;

// Fills selection lists from the server: every entry a code, which the server
// receives, and a name.
namespace ServerLists {

// Entries of a command output ("d HGRP^KXCLSU", ...): each "code`name" one entry;
// names are shown as sent. A failed command gives no entries.
QList<SelectionEntry> commandItems(ServerAccess &server, const QString &command);

// Appends one entry per row of a query of KXUmsatz.Daten: column 1 the code,
// column 2 the name converted from the server's text form. Runs inside the caller's
// server bracket; a server error is reported (which ends the bracket), the entries
// added so far stay, and the result is false.
bool appendQueryItems(ServerCall &call, const QString &query, const QStringList &arguments,
                      QList<SelectionEntry> &entries);

} // namespace ServerLists
} // namespace ertragon
