#include "LoginWindows.h"

#include "FMPass.h"
#include "FMServer.h"
#include "LoginController.h"
#include "SelectAllText.h"
#include "ServerAccess.h"
#include "TextHelpers.h"

#include <QLineEdit>

namespace ertragon {

LoginWindows::LoginWindows(LoginController &controller, ServerAccess &access)
    : m_controller(controller)
    , m_access(access)
    , m_pass(new FMPass(controller))
    , m_server(new FMServer(controller, m_pass))
{
    m_pass->setShowServerHook([this] { showSettingsModal(); });
    // Values saved in the window count for the next connect attempts (LoginController).
    QObject::connect(&m_access, &ServerAccess::settingsWanted, m_pass,
                     [this] { showSettingsModal(); });
    QObject::connect(&m_access, &ServerAccess::settingsDone, m_pass, [this] {
        if (m_server)
            m_server->hide();
    });
    m_controller.setUi(this);
}

LoginWindows::~LoginWindows()
{
    m_controller.setUi(nullptr);
    delete m_pass; // owns the settings window and ends its connections
}

void LoginWindows::setMainWindow(QWidget *mainWindow)
{
    m_pass->setMainWindow(mainWindow);
}

void LoginWindows::showLoginDialog()
{
    // A new login starts without the password of the user logged in now.
    LoginFields fields = m_controller.fields();
    fields.password.clear();
    m_controller.setFields(fields);
    m_pass->show();
    m_pass->raise();
    m_pass->activateWindow();
}

void LoginWindows::showSettingsModal()
{
    if (m_server && !m_access.shutdownRequested())
        m_server->exec();
}

bool LoginWindows::isLoginDialogVisible() const
{
    return m_pass && m_pass->isVisible();
}

void LoginWindows::showLoginDialogModal()
{
    if (m_pass && !m_access.shutdownRequested())
        m_pass->runModal();
}

void LoginWindows::selectPasswordText()
{
    if (m_pass)
        TextHelpers::SelectAllText(m_pass->BPASSWORT);
}

void LoginWindows::hideLoginWindows()
{
    if (m_pass)
        m_pass->hide();
    if (m_server)
        m_server->hide();
}

} // namespace ertragon
