#pragma once

#include "HistoryLog.h"

#include <QObject>
#include <QStringList>
#include <kordex/Factory.h>
#include <memory>

namespace ertragon {

class LoginController;
class Prompter;
class ServerAccess;
class Waiter;

// The server layer of one run wired together: the connection, the login and
// the history log. No windows: the program adds them, the batch tool runs without.
class ServerSession : public QObject
{
    Q_OBJECT
public:
    // makeFactory opens the store; settingsPath is the login settings file (empty:
    // the per-user one); arguments are the process arguments, the program name first.
    ServerSession(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                  const QString &settingsPath, const QStringList &arguments,
                  QObject *parent = nullptr);
    ~ServerSession() override;

    ServerAccess &access() { return *m_access; }
    LoginController &login() { return *m_login; }
    HistoryLog &history() { return m_history; }
    Prompter &prompter() { return m_prompter; }

    // Start-up: repeats the login, with the password from the dialog, until the
    // user is logged in (true) or the program ends (false; then do nothing more).
    bool runStartupLogin();

private:
    Prompter &m_prompter;
    std::unique_ptr<ServerAccess> m_access;
    std::unique_ptr<LoginController> m_login;
    HistoryLog m_history;
};

} // namespace ertragon
