#pragma once

#include "SqlConnection.h"

#include <QHash>

struct sqlite3;
struct sqlite3_stmt;

namespace kordex {

class SqliteConnection : public SqlConnection
{
public:
    SqliteConnection(sqlite3 *db, QString path, bool readOnly);
    ~SqliteConnection() override;

    Dialect dialect() const override { return Dialect::Sqlite; }
    bool isOpen() override { return m_db != nullptr; }
    void script(const QString &sql) override;
    QList<SqlRow> query(const QString &sql, const QList<SqlValue> &params) override;
    void execute(const QString &sql, const QList<SqlValue> &params) override;
    std::unique_ptr<BulkWriter> bulkWriter(const QString &table,
                                           const QStringList &columns) override;
    void begin() override;
    bool inTransaction() override;
    void requireInPlace() override;
    bool readOnly() const override { return m_readOnly; }

    sqlite3_stmt *prepared(const QString &sql);
    [[noreturn]] void fail(const QString &what);

private:
    void bind(sqlite3_stmt *statement, const QList<SqlValue> &params);

    [[noreturn]] void failReadOnly();

    sqlite3 *m_db;
    QString m_path;
    bool m_readOnly;
    QHash<QString, sqlite3_stmt *> m_statements;
};

} // namespace kordex
