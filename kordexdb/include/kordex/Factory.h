#pragma once

#include <QString>
#include <functional>
#include <kordex/ErrorNumbers.h>
#include <kordex/ResultSet.h>
#include <kordex/ServerObject.h>
#include <memory>

namespace kordex {

// The user a connection is made for: company, personnel code and password. A server
// that checks logins itself (PostgreSQL) authenticates the connection with them; a
// file store, one user's own, ignores them.
struct Login
{
    QString company;
    QString user;
    QString password;
};

// The entry point of the database service; one instance per connect attempt.
// The connect string is "cn_iptcp:" server "[" port "]:KORDEX". A server that
// contains "/" or ends in ".db" is a SQLite file; any other is a PostgreSQL host.
class Factory
{
public:
    virtual ~Factory() = default;

    // The login the next OpenConnection uses; without one the server's own defaults
    // apply (libpq's PGUSER, PGPASSWORD, ~/.pgpass for an administrator).
    virtual void setLogin(const Login &login) { (void)login; }
    virtual bool OpenConnection(const QString &connectString) = 0;
    virtual bool IsConnected() = 0;
    virtual void CloseConnection() = 0;
    // Why the last OpenConnection failed; empty when it did not fail.
    virtual QString lastError() const { return {}; }
    // What kind of failure that was (kordex::error): ConnectFailed for a store that
    // did not answer, which is worth another attempt; LoginRefused, ServerUntrusted
    // and NotAStore, which are not. 0 when it did not fail.
    virtual int lastErrorNumber() const { return lastError().isEmpty() ? 0 : error::ConnectFailed; }

    // id parts joined by "||", for example "1||ABC"
    virtual std::unique_ptr<ServerObject> OpenObject(const QString &className, const QString &id)
        = 0;
    virtual std::unique_ptr<ServerObject> NewObject(const QString &className) = 0;
    virtual std::unique_ptr<ResultSet> OpenQuery(const QString &className, const QString &queryName)
        = 0;
};

using FactoryMaker = std::function<std::unique_ptr<Factory>()>;

} // namespace kordex
