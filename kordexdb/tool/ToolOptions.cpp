#include "ToolOptions.h"

#include "ErrorNumbers.h"
#include "ServerError.h"

namespace kordex {

ToolOptions ToolOptions::parse(const QStringList &args, const QStringList &valueOptions,
                               const QStringList &flagOptions)
{
    ToolOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            options.positional.append(arg);
        } else if (flagOptions.contains(arg.mid(2))) {
            options.flags.insert(arg.mid(2));
        } else if (valueOptions.contains(arg.mid(2))) {
            if (i + 1 >= args.size())
                throw ServerError(error::BadInput, QStringLiteral("%1 needs a value").arg(arg));
            options.values.insert(arg.mid(2), args[++i]);
        } else {
            throw ServerError(error::BadInput, QStringLiteral("unknown option %1").arg(arg));
        }
    }
    return options;
}

qint64 ToolOptions::number(const QString &name, qint64 fallback) const
{
    if (!values.contains(name))
        return fallback;
    bool ok = false;
    const qint64 result = values.value(name).toLongLong(&ok);
    if (!ok || result < 0)
        throw ServerError(
            error::BadInput,
            QStringLiteral("--%1 needs a whole number, not \"%2\"").arg(name, values.value(name)));
    return result;
}

} // namespace kordex
