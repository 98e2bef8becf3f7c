#include "ConnectString.h"
#include "CreateFactory.h"
#include "EchoedInput.h"
#include "PasswordHash.h"
#include "ServerText.h"
#include "StoreFactory_p.h"
#include "StoreObject_p.h"
#include "StoreResultSet_p.h"

#include <QStandardPaths>

namespace kordex {

namespace {

QStringList idParts(const QString &id)
{
    const QStringList parts = id.split(QStringLiteral("||"));
    if (parts.size() != 2)
        throw ServerError(error::BadId,
                          QStringLiteral("Ungültige Id %1 (zwei Teile mit || verbunden)")
                              .arg(EchoedInput::quoted(id)));
    return parts;
}

[[noreturn]] void notFound(const QString &className, const QString &id)
{
    throw ServerError(error::ObjectNotFound,
                      QStringLiteral("Objekt %1 mit Id %2 nicht gefunden")
                          .arg(className, EchoedInput::quoted(id)));
}

QString screenTextOf(const QStringList &arguments)
{
    return toScreenText(arguments.value(0));
}

} // namespace

StoreFactory::StoreFactory()
    : m_session(std::make_shared<StoreSession>())
{
}

StoreFactory::~StoreFactory()
{
    CloseConnection();
}

bool StoreFactory::OpenConnection(const QString &text)
{
    CloseConnection();
    m_lastError.clear();
    m_lastErrorNumber = 0;
    const auto parsed = ConnectString::parse(text);
    if (!parsed) {
        m_lastError = QStringLiteral("malformed connect string: %1").arg(EchoedInput::quoted(text));
        m_lastErrorNumber = error::ConnectFailed;
        return false;
    }
    // A PostgreSQL server authenticates the user's own role.
    PgLogin login;
    if (!m_login.user.isEmpty())
        login = { ServerRights::roleName(m_login.company, m_login.user), m_login.password };
    // The program reads; its one write, the rebuild, finds the primary itself.
    m_lastErrorNumber = error::ConnectFailed;
    m_session->store = Store::open(parsed->server, parsed->port, false, &m_lastError,
                                   &m_lastErrorNumber, Target::PreferStandby, login);
    if (m_session->store)
        m_lastErrorNumber = 0;
    if (m_session->store && m_today.isValid())
        m_session->store->setToday(m_today);
    return m_session->store != nullptr;
}

bool StoreFactory::IsConnected()
{
    return m_session->store && m_session->store->sql().isOpen();
}

void StoreFactory::CloseConnection()
{
    m_session->store.reset();
}

void StoreFactory::setToday(const QDate &today)
{
    m_today = today;
    if (m_session->store)
        m_session->store->setToday(today);
}

std::unique_ptr<ServerObject> StoreFactory::OpenObject(const QString &className, const QString &id)
{
    m_session->require();
    if (className == QLatin1String("KX.ParPersEdv")) {
        const QStringList parts = idParts(id);
        return personnelRecord(parts[0], parts[1]);
    }
    if (className == QLatin1String("KX.ParPersAbt")) {
        const QStringList parts = idParts(id);
        return departmentRecord(parts[0], parts[1]);
    }
    if (className == QLatin1String("KX.PersBasis")) {
        const QStringList parts = idParts(id);
        return personnelBasis(parts[0], parts[1]);
    }
    throw ServerError(error::UnknownClass,
                      QStringLiteral("Unbekannte Klasse %1").arg(EchoedInput::quoted(className)));
}

std::unique_ptr<StoreObject> StoreFactory::personnelRecord(const QString &company,
                                                           const QString &code)
{
    const auto row = m_session->require().user(company, code);
    if (!row)
        notFound(QStringLiteral("KX.ParPersEdv"), company + QStringLiteral("||") + code);
    auto object = std::make_unique<StoreObject>(m_session, QStringLiteral("KX.ParPersEdv"));
    object->addProperty(QStringLiteral("Passwort"), QString()); // never handed out
    object->addProperty(QStringLiteral("PNAME"), row->value(0));
    object->addProperty(QStringLiteral("PNR"), row->value(1));
    object->addProperty(QStringLiteral("AbtNr"), row->value(2));
    object->addProperty(QStringLiteral("DW"), row->value(3));
    object->addProperty(QStringLiteral("BERGRP"), row->value(4));
    object->addProperty(QStringLiteral("AKTIV"), row->value(5));
    object->addMethod(QStringLiteral("PNAMELogicalToODBC"),
                      [](Store &, const QStringList &args) { return screenTextOf(args); });
    // A PostgreSQL server checked the password when this session logged in as the
    // user's role; a SQLite store compares it with the stored hash.
    const QString stored = row->value(6);
    const auto &session = m_session->require().sessionUser();
    const bool loggedInAsUser = session && session->company == company && session->code == code;
    const bool server = m_session->require().sql().dialect() == Dialect::Postgres;
    object->addMethod(QStringLiteral("PasswortPruefen"),
                      [stored, server, loggedInAsUser](Store &, const QStringList &args) {
                          const bool right = server ? loggedInAsUser
                                                    : PasswordHash::verify(args.value(0), stored);
                          return right ? QStringLiteral("1") : QStringLiteral("0");
                      });
    return object;
}

std::unique_ptr<StoreObject> StoreFactory::departmentRecord(const QString &company,
                                                            const QString &code)
{
    const auto row = m_session->require().department(company, code);
    // The login reads the user's department here: say which record is missing.
    if (!row && code.isEmpty())
        throw ServerError(error::ObjectNotFound,
                          QStringLiteral("Abteilungssatz KX.ParPersAbt fehlt: keine Abteilung"
                                         " angegeben (Id %1)")
                              .arg(EchoedInput::quoted(company + QStringLiteral("||"))));
    if (!row)
        throw ServerError(error::ObjectNotFound,
                          QStringLiteral("Abteilungssatz KX.ParPersAbt fehlt: Abteilung %1 der"
                                         " Firma %2 nicht gefunden")
                              .arg(EchoedInput::quoted(code), EchoedInput::quoted(company)));
    auto object = std::make_unique<StoreObject>(m_session, QStringLiteral("KX.ParPersAbt"));
    object->addProperty(QStringLiteral("abtbez"), row->value(0));
    object->addProperty(QStringLiteral("AbtNr"), row->value(1));
    object->addProperty(QStringLiteral("HAbtNr"), row->value(2));
    object->addMethod(QStringLiteral("ABTBEZlogicaltoodbc"),
                      [](Store &, const QStringList &args) { return screenTextOf(args); });
    return object;
}

std::unique_ptr<StoreObject> StoreFactory::personnelBasis(const QString &company,
                                                          const QString &number)
{
    const auto row = m_session->require().personnelBasis(company, number);
    if (!row)
        notFound(QStringLiteral("KX.PersBasis"), company + QStringLiteral("||") + number);
    auto object = std::make_unique<StoreObject>(m_session, QStringLiteral("KX.PersBasis"));
    object->addProperty(QStringLiteral("fax"), row->value(0));
    object->addProperty(QStringLiteral("EMAIL"), row->value(1));
    object->addMethod(QStringLiteral("EMailLogicalToODBC"),
                      [](Store &, const QStringList &args) { return screenTextOf(args); });
    return object;
}

std::unique_ptr<ServerObject> StoreFactory::NewObject(const QString &className)
{
    m_session->require();
    auto object = std::make_unique<StoreObject>(m_session, className);
    if (className == QLatin1String("KXUmsatz.Daten")) {
        object->addMethod(QStringLiteral("Generieren"), [](Store &store, const QStringList &args) {
            if (args.size() != 3)
                throw ServerError(error::ArgumentCount,
                                  QStringLiteral("Generieren erwartet Firma, von und bis"));
            store.generieren(args[0], args[1], args[2]);
            return QString();
        });
        return object;
    }
    if (className == QLatin1String("KX.Windows")) {
        object->addMethod(QStringLiteral("Xecute"), [](Store &store, const QStringList &args) {
            if (args.size() != 1)
                throw ServerError(error::ArgumentCount,
                                  QStringLiteral("Xecute erwartet einen Befehl"));
            return store.xecute(args[0]);
        });
        return object;
    }
    throw ServerError(error::UnknownClass,
                      QStringLiteral("Unbekannte Klasse %1").arg(EchoedInput::quoted(className)));
}

std::unique_ptr<ResultSet> StoreFactory::OpenQuery(const QString &className,
                                                   const QString &queryName)
{
    m_session->require();
    if (className != QLatin1String("KXUmsatz.Daten")
        && className != QLatin1String("KXUmsatz.DatWH"))
        throw ServerError(
            error::UnknownClass,
            QStringLiteral("Unbekannte Klasse %1").arg(EchoedInput::quoted(className)));
    if (!Store::hasQuery(className, queryName))
        throw ServerError(error::UnknownQuery,
                          QStringLiteral("Unbekannte Abfrage %1 der Klasse %2")
                              .arg(EchoedInput::quoted(queryName), className));
    return std::make_unique<StoreResultSet>(m_session, className, queryName);
}

std::unique_ptr<Factory> createFactory()
{
    return std::make_unique<StoreFactory>();
}

} // namespace kordex
