#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>

namespace kordex {

// Positional arguments and "--name value" (or "--name=value") / "--flag" options of one
// command.
// An unknown option or a missing value raises ServerError(BadInput).
struct ToolOptions
{
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;

    static ToolOptions parse(const QStringList &args, const QStringList &valueOptions,
                             const QStringList &flagOptions = {});
    bool has(const QString &name) const { return values.contains(name); }
    QString value(const QString &name) const { return values.value(name); }
    // The whole number given for the option, or the fallback when it is not
    // given; outside low..high (checked before any conversion narrows it) or
    // not a number raises ServerError(BadInput).
    qint64 number(const QString &name, qint64 fallback, qint64 low, qint64 high) const;
};

} // namespace kordex
