#pragma once

#include "SqlConnection.h"

#include <QHash>
#include <libpq-fe.h>

namespace kordex {

class PgConnection : public SqlConnection
{
public:
    explicit PgConnection(PGconn *conn);
    ~PgConnection() override;

    Dialect dialect() const override { return Dialect::Postgres; }
    bool isOpen() override;
    void script(const QString &sql) override;
    QList<SqlRow> query(const QString &sql, const QList<SqlValue> &params) override;
    void execute(const QString &sql, const QList<SqlValue> &params) override;
    std::unique_ptr<BulkWriter> bulkWriter(const QString &table,
                                           const QStringList &columns) override;
    BatchResult queryBatch(const QList<SqlStatement> &statements) override;
    void begin() override { script(QStringLiteral("BEGIN")); }
    bool inTransaction() override;
    bool onStandby() const override;
    QString passwordVerifier(const QString &role, const QString &password) override;

    PGconn *handle() const { return m_conn; }
    [[noreturn]] void fail(const QString &what, PGresult *result = nullptr);
    // The error fail() raises, without raising it; result is not cleared.
    ServerError failure(const QString &what, const PGresult *result = nullptr) const;

private:
    QByteArray preparedName(const QString &sql);
    void flushPipeline();

    PGconn *m_conn;
    QHash<QString, QByteArray> m_statements;
};

} // namespace kordex
