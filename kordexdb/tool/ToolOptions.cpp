#include "ToolOptions.h"

#include "EchoedInput.h"

#include <QRegularExpression>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

ToolOptions ToolOptions::parse(const QStringList &args, const QStringList &valueOptions,
                               const QStringList &flagOptions)
{
    ToolOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            options.positional.append(arg);
            continue;
        }
        // "--name value", or "--name=value" in one word.
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg.mid(2) : arg.mid(2, equals - 2);
        if (flagOptions.contains(name)) {
            if (equals >= 0)
                throw ServerError(
                    error::BadInput,
                    QStringLiteral("--%1 takes no value: %2").arg(name, EchoedInput::quoted(arg)));
            options.flags.insert(name);
        } else if (valueOptions.contains(name)) {
            if (equals >= 0) {
                options.values.insert(name, arg.mid(equals + 1));
            } else if (i + 1 < args.size()) {
                options.values.insert(name, args[++i]);
            } else {
                throw ServerError(error::BadInput,
                                  QStringLiteral("%1 needs a value").arg(EchoedInput::quoted(arg)));
            }
        } else {
            throw ServerError(error::BadInput,
                              QStringLiteral("unknown option %1").arg(EchoedInput::quoted(arg)));
        }
    }
    return options;
}

qint64 ToolOptions::number(const QString &name, qint64 fallback, qint64 low, qint64 high) const
{
    if (!values.contains(name))
        return fallback;
    const QString text = values.value(name);
    static const QRegularExpression digits(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,19}")));
    bool ok = digits.match(text).hasMatch();
    const qint64 result = ok ? text.toLongLong(&ok) : 0;
    if (!ok || result < low || result > high)
        throw ServerError(error::BadInput,
                          QStringLiteral("--%1 needs a whole number from %2 to %3, not %4")
                              .arg(name)
                              .arg(low)
                              .arg(high)
                              .arg(EchoedInput::quoted(text)));
    return result;
}

} // namespace kordex
