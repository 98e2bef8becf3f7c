#include "ConnectString.h"

namespace kordex {

bool ConnectString::isFile() const
{
    return server.contains(QLatin1Char('/')) || server.endsWith(QLatin1String(".db"));
}

std::optional<ConnectString> ConnectString::parse(const QString &text)
{
    const QString prefix = QStringLiteral("cn_iptcp:");
    const QString suffix = QStringLiteral("]:KORDEX");
    if (!text.startsWith(prefix) || !text.endsWith(suffix))
        return std::nullopt;
    const QString middle = text.mid(prefix.size(), text.size() - prefix.size() - suffix.size());
    const qsizetype open = middle.lastIndexOf(QLatin1Char('['));
    if (open < 0)
        return std::nullopt;
    ConnectString result { middle.left(open), middle.mid(open + 1) };
    if (result.server.isEmpty())
        return std::nullopt;
    return result;
}

ConnectString ConnectString::fromToolArgument(const QString &text)
{
    if (auto parsed = parse(text))
        return *parsed;
    ConnectString file { text, QString() };
    if (!file.isFile())
        file.server = QStringLiteral("./") + text;
    return file;
}

} // namespace kordex
