#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <kordex/ServerError.h>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>

namespace kordex {

enum class Dialect { Sqlite, Postgres };

// Which server of a PostgreSQL host list a connection wants: the primary, or
// a standby when one answers (else the primary).
enum class Target { ReadWrite, PreferStandby };

using SqlValue = std::variant<std::monostate, qint64, QString>;
using SqlRow = QStringList;

// One statement with its "?" values.
struct SqlStatement
{
    QString sql;
    QList<SqlValue> params;
};

// The rows of each statement of a batch, in order, up to the first that
// failed; error says why that one failed.
struct BatchResult
{
    QList<QList<SqlRow>> answers;
    std::optional<ServerError> error;
};

// Appends rows to one table through the engine's bulk path. Columns are given
// in the order named when the writer was made; endRow closes a row.
class BulkWriter
{
public:
    virtual ~BulkWriter() = default;
    virtual void text(std::string_view value) = 0;
    virtual void integer(qint64 value) = 0;
    virtual void endRow() = 0;
    // Flushes what is buffered; the surrounding transaction still decides.
    virtual void finish() = 0;
};

// One connection to a SQL engine. Statements use "?" placeholders; every value
// is bound, never pasted into the text. Prepared statements are kept per
// connection, keyed by their text, and reused. Failures raise ServerError.
class SqlConnection
{
public:
    virtual ~SqlConnection() = default;

    virtual Dialect dialect() const = 0;
    virtual bool isOpen() = 0;
    // Statements without parameters, separated by ";".
    virtual void script(const QString &sql) = 0;
    virtual QList<SqlRow> query(const QString &sql, const QList<SqlValue> &params = {}) = 0;
    virtual void execute(const QString &sql, const QList<SqlValue> &params = {}) = 0;
    // Runs reading statements in order, all from one snapshot (a read
    // transaction of their own unless one is open); the first failure ends the
    // batch and is handed back, not raised. This form runs one after another.
    virtual BatchResult queryBatch(const QList<SqlStatement> &statements);
    // True inside a transaction the caller opened.
    virtual bool inTransaction() = 0;
    virtual std::unique_ptr<BulkWriter> bulkWriter(const QString &table, const QStringList &columns)
        = 0;
    virtual void begin() = 0;
    // Commits the open transaction; first makes sure the store is still where
    // it was opened, so that work on a deleted file is never reported done.
    virtual void commit();
    void rollback() { script(QStringLiteral("ROLLBACK")); }
    // Raises ServerError(ConnectFailed) when the store was deleted or replaced
    // since it was opened (a file store; a server cannot move).
    virtual void requireInPlace() { }
    // True when the store was opened only for reading (a file in a folder that
    // cannot be written); every write then fails with ServerError(ReadOnly).
    virtual bool readOnly() const { return false; }
    // True on a PostgreSQL hot standby: reads only, writes go to the primary.
    virtual bool onStandby() const { return false; }
    // PostgreSQL: the SCRAM-SHA-256 verifier of a role's password, made on this side so
    // that the clear password never reaches the server. Other engines raise ServerError.
    virtual QString passwordVerifier(const QString &role, const QString &password);

    // The first column of the first row, or the fallback when there is no row.
    QString scalar(const QString &sql, const QList<SqlValue> &params = {},
                   const QString &fallback = QString());
};

// Commits on commit(); a transaction left without commit rolls back.
class Transaction
{
public:
    explicit Transaction(SqlConnection &connection);
    ~Transaction();
    void commit();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    SqlConnection &m_connection;
    bool m_open = true;
};

// nullptr with the reason in errorText when the file cannot be opened. With
// create set a missing file is made, readable by its owner only (0600), and
// ":memory:" opens a store in memory. A file whose folder or which itself
// cannot be written opens for reading only. errorNumber (when given) tells a file that
// is no SQLite database (NotAStore) from one that cannot be reached (ConnectFailed).
std::unique_ptr<SqlConnection> openSqlite(const QString &path, bool create, QString *errorText,
                                          int *errorNumber = nullptr);
// The login of a PostgreSQL connection: a role and its password. Empty: libpq's own
// conventions (PGUSER, PGPASSWORD, ~/.pgpass, service files), as the admin tool uses.
struct PgLogin
{
    QString role;
    QString password;
};

// Why openPostgres failed: the server did not answer (worth another attempt), it
// refused the login, or its certificate could not be verified.
enum class PgFailure { Unreachable, Refused, Untrusted };

// host and port, each a single value or a comma-separated list tried in turn
// (libpq's multi-host form); database "kordex". TLS as libpq's sslmode says
// (PGSSLMODE, PGSSLROOTCERT or a service file; verify-full for a chain's server).
std::unique_ptr<SqlConnection>
openPostgres(const QString &host, const QString &port, QString *errorText,
             const QString &database = QStringLiteral("kordex"), Target target = Target::ReadWrite,
             const PgLogin &login = {}, PgFailure *failure = nullptr);

} // namespace kordex
