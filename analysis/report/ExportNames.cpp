#include "ExportNames.h"

#include <QRegularExpression>

namespace ertragon::report::ExportNames {

namespace {

QString firstWord(const QString &text)
{
    return text.trimmed().section(QLatin1Char(' '), 0, 0);
}

// The code of the deepest level with a choice, from the main customer group down.
QString chosenUnit(const SelectionTexts &s)
{
    for (const QString *text : { &s.SUGRP, &s.SHGRP, &s.SABTNR, &s.SHABT, &s.SPCNR, &s.SPG }) {
        if (const QString code = firstWord(*text); !code.isEmpty())
            return code;
    }
    return QStringLiteral("Alle");
}

// The text reduced to ASCII: umlauts spelt out, other characters "_".
QString asciiSafe(const QString &text)
{
    static const QList<std::pair<QChar, QString>> spelt {
        { QChar(0xe4), QStringLiteral("ae") }, { QChar(0xf6), QStringLiteral("oe") },
        { QChar(0xfc), QStringLiteral("ue") }, { QChar(0xc4), QStringLiteral("Ae") },
        { QChar(0xd6), QStringLiteral("Oe") }, { QChar(0xdc), QStringLiteral("Ue") },
        { QChar(0xdf), QStringLiteral("ss") },
    };
    QString out;
    for (const QChar c : text) {
        const auto it = std::find_if(spelt.begin(), spelt.end(),
                                     [c](const auto &pair) { return pair.first == c; });
        if (it != spelt.end())
            out += it->second;
        else if (c.unicode() < 128 && (c.isLetterOrNumber() || c == u'-' || c == u'_'))
            out += c;
        else
            out += QLatin1Char('_');
    }
    return out;
}

} // namespace

QString suggested(const ReportData &data, const QString &extension)
{
    QString company = firstWord(data.selection.company);
    if (company.isEmpty())
        company = firstWord(data.loginCompany);
    const QStringList parts { QStringLiteral("Ertragon"), company, chosenUnit(data.selection),
                              data.now.date().toString(Qt::ISODate) };
    QStringList safe;
    for (const QString &part : parts) {
        if (!part.isEmpty())
            safe << asciiSafe(part);
    }
    return safe.join(QLatin1Char('_')) + QLatin1Char('.') + extension;
}

QString withExtension(const QString &path, const QString &extension)
{
    const QString ending = QLatin1Char('.') + extension;
    if (path.isEmpty() || path.endsWith(ending, Qt::CaseInsensitive))
        return path;
    return path + ending;
}

} // namespace ertragon::report::ExportNames
