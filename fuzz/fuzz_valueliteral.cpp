// The value literals of the control test container: what a line parses to
// prints in the same syntax and parses back to the same values.
#include "FuzzInput.h"
#include "ValueLiteral.h"
#include "comctl/Variants.h"

#include <cmath>

namespace {

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (comctl::Variants::isEmpty(a) || comctl::Variants::isEmpty(b))
        return comctl::Variants::isEmpty(a) && comctl::Variants::isEmpty(b);
    if (comctl::Variants::isNull(a) || comctl::Variants::isNull(b))
        return comctl::Variants::isNull(a) && comctl::Variants::isNull(b);
    if (a.typeId() == QMetaType::Double) {
        // A whole double prints without a point and may come back as a whole
        // number; its value must survive, and every other kind its type too.
        const double x = a.toDouble();
        const double y = b.toDouble();
        return (std::isnan(x) && std::isnan(y)) || x == y;
    }
    return a.typeId() == b.typeId() && a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = FuzzInput(data, size).rest();
    const auto values = ValueLiteral::parseList(line);
    if (!values)
        return 0;
    QStringList printed;
    for (const QVariant &value : *values)
        printed.append(ValueLiteral::format(value));
    const QString again = printed.join(QLatin1Char(' '));
    const auto reread = ValueLiteral::parseList(again);
    FuzzInput::check(reread.has_value(), "printed values parse", again);
    FuzzInput::check(reread->size() == values->size(), "printed values keep their number", again);
    for (qsizetype i = 0; i < values->size(); ++i)
        FuzzInput::check(sameValue(values->at(i), reread->at(i)), "printed values keep their value",
                         printed.value(i));
    if (values->size() == 1)
        FuzzInput::check(ValueLiteral::parse(line).has_value(), "one literal parses alone", line);
    return 0;
}
