#include "ErrorNumbers.h"
#include "ServerError.h"
#include "SqliteConnection_p.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace kordex {

namespace {

// Resets the statement on every way out, so it can be reused.
struct StatementReset
{
    sqlite3_stmt *statement;
    ~StatementReset()
    {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
};

class SqliteBulkWriter : public BulkWriter
{
public:
    SqliteBulkWriter(SqliteConnection &connection, sqlite3_stmt *statement)
        : m_connection(connection)
        , m_statement(statement)
    {
    }

    void text(std::string_view value) override
    {
        sqlite3_bind_text(m_statement, ++m_column, value.data(), int(value.size()),
                          SQLITE_TRANSIENT);
    }
    void integer(qint64 value) override { sqlite3_bind_int64(m_statement, ++m_column, value); }
    void endRow() override
    {
        const int rc = sqlite3_step(m_statement);
        sqlite3_reset(m_statement);
        m_column = 0;
        if (rc != SQLITE_DONE)
            m_connection.fail(QStringLiteral("bulk insert"));
    }
    void finish() override { sqlite3_clear_bindings(m_statement); }

private:
    SqliteConnection &m_connection;
    sqlite3_stmt *m_statement;
    int m_column = 0;
};

} // namespace

SqliteConnection::SqliteConnection(sqlite3 *db)
    : m_db(db)
{
}

SqliteConnection::~SqliteConnection()
{
    for (sqlite3_stmt *statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
}

void SqliteConnection::fail(const QString &what)
{
    throw ServerError(
        error::SqlFailure,
        QStringLiteral("SQLite (%1): %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))));
}

void SqliteConnection::script(const QString &sql)
{
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : "?");
        sqlite3_free(message);
        throw ServerError(error::SqlFailure, QStringLiteral("SQLite: %1").arg(text));
    }
}

sqlite3_stmt *SqliteConnection::prepared(const QString &sql)
{
    if (sqlite3_stmt *found = m_statements.value(sql))
        return found;
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement, nullptr)
        != SQLITE_OK)
        fail(QStringLiteral("prepare"));
    m_statements.insert(sql, statement);
    return statement;
}

void SqliteConnection::bind(sqlite3_stmt *statement, const QList<SqlValue> &params)
{
    for (int i = 0; i < params.size(); ++i) {
        const SqlValue &value = params[i];
        int rc = SQLITE_OK;
        if (std::holds_alternative<qint64>(value)) {
            rc = sqlite3_bind_int64(statement, i + 1, std::get<qint64>(value));
        } else if (std::holds_alternative<QString>(value)) {
            const QByteArray utf8 = std::get<QString>(value).toUtf8();
            rc = sqlite3_bind_text(statement, i + 1, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(statement, i + 1);
        }
        if (rc != SQLITE_OK)
            fail(QStringLiteral("bind"));
    }
}

QList<SqlRow> SqliteConnection::query(const QString &sql, const QList<SqlValue> &params)
{
    sqlite3_stmt *statement = prepared(sql);
    StatementReset reset { statement };
    bind(statement, params);
    QList<SqlRow> rows;
    const int columns = sqlite3_column_count(statement);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        SqlRow row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
            row.append(text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, c))
                            : QString());
        }
        rows.append(row);
    }
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("query"));
    return rows;
}

void SqliteConnection::execute(const QString &sql, const QList<SqlValue> &params)
{
    query(sql, params);
}

std::unique_ptr<BulkWriter> SqliteConnection::bulkWriter(const QString &table,
                                                         const QStringList &columns)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    const QString sql
        = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    return std::make_unique<SqliteBulkWriter>(*this, prepared(sql));
}

std::unique_ptr<SqlConnection> openSqlite(const QString &path, bool create, QString *errorText)
{
    if (!create && !QFileInfo(path).isFile()) {
        if (errorText)
            *errorText = QStringLiteral("no such file: %1").arg(path);
        return nullptr;
    }
    sqlite3 *db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        if (errorText)
            *errorText = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 10000);
    sqlite3_extended_result_codes(db, 1);
    auto connection = std::make_unique<SqliteConnection>(db);
    try {
        connection->script(QStringLiteral("PRAGMA synchronous=NORMAL; PRAGMA temp_store=MEMORY;"
                                          "PRAGMA cache_size=-65536"));
    } catch (const ServerError &e) {
        if (errorText)
            *errorText = e.description();
        return nullptr;
    }
    return connection;
}

} // namespace kordex
