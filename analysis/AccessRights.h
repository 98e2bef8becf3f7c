#pragma once

#include <QString>

namespace ertragon {

class ServerAccess;

// What the store grants a user of this program: permitted at all, restricted to
// the own department, and bound to choose a department before each fetch.
struct AccessRights
{
    bool permitted = false;
    bool restricted = false;
    bool departmentBound = false;

    // Query "Zugriffsrechte" (company, user code) of KXUmsatz.Daten: one row with
    // "J"/"N" in three columns. A failed query or a missing row grants nothing.
    static AccessRights load(ServerAccess &server, const QString &company, const QString &user);

    // The department table of restricted users: may a user of department own
    // choose department chosen? Departments outside the table choose freely.
    static bool departmentAllowed(const QString &own, const QString &chosen);
};

} // namespace ertragon
