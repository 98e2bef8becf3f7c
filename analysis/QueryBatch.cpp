#include "QueryBatch.h"

#include "NumberText.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace ertragon {

QueryBatch::QueryBatch(ServerAccess &server, QString className, QString queryName,
                       QList<QStringList> argumentSets)
    : m_server(server)
    , m_className(std::move(className))
    , m_queryName(std::move(queryName))
    , m_argumentSets(std::move(argumentSets))
{
}

QList<double> QueryBatch::next(int count)
{
    if (!m_rows) {
        m_rows.emplace(m_server, m_server.factory()->OpenQuery(m_className, m_queryName));
        (*m_rows)->RunQueryBatch(m_argumentSets);
    }
    kordex::ResultSet &rows = *m_rows->operator->();
    if (!rows.NextAnswer())
        throw kordex::ServerError(
            kordex::error::NotRun,
            QStringLiteral("Abfrage %1: keine weitere Antwort").arg(m_queryName));
    QList<double> numbers(count, 0.0);
    // An answer without a row counts as zeros.
    if (rows.NextRow()) {
        for (int c = 0; c < count; ++c)
            numbers[c] = NumberText::leadingNumber(rows.ColumnValue(c + 1));
    }
    return numbers;
}

void QueryBatch::close()
{
    if (m_rows)
        m_rows->close();
}

} // namespace ertragon
