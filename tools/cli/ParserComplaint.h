#pragma once

#include <QString>

class QCommandLineParser;

namespace ertragon::cli {

// What a QCommandLineParser that failed complains about, naming the option, always on
// one line whatever the option's word holds.
class ParserComplaint
{
public:
    // "Unbekannte Option: --x" or "Wert fehlt nach --x".
    static QString german(const QCommandLineParser &parser);
    // Qt's own English text: "Unknown option 'x'."
    static QString english(const QCommandLineParser &parser);
};

} // namespace ertragon::cli
