#include "TextHelpers.h"

#include <array>
#include <utility>

namespace ertragon::TextHelpers {

namespace {

// Server characters and the screen characters they stand for, in the order
// the conversions apply them.
constexpr std::array<std::pair<char16_t, char16_t>, 8> serverToScreen { {
    { u'{', u'ä' },
    { u'|', u'ö' },
    { u'}', u'ü' },
    { u'~', u'ß' },
    { u'[', u'Ä' },
    { u'\\', u'Ö' },
    { u']', u'Ü' },
    { u'õ', u'§' },
} };

QString replaceChain(QString text, std::initializer_list<std::pair<QString, QString>> pairs,
                     bool multiCharacter)
{
    for (const auto &[search, replacement] : pairs)
        text = ReplaceText(text, search, replacement, multiCharacter);
    return text;
}

QString fromServer(const QString &text, bool withBarAndBackslash)
{
    QString result = text;
    for (const auto &[server, screen] : serverToScreen) {
        if (!withBarAndBackslash && (server == u'|' || server == u'\\'))
            continue;
        result = ReplaceText(result, QString(QChar(server)), QString(QChar(screen)), false);
    }
    return result;
}

QString toServer(const QString &text)
{
    QString result = text;
    for (const auto &[server, screen] : serverToScreen)
        result = ReplaceText(result, QString(QChar(screen)), QString(QChar(server)), false);
    return result;
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
    const QString what = multiCharacter ? search : search.left(1);
    const QString with = multiCharacter ? replacement : replacement.left(1);
    if (what.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype p = 0;
    while (p < text.size()) {
        if (QStringView(text).mid(p, what.size()) == what) {
            result.append(with);
            p += what.size();
        } else {
            result.append(text.at(p));
            ++p;
        }
    }
    return result;
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
    if (mode == u"RTF") {
        return replaceChain(source,
                            { { QStringLiteral("ä"), QStringLiteral("\\'e4") },
                              { QStringLiteral("ö"), QStringLiteral("\\'f6") },
                              { QStringLiteral("ü"), QStringLiteral("\\'fc") },
                              { QStringLiteral("ß"), QStringLiteral("\\'df") },
                              { QStringLiteral("Ä"), QStringLiteral("\\'C4") },
                              { QStringLiteral("Ö"), QStringLiteral("\\'d6") },
                              { QStringLiteral("Ü"), QStringLiteral("\\'dc") } },
                            true);
    }
    if (mode == u"KORDEX")
        return fromServer(source, true);
    if (mode == u"KORDEXSZ")
        return fromServer(source, false);
    if (mode == u"GUIKORDEX")
        return toServer(source);
    if (mode == u"KORDEXSUCHE") {
        return replaceChain(source,
                            { { QStringLiteral("ß"), QStringLiteral("SS") },
                              { QStringLiteral("Ä"), QStringLiteral("AE") },
                              { QStringLiteral("Ö"), QStringLiteral("OE") },
                              { QStringLiteral("Ü"), QStringLiteral("UE") } },
                            true);
    }
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
