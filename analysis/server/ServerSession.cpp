#include "ServerSession.h"

#include "Clock.h"
#include "LoginCommandLine.h"
#include "LoginController.h"
#include "LoginWindows.h"
#include "MessageBoxPrompter.h"
#include "ProgramHistory.h"
#include "PumpingWaiter.h"
#include "ServerAccess.h"

namespace ertragon {

ServerSession::ServerSession(const QStringList &arguments, QObject *parent)
    : QObject(parent)
    , m_ownClock(std::make_unique<SystemClock>())
    , m_ownWaiter(std::make_unique<PumpingWaiter>(*m_ownClock))
    , m_ownPrompter(std::make_unique<MessageBoxPrompter>())
    , m_prompter(m_ownPrompter.get())
    , m_waiter(m_ownWaiter.get())
{
    build(&kordex::createFactory, QString(), arguments);
}

ServerSession::ServerSession(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                             const QString &settingsPath, const QStringList &arguments,
                             QObject *parent)
    : QObject(parent)
    , m_prompter(&prompter)
    , m_waiter(&waiter)
{
    build(std::move(makeFactory), settingsPath, arguments);
}

ServerSession::~ServerSession()
{
    // Windows first: they refer to the controller and the access layer.
    m_windows.reset();
    m_login.reset();
    m_access.reset();
}

void ServerSession::build(kordex::FactoryMaker makeFactory, const QString &settingsPath,
                          const QStringList &arguments)
{
    m_access = std::make_unique<ServerAccess>(std::move(makeFactory), *m_prompter, *m_waiter);
    m_login = std::make_unique<LoginController>(*m_access, *m_prompter, settingsPath);
    m_login->setDefaultServer(kordex::defaultStorePath());
    m_login->setProcessCommandLine(LoginCommandLine::fromArguments(arguments));
    m_windows = std::make_unique<LoginWindows>(*m_login, *m_access);
    m_history = std::make_unique<ProgramHistory>();
}

bool ServerSession::runStartupLogin()
{
    return m_login->StartupLogin();
}

} // namespace ertragon
