#include "LoginController.h"

#include "LoginCommandLine.h"
#include "LoginUi.h"
#include "Prompter.h"
#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace ertragon {

namespace {

const QString loginTitle = QStringLiteral("Anmeldung an Caché");
const QString group = QStringLiteral("Login");

} // namespace

LoginController::LoginController(ServerAccess &access, Prompter &prompter, QString settingsPath,
                                 QObject *parent)
    : QObject(parent)
    , m_access(access)
    , m_context(access.context())
    , m_prompter(prompter)
    , m_settingsPath(std::move(settingsPath))
{
    // The machine's defaults stand beneath the user's own file, not beneath a file a
    // caller names.
    if (m_settingsPath.isEmpty())
        m_defaults = LoginDefaults::fromSystem();
}

LoginController::~LoginController() = default;

QString LoginController::defaultSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Ertragon/Cache Login.ini");
}

std::unique_ptr<QSettings> LoginController::openSettings() const
{
    const QString path = m_settingsPath.isEmpty() ? defaultSettingsFile() : m_settingsPath;
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings->beginGroup(group);
    return settings;
}

void LoginController::setFields(const LoginFields &fields)
{
    if (m_fields == fields)
        return;
    m_fields = fields;
    Q_EMIT fieldsChanged();
}

QString LoginController::setting(const QSettings &settings, const QString &key,
                                 const QString &fallback) const
{
    const auto unsaved = m_unsaved.constFind(key);
    return unsaved != m_unsaved.cend()
        ? *unsaved
        : LoginDefaults::readSetting(settings, key, m_defaults.value(key, fallback));
}

void LoginController::LoadLoginSettings()
{
    const auto settings = openSettings();
    m_context.firma = setting(*settings, QStringLiteral("Firma"), QStringLiteral("1"));
    m_context.filiale = setting(*settings, QStringLiteral("Filiale"), QStringLiteral("0"));
    m_context.server = setting(*settings, QStringLiteral("Server"), m_defaultServer);
    m_context.port = setting(*settings, QStringLiteral("Port"), QStringLiteral("1973"));
    m_context.nameSpace = setting(*settings, QStringLiteral("Namespace"), QStringLiteral("KORDEX"));
    m_context.name = setting(*settings, QStringLiteral("Name"), QString());
    m_context.password = m_fields.password;

    showContextInFields();
}

void LoginController::showContextInFields()
{
    LoginFields fields = m_fields;
    fields.firma = m_context.firma;
    fields.filiale = m_context.filiale;
    fields.serverIp = m_context.server;
    fields.port = m_context.port;
    fields.nameSpace = m_context.nameSpace;
    fields.user = m_context.name;
    setFields(fields);
}

void LoginController::SaveLoginSettings()
{
    const QMap<QString, QString> values { { QStringLiteral("Firma"), m_fields.firma },
                                          { QStringLiteral("Filiale"), m_fields.filiale },
                                          { QStringLiteral("Name"), m_fields.user },
                                          { QStringLiteral("Server"), m_fields.serverIp },
                                          { QStringLiteral("Port"), m_fields.port },
                                          { QStringLiteral("Namespace"), m_fields.nameSpace } };
    const auto settings = openSettings();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings->setValue(it.key(), it.value());
    settings->endGroup();
    if (const QString dir = QFileInfo(settings->fileName()).absolutePath(); !dir.isEmpty())
        QDir().mkpath(dir);
    settings->sync();
    // A store that cannot be written must not lose what the user entered: the
    // values then live on for this run.
    m_unsaved = settings->status() == QSettings::NoError ? QMap<QString, QString>() : values;
}

bool LoginController::needsDialog() const
{
    return m_context.password.isEmpty() || m_context.passwordFromDialog || m_context.loginFailed
        || m_context.name.isEmpty();
}

