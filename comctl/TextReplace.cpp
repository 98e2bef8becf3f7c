#include "TextReplace.h"

#include <algorithm>

namespace comctl {

namespace {

using Row = TextReplace::CharMapping;

// The server keeps umlauts, "ß" and "§" in the 7-bit characters it does not use otherwise.
constexpr Row screenToServer[]
    = { { u'ä', u"{" }, { u'ö', u"|" },  { u'ü', u"}" }, { u'ß', u"~" },
        { u'Ä', u"[" }, { u'Ö', u"\\" }, { u'Ü', u"]" }, { u'§', u"õ" } };
constexpr Row serverToScreen[]
    = { { u'{', u"ä" }, { u'|', u"ö" },  { u'}', u"ü" }, { u'~', u"ß" },
        { u'[', u"Ä" }, { u'\\', u"Ö" }, { u']', u"Ü" }, { u'õ', u"§" } };
constexpr Row searchForm[] = { { u'Ä', u"AE" }, { u'Ö', u"OE" }, { u'Ü', u"UE" }, { u'ß', u"SS" } };
constexpr Row rtf[]
    = { { u'ä', u"\\'e4" }, { u'ö', u"\\'f6" }, { u'ü', u"\\'fc" }, { u'ß', u"\\'df" },
        { u'Ä', u"\\'C4" }, { u'Ö', u"\\'d6" }, { u'Ü', u"\\'dc" } };

} // namespace

QString TextReplace::replaceAll(const QString &text, const QString &search,
                                const QString &replacement, bool multiCharacter)
{
    const QStringView what = multiCharacter ? QStringView(search) : QStringView(search).left(1);
    const QStringView with
        = multiCharacter ? QStringView(replacement) : QStringView(replacement).left(1);
    if (what.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(what); at >= 0; at = text.indexOf(what, from)) {
        result.append(QStringView(text).sliced(from, at - from)).append(with);
        from = at + what.size();
    }
    return result.append(QStringView(text).sliced(from));
}

QString TextReplace::mapCharacters(const QString &text, CharTable table)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const auto row = std::find_if(table.begin(), table.end(),
                                      [c](const Row &r) { return r.from == c.unicode(); });
        if (row != table.end())
            result.append(row->to);
        else
            result.append(c);
    }
    return result;
}

TextReplace::CharTable TextReplace::umlautTable(Umlauts table)
{
    switch (table) {
    case Umlauts::ScreenToServer:
        return screenToServer;
    case Umlauts::ServerToScreen:
        return serverToScreen;
    case Umlauts::SearchForm:
        return searchForm;
    case Umlauts::Rtf:
        return rtf;
    }
    return {};
}

} // namespace comctl
