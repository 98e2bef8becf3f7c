#include "KordexLog.h"
#include "PgConnection_p.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
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
    return PQstatus(m_conn) == CONNECTION_OK;
}

void PgConnection::fail(const QString &what, PGresult *result)
{
    QString message
        = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn))
              .trimmed();
    PQclear(result);
    throw ServerError(error::SqlFailure, QStringLiteral("PostgreSQL (%1): %2").arg(what, message));
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
    std::vector<QByteArray> storage;
    std::vector<const char *> values;
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
    PGresult *result = PQexecPrepared(m_conn, name.constData(), int(values.size()), values.data(),
                                      nullptr, nullptr, 0);
    const auto status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(QStringLiteral("query"), result);
    ResultGuard guard { result };
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

void PgConnection::execute(const QString &sql, const QList<SqlValue> &params)
{
    query(sql, params);
}

std::unique_ptr<BulkWriter> PgConnection::bulkWriter(const QString &table,
                                                     const QStringList &columns)
{
    return std::make_unique<PgBulkWriter>(*this, table, columns);
}

std::unique_ptr<SqlConnection> openPostgres(const QString &host, const QString &port,
                                            QString *errorText, const QString &database)
{
    const QByteArray hostBytes = host.toUtf8();
    const QByteArray portBytes = port.toUtf8();
    const QByteArray databaseBytes = database.toUtf8();
    std::vector<const char *> keys { "host", "dbname", "connect_timeout", "client_encoding",
                                     "application_name" };
    std::vector<const char *> values { hostBytes.constData(), databaseBytes.constData(), "5",
                                       "UTF8", "kordexdb" };
    if (!port.isEmpty()) {
        keys.push_back("port");
        values.push_back(portBytes.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn *conn = PQconnectdbParams(keys.data(), values.data(), 0);
    if (PQstatus(conn) != CONNECTION_OK) {
        if (errorText)
            *errorText = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        PQfinish(conn);
        return nullptr;
    }
    auto connection = std::make_unique<PgConnection>(conn);
    try {
        connection->script(QStringLiteral("SET client_min_messages = warning"));
    } catch (const ServerError &e) {
        if (errorText)
            *errorText = e.description();
        return nullptr;
    }
    return connection;
}

} // namespace kordex
