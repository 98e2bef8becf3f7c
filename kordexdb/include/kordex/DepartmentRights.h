#pragma once

#include <QList>
#include <QString>

namespace kordex {

// Which departments a restricted user may choose, by the user's own department.
// The one definition of the table: the program checks choices against it, and a
// PostgreSQL store holds a copy for its row-level security (written by the admin
// tool from this definition, and compared with it by the tests).
class DepartmentRights
{
public:
    // One row: own department -> a department code, or every code that begins with it.
    struct Rule
    {
        QString own;
        QString allowed;
        bool prefix = false;
    };

    static const QList<Rule> &rules();
    // May a restricted user of department own choose department chosen? A department
    // without rules chooses freely.
    static bool allowed(const QString &own, const QString &chosen);
};

} // namespace kordex
