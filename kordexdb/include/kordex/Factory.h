#pragma once

#include <QString>
#include <functional>
#include <kordex/ResultSet.h>
#include <kordex/ServerObject.h>
#include <memory>

namespace kordex {

// The entry point of the database service; one instance per connect attempt.
// The connect string is "cn_iptcp:" server "[" port "]:KORDEX". A server that
// contains "/" or ends in ".db" is a SQLite file; any other is a PostgreSQL host.
class Factory
{
public:
    virtual ~Factory() = default;

    virtual bool OpenConnection(const QString &connectString) = 0;
    virtual bool IsConnected() = 0;
    virtual void CloseConnection() = 0;
    // Why the last OpenConnection failed; empty when it did not fail.
    virtual QString lastError() const { return {}; }

    // id parts joined by "||", for example "1||ABC"
    virtual std::unique_ptr<ServerObject> OpenObject(const QString &className, const QString &id)
        = 0;
    virtual std::unique_ptr<ServerObject> NewObject(const QString &className) = 0;
    virtual std::unique_ptr<ResultSet> OpenQuery(const QString &className, const QString &queryName)
        = 0;
};

using FactoryMaker = std::function<std::unique_ptr<Factory>()>;

} // namespace kordex
