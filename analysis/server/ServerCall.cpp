#include "ServerCall.h"

#include "ServerAccess.h"

#include <kordex/ServerError.h>

namespace ertragon {

ServerCall::ServerCall(ServerAccess &server, QString operation, bool hourglass)
    : m_server(server)
    , m_operation(std::move(operation))
    , m_hourglass(hourglass)
{
    // Connecting sends the context commands, which can fail like any call.
    run([this] { m_open = m_server.BeginServerCall(m_hourglass); });
}

ServerCall::~ServerCall()
{
    if (m_open)
        m_server.EndServerCall(m_hourglass);
}

kordex::Factory &ServerCall::factory() const
{
    return *m_server.factory();
}

bool ServerCall::run(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const kordex::ServerError &error) {
        showFailure(error.number(), error.description());
    } catch (const std::exception &error) {
        showFailure(-1, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void ServerCall::showFailure(int number, const QString &description)
{
    m_open = false;
    m_failed = true;
    m_server.ShowServerError(kordex::ServerError(number, description), m_operation);
}

} // namespace ertragon
