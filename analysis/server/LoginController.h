#pragma once

#include "LoginDefaults.h"
#include "LoginFields.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QSettings;

namespace ertragon {

class LoginUi;
class Prompter;
class ServerAccess;
class ServerCall;
struct ServerContext;

// The login flow without widgets: values from the command line or the settings
// store, the password check on the server, the user's data into ServerContext.
// The login windows show and edit fields(); the controller reads them.
class LoginController : public QObject
{
    Q_OBJECT
public:
    // settingsPath: the INI file of the store; empty for the per-user default.
    LoginController(ServerAccess &access, Prompter &prompter, QString settingsPath = QString(),
                    QObject *parent = nullptr);
    ~LoginController() override;

    void setUi(LoginUi *ui) { m_ui = ui; }
    // The words after the program name, blank-separated.
    void setProcessCommandLine(const QString &commandLine) { m_processCommandLine = commandLine; }
    // What a password word "-" of the command line stands for ($ERTRAGON_PASSWORD).
    void setEnvironmentPassword(const QString &password) { m_environmentPassword = password; }
    // Server used when neither the store nor the command line names one.
    void setDefaultServer(const QString &server) { m_defaultServer = server; }
    const QString &defaultServer() const { return m_defaultServer; }
    const QString &settingsPath() const { return m_settingsPath; }
    // The machine's login defaults beneath the settings file; those of $XDG_CONFIG_DIRS
    // when the per-user file is used, none for a file the caller named.
    void setDefaults(const LoginDefaults &defaults) { m_defaults = defaults; }

    const LoginFields &fields() const { return m_fields; }
    void setFields(const LoginFields &fields);

    // True when the user is logged in.
    bool Login();
    void LoadLoginSettings();
    void SaveLoginSettings();

    // One start-up attempt: takes the process command line, sets the
    // password-from-dialog flag and runs Login.
    bool StartupAttempt();
    // Start-up: repeats StartupAttempt until the user is logged in; false when
    // the program ends instead (or, without windows, when nobody can correct
    // the values).
    bool StartupLogin();

    // "Anmelden" of FMPass: saves the fields; with the main window visible it
    // logs in again (asking until the login succeeds or the program ends) and
    // returns the new main-window caption, else an empty text. Pass false while
    // a Login waits for the modal dialog: that Login goes on by itself.
    QString Anmelden(bool mainWindowVisible);
    // Decides, after a new login in the running program, whether the new user
    // may use it (and applies the user's rules); false keeps the previous user.
    void setAdmission(std::function<bool()> admit) { m_admit = std::move(admit); }
    // "Abbruch" of FMPass: ends the program.
    void Abbruch();
    // BUEdit of FMServer: asks before the fields may be edited, and whether to
    // keep the edits. Kept, they are stored and the connection closes; nobody logged in
    // or a connect retry running, they count at once (the login's user and password
    // stay), else from the next login on. False when the edits are to be discarded.
    bool askAllowChanges();
    bool askSaveChanges(const LoginFields &edited);

    // The server and port of the last login that succeeded ("LetzterServer",
    // "LetzterPort"), empty before the first; a failed address never replaces it.
    QString lastWorkingServer() const;
    QString lastWorkingPort() const;

    // Main-window captions: at start-up with the user display text, after a
    // new login with the full name.
    QString startupCaption() const;
    // "KORDEX Ertragon   Firma: ..." for any company, branch and user text.
    static QString mainWindowCaption(const QString &company, const QString &branch,
                                     const QString &user);
    QString reloginCaption() const;
    // The connect string from the login values now in the context.
    void refreshConnectString();

    static QString defaultSettingsFile();

Q_SIGNALS:
    void fieldsChanged();

private:
    // Shows company, branch, server, port, namespace and user of the context in the fields.
    void showContextInFields();
    std::unique_ptr<QSettings> openSettings() const;
    QString setting(const QSettings &settings, const QString &key, const QString &fallback) const;
    bool checkOnServer();
    // The user's records inside the login's server bracket; false for a wrong
    // password or an inactive user (already told).
    bool readUser(ServerCall &call);
    void failLoginOnServerError();
    bool needsDialog() const;
    void failLogin();
    void rememberWorkingAddress();
    // The saved connection values into the context now, keeping the login's user and password.
    void takeSavedConnection();

    ServerAccess &m_access;
    ServerContext &m_context;
    std::function<bool()> m_admit;
    Prompter &m_prompter;
    QString m_settingsPath;
    LoginDefaults m_defaults;
    QString m_defaultServer;
    QString m_processCommandLine;
    QString m_environmentPassword;
    LoginUi *m_ui = nullptr;
    LoginFields m_fields;
    // Set when a login with the command-line values has failed or the user
    // logged in through the dialog: from then on the command line is not used,
    // so a bad command-line password cannot repeat without end.
    bool m_commandLineSpent = false;
    // The dialog shown after a failed command-line login keeps those values.
    bool m_keepFieldsOnce = false;
    // The last saved values when the store could not be written.
    QMap<QString, QString> m_unsaved;
};

} // namespace ertragon
