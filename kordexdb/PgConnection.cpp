#include "KordexLog.h"
#include "PgConnection_p.h"

#include <clocale>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <poll.h>
#include <string>
#include <vector>

namespace kordex {

namespace {

struct ResultGuard
{
    PGresult *result;
    ~ResultGuard() { PQclear(result); }
};

// "?" placeholders become $1, $2, ... (statement texts hold no literal "?").
QString numberedPlaceholders(const QString &sql)
{
    QString result;
    result.reserve(sql.size() + 16);
    int n = 0;
    for (QChar c : sql) {
        if (c == QLatin1Char('?'))
            result += QLatin1Char('$') + QString::number(++n);
        else
            result += c;
    }
    return result;
}

// The values of one statement as libpq takes them; storage owns the bytes.
struct BoundValues
{
    std::vector<QByteArray> storage;
    std::vector<const char *> values;

    explicit BoundValues(const QList<SqlValue> &params)
    {
        storage.reserve(size_t(params.size()));
        for (const SqlValue &value : params) {
            if (std::holds_alternative<qint64>(value)) {
                storage.push_back(QByteArray::number(std::get<qint64>(value)));
                values.push_back(storage.back().constData());
            } else if (std::holds_alternative<QString>(value)) {
                storage.push_back(std::get<QString>(value).toUtf8());
                values.push_back(storage.back().constData());
            } else {
                values.push_back(nullptr);
            }
        }
    }
    int count() const { return int(values.size()); }
};

QList<SqlRow> rowsOf(const PGresult *result)
{
    QList<SqlRow> rows;
    const int rowCount = PQntuples(result);
    const int columns = PQnfields(result);
    rows.reserve(rowCount);
    for (int r = 0; r < rowCount; ++r) {
        SqlRow row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(PQgetisnull(result, r, c) ? QString()
                                                 : QString::fromUtf8(PQgetvalue(result, r, c),
                                                                     PQgetlength(result, r, c)));
        rows.append(row);
    }
    return rows;
}

// COPY ... FROM STDIN in text form, buffered in large chunks.
class PgBulkWriter : public BulkWriter
{
public:
    PgBulkWriter(PgConnection &connection, const QString &table, const QStringList &columns)
        : m_connection(connection)
    {
        const QByteArray sql = QStringLiteral("COPY %1 (%2) FROM STDIN")
                                   .arg(table, columns.join(QLatin1Char(',')))
                                   .toUtf8();
        ResultGuard guard { PQexec(m_connection.handle(), sql.constData()) };
        if (PQresultStatus(guard.result) != PGRES_COPY_IN)
            m_connection.fail(QStringLiteral("copy"), guard.result);
        m_buffer.reserve(chunk + 4096);
    }

    ~PgBulkWriter() override
    {
        if (m_open)
            PQputCopyEnd(m_connection.handle(), "abandoned");
        if (m_open)
            drainResults();
    }

    void text(std::string_view value) override
    {
        separate();
        for (char c : value) {
            switch (c) {
            case '\\':
                m_buffer += "\\\\";
                break;
            case '\t':
                m_buffer += "\\t";
                break;
            case '\n':
                m_buffer += "\\n";
                break;
            case '\r':
                m_buffer += "\\r";
                break;
            default:
                m_buffer += c;
            }
        }
    }
    void integer(qint64 value) override
    {
        separate();
        m_buffer += std::to_string(value);
    }
    void endRow() override
    {
        m_buffer += '\n';
        m_first = true;
        if (m_buffer.size() >= chunk)
            flush();
    }
    void finish() override
    {
        flush();
        m_open = false;
        if (PQputCopyEnd(m_connection.handle(), nullptr) != 1)
            m_connection.fail(QStringLiteral("copy end"));
        PGresult *failed = nullptr;
        while (PGresult *result = PQgetResult(m_connection.handle())) {
            if (PQresultStatus(result) != PGRES_COMMAND_OK && !failed)
                failed = result;
            else
                PQclear(result);
        }
        if (failed)
            m_connection.fail(QStringLiteral("copy"), failed);
    }

private:
    static constexpr size_t chunk = 1 << 20;

