#include "Validation.h"

#include <QRegularExpression>

namespace kordex {

QString Validation::companyProblem(const QString &company)
{
    static const QRegularExpression form(QStringLiteral("^[1-9][0-9]{0,5}$"));
    return form.match(company).hasMatch() ? QString()
                                          : QStringLiteral("ungültige Firma \"%1\"").arg(company);
}

QString Validation::codeProblem(const QString &code)
{
    static const QRegularExpression form(QStringLiteral("^[!#-&(-:<-_a-{}~]{1,12}$"));
    return form.match(code).hasMatch() ? QString()
                                       : QStringLiteral("ungültiger Code \"%1\"").arg(code);
}

QString Validation::nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("leerer Name");
    if (name.size() > 60)
        return QStringLiteral("Name länger als 60 Zeichen");
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar(0xFF) || c == QLatin1Char('`'))
            return QStringLiteral("unzulässiges Zeichen im Namen \"%1\"").arg(name);
        if (QStringLiteral("{|}~[\\]õ").contains(c))
            return QStringLiteral("Zeichen %1 im Namen \"%2\" nicht erlaubt").arg(c).arg(name);
    }
    return QString();
}

QString Validation::flagProblem(const QString &flag)
{
    return flag == QLatin1String("J") || flag == QLatin1String("N")
        ? QString()
        : QStringLiteral("\"%1\" ist weder J noch N").arg(flag);
}

} // namespace kordex
