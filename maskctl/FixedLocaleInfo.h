#pragma once

#include "LocaleInfo.h"

#include <QHash>

namespace orvel {

// A locale with fixed answers, for tests and for hosts that want settings of their own.
class FixedLocaleInfo : public LocaleInfo
{
public:
    QString item(LocaleItem which) const override { return m_items.value(which); }
    void set(LocaleItem which, const QString &value) { m_items.insert(which, value); }

    // Decimal ",", thousands ".", groups of 3, "€" after the number with a space.
    static FixedLocaleInfo germanLike();
    // Decimal ".", thousands ",", groups of 3, "$" before the number, negative in brackets.
    static FixedLocaleInfo englishLike();

private:
    QHash<LocaleItem, QString> m_items;
};

} // namespace orvel
