#include "UmlautConverter.h"

#include <QList>
#include <QPair>

namespace inkora {

namespace {

using Table = QList<QPair<QChar, QString>>;

const Table &tableFor(int mode)
{
    static const Table guiToKordex { { u'ä', QStringLiteral("{") }, { u'ö', QStringLiteral("|") },
                                     { u'ü', QStringLiteral("}") }, { u'ß', QStringLiteral("~") },
                                     { u'Ä', QStringLiteral("[") }, { u'Ö', QStringLiteral("\\") },
                                     { u'Ü', QStringLiteral("]") }, { u'§', QStringLiteral("õ") } };
    static const Table kordexToGui { { u'{', QStringLiteral("ä") }, { u'|', QStringLiteral("ö") },
                                     { u'}', QStringLiteral("ü") }, { u'~', QStringLiteral("ß") },
                                     { u'[', QStringLiteral("Ä") }, { u'\\', QStringLiteral("Ö") },
                                     { u']', QStringLiteral("Ü") }, { u'õ', QStringLiteral("§") } };
    static const Table kordexSearch { { u'Ä', QStringLiteral("AE") },
                                      { u'Ö', QStringLiteral("OE") },
                                      { u'Ü', QStringLiteral("UE") },
                                      { u'ß', QStringLiteral("SS") } };
    static const Table textToRtf {
        { u'ä', QStringLiteral("\\'e4") }, { u'ö', QStringLiteral("\\'f6") },
        { u'ü', QStringLiteral("\\'fc") }, { u'ß', QStringLiteral("\\'df") },
        { u'Ä', QStringLiteral("\\'C4") }, { u'Ö', QStringLiteral("\\'d6") },
        { u'Ü', QStringLiteral("\\'dc") }
    };
    static const Table none;
    switch (mode) {
    case UmlautConverter::GuiToKordex:
        return guiToKordex;
    case UmlautConverter::KordexToGui:
        return kordexToGui;
    case UmlautConverter::KordexSearch:
        return kordexSearch;
    case UmlautConverter::TextToRtf:
        return textToRtf;
    default:
        return none;
    }
}

} // namespace

QChar UmlautConverter::upper(QChar c)
{
    return c == u'ß' ? c : c.toUpper();
}

QString UmlautConverter::upper(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        c = upper(c);
    return result;
}

QString UmlautConverter::umlaut(const QString &text, int mode)
{
    const Table &table = tableFor(mode);
    if (table.isEmpty())
        return text;
    const QString source = mode == KordexSearch ? upper(text) : text;
    QString result;
    result.reserve(source.size());
    for (QChar c : source) {
        bool found = false;
        for (const auto &pair : table) {
            if (pair.first == c) {
                result += pair.second;
                found = true;
                break;
            }
        }
        if (!found)
            result += c;
    }
    return result;
}

QString UmlautConverter::charChange(const QString &text, const QString &search,
                                    const QString &replacement, bool several)
{
    const QString find = several ? search : search.left(1);
    const QString put = several ? replacement : replacement.left(1);
    if (find.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (QStringView(text).mid(i, find.size()) == find) {
            result += put;
            i += find.size();
        } else {
            result += text[i];
            ++i;
        }
    }
    return result;
}

} // namespace inkora
