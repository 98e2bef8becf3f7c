#include "ServerAccess.h"

#include "ClosedFactory_p.h"
#include "Prompter.h"
#include "ServerCall.h"
#include "ServerHandle.h"
#include "ServerLog.h"
#include "Waiter.h"

namespace ertragon {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString loginTitle = QStringLiteral("Anmeldung an Caché");
const QString invalidRequest = QStringLiteral("Ungültige Anfrage! Kein Ergebnis gefunden");
constexpr int lockIntervalMs = 60000;
constexpr int attemptsPerRound = 3;
constexpr int retryHundredths = 1000;

template<typename T> void closeQuietly(std::unique_ptr<T> &handle)
{
    if (!handle)
        return;
    try {
        handle->SYS_Close();
    } catch (...) {
        // Closing is best effort; the reference is dropped either way.
    }
    handle.reset();
}

} // namespace

ServerAccess::ServerAccess(kordex::FactoryMaker makeFactory, Prompter &prompter, Waiter &waiter,
                           QObject *parent)
    : QObject(parent)
    , m_makeFactory(std::move(makeFactory))
    , m_prompter(prompter)
    , m_waiter(waiter)
    , m_closedFactory(std::make_unique<ClosedFactory>())
{
    m_lock.setObjectName(QStringLiteral("Lock"));
    m_lock.setInterval(lockIntervalMs);
    m_lock.setSingleShot(true);
    connect(&m_lock, &QTimer::timeout, this, &ServerAccess::Disconnect);
}

ServerAccess::~ServerAccess()
{
    m_lock.stop();
    dropConnection();
}

kordex::Factory *ServerAccess::factory() const
{
    return m_factory ? m_factory.get() : m_closedFactory.get();
}

QString ServerAccess::connectStringFor(const QString &server, const QString &port)
{
    return QStringLiteral("cn_iptcp:") + server + u'[' + port + QStringLiteral("]:KORDEX");
}

QString ServerAccess::contextCommand(const QString &firma, const QString &filiale,
                                     const QString &userCode)
{
    // A quote inside the user code is doubled, as the server's string syntax
    // wants it, so the code can never end the string early.
    QString quoted = userCode;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("S FIRMA=") + firma + QStringLiteral(",FIL=") + filiale
        + QStringLiteral(",PERSONAL=\"") + quoted + u'"';
}

QString ServerAccess::serverErrorText(const kordex::ServerError &error, const QString &operation)
{
    return QStringLiteral("Vorgang: ") + operation + u'.' + crlf + crlf + QStringLiteral("Fehler: ")
        + QString::number(error.number()) + crlf + error.description() + crlf + crlf;
}

bool ServerAccess::isConnected() const
{
    if (!m_factory)
        return false;
    try {
        return m_factory->IsConnected();
    } catch (...) {
        return false;
    }
}

bool ServerAccess::tryConnectOnce()
{
    dropConnection();
    m_lastConnectError.clear();
    m_lastConnectNumber = kordex::error::ConnectFailed;
    try {
        m_factory = m_makeFactory ? m_makeFactory() : nullptr;
        // Every connect, the silent one after an idle minute too, logs in as the user.
        if (m_factory)
            m_factory->setLogin({ m_context.firma, m_context.name, m_context.password });
        if (m_factory && m_factory->OpenConnection(m_context.connectString)
            && m_factory->IsConnected()) {
            qCInfo(serverLog).noquote() << "verbunden:" << m_context.connectString;
            return true;
        }
        if (m_factory) {
            m_lastConnectError = m_factory->lastError();
            if (const int number = m_factory->lastErrorNumber(); number != 0)
                m_lastConnectNumber = number;
        }
    } catch (const std::exception &error) {
        m_lastConnectError = QString::fromLocal8Bit(error.what());
    } catch (...) {
    }
    if (m_lastConnectError.isEmpty())
        m_lastConnectError = QStringLiteral("keine Antwort");
    qCInfo(serverLog).noquote() << "nicht verbunden:" << m_context.connectString << "-"
                                << m_lastConnectError;
    return false;
}

QString ServerAccess::storeDescription() const
{
    const QString &server = m_context.server;
    if (server.contains(u'/') || server.endsWith(QStringLiteral(".db")))
        return server;
    return server + QStringLiteral(" (Port ") + m_context.port + u')';
}

QString ServerAccess::storeAndCause() const
{
    return crlf + crlf + QStringLiteral("Server: ") + storeDescription() + crlf
        + QStringLiteral("Ursache: ") + m_lastConnectError;
}

