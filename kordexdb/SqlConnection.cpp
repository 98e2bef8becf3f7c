#include "SqlConnection.h"

#include <kordex/ErrorNumbers.h>

namespace kordex {

QString SqlConnection::scalar(const QString &sql, const QList<SqlValue> &params,
                              const QString &fallback)
{
    const QList<SqlRow> rows = query(sql, params);
    if (rows.isEmpty() || rows.first().isEmpty())
        return fallback;
    return rows.first().first();
}

QString SqlConnection::passwordVerifier(const QString &, const QString &)
{
    throw ServerError(error::SqlFailure,
                      QStringLiteral("only a PostgreSQL store keeps logins on the server"));
}

BatchResult SqlConnection::queryBatch(const QList<SqlStatement> &statements)
{
    BatchResult result;
    const bool own = !inTransaction();
    try {
        if (own)
            script(QStringLiteral("BEGIN"));
        for (const SqlStatement &statement : statements)
            result.answers.append(query(statement.sql, statement.params));
    } catch (const ServerError &e) {
        result.error = e;
    }
    if (own && inTransaction()) {
        try {
            script(QStringLiteral("COMMIT"));
        } catch (const ServerError &) {
            // a read transaction: nothing to keep
        }
    }
    return result;
}

void SqlConnection::commit()
{
    requireInPlace();
    script(QStringLiteral("COMMIT"));
}

Transaction::Transaction(SqlConnection &connection)
    : m_connection(connection)
{
    m_connection.begin();
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        m_connection.rollback();
    } catch (...) {
        // the engine already ended the transaction
    }
}

void Transaction::commit()
{
    m_connection.commit();
    m_open = false;
}

} // namespace kordex
