#pragma once

#include <kordex/ErrorNumbers.h>
#include <kordex/Factory.h>
#include <kordex/ServerError.h>

namespace ertragon {

// Stands in for the factory while no connection is open, so that a caller who
// goes on after a failed connect gets a server error instead of a null pointer.
class ClosedFactory final : public kordex::Factory
{
public:
    bool OpenConnection(const QString &) override { return false; }
    bool IsConnected() override { return false; }
    void CloseConnection() override { }
    std::unique_ptr<kordex::ServerObject> OpenObject(const QString &, const QString &) override
    {
        fail();
    }
    std::unique_ptr<kordex::ServerObject> NewObject(const QString &) override { fail(); }
    std::unique_ptr<kordex::ResultSet> OpenQuery(const QString &, const QString &) override
    {
        fail();
    }

private:
    [[noreturn]] static void fail()
    {
        throw kordex::ServerError(kordex::error::NotConnected,
                                  QStringLiteral("Keine Verbindung zum Server"));
    }
};

} // namespace ertragon
