#pragma once

#include <QString>
#include <functional>

namespace kordex {
class Factory;
}

namespace ertragon {

class ServerAccess;

// One bracket around server work: BeginServerCall when it is made and
// EndServerCall when it goes out of scope. A failure is shown in the server
// error box with the current operation text; the box ends the bracket itself.
class ServerCall
{
public:
    // hourglass: the busy cursor for the bracket (and the arrow at its end).
    ServerCall(ServerAccess &server, QString operation, bool hourglass = false);
    ~ServerCall();
    ServerCall(const ServerCall &) = delete;
    ServerCall &operator=(const ServerCall &) = delete;

    // False when no connection could be made: the program is ending, or a
    // failure of the connection's set-up was shown. The caller does nothing more.
    bool connected() const { return m_open; }
    // True once a failure was shown.
    bool failed() const { return m_failed; }

    // The text the error box names as "Vorgang:" for what follows.
    void setOperation(QString operation) { m_operation = std::move(operation); }

    // Runs work inside the bracket. A server error, or any other exception, is
    // shown with the operation text and ends the bracket; the result is false.
    bool run(const std::function<void()> &work);

    ServerAccess &server() const { return m_server; }
    kordex::Factory &factory() const;

private:
    void showFailure(int number, const QString &description);

    ServerAccess &m_server;
    QString m_operation;
    bool m_hourglass;
    bool m_open = false;
    bool m_failed = false;
};

} // namespace ertragon
