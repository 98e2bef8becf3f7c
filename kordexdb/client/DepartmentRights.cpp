#include <kordex/DepartmentRights.h>

namespace kordex {

const QList<DepartmentRights::Rule> &DepartmentRights::rules()
{
    static const QList<Rule> table = [] {
        QList<Rule> rows { { QStringLiteral("B0"), QStringLiteral("B"), true },
                           { QStringLiteral("B0"), QStringLiteral("M7"), false } };
        const auto add = [&rows](const QStringList &owners, const QStringList &allowed) {
            for (const QString &own : owners)
                for (const QString &code : allowed)
                    rows.append({ own, code, false });
        };
        add({ "B1" }, { "B1", "M7" });
        add({ "B2" }, { "B2" });
        add({ "M1" }, { "M1", "MD", "MG", "MH" });
        add({ "M2" }, { "M2", "MF", "MA" });
        add({ "M3", "M6" }, { "M3", "M6", "ME" });
        add({ "M4" }, { "M4", "MC" });
        add({ "M5", "M7" }, { "M5", "M7", "MB" });
        add({ "M8" }, { "M8" });
        add({ "M9" }, { "M9" });
        return rows;
    }();
    return table;
}

bool DepartmentRights::allowed(const QString &own, const QString &chosen)
{
    bool listed = false;
    for (const Rule &rule : rules()) {
        if (rule.own != own)
            continue;
        listed = true;
        if (rule.prefix ? chosen.startsWith(rule.allowed) : chosen == rule.allowed)
            return true;
    }
    return !listed;
}

} // namespace kordex
