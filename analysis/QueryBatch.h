#pragma once

#include "ServerHandle.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <kordex/ResultSet.h>
#include <optional>

namespace ertragon {

// One query of a server class run for many argument sets as one batch, so
// that a server that can pipelines them all in one round trip. The result set
// is opened when the first answer is asked for, inside the caller's server
// bracket, and closed through the server layer.
class QueryBatch
{
public:
    QueryBatch(ServerAccess &server, QString className, QString queryName,
               QList<QStringList> argumentSets);

    // Columns 1..count of the first row of the next answer as numbers (zeros
    // when the answer has no row). Raises that argument set's kordex::ServerError.
    QList<double> next(int count);
    void close();

    QueryBatch(const QueryBatch &) = delete;
    QueryBatch &operator=(const QueryBatch &) = delete;

private:
    ServerAccess &m_server;
    QString m_className;
    QString m_queryName;
    QList<QStringList> m_argumentSets;
    std::optional<ServerHandle<kordex::ResultSet>> m_rows;
};

} // namespace ertragon
