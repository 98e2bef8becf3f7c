#pragma once

#include "Factory.h"
#include "ServerContext.h"
#include "ServerError.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace ertragon {

class Prompter;
class Waiter;

// The only code that holds the connection to the KORDEX database. It connects
// on demand with a bounded retry, brackets every server call, runs commands,
// reports failures in one box and closes an idle connection after a minute.
class ServerAccess : public QObject
{
    Q_OBJECT
public:
    ServerAccess(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                 QObject *parent = nullptr);
    ~ServerAccess() override;

    ServerContext &context() { return m_context; }
    const ServerContext &context() const { return m_context; }

    // The open factory; valid between BeginServerCall and EndServerCall.
    kordex::Factory *factory() const { return m_factory.get(); }

    // Connection open, or the program ended (then false).
    bool EnsureConnected(bool keepTrying = false);
    void BeginServerCall(bool hourglass, bool keepTrying = false);
    void EndServerCall(bool cursor);
    void CloseServerObject(std::unique_ptr<kordex::ServerObject> &object);
    void CloseServerObject(std::unique_ptr<kordex::ResultSet> &resultSet);
    QString ServerCommand(const QString &command, bool &failed);
    // Items of the output split at separator; returns the count (list index 0 holds item 1).
    int ServerList(const QString &command, QChar separator, QStringList &list, bool &failed);
    void ShowServerError(const kordex::ServerError &error, const QString &operation);
    void Disconnect();
    void ShutdownProgram();

    bool isConnected() const;
    bool shutdownRequested() const { return m_shutdownRequested; }

    // The idle timer "Lock" (60000 ms).
    QTimer &lockTimer() { return m_lock; }

    // Shows the connection-settings window modally after the third failed attempt.
    void setSettingsDialogHook(std::function<void()> showSettings);
    void setSettingsHideHook(std::function<void()> hideSettings);
    // Ends the program; the default closes every window and quits the event loop.
    void setShutdownHook(std::function<void()> shutdown);
    // Cursor changes (hourglass / arrow); the default uses QGuiApplication's override cursor.
    void setCursorHook(std::function<void(bool busy)> setBusy);

Q_SIGNALS:
    void connected();
    void disconnected();

private:
    bool tryConnectOnce();
    void sendContextCommands();

    kordex::FactoryMaker m_makeFactory;
    Prompter &m_prompter;
    Waiter &m_waiter;
    std::unique_ptr<kordex::Factory> m_factory;
    ServerContext m_context;
    QTimer m_lock;
    bool m_shutdownRequested = false;
    std::function<void()> m_showSettings;
    std::function<void()> m_hideSettings;
    std::function<void()> m_shutdown;
    std::function<void(bool)> m_setBusy;
};

} // namespace ertragon