bool LoginController::Login()
{
    m_context.userDisplay.clear();
    if (m_context.commandLine.isEmpty())
        m_context.commandLine = m_processCommandLine;

    const std::optional<LoginCommandLine> fromCommandLine = m_commandLineSpent
        ? std::nullopt
        : LoginCommandLine::parse(m_context.commandLine, m_defaultServer, m_environmentPassword);
    if (fromCommandLine) {
        m_context.firma = fromCommandLine->firma;
        m_context.filiale = fromCommandLine->filiale;
        m_context.name = fromCommandLine->name;
        m_context.password = fromCommandLine->password;
        m_context.server = fromCommandLine->server;
        m_context.port = fromCommandLine->port;
        m_context.nameSpace = fromCommandLine->nameSpace;
        showContextInFields();
    } else {
        if (m_keepFieldsOnce)
            m_context.password = m_fields.password;
        else
            LoadLoginSettings();
        m_keepFieldsOnce = false;
        if (needsDialog()) {
            if (m_ui && !m_ui->isLoginDialogVisible())
                m_ui->showLoginDialogModal();
            if (m_access.shutdownRequested())
                return false;
            LoadLoginSettings();
        }
    }
    if (m_access.shutdownRequested())
        return false;
    refreshConnectString();
    return checkOnServer();
}

void LoginController::refreshConnectString()
{
    m_context.connectString = ServerAccess::connectStringFor(m_context.server, m_context.port);
}

void LoginController::failLogin()
{
    m_context.loginFailed = true;
    m_context.userDisplay.clear();
    if (!m_commandLineSpent
        && LoginCommandLine::parse(m_context.commandLine, m_defaultServer, m_environmentPassword)) {
        m_commandLineSpent = true;
        m_keepFieldsOnce = true;
    }
}

bool LoginController::checkOnServer()
{
    bool result = false;
    {
        ServerCall call(m_access, QStringLiteral("Firma Filiale Personal Setzen"));
        if (!call.connected()) {
            if (m_access.loginRefused()) {
                // The server refused the password itself; its message is shown.
                failLogin();
                if (m_ui)
                    m_ui->selectPasswordText();
            } else if (call.failed() || !m_access.shutdownRequested()) {
                failLoginOnServerError();
            }
            return false;
        }
        if (!call.run([&] { result = readUser(call); })) {
            failLoginOnServerError();
            return false;
        }
    }
    if (m_ui)
        m_ui->hideLoginWindows();
    if (result)
        rememberWorkingAddress();
    return result;
}

bool LoginController::readUser(ServerCall &call)
{
    kordex::Factory &factory = call.factory();
    const QString company = m_context.firma + QStringLiteral("||");

    call.setOperation(QStringLiteral("Anmeldung mit nicht existierendem Personalcode"));
    ServerHandle person(
        m_access, factory.OpenObject(QStringLiteral("KX.ParPersEdv"), company + m_context.name));
    const bool passwordOk = person->call(QStringLiteral("PasswortPruefen"), { m_context.password })
        == QStringLiteral("1");
    const bool active = person->property(QStringLiteral("AKTIV")) == QStringLiteral("J");
    if (!passwordOk || !active) {
        person.close();
        m_prompter.inform(Prompter::Icon::Information, QStringLiteral("Anmeldung an Caché."),
                          ServerAccess::refusalText(kordex::error::LoginRefused, {}, {}));
        failLogin();
        if (m_ui)
            m_ui->selectPasswordText();
        return false;
    }
    m_context.fullName = person->call(QStringLiteral("PNAMELogicalToODBC"),
                                      { person->property(QStringLiteral("PNAME")) });
    m_context.userDisplay = m_context.name + u'|' + m_context.fullName;
    m_context.personnelNumber = person->property(QStringLiteral("PNR"));
    m_context.department = person->property(QStringLiteral("AbtNr"));
    m_context.dw = person->property(QStringLiteral("DW"));
    m_context.rightsGroup = person->property(QStringLiteral("BERGRP"));
    {
        call.setOperation(QStringLiteral("Abteilungsermittlung"));
        ServerHandle department(
            m_access,
            factory.OpenObject(QStringLiteral("KX.ParPersAbt"), company + m_context.department));
        m_context.departmentName
            = department->call(QStringLiteral("ABTBEZlogicaltoodbc"),
                               { department->property(QStringLiteral("abtbez")) });
        m_context.department = department->property(QStringLiteral("AbtNr"));
        m_context.mainDepartment = department->property(QStringLiteral("HAbtNr"));
    }
    {
        call.setOperation(QStringLiteral("PersBasis Nummern"));
        ServerHandle basis(m_access,
                           factory.OpenObject(QStringLiteral("KX.PersBasis"),
                                              company + m_context.personnelNumber));
        m_context.fax = basis->property(QStringLiteral("fax"));
        m_context.email = basis->call(QStringLiteral("EMailLogicalToODBC"),
                                      { basis->property(QStringLiteral("EMAIL")) });
    }
    person.close();
    if (m_context.userDisplay.isEmpty())
        return false;
    call.setOperation(QStringLiteral("Firma Filiale Personal Setzen"));
    ServerHandle windows(m_access, factory.NewObject(QStringLiteral("KX.Windows")));
    windows->call(
        QStringLiteral("Xecute"),
        { ServerAccess::contextCommand(m_context.firma, m_context.filiale, m_context.name) });
    windows.close();
    m_context.loginFailed = false;
    return true;
}

