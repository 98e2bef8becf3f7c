#include "GroupedSums.h"

#include "Schema.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QSet>

namespace kordex {

namespace {

const QString period = QStringLiteral("periode");
const QChar keySeparator(0x1F);

// A query's columns and values: the period (when it names one month) and its filters.
QMap<QString, QString> valuesOf(const SumSelection &s)
{
    QMap<QString, QString> values;
    if (s.from == s.to)
        values.insert(period, QString::number(s.from));
    for (const auto &[column, code] : s.filters)
        values.insert(column, code);
    return values;
}

// Queries that can share a statement: one company, one period range (or single
// months), the same restricted levels. Written without building each query's values:
// a fetch asks it for every month.
QString shapeOf(const SumSelection &s)
{
    QStringList columns;
    columns.reserve(s.filters.size() + 1);
    if (s.from == s.to)
        columns.append(period);
    for (const auto &filter : s.filters)
        columns.append(filter.first);
    columns.sort();
    columns.removeDuplicates();
    QString shape = s.company;
    shape += keySeparator;
    if (s.from == s.to)
        shape += QLatin1String("month");
    else
        shape += QString::number(s.from) + QLatin1Char('-') + QString::number(s.to);
    shape += keySeparator;
    shape += columns.join(QLatin1Char(','));
    return shape;
}

// One value list as the engine takes it: a PostgreSQL array literal, or a JSON array
// that SQLite's json_each reads.
SqlValue listValue(const QStringList &values, bool numbers, Dialect dialect)
{
    if (dialect == Dialect::Sqlite) {
        QJsonArray array;
        for (const QString &v : values)
            array.append(numbers ? QJsonValue(v.toLongLong()) : QJsonValue(v));
        return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
    }
    QString literal(QLatin1Char('{'));
    for (const QString &v : values) {
        if (literal.size() > 1)
            literal += QLatin1Char(',');
        if (numbers) { // digits, as the periods were parsed
            literal += v;
            continue;
        }
        literal += QLatin1Char('"');
        for (const QChar c : v) {
            if (c == u'\\' || c == u'"')
                literal += QLatin1Char('\\');
            literal += c;
        }
        literal += QLatin1Char('"');
    }
    literal += QLatin1Char('}');
    return literal;
}

QString inList(const QString &column, bool numbers, Dialect dialect)
{
    if (dialect == Dialect::Sqlite)
        return QStringLiteral("%1 IN (SELECT value FROM json_each(?))").arg(column);
    return QStringLiteral("%1 = ANY(?::%2[])")
        .arg(column, numbers ? QStringLiteral("integer") : QStringLiteral("text"));
}

GroupedSums::Group groupOf(const QList<SumSelection> &selections, const QList<qsizetype> &members,
                           Dialect dialect)
{
    GroupedSums::Group group;
    group.members = members;
    const SumSelection &first = selections[members.first()];
    if (members.size() == 1) {
        group.statement = PeriodSums::rollupStatement(first);
        group.keys = { QString() };
        return group;
    }
    // The columns whose values differ are grouped by; the others stay plain filters.
    QList<QMap<QString, QString>> memberValues;
    memberValues.reserve(members.size());
    for (qsizetype m : members)
        memberValues.append(valuesOf(selections[m]));
    const QMap<QString, QString> &firstValues = memberValues.first();
    QStringList varying;
    QMap<QString, QStringList> lists;
    for (auto it = firstValues.cbegin(); it != firstValues.cend(); ++it) {
        QStringList values;
        QSet<QString> seen;
        for (const QMap<QString, QString> &member : std::as_const(memberValues)) {
            const QString v = member.value(it.key());
            if (!seen.contains(v)) {
                seen.insert(v);
                values.append(v);
            }
        }
        if (values.size() > 1) {
            varying.append(it.key());
            lists.insert(it.key(), values);
        }
    }
    QStringList sums;
    for (const QString &measure : Schema::measures())
        sums.append(QStringLiteral("COALESCE(SUM(%1), 0)").arg(measure));
    QStringList where { QStringLiteral("firma = ?") };
    QList<SqlValue> params { first.company };
    if (first.from != first.to) {
        where.append(QStringLiteral("periode BETWEEN ? AND ?"));
        params << qint64(first.from) << qint64(first.to);
    }
    QStringList used;
    for (auto it = firstValues.cbegin(); it != firstValues.cend(); ++it) {
        const bool numbers = it.key() == period;
        if (!numbers)
            used.append(it.key());
        if (varying.contains(it.key())) {
            where.append(inList(it.key(), numbers, dialect));
            params.append(listValue(lists.value(it.key()), numbers, dialect));
        } else {
            where.append(it.key() + QStringLiteral(" = ?"));
            params.append(numbers ? SqlValue(it.value().toLongLong()) : SqlValue(it.value()));
        }
    }
    const QString columns = varying.join(QStringLiteral(", "));
    group.statement = { QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 GROUP BY %1")
                            .arg(columns, sums.join(QStringLiteral(", ")),
                                 Schema::covering(used).table, where.join(QStringLiteral(" AND "))),
                        params };
    group.groupedColumns = int(varying.size());
    for (const QMap<QString, QString> &values : std::as_const(memberValues)) {
        QStringList key;
        for (const QString &column : std::as_const(varying))
            key.append(values.value(column));
        group.keys.append(key.join(keySeparator));
    }
    return group;
}

} // namespace

QList<GroupedSums::Group> GroupedSums::plan(const QList<SumSelection> &selections, Dialect dialect)
{
    QList<QString> shapes;
    QMap<QString, QList<qsizetype>> members;
    for (qsizetype i = 0; i < selections.size(); ++i) {
        const QString shape = shapeOf(selections[i]);
        if (!members.contains(shape))
            shapes.append(shape);
        members[shape].append(i);
    }
    QList<Group> groups;
    for (const QString &shape : std::as_const(shapes))
        groups.append(groupOf(selections, members.value(shape), dialect));
    return groups;
}

QList<QList<SqlRow>> GroupedSums::split(const Group &group, const QList<SqlRow> &rows)
{
    if (group.groupedColumns == 0)
        return { rows };
    const auto keyOf = [&group](const SqlRow &row) {
        return group.groupedColumns == 1 ? row.first()
                                         : row.mid(0, group.groupedColumns).join(keySeparator);
    };
    QHash<QString, qsizetype> byKey;
    byKey.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows[i].size() >= group.groupedColumns)
            byKey.insert(keyOf(rows[i]), i);
    const SqlRow zeros(Schema::measures().size(), QStringLiteral("0"));
    QList<QList<SqlRow>> answers;
    answers.reserve(group.keys.size());
    for (const QString &key : group.keys) {
        const auto found = byKey.constFind(key);
        answers.append({ found == byKey.cend() ? zeros : rows[*found].mid(group.groupedColumns) });
    }
    return answers;
}

} // namespace kordex
