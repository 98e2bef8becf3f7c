#pragma once

#include "PeriodSums.h"
#include "ServerRights.h"
#include "SqlConnection.h"
#include "WriterLock.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace kordex {

// The connection context set by the command S FIRMA=...,FIL=...,PERSONAL="...".
struct SessionContext
{
    QString company;
    QString branch;
    QString user;
};

// The data basis: the last period built and the server day number of the build.
struct DataBasis
{
    int lastPeriod = 0;
    int dayNumber = 0;
};

// The KORDEX data over one SQL connection: the named queries, the records the
// server objects are read from, the rebuild of the period sums and the
// commands. Every failure raises ServerError.
class Store
{
public:
    explicit Store(std::unique_ptr<SqlConnection> connection);
    ~Store();

    // nullptr with the reason in errorText and the error number when the
    // store cannot be opened (ConnectFailed) or is no usable KORDEX store
    // (NotAStore: no schema, unless create is set; another schema version; a
    // missing table). On PostgreSQL server and port may list several hosts;
    // PreferStandby reads from a standby when one answers, and the rebuild
    // then writes through a second connection to the primary.
    // With a login, a PostgreSQL store is opened as that user (LoginRefused when the
    // server refuses it, ServerUntrusted when its certificate cannot be verified);
    // a SQLite store ignores it.
    static std::unique_ptr<Store> open(const QString &serverOrPath, const QString &port,
                                       bool create, QString *errorText, int *errorNumber = nullptr,
                                       Target target = Target::ReadWrite,
                                       const PgLogin &login = {});
    // Raises ServerError(NotAStore) when the engine finds the file damaged;
    // run before writing, so that damage is not built upon.
    void requireIntact();
    // SQLite: this store is the only writer until it closes (WriterLock); another
    // writer's work raises ServerError(WriterBusy) naming it. PostgreSQL serialises
    // rebuilds itself.
    void holdWriterLock(const QString &work);

    SqlConnection &sql() { return *m_sql; }
    // PostgreSQL: the KORDEX user this session logged in as; nothing for the admin.
    const std::optional<SessionUser> &sessionUser() const { return m_sessionUser; }
    SessionContext &context() { return m_context; }
    // The context company, or "1" while no context is set.
    QString contextCompany() const;

    // The day the server counts as today (for the data-basis day number).
    void setToday(const QDate &today) { m_today = today; }
    QDate today() const { return m_today.isValid() ? m_today : QDate::currentDate(); }

    static bool hasQuery(const QString &className, const QString &queryName);
    QList<QStringList> runQuery(const QString &className, const QString &queryName,
                                const QStringList &arguments);
    // The query once per argument set, all sent at once and answered from one
    // snapshot; the first set that fails (its arguments or its statement) ends
    // the batch and is handed back, not raised.
    BatchResult runQueryBatch(const QString &className, const QString &queryName,
                              const QList<QStringList> &argumentSets);

    // Rows of one record, by table, as named columns; nothing when missing.
    std::optional<QStringList> user(const QString &company, const QString &code);
    std::optional<QStringList> department(const QString &company, const QString &code);
    std::optional<QStringList> personnelBasis(const QString &company, const QString &number);

    // Rebuilds the period sums of one company for from..to in one transaction.
    void generieren(const QString &company, const QString &from, const QString &to);
    QString xecute(const QString &command);
    std::optional<DataBasis> dataBasis(const QString &company);

private:
    // A query ready to run: its statement, and how its rows become the answer
    // (rows as they are when answer is empty).
    struct PlannedQuery
    {
        SqlStatement statement; // empty for a period sum: made from sums when run alone
        std::function<QList<QStringList>(const QList<SqlRow> &)> answer;
        // A period-sum query: what it sums, so that a batch of like ones shares a statement.
        std::optional<SumSelection> sums;

        SqlStatement toRun() const;
    };
    PlannedQuery plan(const QString &className, const QString &queryName,
                      const QStringList &arguments);
    PlannedQuery daten(const QString &queryName, const QStringList &arguments);
    // "EinheitenMitZahlen": the combinations of units that have any figure in a range.
    PlannedQuery unitsWithFigures(const QStringList &arguments);
    BatchResult runPlanned(const QList<PlannedQuery> &plans);
    PlannedQuery datWH(const QString &queryName, const QStringList &arguments);
    QString listOutput(const QString &sql, const QList<SqlValue> &params);
    // The session user's rules on the unit codes of a period query (habt and abtnr
    // are their positions): a restricted user without a unit gets the own main
    // department; a department-bound one is refused.
    QStringList applyUserRules(QStringList codes, qsizetype habt, qsizetype abtnr) const;

    // The connection writes go to: this one, or on a standby one to the primary.
    SqlConnection &writer();

    std::unique_ptr<SqlConnection> m_sql;
    std::unique_ptr<SqlConnection> m_primary;
    PgLogin m_login; // for the primary of a standby session
    std::optional<SessionUser> m_sessionUser;
    std::unique_ptr<WriterLock> m_writerLock;
    QString m_hosts; // PostgreSQL host and port lists, for the primary
    QString m_ports;
    SessionContext m_context;
    QDate m_today;
};

} // namespace kordex
