#include "EchoedInput.h"

namespace kordex {

namespace {

bool needsEscape(QChar c)
{
    const auto category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format
        || category == QChar::Separator_Line || category == QChar::Separator_Paragraph
        || c.isSurrogate();
}

void appendEscaped(QString &out, QChar c)
{
    switch (c.unicode()) {
    case u'\n':
        out += QLatin1String("\\n");
        return;
    case u'\r':
        out += QLatin1String("\\r");
        return;
    case u'\t':
        out += QLatin1String("\\t");
        return;
    default:
        out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
}

// Escapes control and format characters; a surrogate stays only as part of a
// complete pair. With quotes set, '"' and '\' are escaped as well.
QString escaped(QStringView text, bool quotes)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (needsEscape(c)) {
            appendEscaped(out, c);
        } else if (quotes && (c == u'"' || c == u'\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString EchoedInput::quoted(const QString &text, int limit)
{
    qsizetype cut = text.size();
    if (cut > limit) {
        cut = limit;
        // never split a surrogate pair
        if (cut > 0 && text[cut - 1].isHighSurrogate())
            --cut;
    }
    QString result = QLatin1Char('"') + escaped(QStringView(text).left(cut), true);
    if (cut < text.size())
        result += QChar(0x2026);
    return result + QLatin1Char('"');
}

QString EchoedInput::oneLine(const QString &message)
{
    return escaped(message, false);
}

} // namespace kordex