    void separate()
    {
        if (!m_first)
            m_buffer += '\t';
        m_first = false;
    }
    void flush()
    {
        if (m_buffer.empty())
            return;
        if (PQputCopyData(m_connection.handle(), m_buffer.data(), int(m_buffer.size())) != 1)
            m_connection.fail(QStringLiteral("copy data"));
        m_buffer.clear();
    }
    void drainResults()
    {
        while (PGresult *result = PQgetResult(m_connection.handle()))
            PQclear(result);
    }

    PgConnection &m_connection;
    std::string m_buffer;
    bool m_first = true;
    bool m_open = true;
};

} // namespace

PgConnection::PgConnection(PGconn *conn)
    : m_conn(conn)
{
}

PgConnection::~PgConnection()
{
    PQfinish(m_conn);
}

bool PgConnection::isOpen()
{
    // Between statements the server has nothing to say but the farewell of a
    // session it ends (shut down, failed over, terminated), followed by the
    // closed socket; reading what waits finds that end. Anything else read
    // here (a TLS record, a parameter report) leaves the session open.
    for (int round = 0; round < 4; ++round) {
        if (PQstatus(m_conn) != CONNECTION_OK)
            return false;
        pollfd idle { PQsocket(m_conn), POLLIN, 0 };
        if (::poll(&idle, 1, 0) <= 0)
            return true;
        if (PQconsumeInput(m_conn) == 0)
            return false;
    }
    return false;
}

bool PgConnection::onStandby() const
{
    // reported by the server at connect and whenever it changes (PostgreSQL 14 on)
    const char *standby = PQparameterStatus(m_conn, "in_hot_standby");
    return standby && qstrcmp(standby, "on") == 0;
}

bool PgConnection::inTransaction()
{
    return PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

ServerError PgConnection::failure(const QString &what, const PGresult *result) const
{
    // The store's own refusals (a right the user lacks, a company it does not know)
    // are told in their own words; anything else names the engine.
    const QByteArray state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QString primary
        = QString::fromUtf8(result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr);
    if (state == "42501")
        return ServerError(error::NotAllowed, primary);
    if (state == "P0002")
        return ServerError(error::ObjectNotFound, primary);
    if (state == "55P03")
        return ServerError(error::WriterBusy, primary);
    const QString message
        = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn))
              .trimmed();
    return ServerError(error::SqlFailure, QStringLiteral("PostgreSQL (%1): %2").arg(what, message));
}

void PgConnection::fail(const QString &what, PGresult *result)
{
    ServerError error = failure(what, result);
    PQclear(result);
    throw error;
}

void PgConnection::script(const QString &sql)
{
    qCDebug(kordexSqlLog).noquote() << "PostgreSQL:" << sql;
    PGresult *result = PQexec(m_conn, sql.toUtf8().constData());
    const auto status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(QStringLiteral("script"), result);
    PQclear(result);
}

QByteArray PgConnection::preparedName(const QString &sql)
{
    if (auto found = m_statements.constFind(sql); found != m_statements.constEnd())
        return *found;
    const QByteArray name = "k" + QByteArray::number(m_statements.size() + 1);
    const QByteArray text = numberedPlaceholders(sql).toUtf8();
    qCDebug(kordexSqlLog).noquote() << "PostgreSQL prepare" << name << ":" << text;
    PGresult *result = PQprepare(m_conn, name.constData(), text.constData(), 0, nullptr);
    if (PQresultStatus(result) != PGRES_COMMAND_OK)
        fail(QStringLiteral("prepare"), result);
    PQclear(result);
    m_statements.insert(sql, name);
    return name;
}

QList<SqlRow> PgConnection::query(const QString &sql, const QList<SqlValue> &params)
{
    const QByteArray name = preparedName(sql);
    const BoundValues bound(params);
    PGresult *result = PQexecPrepared(m_conn, name.constData(), bound.count(), bound.values.data(),
                                      nullptr, nullptr, 0);
    const auto status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(QStringLiteral("query"), result);
    ResultGuard guard { result };
    return rowsOf(result);
}

