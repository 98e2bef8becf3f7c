#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The value syntax of the control test container: "text" (with \" and \\), numbers (12, -1.5),
// true, false, empty, null. Values print in the same syntax.
class ValueLiteral
{
public:
    static std::optional<QVariant> parse(const QString &literal);
    // Splits a line into literals separated by blanks; quoted texts may hold blanks.
    // nullopt on an unterminated text or an unknown word.
    static std::optional<QVariantList> parseList(const QString &line);
    static QString format(const QVariant &value);
};
