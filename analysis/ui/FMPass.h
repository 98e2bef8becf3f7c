#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ertragon {

class LoginController;

// The login window "KORDEX Benutzeranmeldung": user code and password.
class FMPass : public QDialog
{
    Q_OBJECT
public:
    explicit FMPass(LoginController &controller, QWidget *parent = nullptr);

    QLineEdit *BUSER;
    QLineEdit *BPASSWORT;
    QPushButton *BUSpeich;
    QPushButton *BUAusst;
    QPushButton *BUServer;

    // The main window whose caption a new login in the running program sets.
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }
    // "Server": shows the settings window modally, owned by this window.
    void setShowServerHook(std::function<void()> showServer)
    {
        m_showServer = std::move(showServer);
    }
    // Shows the window modally until "Anmelden" or "Abbruch" hides it.
    void runModal();

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    void anmelden();
    void abbruch();
    void showFields();
    void takeFields();
    void focusPassword();

    LoginController &m_controller;
    QPointer<QWidget> m_mainWindow;
    std::function<void()> m_showServer;
    bool m_runningModal = false;
};

} // namespace ertragon
