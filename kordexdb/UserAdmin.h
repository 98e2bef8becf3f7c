#pragma once

#include <QString>
#include <optional>

namespace kordex {

class SqlConnection;

// The values of one personnel record to set; unset values stay as they are
// (a new user needs a password and a name).
struct UserSettings
{
    QString company;
    QString code;
    std::optional<QString> password;
    std::optional<QString> name;
    std::optional<int> rightsGroup;
    std::optional<QString> department;
    std::optional<QString> active;
    std::optional<QString> permitted;
    std::optional<QString> restricted;
    std::optional<QString> departmentBound;
    std::optional<QString> fax;
    std::optional<QString> email;
};

// Creates or changes personnel records and their basis record (fax, e-mail). On
// PostgreSQL each user is a login role of the server as well (ServerRights), which
// holds the password; a SQLite store keeps a salted hash in the record.
class UserAdmin
{
public:
    explicit UserAdmin(SqlConnection &sql);
    // Returns true when the user was created; ServerError on invalid values.
    bool set(const UserSettings &settings);

private:
    void check(const UserSettings &s, bool exists);
    QString nextPersonnelNumber(const QString &company);

    SqlConnection &m_sql;
};

} // namespace kordex
