#include "UmlautConverter.h"

#include "comctl/TextReplace.h"

#include <optional>

namespace inkora {

namespace {

std::optional<comctl::TextReplace::Umlauts> tableFor(int mode)
{
    using Umlauts = comctl::TextReplace::Umlauts;
    switch (mode) {
    case UmlautConverter::GuiToKordex:
        return Umlauts::ScreenToServer;
    case UmlautConverter::KordexToGui:
        return Umlauts::ServerToScreen;
    case UmlautConverter::KordexSearch:
        return Umlauts::SearchForm;
    case UmlautConverter::TextToRtf:
        return Umlauts::Rtf;
    default:
        return std::nullopt;
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
    const auto table = tableFor(mode);
    if (!table)
        return text;
    return comctl::TextReplace::mapCharacters(mode == KordexSearch ? upper(text) : text,
                                              comctl::TextReplace::umlautTable(*table));
}

QString UmlautConverter::charChange(const QString &text, const QString &search,
                                    const QString &replacement, bool several)
{
    return comctl::TextReplace::replaceAll(text, search, replacement, several);
}

} // namespace inkora
