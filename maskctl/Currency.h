#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace orvel {

// A currency amount: a 64-bit integer counting ten-thousandths, as automation keeps it.
struct Currency
{
    qint64 units = 0;

    static constexpr qint64 scale = 10000;
    double toDouble() const { return double(units) / double(scale); }
    friend bool operator==(Currency a, Currency b) { return a.units == b.units; }
    friend auto operator<=>(Currency a, Currency b) { return a.units <=> b.units; }
};

// Registers the conversions of Currency to double and to string with QVariant.
void registerCurrencyType();

} // namespace orvel

Q_DECLARE_METATYPE(orvel::Currency)
