#pragma once

#include "ServerAccess.h"

#include <memory>

namespace ertragon {

// A server object or result set that is closed with SYS_Close (through
// CloseServerObject, errors ignored) when it goes out of scope.
template<typename T> class ServerHandle
{
public:
    ServerHandle(ServerAccess &server, std::unique_ptr<T> object)
        : m_server(server)
        , m_object(std::move(object))
    {
    }
    ~ServerHandle() { close(); }
    ServerHandle(const ServerHandle &) = delete;
    ServerHandle &operator=(const ServerHandle &) = delete;

    T *operator->() const { return m_object.get(); }
    // Closes it now; closing twice does nothing.
    void close()
    {
        if (m_object)
            m_server.CloseServerObject(m_object);
    }

private:
    ServerAccess &m_server;
    std::unique_ptr<T> m_object;
};

} // namespace ertragon
