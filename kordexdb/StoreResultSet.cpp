#include "StoreResultSet_p.h"

namespace kordex {

StoreResultSet::StoreResultSet(std::shared_ptr<StoreSession> session, QString className,
                               QString queryName)
    : m_session(std::move(session))
    , m_className(std::move(className))
    , m_queryName(std::move(queryName))
{
}

void StoreResultSet::requireOpen() const
{
    if (m_closed)
        throw ServerError(error::Closed,
                          QStringLiteral("Abfrage %1 ist geschlossen").arg(m_queryName));
}

void StoreResultSet::RunQuery(const QStringList &arguments)
{
    requireOpen();
    m_rows.clear();
    m_current = -1;
    m_run = false;
    m_rows = m_session->require().runQuery(m_className, m_queryName, arguments);
    m_run = true;
}

void StoreResultSet::RunQueryBatch(const QList<QStringList> &argumentSets)
{
    requireOpen();
    m_rows.clear();
    m_current = -1;
    m_run = false;
    m_batch = {};
    m_nextAnswer = 0;
    if (argumentSets.isEmpty())
        return;
    try {
        m_batch = m_session->require().runQueryBatch(m_className, m_queryName, argumentSets);
    } catch (const ServerError &e) {
        // nothing answered: the first set carries the failure
        m_batch.error = e;
    }
}

bool StoreResultSet::NextAnswer()
{
    requireOpen();
    m_rows.clear();
    m_current = -1;
    m_run = false;
    if (m_nextAnswer < m_batch.answers.size()) {
        m_rows = m_batch.answers[m_nextAnswer++];
        m_run = true;
        return true;
    }
    if (m_batch.error) {
        const ServerError error = *m_batch.error;
        m_batch.error.reset();
        throw error;
    }
    return false;
}

bool StoreResultSet::NextRow()
{
    requireOpen();
    if (!m_run)
        throw ServerError(error::NotRun,
                          QStringLiteral("Abfrage %1 wurde nicht ausgeführt").arg(m_queryName));
    if (m_current < m_rows.size())
        ++m_current;
    return m_current < m_rows.size();
}

QString StoreResultSet::ColumnValue(int column)
{
    requireOpen();
    if (m_current < 0 || m_current >= m_rows.size())
        throw ServerError(error::NoCurrentRow,
                          QStringLiteral("Keine aktuelle Zeile in %1").arg(m_queryName));
    const QStringList &row = m_rows[m_current];
    if (column < 1 || column > row.size())
        throw ServerError(
            error::BadColumn,
            QStringLiteral("Spalte %1 gibt es in %2 nicht").arg(column).arg(m_queryName));
    return row[column - 1];
}

} // namespace kordex
