#include "ServerSession.h"

#include "LoginCommandLine.h"
#include "LoginController.h"
#include "ServerAccess.h"

#include <kordex/StoreAddress.h>

namespace ertragon {

ServerSession::ServerSession(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                             const QString &settingsPath, const QStringList &arguments,
                             QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
    , m_access(std::make_unique<ServerAccess>(std::move(makeFactory), prompter, waiter))
    , m_login(std::make_unique<LoginController>(*m_access, prompter, settingsPath))
{
    m_login->setDefaultServer(kordex::defaultStorePath());
    m_login->setProcessCommandLine(LoginCommandLine::fromArguments(arguments));
    m_login->setEnvironmentPassword(LoginCommandLine::takeEnvironmentPassword());
}

ServerSession::~ServerSession()
{
    m_login.reset();
    m_access.reset();
}

bool ServerSession::runStartupLogin()
{
    return m_login->StartupLogin();
}

} // namespace ertragon
