#pragma once

#include "Factory.h"

#include <QObject>
#include <QStringList>
#include <memory>

namespace ertragon {

class Clock;
class LoginController;
class LoginWindows;
class ProgramHistory;
class Prompter;
class ServerAccess;
class Waiter;

// The server layer of the running program wired together: connection, login
// with its windows, history log, message boxes and the retry wait.
class ServerSession : public QObject
{
    Q_OBJECT
public:
    // The real service, system clock, message boxes and per-user settings;
    // arguments are the process arguments, the program name first.
    explicit ServerSession(const QStringList &arguments, QObject *parent = nullptr);
    // For tests and tools: own factory maker, prompts, waits and settings file.
    ServerSession(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                  const QString &settingsPath, const QStringList &arguments,
                  QObject *parent = nullptr);
    ~ServerSession() override;

    ServerAccess &access() { return *m_access; }
    LoginController &login() { return *m_login; }
    LoginWindows &loginWindows() { return *m_windows; }
    ProgramHistory &history() { return *m_history; }
    Prompter &prompter() { return *m_prompter; }

    // Start-up: repeats the login, with the password from the dialog, until the
    // user is logged in (true) or the program ends (false; then do nothing more).
    bool runStartupLogin();

private:
    void build(kordex::FactoryMaker makeFactory, const QString &settingsPath,
               const QStringList &arguments);

    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<Waiter> m_ownWaiter;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter = nullptr;
    Waiter *m_waiter = nullptr;
    std::unique_ptr<ServerAccess> m_access;
    std::unique_ptr<LoginController> m_login;
    std::unique_ptr<LoginWindows> m_windows;
    std::unique_ptr<ProgramHistory> m_history;
};

} // namespace ertragon
