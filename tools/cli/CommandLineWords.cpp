#include "CommandLineWords.h"

#include <QSet>

namespace ertragon::cli {

CommandLineWords CommandLineWords::split(const QString &program, const QStringList &arguments,
                                         const QList<QCommandLineOption> &known)
{
    QSet<QString> withValue;
    QSet<QString> longNames;
    for (const QCommandLineOption &option : known) {
        for (const QString &name : option.names()) {
            if (name.size() > 1)
                longNames.insert(name);
            if (!option.valueName().isEmpty())
                withValue.insert(name);
        }
    }
    CommandLineWords words;
    words.options.append(program);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        const bool twoDashes = word.startsWith(QLatin1String("--")) && word.size() > 2;
        const QString name = word.mid(twoDashes ? 2 : 1).section(QLatin1Char('='), 0, 0);
        if (twoDashes || (word.startsWith(QLatin1Char('-')) && longNames.contains(name))) {
            words.options.append(word);
            if (!word.contains(QLatin1Char('=')) && withValue.contains(name)
                && i + 1 < arguments.size())
                words.options.append(arguments[++i]);
        } else if (word == QLatin1String("-h") || word == QLatin1String("-v")) {
            words.options.append(word);
        } else {
            words.positional.append(word);
            words.positionalIndex.append(i);
        }
    }
    return words;
}

} // namespace ertragon::cli
