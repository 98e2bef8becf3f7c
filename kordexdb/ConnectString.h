#pragma once

#include <QString>
#include <optional>

namespace kordex {

// The parts of "cn_iptcp:" server "[" port "]:KORDEX".
struct ConnectString
{
    QString server;
    QString port;

    // A server that contains "/" or ends in ".db" names a SQLite file.
    bool isFile() const;

    static std::optional<ConnectString> parse(const QString &text);
    // The tool's DB argument: a connect string, or else a file path.
    static ConnectString fromToolArgument(const QString &text);
};

} // namespace kordex
