#include "EchoedInput.h"
#include "KordexLog.h"
#include "SqliteConnection_p.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <sqlite3.h>
#include <unistd.h>

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

SqliteConnection::SqliteConnection(sqlite3 *db, QString path, bool readOnly)
    : m_db(db)
    , m_path(std::move(path))
    , m_readOnly(readOnly)
{
}

SqliteConnection::~SqliteConnection()
{
    for (sqlite3_stmt *statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
}

void SqliteConnection::failReadOnly()
{
    throw ServerError(
        error::ReadOnly,
        QStringLiteral("Die Datenbank %1 ist schreibgeschützt (Datei oder Ordner nicht"
                       " beschreibbar); nichts geschrieben")
            .arg(EchoedInput::quoted(m_path)));
}

void SqliteConnection::begin()
{
    if (m_readOnly)
        failReadOnly();
    script(QStringLiteral("BEGIN IMMEDIATE"));
}

bool SqliteConnection::inTransaction()
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

void SqliteConnection::requireInPlace()
{
    int moved = 0;
    if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved)
        throw ServerError(error::ConnectFailed,
                          QStringLiteral("Die Datenbankdatei %1 wurde gelöscht oder ersetzt,"
                                         " während sie offen war")
                              .arg(EchoedInput::quoted(m_path)));
}

void SqliteConnection::fail(const QString &what)
{
    const int code = sqlite3_extended_errcode(m_db) & 0xFF;
    if (code == SQLITE_READONLY)
        failReadOnly();
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
        throw ServerError(
            error::NotAStore,
            QStringLiteral("SQLite (%1): %2; the file %3 is damaged")
                .arg(what, QString::fromUtf8(sqlite3_errmsg(m_db)), EchoedInput::quoted(m_path)));
    throw ServerError(
        error::SqlFailure,
        QStringLiteral("SQLite (%1): %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))));
}

void SqliteConnection::script(const QString &sql)
{
    qCDebug(kordexSqlLog).noquote() << "SQLite:" << sql;
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        sqlite3_free(message); // the connection keeps the same text for fail()
        fail(QStringLiteral("script"));
    }
}

sqlite3_stmt *SqliteConnection::prepared(const QString &sql)
{
    if (sqlite3_stmt *found = m_statements.value(sql))
        return found;
    qCDebug(kordexSqlLog).noquote() << "SQLite prepare:" << sql;
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

namespace {

// Makes the missing store file, readable and writable by its owner only: it
// holds the password hashes. SQLite gives its WAL files the same mode.
QString createPrivateFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return QString();
}

bool writable(const QByteArray &path)
{
    if (::access(path.constData(), W_OK) != 0)
        return false;
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
    return ::access(folder.constData(), W_OK) == 0;
}

} // namespace

std::unique_ptr<SqlConnection> openSqlite(const QString &path, bool create, QString *errorText,
                                          int *errorNumber)
{
    const auto failed
        = [errorText, errorNumber](const QString &why, int number = error::ConnectFailed) {
              if (errorText)
                  *errorText = why;
              if (errorNumber)
                  *errorNumber = number;
              return nullptr;
          };
    const bool memory = path == QLatin1String(":memory:");
    const QByteArray native = QFile::encodeName(path);
    if (!memory && !QFileInfo(path).isFile()) {
        if (!create)
            return failed(QStringLiteral("no such file: %1").arg(EchoedInput::quoted(path)));
        if (const QString why = createPrivateFile(native); !why.isEmpty())
            return failed(
                QStringLiteral("cannot create %1: %2").arg(EchoedInput::quoted(path), why));
    }
    // The WAL needs its side files beside the store. Where nobody may write,
    // the store is read as it stands (immutable), or through a WAL left there.
    const bool readOnly = !memory && !writable(native);
    QByteArray name = native;
    int flags = SQLITE_OPEN_READWRITE;
    if (readOnly) {
        // A -wal file without its -shm file is left by a last connection that had
        // checkpointed it (SQLite removes the -shm only then) but could not remove
        // it: the store file holds everything, and is read as it stands.
        const bool walLeft = QFileInfo::exists(path + QStringLiteral("-wal"))
            && QFileInfo::exists(path + QStringLiteral("-shm"));
        name = "file:" + QFileInfo(path).absoluteFilePath().toUtf8().toPercentEncoding("/")
            + (walLeft ? "?mode=ro" : "?immutable=1");
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(name.constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close_v2(db);
        return failed(why);
    }
    sqlite3_busy_timeout(db, 10000);
    sqlite3_extended_result_codes(db, 1);
    auto connection = std::make_unique<SqliteConnection>(db, path, readOnly);
    try {
        connection->script(QStringLiteral("PRAGMA synchronous=NORMAL; PRAGMA temp_store=MEMORY;"
                                          "PRAGMA cache_size=-65536"));
    } catch (const ServerError &e) {
        return failed(e.description(),
                      e.number() == error::NotAStore ? error::NotAStore : error::ConnectFailed);
    }
    return connection;
}

} // namespace kordex
