#include "Validation.h"

#include "EchoedInput.h"

#include <QRegularExpression>

namespace kordex {

namespace {

// The whole text, start to end, in the form (a "$" would let a final line break through).
QRegularExpression whole(const QString &pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

} // namespace

QString Validation::companyProblem(const QString &company)
{
    static const QRegularExpression form = whole(QStringLiteral("[1-9][0-9]{0,5}"));
    return form.match(company).hasMatch()
        ? QString()
        : QStringLiteral("ungültige Firma %1").arg(EchoedInput::quoted(company));
}

QString Validation::codeProblem(const QString &code)
{
    static const QRegularExpression form = whole(QStringLiteral("[!#-&(-:<-_a-{}~]{1,12}"));
    return form.match(code).hasMatch()
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
    static const QRegularExpression form = whole(QStringLiteral("[0-9 +()/.-]{0,30}"));
    return form.match(fax).hasMatch()
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
    static const QRegularExpression form
        = whole(QStringLiteral("[A-Za-z0-9.!#$%&'*+/=?^_-]+@[A-Za-z0-9.-]+"));
    return form.match(email).hasMatch()
        ? QString()
        : QStringLiteral("ungültige E-Mail %1: ein @ zwischen Name und Domäne, keine Leer-"
                         " oder Steuerzeichen")
              .arg(EchoedInput::quoted(email));
}

} // namespace kordex
