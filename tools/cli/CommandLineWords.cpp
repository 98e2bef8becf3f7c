#include "CommandLineWords.h"

#include <QSet>

namespace ertragon::cli {

CommandLineWords CommandLineWords::split(const QString &program, const QStringList &arguments,
                                         const QList<QCommandLineOption> &known)
{
    QSet<QString> withValue;
    for (const QCommandLineOption &option : known) {
        if (!option.valueName().isEmpty())
            withValue.unite(QSet<QString>(option.names().cbegin(), option.names().cend()));
    }
    CommandLineWords words;
    words.options.append(program);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        if (word.startsWith(QLatin1String("--")) && word.size() > 2) {
            words.options.append(word);
            if (!word.contains(QLatin1Char('=')) && withValue.contains(word.mid(2))
                && i + 1 < arguments.size())
                words.options.append(arguments[++i]);
        } else if (word == QLatin1String("-h") || word == QLatin1String("-v")) {
            words.options.append(word);
        } else {
            words.positional.append(word);
        }
    }
    return words;
}

} // namespace ertragon::cli