void ServerAccess::reportConnectStatus(const QString &text)
{
    if (text.isEmpty() && !m_statusShown)
        return;
    m_statusShown = !text.isEmpty();
    Q_EMIT connectStatus(text);
}

void ServerAccess::sendContextCommands()
{
    try {
        ServerHandle windows(*this, m_factory->NewObject(QStringLiteral("KX.Windows")));
        windows->call(QStringLiteral("Xecute"),
                      { contextCommand(m_context.firma, m_context.filiale, m_context.name) });
        windows->call(QStringLiteral("Xecute"), { QStringLiteral("D ^%XTT") });
    } catch (...) {
        // Without its context the connection is of no use; the next call starts afresh.
        dropConnection();
        throw;
    }
}

bool ServerAccess::EnsureConnected(bool keepTrying)
{
    if (m_shutdownRequested)
        return false;
    if (isConnected())
        return true;
    // A call made from a window event while a connect waits must not start a second retry.
    if (m_connecting)
        return false;
    m_connecting = true;
    m_loginRefused = false;
    bool ok = false;
    try {
        ok = connectWithRetries(keepTrying);
    } catch (...) {
        m_connecting = false;
        reportConnectStatus({});
        throw;
    }
    m_connecting = false;
    reportConnectStatus({});
    if (!ok)
        return false;
    sendContextCommands();
    Q_EMIT connected();
    return true;
}

bool ServerAccess::connectWithRetries(bool keepTrying)
{
    int attempts = 0;
    bool settingsShown = false;
    for (;;) {
        if (tryConnectOnce())
            return true;
        // A store that answered and said no is not asked again, nor called unreachable.
        if (m_lastConnectNumber != kordex::error::ConnectFailed) {
            reportConnectStatus({});
            refuseConnection();
            return false;
        }
        ++attempts;
        if (keepTrying || attempts != attemptsPerRound) {
            reportConnectStatus(
                QStringLiteral("Verbindung zu %1 fehlgeschlagen (Versuch %2 von %3): %4\n"
                               "Nächster Versuch in %5 Sekunden …")
                    .arg(storeDescription())
                    .arg(attempts)
                    .arg(attemptsPerRound)
                    .arg(m_lastConnectError)
                    .arg(retryHundredths / 100));
            pumpMessages();
            WaitHundredths(retryHundredths);
            if (m_shutdownRequested)
                return false;
            continue;
        }
        reportConnectStatus({});
        if (!settingsShown) {
            m_prompter.inform(
                Prompter::Icon::Warning, loginTitle,
                QStringLiteral("Server nach 3 Versuchen nicht erreichbar!") + crlf
                    + QStringLiteral("Wahrscheinlich sind keine freien Lizenzen verfügbar!") + crlf
                    + QStringLiteral("Bitte Kontrollieren Sie die Verbindungsdaten")
                    + storeAndCause());
            Q_EMIT settingsWanted();
            if (m_shutdownRequested)
                return false;
            settingsShown = true;
            attempts = 0;
            continue;
        }
        m_prompter.inform(
            Prompter::Icon::Critical, loginTitle,
            QStringLiteral("Der Server ist nicht erreichbar!") + crlf
                + QStringLiteral(
                    "Wahrscheinlich sind keine Lizenzen frei. Die Anwendung wird beendet!")
                + crlf
                + QStringLiteral("Bitte Versuchen Sie die Anmeldung zu einem späteren Zeitpunk "
                                 "noch ein mal.")
                + storeAndCause());
        Q_EMIT settingsDone();
        m_context.userDisplay.clear();
        dropConnection();
        ShutdownProgram();
        return false;
    }
}

QString ServerAccess::refusalText(int number, const QString &store, const QString &cause)
{
    switch (number) {
    case kordex::error::LoginRefused:
        return QStringLiteral("Passwort Falsch oder Benutzer nicht Aktiv.");
    case kordex::error::ServerUntrusted:
        return QStringLiteral("Der Server %1 konnte nicht als vertrauenswürdig bestätigt werden:"
                              " sein Zertifikat wurde nicht anerkannt. Die Verbindung wurde nicht"
                              " aufgebaut.")
                   .arg(store)
            + crlf + crlf + QStringLiteral("Ursache: ") + cause;
    case kordex::error::NotAStore:
        return QStringLiteral("%1 ist kein nutzbarer KORDEX-Datenbestand (beschädigt, fremd oder"
                              " von einer anderen Version).")
                   .arg(store)
            + crlf + crlf + QStringLiteral("Ursache: ") + cause;
    default:
        return QStringLiteral("Die Verbindung zu %1 wurde abgelehnt.").arg(store) + crlf + crlf
            + QStringLiteral("Ursache: ") + cause;
    }
}

