#pragma once

#include "FMPass.h"
#include "FMServer.h"
#include "LoginUi.h"

#include <QPointer>

class QWidget;

namespace ertragon {

class LoginController;
class ServerAccess;

// The login windows FMPass and FMServer over one LoginController. Also lends
// the settings window to the server layer's connect retry.
class LoginWindows final : public LoginUi
{
public:
    LoginWindows(LoginController &controller, ServerAccess &access);
    ~LoginWindows() override;

    FMPass *pass() const { return m_pass; }
    FMServer *server() const { return m_server; }

    // The main window whose caption a new login sets ("&Login" menu).
    void setMainWindow(QWidget *mainWindow);
    // Shows FMPass modeless ("&Login" menu of the running program).
    void showLoginDialog();

    bool isLoginDialogVisible() const override;
    void showLoginDialogModal() override;
    void selectPasswordText() override;
    void hideLoginWindows() override;

private:
    void showSettingsModal();

    LoginController &m_controller;
    ServerAccess &m_access;
    QPointer<FMPass> m_pass;
    QPointer<FMServer> m_server;
};

} // namespace ertragon
