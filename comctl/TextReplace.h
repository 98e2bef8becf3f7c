#pragma once

#include <QString>
#include <QStringView>
#include <span>

namespace comctl {

// Replacing text: every occurrence of a search text, or every character by a table such as
// the umlaut forms of the KORDEX server (screen, 7-bit server form, search form, RTF).
class TextReplace
{
public:
    // Every non-overlapping occurrence of search, found from the left, replaced; a replacement
    // is not searched again. Unless multiCharacter, only the first character of search and of
    // replacement count. An empty search returns the text unchanged.
    static QString replaceAll(const QString &text, const QString &search,
                              const QString &replacement, bool multiCharacter = true);

    // A character and the text that stands for it.
    struct CharMapping
    {
        char16_t from;
        QStringView to;
    };
    using CharTable = std::span<const CharMapping>;

    // Every character replaced once, left to right, by the first row naming it; characters
    // the table does not name stay.
    static QString mapCharacters(const QString &text, CharTable table);

    enum class Umlauts {
        ScreenToServer, // "ä" → "{", "§" → "õ", …
        ServerToScreen, // the reverse
        SearchForm, // upper-case umlauts and "ß" spelt out: "Ä" → "AE", "ß" → "SS"
        Rtf, // "ä" → "\'e4", …
    };
    static CharTable umlautTable(Umlauts table);
};

} // namespace comctl
