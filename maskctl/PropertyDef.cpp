#include "PropertyDef_p.h"

#include <iterator>
#include <type_traits>

namespace orvel {

namespace {

constexpr unsigned P = Persisted;
constexpr unsigned RT = RuntimeOnly;
constexpr unsigned RO = ReadOnly;
constexpr unsigned RF = Reformat | Persisted;
constexpr unsigned SP = Special;

using S = MaskEditState;

// The field a member pointer names, in the state or in one of its parts.
template<typename State, typename T> auto &fieldOf(State &state, T MaskEditState::*member)
{
    return state.*member;
}

template<typename State, typename T> auto &fieldOf(State &state, T MaskSettings::*member)
{
    return state.mask.*member;
}

template<typename State, typename T> auto &fieldOf(State &state, T ColourSet::*member)
{
    return state.colours.*member;
}

template<typename State, typename T> auto &fieldOf(State &state, T CalculatorLook::*member)
{
    return state.calculator.*member;
}

template<typename T> QVariant toVariant(const T &value)
{
    return QVariant::fromValue(value);
}

QVariant toVariant(const MaskEditState::Picture &picture)
{
    return picture ? QVariant(*picture) : QVariant();
}

template<typename T> void fromVariant(T &field, const QVariant &value)
{
    field = value.value<T>();
}

void fromVariant(MaskEditState::Picture &field, const QVariant &value)
{
    field = value.isValid() ? MaskEditState::Picture(value.value<QPixmap>()) : std::nullopt;
}

std::vector<PropertyDef> buildDefs()
{
    using K = PropKind;
    std::vector<PropertyDef> s = {
        { "DataSource", 1, K::Object, {}, SP },
        { "Alignment", 2, K::Int16, &S::alignment, P, 0, 1 },
        { "AllowEdit", 3, K::Bool, &S::allowEdit, P },
        { "AllowEscape", 4, K::Bool, &S::allowEscape, P },
        { "AllowNull", 5, K::Bool, &S::allowNull, P },
        { "Appearance", 6, K::Int16, &S::appearance, P, 0, 1 },
        { "AutoSelect", 7, K::Bool, &S::autoSelect, P },
        { "AutoTab", 8, K::Bool, &S::autoTab, P },
        { "BorderStyle", 9, K::Int16, &S::borderStyle, P, 0, 1 },
        { "CalcDropDown", 10, K::Bool, &S::calcDropDown, P },
        { "CalcHeight", 11, K::Single, &S::calcHeightPx, P | SP },
        { "CalcVisible", 12, K::Bool, {}, RT | RO | SP },
        { "CalcWidth", 13, K::Single, &S::calcWidthPx, P | SP },
        { "CaretPicture", 14, K::Picture, &S::caretPicture, P },
        { "CaretStyle", 15, K::Int16, &S::caretStyle, P, 0, 6 },
        { "CaretPictureOvertype", 16, K::Picture, &S::caretPictureOvertype, P },
        { "CaretStyleOvertype", 17, K::Int16, &S::caretStyleOvertype, P, 0, 6 },
        { "DataChanged", 18, K::Bool, {}, RT | SP },
        { "DataField", 19, K::String, &S::dataField, P | SP },
        { "DisplayAlignment", 20, K::Int16, &S::displayAlignment, P, 0, 3 },
        { "EllipsesButton", 21, K::Bool, &S::ellipsesButton, P },
        { "EllipsesButtonPic", 22, K::Picture, &S::ellipsesButtonPic, P },
        { "EllipsesButtonPicDisabled", 23, K::Picture, &S::ellipsesButtonPicDisabled, P },
        { "EllipsesButtonWidth", 24, K::Int16, &S::ellipsesButtonWidth, P, 0 },
        { "FocusBackColor", 25, K::Colour, &ColourSet::focusBack, P },
        { "FocusForeColor", 26, K::Colour, &ColourSet::focusFore, P },
        { "Format", 27, K::String, &S::format, P },
        { "FormatText", 28, K::String, {}, RO | SP },
        { "HideSelection", 29, K::Bool, &S::hideSelection, P },
        { "InputText", 30, K::String, {}, RO | SP },
        { "IsEmpty", 31, K::Bool, {}, RT | RO | SP },
        { "KeepFocusOnError", 32, K::Bool, &S::keepFocusOnError, P },
        { "Locked", 33, K::Bool, &S::locked, P },
        { "MouseIcon", 34, K::Picture, &S::mouseIcon, P },
        { "MousePointer", 35, K::Int16, &S::mousePointer, P | SP, 0, 99 },
        { "NullBackColor", 36, K::Colour, &ColourSet::nullBack, P },
        { "NullFont", 37, K::Font, &S::nullFont, P },
        { "NullForeColor", 38, K::Colour, &ColourSet::nullFore, P },
        { "NullText", 39, K::String, &S::nullText, P },
        { "ReadOnlyBackColor", 40, K::Colour, &ColourSet::readOnlyBack, P },
        { "ReadOnlyForeColor", 41, K::Colour, &ColourSet::readOnlyFore, P },
        { "SelBackColor", 42, K::Colour, &S::selBackColor, P },
        { "SelForeColor", 43, K::Colour, &S::selForeColor, P },
        { "SelLength", 44, K::Int16, {}, RT | SP },
        { "SelStart", 45, K::Int16, {}, RT | SP },
        { "SelText", 46, K::String, {}, RT | SP },
        { "SpinButton", 47, K::Bool, &S::spinButton, P },
        { "SpinButtonEnabled", 48, K::Bool, &S::spinButtonEnabled, P },
        { "SpinKeys", 49, K::Bool, &S::spinKeys, P },
        { "StatusBarControl", 50, K::Object, {}, RT | SP },
        { "StatusBarControlName", 51, K::String, &S::statusBarControlName, P },
        { "StatusBarPropName", 52, K::String, &S::statusBarPropName, P },
        { "StatusBarRestoreText", 53, K::String, &S::statusBarRestoreText, P },
        { "StatusBarText", 54, K::String, &S::statusBarText, P },
        { "TabOnEnter", 55, K::Bool, &S::tabOnEnter, P },
        { "TagVariant", 56, K::Variant, {}, SP },
        { "Text", 57, K::String, &S::designText, P | SP },
        { "ToolTipBackColor", 58, K::Colour, &S::toolTipBackColor, P },
        { "ToolTipDelay", 59, K::Int32, &S::toolTipDelay, P, 0, 0x7fffffff },
        { "ToolTipFont", 60, K::Font, &S::toolTipFont, P },
        { "ToolTipForeColor", 61, K::Colour, &S::toolTipForeColor, P },
        { "ToolTips", 62, K::Bool, &S::toolTips, P },
        { "ToolTipText", 63, K::String, &S::toolTipText, P },
        { "ToolTipTimeout", 64, K::Int32, &S::toolTipTimeout, P, 0, 0x7fffffff },
        { "UndoText", 65, K::String, {}, SP },
        { "ValidateRangeHigh", 66, K::String, &S::validateRangeHigh, P },
        { "ValidateRangeLow", 67, K::String, &S::validateRangeLow, P },
        { "ValidateType", 68, K::Int16, &S::validateType, P, 0, 5 },
        { "Value", 69, K::Variant, {}, RT | SP },
        { "EllipsesButtonEnabled", 70, K::Bool, &S::ellipsesButtonEnabled, P },
        { "SpinButtonWidth", 71, K::Int16, &S::spinButtonWidth, P, 0 },
        { "CalcBackColor", 72, K::Colour, &CalculatorLook::back, P },
        { "CalcBtnBackColor", 73, K::Colour, &CalculatorLook::buttonBack, P },
        { "CalcBtnFont", 74, K::Font, &CalculatorLook::buttonFont, P },
        { "MaskPosFormat", 75, K::Int16, &MaskSettings::posFormat, RF, 0, 4 },
        { "MaskCurrencySymbol", 76, K::String, &MaskSettings::currencySymbol, RF },
        { "MaskDecimalChar", 77, K::String, &MaskSettings::decimalChar, RF | SP },
        { "MaskDecimalPlaces", 78, K::Int16, &MaskSettings::decimalPlaces, RF, -1, 9 },
        { "MaskNegFormat", 79, K::Int16, &MaskSettings::negFormat, RF, 0, 11 },
        { "MaskShowCurrency", 80, K::Bool, &MaskSettings::showCurrency, RF },
        { "MaskShowThousandSep", 81, K::Bool, &MaskSettings::showThousandSep, RF },
        { "MaskThousandDigits", 82, K::Int16, &MaskSettings::thousandDigits, RF, -1, 9 },
        { "MaskThousandSep", 83, K::String, &MaskSettings::thousandSep, RF },
        { "MaskType", 84, K::Int16, &MaskSettings::maskType, RF, 0, 1 },
        { "MaskDecimalFixed", 85, K::Bool, &MaskSettings::decimalFixed, RF },
        { "DataType", 86, K::Int16, &S::dataType, P | SP, 0, 5 },
        { "MaskAllowLeadZeros", 87, K::Bool, &MaskSettings::allowLeadZeros, RF },
        { "AllowInsertModeChange", 88, K::Bool, &S::allowInsertModeChange, P },
        { "InsertMode", 89, K::Bool, &S::insertMode, P },
        { "MaskZeroIfNull", 90, K::Bool, &MaskSettings::zeroIfNull, RF },
        { "MaskWholePlaces", 91, K::Int16, &MaskSettings::wholePlaces, P, -1 },
        { "MaskAllowNegative", 92, K::Bool, &MaskSettings::allowNegative, P },
        { "ClipLiterals", 93, K::Bool, &S::clipLiterals, P },
        { "NegBackColor", 94, K::Colour, &ColourSet::negBack, P },
        { "NegForeColor", 95, K::Colour, &ColourSet::negFore, P },
        { "SpinValue", 96, K::String, &S::spinValue, P | SP },
        { "MaskError", 97, K::Bool, {}, RT | RO | SP },
        { "MaskErrorBackColor", 98, K::Colour, &ColourSet::maskErrorBack, P },
        { "MaskErrorForeColor", 99, K::Colour, &ColourSet::maskErrorFore, P },
        { "CalcDispBackColor", 100, K::Colour, &CalculatorLook::displayBack, P },
        { "CalcDispForeColor", 101, K::Colour, &CalculatorLook::displayFore, P },
        { "CalcDispFont", 102, K::Font, &CalculatorLook::displayFont, P },
        { "CalcMemFont", 103, K::Font, &CalculatorLook::memoryFont, P },
        { "CalcMemText", 104, K::String, &CalculatorLook::memoryText, P },
        { "CalcMemForeColor", 105, K::Colour, &CalculatorLook::memoryFore, P },
        { "CalcMemBackColor", 106, K::Colour, &CalculatorLook::memoryBack, P },
        { "CalcBtnClrForeColor", 107, K::Colour, &CalculatorLook::clearFore, P },
        { "CalcBtnMemForeColor", 108, K::Colour, &CalculatorLook::memoryButtonFore, P },
        { "CalcBtnForeColor", 109, K::Colour, &CalculatorLook::buttonFore, P },
        { "CalcBtnOpForeColor", 110, K::Colour, &CalculatorLook::operatorFore, P },
        { "CalcErrorText", 111, K::String, &CalculatorLook::errorText, P },
        { "CalcDispText", 112, K::String, {}, RT | RO | SP },
        { "MaskErrorBeep", 113, K::Bool, &S::maskErrorBeep, P },
        { "CalcBtnText", 123, K::String, {}, SP },
        // Stock properties.
        { "BackColor", -501, K::Colour, &ColourSet::back, P },
        { "Enabled", -514, K::Bool, &S::enabled, P },
        { "Font", -512, K::Font, &S::font, P },
        { "ForeColor", -513, K::Colour, &ColourSet::fore, P },
        { "hWnd", -515, K::Int32, {}, RO | SP },
    };
    return s;
}

} // namespace

QVariant PropertyDef::valueIn(const MaskEditState &state) const
{
    return std::visit(
        [&state](auto member) {
            if constexpr (std::is_same_v<decltype(member), std::monostate>)
                return QVariant();
            else
                return toVariant(fieldOf(state, member));
        },
        field);
}

void PropertyDef::assign(MaskEditState &state, const QVariant &value) const
{
    std::visit(
        [&state, &value](auto member) {
            if constexpr (!std::is_same_v<decltype(member), std::monostate>)
                fromVariant(fieldOf(state, member), value);
        },
        field);
}

QVariant PropertyDef::defaultValue() const
{
    static const MaskEditState defaults;
    return valueIn(defaults);
}

const std::vector<PropertyDef> &propertyDefs()
{
    static const std::vector<PropertyDef> defs = buildDefs();
    return defs;
}

const PropertyDef *findPropertyDef(const QString &name)
{
    for (const PropertyDef &propDef : propertyDefs()) {
        if (propDef.name.compare(name, Qt::CaseInsensitive) == 0)
            return &propDef;
    }
    return nullptr;
}

const QStringList &baseExchangeOrder()
{
    static const QStringList order = {
        "Font",
        "ForeColor",
        "Enabled",
        "Format",
        "BorderStyle",
        "Appearance",
        "KeepFocusOnError",
        "CaretStyle",
        "CaretPicture",
        "AllowNull",
        "NullText",
        "NullForeColor",
        "NullBackColor",
        "NullFont",
        "FocusForeColor",
        "FocusBackColor",
        "MaskErrorForeColor",
        "MaskErrorBackColor",
        "ReadOnlyForeColor",
        "ReadOnlyBackColor",
        "SelForeColor",
        "SelBackColor",
        "MousePointer",
        "MouseIcon",
        "AutoSelect",
        "AutoTab",
        "TabOnEnter",
        "Locked",
        "HideSelection",
        "StatusBarControlName",
        "StatusBarPropName",
        "StatusBarRestoreText",
        "StatusBarText",
        "AllowEscape",
        "EllipsesButton",
        "EllipsesButtonEnabled",
        "EllipsesButtonWidth",
        "EllipsesButtonPic",
        "EllipsesButtonPicDisabled",
        "BackColor",
        "MaskErrorBeep",
    };
    return order;
}

const QStringList &numericExchangeOrder()
{
    static const QStringList order = {
        "Alignment",
        "DisplayAlignment",
        "Text",
        "ToolTipText",
        "AllowEdit",
        "ClipLiterals",
        "DataField",
        "ValidateType",
        "ValidateRangeHigh",
        "ValidateRangeLow",
        "SpinButton",
        "SpinButtonWidth",
        "SpinButtonEnabled",
        "SpinKeys",
        "SpinValue",
        "NegBackColor",
        "NegForeColor",
        "CalcDropDown",
        "CalcBackColor",
        "CalcDispBackColor",
        "CalcDispForeColor",
        "CalcDispFont",
        "CalcBtnForeColor",
        "CalcBtnBackColor",
        "CalcBtnFont",
        "CalcBtnClrForeColor",
        "CalcBtnMemForeColor",
        "CalcBtnOpForeColor",
        "CalcMemFont",
        "CalcMemText",
        "CalcMemForeColor",
        "CalcMemBackColor",
        "CalcErrorText",
        "CalcWidth",
        "CalcHeight",
        "MaskPosFormat",
        "MaskCurrencySymbol",
        "MaskDecimalChar",
        "MaskDecimalFixed",
        "MaskDecimalPlaces",
        "MaskNegFormat",
        "MaskShowCurrency",
        "MaskShowThousandSep",
        "MaskThousandDigits",
        "MaskThousandSep",
        "MaskAllowLeadZeros",
        "MaskZeroIfNull",
        "MaskWholePlaces",
        "MaskAllowNegative",
        "MaskType",
        "CaretStyleOvertype",
        "CaretPictureOvertype",
        "InsertMode",
        "AllowInsertModeChange",
        "DataType",
    };
    return order;
}

const QStringList &toolTipExchangeOrder()
{
    static const QStringList order = {
        "ToolTips",         "ToolTipDelay",     "ToolTipTimeout",
        "ToolTipBackColor", "ToolTipForeColor", "ToolTipFont",
    };
    return order;
}

QString automationTypeName(PropKind kind)
{
    static const char *const names[] = { "Boolean", "Integer", "Long",    "OLE_COLOR", "String",
                                         "Font",    "Picture", "Variant", "Object",    "Single" };
    static_assert(std::size(names) == size_t(PropKind::Single) + 1, "one name per PropKind");
    return QString::fromLatin1(names[int(kind)]);
}

} // namespace orvel