void LoginController::failLoginOnServerError()
{
    failLogin();
    m_context.passwordFromDialog = true;
}

bool LoginController::StartupAttempt()
{
    m_context.commandLine = m_processCommandLine;
    m_context.passwordFromDialog = true;
    return Login();
}

bool LoginController::StartupLogin()
{
    for (;;) {
        if (StartupAttempt())
            return true;
        // Without windows nobody can correct the values; with them, the dialog shows again.
        if (m_access.shutdownRequested() || !m_ui)
            return false;
    }
}

QString LoginController::Anmelden(bool mainWindowVisible)
{
    SaveLoginSettings();
    // The user chose these values in the dialog; the command line has had its turn.
    m_commandLineSpent = true;
    m_keepFieldsOnce = false;
    if (!mainWindowVisible)
        return {};
    const ServerContext previous = m_context;
    m_access.Disconnect();
    // A refused new login asks again, as at start-up, rather than going on
    // with the server context of a user who was not let in.
    bool loggedIn = false;
    while (!(loggedIn = Login())) {
        if (m_access.shutdownRequested() || !m_ui)
            break;
    }
    if (loggedIn && m_admit && !m_admit()) {
        // Not admitted: the previous user goes on, with a connection set up for them.
        m_access.Disconnect();
        m_context = previous;
    }
    return reloginCaption();
}

void LoginController::Abbruch()
{
    m_context.userDisplay.clear();
    m_access.ShutdownProgram();
}

bool LoginController::askAllowChanges()
{
    return m_prompter.confirm(loginTitle, QStringLiteral("Änderungen erlauben?"));
}

bool LoginController::askSaveChanges(const LoginFields &edited)
{
    if (!m_prompter.confirm(loginTitle, QStringLiteral("Änderungen sichern?")))
        return false;
    setFields(edited);
    m_access.EndServerCall(false);
    m_access.Disconnect();
    SaveLoginSettings();
    // A running session keeps the address and user it logged in with until the next
    // login; the start-up and a connect retry go on with what was saved.
    if (m_context.userDisplay.isEmpty() || m_access.connecting())
        takeSavedConnection();
    return true;
}

void LoginController::takeSavedConnection()
{
    const QString user = m_context.name;
    const QString password = m_context.password;
    LoadLoginSettings();
    if (!user.isEmpty())
        m_context.name = user;
    if (m_fields.password.isEmpty())
        m_context.password = password;
    refreshConnectString();
}

QString LoginController::lastWorkingServer() const
{
    return openSettings()->value(QStringLiteral("LetzterServer")).toString();
}

QString LoginController::lastWorkingPort() const
{
    return openSettings()->value(QStringLiteral("LetzterPort")).toString();
}

void LoginController::rememberWorkingAddress()
{
    const auto settings = openSettings();
    if (settings->value(QStringLiteral("LetzterServer")).toString() == m_context.server
        && settings->value(QStringLiteral("LetzterPort")).toString() == m_context.port)
        return;
    settings->setValue(QStringLiteral("LetzterServer"), m_context.server);
    settings->setValue(QStringLiteral("LetzterPort"), m_context.port);
    settings->endGroup();
    if (const QString dir = QFileInfo(settings->fileName()).absolutePath(); !dir.isEmpty())
        QDir().mkpath(dir);
}

QString LoginController::mainWindowCaption(const QString &company, const QString &branch,
                                           const QString &user)
{
    return QStringLiteral("KORDEX Ertragon   Firma: ") + company + QStringLiteral("     Filiale: ")
        + branch + QStringLiteral("     Benutzer: ") + user;
}

QString LoginController::startupCaption() const
{
    return mainWindowCaption(m_context.firma, m_context.filiale, m_context.userDisplay);
}

QString LoginController::reloginCaption() const
{
    return mainWindowCaption(m_context.firma, m_context.filiale, m_context.fullName);
}

} // namespace ertragon
