#include "CsvReader.h"

#include "ImportProblems.h"

#include <QStringDecoder>

namespace kordex {

std::optional<QStringList> CsvReader::split(const QString &line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool afterQuote = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
                afterQuote = true;
            }
        } else if (c == separator) {
            fields.append(field);
            field.clear();
            afterQuote = false;
        } else if (afterQuote) {
            return std::nullopt;
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields.append(field);
    return fields;
}

QStringList CsvReader::lines(const QByteArray &contents)
{
    QStringList result;
    ImportProblems problems;
    // Stateless: a sequence cut off at the end of a line counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless
                               | QStringDecoder::Flag::ConvertInitialBom);
    qsizetype begin = 0;
    if (contents.startsWith("\xEF\xBB\xBF"))
        begin = 3;
    while (begin < contents.size()) {
        qsizetype end = begin;
        while (end < contents.size() && contents[end] != '\n' && contents[end] != '\r')
            ++end;
        decoder.resetState();
        result.append(decoder(QByteArrayView(contents).sliced(begin, end - begin)));
        if (decoder.hasError())
            problems.add(result.size(), QStringLiteral("kein gültiger UTF-8-Text"));
        if (end + 1 < contents.size() && contents[end] == '\r' && contents[end + 1] == '\n')
            ++end;
        begin = end + 1;
    }
    problems.throwIfAny();
    return result;
}

} // namespace kordex
