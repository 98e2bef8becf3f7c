#include "TextHelpers.h"

#include "comctl/TextReplace.h"

#include <QList>

namespace ertragon::TextHelpers {

namespace {

using comctl::TextReplace;

// The server's forms without "|" and "\\", which the "KORDEXSZ" mode leaves alone.
QString fromServerKeepingBarAndBackslash(const QString &text)
{
    QList<TextReplace::CharMapping> rows;
    for (const TextReplace::CharMapping &row :
         TextReplace::umlautTable(TextReplace::Umlauts::ServerToScreen)) {
        if (row.from != u'|' && row.from != u'\\')
            rows.append(row);
    }
    return TextReplace::mapCharacters(text, rows);
}

} // namespace

QString GetPiece(const QString &text, const QString &delimiter, int n, const QString &defaultText)
{
    if (n < 1)
        return defaultText;
    const bool canMatch = delimiter.size() == 1;
    int delimitersSeen = 0;
    QString piece;
    for (const QChar c : text) {
        if (canMatch && c == delimiter.front()) {
            ++delimitersSeen;
            if (delimitersSeen == n)
                break;
            continue;
        }
        if (delimitersSeen == n - 1)
            piece.append(c);
    }
    return piece.isEmpty() ? defaultText : piece;
}

QString ReplaceText(const QString &text, const QString &search, const QString &replacement,
                    bool multiCharacter)
{
    return TextReplace::replaceAll(text, search, replacement, multiCharacter);
}

QString UpperCase(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c == u'ß' || c == u'õ')
            continue;
        c = c.toUpper();
    }
    return result;
}

QString ConvertUmlauts(const QString &text, const QString &mode, bool upperCase)
{
    const QString source = upperCase ? UpperCase(text) : text;
    using Umlauts = TextReplace::Umlauts;
    if (mode == u"RTF")
        return TextReplace::mapCharacters(source, TextReplace::umlautTable(Umlauts::Rtf));
    if (mode == u"KORDEX")
        return TextReplace::mapCharacters(source,
                                          TextReplace::umlautTable(Umlauts::ServerToScreen));
    if (mode == u"KORDEXSZ")
        return fromServerKeepingBarAndBackslash(source);
    if (mode == u"GUIKORDEX")
        return TextReplace::mapCharacters(source,
                                          TextReplace::umlautTable(Umlauts::ScreenToServer));
    if (mode == u"KORDEXSUCHE")
        return TextReplace::mapCharacters(source, TextReplace::umlautTable(Umlauts::SearchForm));
    return source;
}

qint64 LeadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 limit = 100'000'000'000'000'000LL;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        if (value >= limit)
            break; // far beyond any period or day number; stop before overflowing
        value = value * 10 + (text.at(i).unicode() - u'0');
    }
    return negative ? -value : value;
}

QString ShiftPeriod(const QString &period, const QString &monthOffset)
{
    const qint64 offset = LeadingNumber(monthOffset);
    qint64 month = LeadingNumber(period.right(2)) + offset;
    qint64 year = period.size() > 2 ? LeadingNumber(period.left(period.size() - 2)) : 0;
    // Whole years first, so that any offset lands on a month from 1 to 12.
    qint64 months = year * 12 + (month - 1);
    year = months >= 0 ? months / 12 : -((-months + 11) / 12);
    month = months - year * 12 + 1;
    return QString::number(year) + QString::number(month).rightJustified(2, u'0');
}

QDate ServerDate(const QString &dayNumber)
{
    const qint64 n = LeadingNumber(dayNumber);
    if (n < 0)
        return {};
    const int day = int(n % 100);
    const int month = int((n / 100) % 100);
    const qint64 year = n / 10000 + 1900;
    if (year > 9999)
        return {};
    return QDate(int(year), month, day);
}

} // namespace ertragon::TextHelpers