void ServerAccess::refuseConnection()
{
    m_loginRefused = m_lastConnectNumber == kordex::error::LoginRefused;
    if (m_loginRefused)
        m_prompter.inform(Prompter::Icon::Information, QStringLiteral("Anmeldung an Caché."),
                          refusalText(m_lastConnectNumber, {}, {}));
    else
        m_prompter.inform(Prompter::Icon::Critical, loginTitle,
                          refusalText(m_lastConnectNumber, storeDescription(), m_lastConnectError));
}

bool ServerAccess::BeginServerCall(bool hourglass, bool keepTrying)
{
    if (m_shutdownRequested)
        return false;
    if (hourglass)
        setBusy(true);
    // Off before connecting too: the retry pumps messages and must not be disconnected.
    m_lock.stop();
    bool ok = false;
    try {
        ok = EnsureConnected(keepTrying);
    } catch (...) {
        m_lock.stop();
        throw;
    }
    m_lock.stop();
    if (!ok && hourglass)
        setBusy(false);
    return ok;
}

void ServerAccess::EndServerCall(bool cursor)
{
    if (cursor)
        setBusy(false);
    if (!m_shutdownRequested)
        m_lock.start();
}

void ServerAccess::CloseServerObject(std::unique_ptr<kordex::ServerObject> &object)
{
    pumpMessages();
    closeQuietly(object);
}

void ServerAccess::CloseServerObject(std::unique_ptr<kordex::ResultSet> &resultSet)
{
    pumpMessages();
    closeQuietly(resultSet);
}

bool ServerAccess::runXecute(const QString &command, const QString &operation, QString &output)
{
    qCDebug(serverLog).noquote() << "Xecute:" << command;
    ServerCall call(*this, operation);
    return call.connected() && call.run([&] {
        ServerHandle windows(*this, factory()->NewObject(QStringLiteral("KX.Windows")));
        output = windows->call(QStringLiteral("Xecute"), { command });
    });
}

QString ServerAccess::ServerCommand(const QString &command, bool &failed)
{
    QString output;
    if (runXecute(command,
                  invalidRequest + crlf + crlf
                      + QStringLiteral("DBCall Aufruf von KX.Windwos Xecute ") + command,
                  output))
        return output;
    failed = true;
    return {};
}

int ServerAccess::ServerList(const QString &command, QChar separator, QStringList &list,
                             bool &failed)
{
    list.clear();
    QString output;
    if (!runXecute(command,
                   invalidRequest + crlf + crlf
                       + QStringLiteral("DBCallD Aufruf von KX.Windwos Xecute ") + command,
                   output)) {
        failed = true;
        return 0;
    }
    // Items lie between separators; a non-empty rest after the last one is the last item.
    qsizetype start = 0;
    for (qsizetype at = output.indexOf(separator); at >= 0; at = output.indexOf(separator, start)) {
        list.append(output.mid(start, at - start));
        start = at + 1;
    }
    if (start < output.size())
        list.append(output.mid(start));
    return int(list.size());
}

void ServerAccess::ShowServerError(const kordex::ServerError &error, const QString &operation)
{
    if (m_shutdownRequested)
        return;
    m_prompter.inform(Prompter::Icon::Warning, QStringLiteral("Caché Zugriffsfehler"),
                      serverErrorText(error, operation));
    EndServerCall(true);
}

void ServerAccess::dropConnection()
{
    if (!m_factory)
        return;
    try {
        if (m_factory->IsConnected())
            m_factory->CloseConnection();
    } catch (...) {
        // A connection that cannot be closed is dropped all the same.
    }
    m_factory.reset();
}

void ServerAccess::Disconnect()
{
    m_lock.stop();
    const bool wasOpen = isConnected();
    dropConnection();
    if (wasOpen)
        Q_EMIT disconnected();
}

void ServerAccess::ShutdownProgram()
{
    if (m_shutdownRequested)
        return;
    m_shutdownRequested = true;
    m_lock.stop();
    setBusy(false);
    Q_EMIT programEnding();
}

int ServerAccess::WaitHundredths(int n)
{
    return m_waiter.waitHundredths(n);
}

void ServerAccess::pumpMessages()
{
    m_waiter.pumpEvents();
}

void ServerAccess::setBusy(bool busy)
{
    Q_EMIT busyChanged(busy);
}

} // namespace ertragon
