#include "CsvReader.h"

#include "CsvLineReader.h"
#include "ImportProblems.h"

#include <QBuffer>

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
    QBuffer buffer;
    buffer.setData(contents);
    buffer.open(QIODevice::ReadOnly);
    return lines(buffer);
}

QStringList CsvReader::lines(QIODevice &device)
{
    CsvLineReader reader(device);
    QStringList result;
    ImportProblems problems;
    QString line, problem;
    while (reader.next(line, problem)) {
        result.append(line);
        if (!problem.isEmpty())
            problems.add(reader.lineNumber(), problem);
    }
    problems.throwIfAny();
    return result;
}

} // namespace kordex
