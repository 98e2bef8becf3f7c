#pragma once

#include "MaskEditState.h"
#include "NumberEditEngine.h"
#include "RangeValidator.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace orvel {

// The value side of a Tallix without its widget, over the edit engine's value string:
// the conversions of Text and Value, the number it is in the data type, the checks of
// the lost focus, the spin step and the formatted text.
class TallixValue
{
public:
    // The host's format service: a value and a picture to a text, or nothing.
    using SiteFormat = std::function<std::optional<QString>(const QVariant &, const QString &)>;

    TallixValue(const NumberEditEngine &engine, const MaskEditState &state, int dataType);

    // The decimal character of the mask or the locale ("." when there is none).
    QChar localeDecimal() const;
    // The value string an assigned Text stands for; nothing when it fits neither the mask
    // nor the data type.
    std::optional<QString> textValue(const QString &text) const;
    // The value in the data type as a host receives it; empty for an empty value.
    QVariant value() const;
    // The value string of an assigned Value, rounded down to the mask's decimal places;
    // nothing when it does not fit the mask. Throws comctl::AutomationError (type mismatch)
    // for a value that is no number of the data type.
    std::optional<QString> valueText(const QVariant &input) const;
    // Can the current value be held in another data type?
    bool convertsTo(int dataType) const;
    // The Format picture applied to the value: by the host's format service where it
    // formats, else by the control's own pictures; the display without a picture.
    QString formatText(const SiteFormat &siteFormat) const;
    // The ErrorType of the lost focus after the user's own check (OnValidate).
    int validate(bool validByUser) const;
    // The value one SpinValue step up or down; nothing when there is none or it leaves
    // the validation range.
    std::optional<QVariant> spinStep(bool up) const;
    // The validation range's low or high end as a number; none without a range check.
    std::optional<double> rangeEnd(bool high) const;
    // The SpinValue step as a number, read as the spin buttons read it.
    std::optional<double> stepSize() const;

private:
    RangeValidator::Rule rangeRule() const;

    const NumberEditEngine &m_engine;
    const MaskEditState &m_state;
    int m_dataType;
};

} // namespace orvel