// Sends what libpq holds without blocking on a server that is busy answering:
// its answers are read into libpq's buffer meanwhile.
void PgConnection::flushPipeline()
{
    for (;;) {
        const int pending = PQflush(m_conn);
        if (pending == 0)
            return;
        if (pending < 0)
            fail(QStringLiteral("batch"));
        pollfd socket { PQsocket(m_conn), POLLIN | POLLOUT, 0 };
        if (::poll(&socket, 1, -1) < 0)
            fail(QStringLiteral("batch"));
        if ((socket.revents & POLLIN) && PQconsumeInput(m_conn) == 0)
            fail(QStringLiteral("batch"));
    }
}

// Pipeline mode: every statement (and the preparation of a new one) is sent
// before the first answer is read, so the batch costs one round trip. A batch
// outside a transaction runs in a read-only REPEATABLE READ transaction of its
// own, so that every answer comes from the same snapshot.
BatchResult PgConnection::queryBatch(const QList<SqlStatement> &statements)
{
    BatchResult result;
    if (statements.isEmpty())
        return result;
    enum class Kind { Begin, Prepare, Query, Commit };
    struct Step
    {
        Kind kind;
        QString sql; // of a statement being prepared
        QByteArray name;
    };
    std::vector<Step> steps;
    QHash<QString, QByteArray> preparing;
    // Several statements share one snapshot; one statement has its own already.
    const bool own = !inTransaction() && statements.size() > 1;
    if (PQenterPipelineMode(m_conn) != 1)
        fail(QStringLiteral("pipeline"));
    PQsetnonblocking(m_conn, 1);
    const auto send = [this](int sent) {
        if (sent != 1)
            fail(QStringLiteral("batch"));
    };
    try {
        if (own) {
            send(PQsendQueryParams(m_conn, "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY", 0,
                                   nullptr, nullptr, nullptr, nullptr, 0));
            steps.push_back({ Kind::Begin, {}, {} });
        }
        for (const SqlStatement &statement : statements) {
            QByteArray name = m_statements.value(statement.sql, preparing.value(statement.sql));
            if (name.isEmpty()) {
                name = "k" + QByteArray::number(m_statements.size() + preparing.size() + 1);
                const QByteArray text = numberedPlaceholders(statement.sql).toUtf8();
                send(PQsendPrepare(m_conn, name.constData(), text.constData(), 0, nullptr));
                preparing.insert(statement.sql, name);
                steps.push_back({ Kind::Prepare, statement.sql, name });
            }
            const BoundValues bound(statement.params);
            send(PQsendQueryPrepared(m_conn, name.constData(), bound.count(), bound.values.data(),
                                     nullptr, nullptr, 0));
            steps.push_back({ Kind::Query, {}, {} });
        }
        if (own) {
            send(PQsendQueryParams(m_conn, "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0));
            steps.push_back({ Kind::Commit, {}, {} });
        }
        send(PQpipelineSync(m_conn));
        flushPipeline();
    } catch (const ServerError &e) {
        // A connection that cannot take the batch is broken; nothing was answered.
        PQsetnonblocking(m_conn, 0);
        result.error = e;
        return result;
    }
    PQsetnonblocking(m_conn, 0);

    // Each step gives one result and then a null, the sync one result.
    for (const Step &step : steps) {
        PGresult *answer = PQgetResult(m_conn);
        if (!answer) {
            if (!result.error)
                result.error = failure(QStringLiteral("batch"));
            return result;
        }
        const auto status = PQresultStatus(answer);
        if (status == PGRES_FATAL_ERROR && !result.error)
            result.error = failure(QStringLiteral("query"), answer);
        else if (step.kind == Kind::Prepare && status == PGRES_COMMAND_OK)
            m_statements.insert(step.sql, step.name);
        else if (step.kind == Kind::Query && status == PGRES_TUPLES_OK && !result.error)
            result.answers.append(rowsOf(answer));
        PQclear(answer);
        while (PGresult *rest = PQgetResult(m_conn))
            PQclear(rest);
    }
    if (PGresult *sync = PQgetResult(m_conn))
        PQclear(sync);
    PQexitPipelineMode(m_conn);
    // A failed statement leaves its transaction aborted; end it.
    if (own && PQtransactionStatus(m_conn) == PQTRANS_INERROR)
        PQclear(PQexec(m_conn, "ROLLBACK"));
    return result;
}

QString PgConnection::passwordVerifier(const QString &role, const QString &password)
{
    char *made = PQencryptPasswordConn(m_conn, password.toUtf8().constData(),
                                       role.toUtf8().constData(), "scram-sha-256");
    if (!made)
        fail(QStringLiteral("password"));
    const QString verifier = QString::fromUtf8(made);
    PQfreemem(made);
    return verifier;
}

void PgConnection::execute(const QString &sql, const QList<SqlValue> &params)
{
    query(sql, params);
}

std::unique_ptr<BulkWriter> PgConnection::bulkWriter(const QString &table,
                                                     const QStringList &columns)
{
    return std::make_unique<PgBulkWriter>(*this, table, columns);
}

namespace {

// libpq's own texts follow the user's language; the few that tell a refused login
// or an unverified server from an absent one are read in English.
class EnglishMessages
{
public:
    EnglishMessages()
        : m_saved(std::setlocale(LC_MESSAGES, nullptr))
    {
        std::setlocale(LC_MESSAGES, "C");
    }
    ~EnglishMessages() { std::setlocale(LC_MESSAGES, m_saved.c_str()); }

private:
    std::string m_saved;
};

PgFailure classify(PGconn *conn, const QString &message)
{
    // A TLS failure comes before any password is asked for.
    for (const char *tls : { "certificate", "SSL", "ssl", "does not match host name" })
        if (message.contains(QLatin1String(tls)))
            return PgFailure::Untrusted;
    // The server asked for a password and the session still failed: a wrong password,
    // an unknown role (SCRAM answers it alike) or a role that may not log in.
    if (PQconnectionNeedsPassword(conn) || PQconnectionUsedPassword(conn)
        || message.contains(QLatin1String("authentication failed"))
        || message.contains(QLatin1String("not permitted to log in")))
        return PgFailure::Refused;
    return PgFailure::Unreachable;
}

} // namespace

std::unique_ptr<SqlConnection> openPostgres(const QString &host, const QString &port,
                                            QString *errorText, const QString &database,
                                            Target target, const PgLogin &login, PgFailure *failure)
{
    const QByteArray hostBytes = host.toUtf8();
    const QByteArray portBytes = port.toUtf8();
    const QByteArray databaseBytes = database.toUtf8();
    const QByteArray roleBytes = login.role.toUtf8();
    QByteArray passwordBytes = login.password.toUtf8();
    std::vector<const char *> keys { "host",
                                     "dbname",
                                     "connect_timeout",
                                     "client_encoding",
                                     "application_name",
                                     "target_session_attrs" };
    std::vector<const char *> values { hostBytes.constData(),
                                       databaseBytes.constData(),
                                       "5",
                                       "UTF8",
                                       "kordexdb",
                                       target == Target::PreferStandby ? "prefer-standby"
                                                                       : "read-write" };
    if (!port.isEmpty()) {
        keys.push_back("port");
        values.push_back(portBytes.constData());
    }
    if (!login.role.isEmpty()) {
        // The user's own login only: without a password libpq would look for one in a
        // password file or a variable meant for someone else.
        if (login.password.isEmpty()) {
            if (errorText)
                *errorText = QStringLiteral("no password supplied");
            if (failure)
                *failure = PgFailure::Refused;
            return nullptr;
        }
        keys.insert(keys.end(), { "user", "password" });
        values.insert(values.end(), { roleBytes.constData(), passwordBytes.constData() });
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn *conn = nullptr;
    {
        const EnglishMessages english;
        conn = PQconnectdbParams(keys.data(), values.data(), 0);
    }
    passwordBytes.fill('\0');
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString message = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        if (errorText)
            *errorText = message;
        if (failure)
            *failure = classify(conn, message);
        PQfinish(conn);
        return nullptr;
    }
    auto connection = std::make_unique<PgConnection>(conn);
    try {
        connection->script(QStringLiteral("SET client_min_messages = warning"));
    } catch (const ServerError &e) {
        if (errorText)
            *errorText = e.description();
        if (failure)
            *failure = PgFailure::Unreachable;
        return nullptr;
    }
    return connection;
}

} // namespace kordex
