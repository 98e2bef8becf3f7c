#include "ValueLiteral.h"

#include "comctl/Variants.h"

#include <QFont>
#include <QLocale>
#include <cmath>

namespace {

std::optional<QString> parseQuoted(const QString &text, qsizetype *end)
{
    QString result;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            result += text[++i];
        } else if (c == QLatin1Char('"')) {
            *end = i + 1;
            return result;
        } else {
            result += c;
        }
    }
    return std::nullopt;
}

std::optional<QVariant> parseWord(const QString &word)
{
    if (word == QLatin1String("true"))
        return QVariant(true);
    if (word == QLatin1String("false"))
        return QVariant(false);
    if (word == QLatin1String("empty"))
        return QVariant();
    if (word == QLatin1String("null"))
        return comctl::Variants::null();
    bool ok = false;
    const qlonglong whole = word.toLongLong(&ok);
    if (ok) {
        if (whole >= INT_MIN && whole <= INT_MAX)
            return QVariant(int(whole));
        return QVariant(whole);
    }
    const double number = QLocale::c().toDouble(word, &ok);
    if (ok)
        return QVariant(number);
    return std::nullopt;
}

} // namespace

std::optional<QVariant> ValueLiteral::parse(const QString &literal)
{
    const auto list = parseList(literal);
    if (!list || list->size() != 1)
        return std::nullopt;
    return list->first();
}

std::optional<QVariantList> ValueLiteral::parseList(const QString &line)
{
    QVariantList values;
    QString rest = line.trimmed();
    while (!rest.isEmpty()) {
        if (rest.startsWith(QLatin1Char('"'))) {
            qsizetype end = 0;
            const auto text = parseQuoted(rest, &end);
            if (!text)
                return std::nullopt;
            values << *text;
            rest = rest.mid(end).trimmed();
            continue;
        }
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        const QString word = blank < 0 ? rest : rest.left(blank);
        const auto value = parseWord(word);
        if (!value)
            return std::nullopt;
        values << *value;
        rest = blank < 0 ? QString() : rest.mid(blank).trimmed();
    }
    return values;
}

QString ValueLiteral::format(const QVariant &value)
{
    if (comctl::Variants::isEmpty(value))
        return QStringLiteral("empty");
    if (comctl::Variants::isNull(value))
        return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Double:
    case QMetaType::Float: {
        // A whole double keeps a ".0", so that it reads back as a double, not an integer.
        QString text = QLocale::c().toString(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        if (!text.contains(u'.') && !text.contains(u'e') && std::isfinite(value.toDouble()))
            text += QStringLiteral(".0");
        return text;
    }
    case QMetaType::QFont:
        return format(value.value<QFont>().toString());
    default:
        break;
    }
    if (comctl::Variants::isNumeric(value))
        return value.toString();
    QString text = value.toString();
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}
