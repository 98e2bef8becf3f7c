#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

namespace kordex {

// Splits one line of a ";"-separated file into fields. A field may be quoted
// with double quotes; "" inside quotes is one quote. Nothing when a quote is
// left open or stray text follows a closing quote.
class CsvReader
{
public:
    static std::optional<QStringList> split(const QString &line,
                                            QChar separator = QLatin1Char(';'));
    // The lines of a UTF-8 file's contents, as CsvLineReader reads them. Bytes that
    // are no UTF-8, or a line that is too long, reject the file:
    // ServerError(ImportRejected) names the lines.
    static QStringList lines(const QByteArray &contents);
    static QStringList lines(QIODevice &device);
};

} // namespace kordex
