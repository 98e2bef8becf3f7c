#pragma once

#include <QString>

namespace inkora {

// The umlaut conversions between the screen, the 7-bit KORDEX form, the upper-case search form
// and RTF escapes, and the general search-and-replace of the edit control.
class UmlautConverter
{
public:
    enum Mode { Unchanged = 0, GuiToKordex = 1, KordexToGui = 2, KordexSearch = 3, TextToRtf = 4 };

    // Converts every character once, left to right, by the mode's table. Modes other than
    // 1 to 4 return the text unchanged.
    static QString umlaut(const QString &text, int mode);

    // Replaces every non-overlapping match of search, found from the left. Unless several,
    // only the first character of search and of replacement count. An empty search string
    // returns the text unchanged. Works for texts of any length.
    static QString charChange(const QString &text, const QString &search,
                              const QString &replacement, bool several = false);

    // Upper case by single characters ("ä" becomes "Ä", "ß" stays "ß").
    static QString upper(const QString &text);
    static QChar upper(QChar c);
};

} // namespace inkora
