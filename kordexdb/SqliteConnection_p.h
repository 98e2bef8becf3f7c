#pragma once

#include "SqlConnection.h"

#include <QHash>

struct sqlite3;
struct sqlite3_stmt;

namespace kordex {

class SqliteConnection : public SqlConnection
{
public:
    explicit SqliteConnection(sqlite3 *db);
    ~SqliteConnection() override;

    Dialect dialect() const override { return Dialect::Sqlite; }
    bool isOpen() override { return m_db != nullptr; }
    void script(const QString &sql) override;
    QList<SqlRow> query(const QString &sql, const QList<SqlValue> &params) override;
    void execute(const QString &sql, const QList<SqlValue> &params) override;
    std::unique_ptr<BulkWriter> bulkWriter(const QString &table,
                                           const QStringList &columns) override;
    void begin() override { script(QStringLiteral("BEGIN IMMEDIATE")); }

    sqlite3_stmt *prepared(const QString &sql);
    [[noreturn]] void fail(const QString &what);

private:
    void bind(sqlite3_stmt *statement, const QList<SqlValue> &params);

    sqlite3 *m_db;
    QHash<QString, sqlite3_stmt *> m_statements;
};

} // namespace kordex
