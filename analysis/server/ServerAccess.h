#pragma once

#include "ServerContext.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <kordex/Factory.h>
#include <kordex/ServerError.h>
#include <memory>

namespace ertragon {

class Prompter;
class Waiter;

// The only code that holds the connection to the KORDEX database. It connects
// on demand with a bounded retry, brackets every server call, runs commands,
// reports failures in one box and closes an idle connection after a minute. What
// the windows are to show of it (the wait cursor, the retry's status, the settings
// window, the end) it tells by signals.
//
// Callers keep to the order BeginServerCall, factory or object work,
// CloseServerObject for each object and result set, EndServerCall; a
// kordex::ServerError in between goes to ShowServerError with the caller's
// operation text (which ends the bracket).
class ServerAccess : public QObject
{
    Q_OBJECT
public:
    ServerAccess(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                 QObject *parent = nullptr);
    ~ServerAccess() override;

    ServerContext &context() { return m_context; }
    const ServerContext &context() const { return m_context; }

    // The open factory; valid between BeginServerCall and EndServerCall. Never
    // null: without a connection every call on it raises kordex::ServerError.
    kordex::Factory *factory() const;

    // Connection open, or the program ended (then false). A failure of the
    // context commands after connecting raises kordex::ServerError and leaves
    // the connection closed.
    bool EnsureConnected(bool keepTrying = false);
    // False when no connection could be made and the program is ending; the
    // caller then does nothing more. May raise kordex::ServerError like
    // EnsureConnected, so call it inside the caller's try block.
    bool BeginServerCall(bool hourglass, bool keepTrying = false);
    void EndServerCall(bool cursor);
    void CloseServerObject(std::unique_ptr<kordex::ServerObject> &object);
    void CloseServerObject(std::unique_ptr<kordex::ResultSet> &resultSet);
    QString ServerCommand(const QString &command, bool &failed);
    // Items of the output split at separator; returns the count (list index 0 holds item 1).
    int ServerList(const QString &command, QChar separator, QStringList &list, bool &failed);
    void ShowServerError(const kordex::ServerError &error, const QString &operation);
    void Disconnect();
    void ShutdownProgram();
    // Waits n hundredths of a second while windows stay responsive; returns the elapsed seconds.
    int WaitHundredths(int n);
    // Lets pending window events run (the waiter's pump).
    void pumpMessages();

    bool isConnected() const;
    bool shutdownRequested() const { return m_shutdownRequested; }
    // True while EnsureConnected retries (the settings window may be open in it).
    bool connecting() const { return m_connecting; }

    // The idle timer "Lock" (60000 ms).
    QTimer &lockTimer() { return m_lock; }

    // "cn_iptcp:" server "[" port "]:KORDEX"; the namespace never enters it.
    static QString connectStringFor(const QString &server, const QString &port);
    // The command that sets company, branch and user for the connection.
    static QString contextCommand(const QString &firma, const QString &filiale,
                                  const QString &userCode);
    // "Vorgang: ..." text of the server error box.
    static QString serverErrorText(const kordex::ServerError &error, const QString &operation);

    // The store the connect string names, as the user knows it (a file or host and port).
    QString storeDescription() const;
    // Why the last connect attempt failed, as the store reported it.
    QString lastConnectError() const { return m_lastConnectError; }
    // True when the last connect failed because the server refused the user's login
    // (already told with the login's message); such a failure is never retried.
    bool loginRefused() const { return m_loginRefused; }
    // The message of a connect the store refused (kordex::error number): a refused
    // login, a server whose certificate was not verified, a file that is no store.
    static QString refusalText(int number, const QString &store, const QString &cause);

Q_SIGNALS:
    void connected();
    void disconnected();
    // After the third failed attempt: the connection-settings window, modal; values saved
    // there count for the next attempts.
    void settingsWanted();
    // The retry gave up: the settings window is to go.
    void settingsDone();
    // The program ends (ShutdownProgram): the program closes its windows and leaves its
    // event loop.
    void programEnding();
    // A server call with the hourglass begins (true) or ends (false).
    void busyChanged(bool busy);
    // Progress of a connect retry for a status window: a text after each failed attempt
    // while the next one is awaited, an empty text when the retry is over.
    void connectStatus(const QString &text);

private:
    bool tryConnectOnce();
    void sendContextCommands();
    bool connectWithRetries(bool keepTrying);
    void refuseConnection();
    bool runXecute(const QString &command, const QString &operation, QString &output);
    void dropConnection();
    void setBusy(bool busy);
    void reportConnectStatus(const QString &text);
    QString storeAndCause() const;

    kordex::FactoryMaker m_makeFactory;
    Prompter &m_prompter;
    Waiter &m_waiter;
    std::unique_ptr<kordex::Factory> m_factory;
    std::unique_ptr<kordex::Factory> m_closedFactory;
    ServerContext m_context;
    QTimer m_lock;
    bool m_shutdownRequested = false;
    bool m_connecting = false;
    QString m_lastConnectError;
    int m_lastConnectNumber = 0;
    bool m_loginRefused = false;
    bool m_statusShown = false;
};

} // namespace ertragon
