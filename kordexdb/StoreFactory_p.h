#pragma once

#include "StoreSession_p.h"

#include <QDate>
#include <kordex/Factory.h>

namespace kordex {

class StoreObject;

// The factory over a Store: opens the SQLite file or PostgreSQL server named by
// the connect string and makes the objects and result sets of the classes.
class StoreFactory : public Factory
{
public:
    StoreFactory();
    ~StoreFactory() override;

    void setLogin(const Login &login) override { m_login = login; }
    bool OpenConnection(const QString &connectString) override;
    bool IsConnected() override;
    void CloseConnection() override;

    std::unique_ptr<ServerObject> OpenObject(const QString &className, const QString &id) override;
    std::unique_ptr<ServerObject> NewObject(const QString &className) override;
    std::unique_ptr<ResultSet> OpenQuery(const QString &className,
                                         const QString &queryName) override;

    // The day the server counts as today; the real date when not set.
    void setToday(const QDate &today);
    QString lastError() const override { return m_lastError; }
    int lastErrorNumber() const override { return m_lastErrorNumber; }
    // The open store, for tools and tests; null while closed.
    Store *store() const { return m_session->store.get(); }

private:
    std::unique_ptr<StoreObject> personnelRecord(const QString &company, const QString &code);
    std::unique_ptr<StoreObject> departmentRecord(const QString &company, const QString &code);
    std::unique_ptr<StoreObject> personnelBasis(const QString &company, const QString &number);

    std::shared_ptr<StoreSession> m_session;
    QDate m_today;
    QString m_lastError;
    int m_lastErrorNumber = 0;
    Login m_login;
};

} // namespace kordex
