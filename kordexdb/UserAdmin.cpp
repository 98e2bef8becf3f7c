#include "UserAdmin.h"

#include "EchoedInput.h"
#include "PasswordHash.h"
#include "ServerRights.h"
#include "ServerText.h"
#include "SqlConnection.h"
#include "Validation.h"

#include <QRegularExpression>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

namespace {

void require(const QString &problem)
{
    if (!problem.isEmpty())
        throw ServerError(error::BadInput, problem);
}

QString orEmpty(const std::optional<QString> &value)
{
    return value.value_or(QString());
}

} // namespace

UserAdmin::UserAdmin(SqlConnection &sql)
    : m_sql(sql)
{
}

void UserAdmin::check(const UserSettings &s, bool exists)
{
    require(Validation::companyProblem(s.company));
    static const QRegularExpression codeForm(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Z0-9]{1,10}")));
    if (!codeForm.match(s.code).hasMatch())
        require(QStringLiteral("Benutzercode %1: 1 bis 10 Großbuchstaben oder Ziffern")
                    .arg(EchoedInput::quoted(s.code)));
    if (m_sql.query(QStringLiteral("SELECT 1 FROM firma WHERE firma = ?"), { s.company }).isEmpty())
        require(QStringLiteral("Firma %1 unbekannt").arg(EchoedInput::quoted(s.company)));
    if (!exists && !s.password)
        require(QStringLiteral("ein neuer Benutzer braucht ein Passwort"));
    if (!exists && !s.name)
        require(QStringLiteral("ein neuer Benutzer braucht einen Namen"));
    // The login reads the user's department record; without one nobody can log in.
    if (!exists && !s.department)
        require(QStringLiteral("ein neuer Benutzer braucht eine Abteilung"));
    if (s.password && s.password->isEmpty())
        require(QStringLiteral("leeres Passwort"));
    if (s.name)
        require(Validation::nameProblem(*s.name));
    if (s.rightsGroup && (*s.rightsGroup < 0 || *s.rightsGroup > 99))
        require(
            QStringLiteral("Berechtigungsgruppe %1 liegt nicht in 0 bis 99").arg(*s.rightsGroup));
    if (s.department
        && m_sql
               .query(QStringLiteral("SELECT 1 FROM abteilung WHERE firma = ? AND abtnr = ?"),
                      { s.company, *s.department })
               .isEmpty())
        require(QStringLiteral("Abteilung %1 unbekannt").arg(EchoedInput::quoted(*s.department)));
    for (const auto *flag : { &s.active, &s.permitted, &s.restricted, &s.departmentBound })
        if (*flag)
            require(Validation::flagProblem(**flag));
    if (s.fax)
        require(Validation::faxProblem(*s.fax));
    if (s.email)
        require(Validation::emailProblem(*s.email));
}

QString UserAdmin::nextPersonnelNumber(const QString &company)
{
    qint64 highest = 1000;
    for (const SqlRow &row :
         m_sql.query(QStringLiteral("SELECT pnr FROM personal WHERE firma = ?"), { company }))
        highest = std::max(highest, row.value(0).toLongLong());
    return QString::number(highest + 1);
}

bool UserAdmin::set(const UserSettings &s)
{
    Transaction transaction(m_sql);
    const bool exists
        = !m_sql
               .query(QStringLiteral("SELECT 1 FROM personal WHERE firma = ? AND kuerzel = ?"),
                      { s.company, s.code })
               .isEmpty();
    check(s, exists);
    const bool server = m_sql.dialect() == Dialect::Postgres;
    const QString hash = s.password && !server ? PasswordHash::make(*s.password) : QString();
    if (!exists) {
        const QString pnr = nextPersonnelNumber(s.company);
        m_sql.execute(
            QStringLiteral(
                "INSERT INTO personal (firma, kuerzel, pname, pnr, abtnr, dw, bergrp, aktiv,"
                " passwort_hash, erlaubt, eingeschraenkt, abteilungsgebunden)"
                " VALUES (?, ?, ?, ?, ?, '', ?, ?, ?, ?, ?, ?)"),
            { s.company, s.code, toServerText(*s.name), pnr, orEmpty(s.department),
              qint64(s.rightsGroup.value_or(3)), s.active.value_or(QStringLiteral("J")), hash,
              s.permitted.value_or(QStringLiteral("N")), s.restricted.value_or(QStringLiteral("N")),
              s.departmentBound.value_or(QStringLiteral("N")) });
        m_sql.execute(
            QStringLiteral("INSERT INTO persbasis (firma, pnr, fax, email) VALUES (?, ?, ?, ?)"
                           " ON CONFLICT (firma, pnr) DO NOTHING"),
            { s.company, pnr, orEmpty(s.fax), orEmpty(s.email) });
    }
    const auto update = [&](const char *column, const SqlValue &value) {
        m_sql.execute(QStringLiteral("UPDATE personal SET %1 = ? WHERE firma = ? AND kuerzel = ?")
                          .arg(QLatin1String(column)),
                      { value, s.company, s.code });
    };
    if (exists) {
        if (!hash.isEmpty())
            update("passwort_hash", hash);
        if (s.name)
            update("pname", toServerText(*s.name));
        if (s.rightsGroup)
            update("bergrp", qint64(*s.rightsGroup));
        if (s.department)
            update("abtnr", *s.department);
        if (s.active)
            update("aktiv", *s.active);
        if (s.permitted)
            update("erlaubt", *s.permitted);
        if (s.restricted)
            update("eingeschraenkt", *s.restricted);
        if (s.departmentBound)
            update("abteilungsgebunden", *s.departmentBound);
    }
    const QString pnr
        = m_sql.scalar(QStringLiteral("SELECT pnr FROM personal WHERE firma = ? AND kuerzel = ?"),
                       { s.company, s.code });
    if (exists && (s.fax || s.email)) {
        if (s.fax)
            m_sql.execute(
                QStringLiteral("UPDATE persbasis SET fax = ? WHERE firma = ? AND pnr = ?"),
                { *s.fax, s.company, pnr });
        if (s.email)
            m_sql.execute(
                QStringLiteral("UPDATE persbasis SET email = ? WHERE firma = ? AND pnr = ?"),
                { *s.email, s.company, pnr });
    }
    m_sql.execute(
        QStringLiteral("UPDATE personal SET dw = ? WHERE firma = ? AND kuerzel = ? AND dw = ''"),
        { QString::number(200 + pnr.toLongLong() % 100), s.company, s.code });
    if (server)
        ServerRights::setRole(
            m_sql, s.company, s.code, s.password,
            m_sql.scalar(
                QStringLiteral("SELECT aktiv FROM personal WHERE firma = ? AND kuerzel = ?"),
                { s.company, s.code })
                == QLatin1String("J"));
    transaction.commit();
    return !exists;
}

} // namespace kordex
