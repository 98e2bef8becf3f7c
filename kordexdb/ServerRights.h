#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kordex {

class SqlConnection;

// The KORDEX user a PostgreSQL session belongs to, as the store's rules see them.
struct SessionUser
{
    QString company;
    QString code;
    QString department;
    QString mainDepartment;
    bool reads = false; // permitted, active and rights group 3 or more
    bool restricted = false;
    bool departmentBound = false;
};

// The rights a PostgreSQL store holds itself. Every KORDEX user is a login role
// (kx_<company>_<code in lower case>, a member of kordex_benutzer) that authenticates
// with SCRAM; row-level security applies the program's rules to every table a user
// role can read; the rebuild is the function kordex_generieren, which runs as the
// admin role that owns the store and checks the caller. No user role writes a table
// or reads a password hash. A SQLite store is one user's file and has none of this.
class ServerRights
{
public:
    static QString roleName(const QString &company, const QString &code);

    // Makes (or makes again) the group role, the department table from
    // kordex::DepartmentRights, the functions, the policies and the grants, in the
    // caller's transaction; marks the store as holding them.
    static void install(SqlConnection &sql);
    static bool installed(SqlConnection &sql);

    // Creates or changes the login role of a user: a password becomes a SCRAM
    // verifier made here, so the clear password never reaches the server; an inactive
    // user's role cannot log in.
    static void setRole(SqlConnection &sql, const QString &company, const QString &code,
                        const std::optional<QString> &password, bool active);
    // Gives every user of the store a role (upgrade). Users whose old password hash
    // cannot become a server login are returned as "company/code": they need a new
    // password. The old hashes are removed.
    static QStringList carryOverUsers(SqlConnection &sql);

    // The KORDEX user of this session; nothing for the admin or another role.
    static std::optional<SessionUser> sessionUser(SqlConnection &sql);
};

} // namespace kordex
