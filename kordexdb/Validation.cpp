#include "Validation.h"

#include "EchoedInput.h"

#include <QRegularExpression>

namespace kordex {

namespace {

bool matches(const QString &pattern, const QString &text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

} // namespace

QString Validation::companyProblem(const QString &company)
{
    return matches(QStringLiteral("[1-9][0-9]{0,5}"), company)
        ? QString()
        : QStringLiteral("ungültige Firma %1").arg(EchoedInput::quoted(company));
}

QString Validation::codeProblem(const QString &code)
{
    return matches(QStringLiteral("[!#-&(-:<-_a-{}~]{1,12}"), code)
        ? QString()
        : QStringLiteral("ungültiger Code %1").arg(EchoedInput::quoted(code));
}

QString Validation::nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("leerer Name");
    if (name.size() > 60)
        return QStringLiteral("Name %1 länger als 60 Zeichen").arg(EchoedInput::quoted(name));
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
            || c.isSurrogate() || c == QChar(0xFF) || c == QChar(0xFFFD) || c == QLatin1Char('`'))
            return QStringLiteral("unzulässiges Zeichen im Namen %1")
                .arg(EchoedInput::quoted(name));
        if (QStringLiteral("{|}~[\\]õ").contains(c))
            return QStringLiteral("Zeichen %1 im Namen %2 nicht erlaubt")
                .arg(c)
                .arg(EchoedInput::quoted(name));
    }
    return QString();
}

QString Validation::flagProblem(const QString &flag)
{
    return flag == QLatin1String("J") || flag == QLatin1String("N")
        ? QString()
        : QStringLiteral("%1 ist weder J noch N").arg(EchoedInput::quoted(flag));
}

QString Validation::faxProblem(const QString &fax)
{
    return matches(QStringLiteral("[0-9 +()/.-]{0,30}"), fax)
        ? QString()
        : QStringLiteral("Fax %1: bis 30 Ziffern, Leerzeichen und + - / ( ) .")
              .arg(EchoedInput::quoted(fax));
}

QString Validation::emailProblem(const QString &email)
{
    if (email.isEmpty())
        return QString();
    if (email.size() > 80)
        return QStringLiteral("E-Mail %1 länger als 80 Zeichen").arg(EchoedInput::quoted(email));
    return matches(QStringLiteral("[A-Za-z0-9.!#$%&'*+/=?^_-]+@[A-Za-z0-9.-]+"), email)
        ? QString()
        : QStringLiteral("ungültige E-Mail %1: ein @ zwischen Name und Domäne, keine Leer-"
                         " oder Steuerzeichen")
              .arg(EchoedInput::quoted(email));
}

} // namespace kordex
