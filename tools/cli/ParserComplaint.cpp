#include "ParserComplaint.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace ertragon::cli {

namespace {

// The complaint names a word of the command line: it stays on one line, whatever the
// word holds.
QString oneLine(QString text)
{
    for (QChar &ch : text)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char(' ');
    return text;
}

} // namespace

QString ParserComplaint::german(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty())
        return oneLine(QStringLiteral("Unbekannte Option: --")
                       + parser.unknownOptionNames().first());
    static const QRegularExpression missing(QStringLiteral("'([^']*)'"));
    const auto match = missing.match(parser.errorText());
    return oneLine(QStringLiteral("Wert fehlt nach ")
                   + (match.hasMatch() ? match.captured(1) : QString()));
}

QString ParserComplaint::english(const QCommandLineParser &parser)
{
    return oneLine(parser.errorText());
}

} // namespace ertragon::cli
