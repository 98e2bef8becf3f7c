#include "CNumCtrlProperties_p.h"
#include "ColourRules.h"

namespace orvel {

namespace {

constexpr unsigned P = Persisted;
constexpr unsigned RT = RuntimeOnly;
constexpr unsigned RO = ReadOnly;
constexpr unsigned RF = Reformat | Persisted;
constexpr unsigned SP = Special;

QVariant colour(quint32 c)
{
    return QVariant::fromValue(c);
}

std::vector<PropertySpec> buildSpecs()
{
    using K = PropKind;
    const QVariant ignore = colour(IgnoreColor);
    const QVariant noPicture;
    std::vector<PropertySpec> s = {
        { "DataSource", 1, K::Object, {}, SP },
        { "Alignment", 2, K::Int16, 1, P, 0, 1 },
        { "AllowEdit", 3, K::Bool, true, P },
        { "AllowEscape", 4, K::Bool, true, P },
        { "AllowNull", 5, K::Bool, true, P },
        { "Appearance", 6, K::Int16, 1, P, 0, 1 },
        { "AutoSelect", 7, K::Bool, false, P },
        { "AutoTab", 8, K::Bool, false, P },
        { "BorderStyle", 9, K::Int16, 1, P, 0, 1 },
        { "CalcDropDown", 10, K::Bool, true, P },
        { "CalcHeight", 11, K::Single, 150.0, P | SP },
        { "CalcVisible", 12, K::Bool, false, RT | RO | SP },
        { "CalcWidth", 13, K::Single, 150.0, P | SP },
        { "CaretPicture", 14, K::Picture, noPicture, P },
        { "CaretStyle", 15, K::Int16, 0, P, 0, 6 },
        { "CaretPictureOvertype", 16, K::Picture, noPicture, P },
        { "CaretStyleOvertype", 17, K::Int16, 1, P, 0, 6 },
        { "DataChanged", 18, K::Bool, false, RT | SP },
        { "DataField", 19, K::String, QString(), P | SP },
        { "DisplayAlignment", 20, K::Int16, 3, P, 0, 3 },
        { "EllipsesButton", 21, K::Bool, false, P },
        { "EllipsesButtonPic", 22, K::Picture, noPicture, P },
        { "EllipsesButtonPicDisabled", 23, K::Picture, noPicture, P },
        { "EllipsesButtonWidth", 24, K::Int16, 16, P, 0 },
        { "FocusBackColor", 25, K::Colour, ignore, P },
        { "FocusForeColor", 26, K::Colour, ignore, P },
        { "Format", 27, K::String, QString(), P },
        { "FormatText", 28, K::String, QString(), RO | SP },
        { "HideSelection", 29, K::Bool, true, P },
        { "InputText", 30, K::String, QString(), RO | SP },
        { "IsEmpty", 31, K::Bool, true, RT | RO | SP },
        { "KeepFocusOnError", 32, K::Bool, false, P },
        { "Locked", 33, K::Bool, false, P },
        { "MouseIcon", 34, K::Picture, noPicture, P },
        { "MousePointer", 35, K::Int16, 0, P | SP, 0, 99 },
        { "NullBackColor", 36, K::Colour, ignore, P },
        { "NullFont", 37, K::Font, defaultFont(400, true), P },
        { "NullForeColor", 38, K::Colour, ignore, P },
        { "NullText", 39, K::String, QString(), P },
        { "ReadOnlyBackColor", 40, K::Colour, colour(0x8000000F), P },
        { "ReadOnlyForeColor", 41, K::Colour, ignore, P },
        { "SelBackColor", 42, K::Colour, colour(0x8000000D), P },
        { "SelForeColor", 43, K::Colour, colour(0x8000000E), P },
        { "SelLength", 44, K::Int16, 0, RT | SP },
        { "SelStart", 45, K::Int16, 0, RT | SP },
        { "SelText", 46, K::String, QString(), RT | SP },
        { "SpinButton", 47, K::Bool, false, P },
        { "SpinButtonEnabled", 48, K::Bool, true, P },
        { "SpinKeys", 49, K::Bool, true, P },
        { "StatusBarControl", 50, K::Object, {}, RT | SP },
        { "StatusBarControlName", 51, K::String, QString(), P },
        { "StatusBarPropName", 52, K::String, QString(), P },
        { "StatusBarRestoreText", 53, K::String, QString(), P },
        { "StatusBarText", 54, K::String, QString(), P },
        { "TabOnEnter", 55, K::Bool, false, P },
        { "TagVariant", 56, K::Variant, {}, SP },
        { "Text", 57, K::String, QString(), P | SP },
        { "ToolTipBackColor", 58, K::Colour, colour(0x80000018), P },
        { "ToolTipDelay", 59, K::Int32, 750, P, 0, 0x7fffffff },
        { "ToolTipFont", 60, K::Font, defaultFont(400, false), P },
        { "ToolTipForeColor", 61, K::Colour, colour(0x80000017), P },
        { "ToolTips", 62, K::Bool, true, P },
        { "ToolTipText", 63, K::String, QString(), P },
        { "ToolTipTimeout", 64, K::Int32, 5000, P, 0, 0x7fffffff },
        { "UndoText", 65, K::String, QString(), SP },
        { "ValidateRangeHigh", 66, K::String, QString(), P },
        { "ValidateRangeLow", 67, K::String, QString(), P },
        { "ValidateType", 68, K::Int16, 0, P, 0, 5 },
        { "Value", 69, K::Variant, {}, RT | SP },
        { "EllipsesButtonEnabled", 70, K::Bool, true, P },
        { "SpinButtonWidth", 71, K::Int16, 13, P, 0 },
        { "CalcBackColor", 72, K::Colour, ignore, P },
        { "CalcBtnBackColor", 73, K::Colour, ignore, P },
        { "CalcBtnFont", 74, K::Font, defaultFont(900, false), P },
        { "MaskPosFormat", 75, K::Int16, 0, RF, 0, 4 },
        { "MaskCurrencySymbol", 76, K::String, QString(), RF },
        { "MaskDecimalChar", 77, K::String, QString(), RF | SP },
        { "MaskDecimalPlaces", 78, K::Int16, -1, RF, -1, 9 },
        { "MaskNegFormat", 79, K::Int16, 0, RF, 0, 11 },
        { "MaskShowCurrency", 80, K::Bool, false, RF },
        { "MaskShowThousandSep", 81, K::Bool, false, RF },
        { "MaskThousandDigits", 82, K::Int16, -1, RF, -1, 9 },
        { "MaskThousandSep", 83, K::String, QString(), RF },
        { "MaskType", 84, K::Int16, 1, RF, 0, 1 },
        { "MaskDecimalFixed", 85, K::Bool, false, RF },
        { "DataType", 86, K::Int16, 5, P | SP, 0, 5 },
        { "MaskAllowLeadZeros", 87, K::Bool, false, RF },
        { "AllowInsertModeChange", 88, K::Bool, true, P },
        { "InsertMode", 89, K::Bool, true, P },
        { "MaskZeroIfNull", 90, K::Bool, true, RF },
        { "MaskWholePlaces", 91, K::Int16, -1, P, -1 },
        { "MaskAllowNegative", 92, K::Bool, true, P },
        { "ClipLiterals", 93, K::Bool, false, P },
        { "NegBackColor", 94, K::Colour, ignore, P },
        { "NegForeColor", 95, K::Colour, ignore, P },
        { "SpinValue", 96, K::String, QStringLiteral("1"), P | SP },
        { "MaskError", 97, K::Bool, false, RT | RO | SP },
        { "MaskErrorBackColor", 98, K::Colour, ignore, P },
        { "MaskErrorForeColor", 99, K::Colour, colour(255), P },
        { "CalcDispBackColor", 100, K::Colour, colour(0x808080), P },
        { "CalcDispForeColor", 101, K::Colour, colour(0xFFFFFF), P },
        { "CalcDispFont", 102, K::Font, defaultFont(900, false), P },
        { "CalcMemFont", 103, K::Font, defaultFont(400, false), P },
        { "CalcMemText", 104, K::String, QStringLiteral("M"), P },
        { "CalcMemForeColor", 105, K::Colour, colour(255), P },
        { "CalcMemBackColor", 106, K::Colour, ignore, P },
        { "CalcBtnClrForeColor", 107, K::Colour, colour(255), P },
        { "CalcBtnMemForeColor", 108, K::Colour, colour(255), P },
        { "CalcBtnForeColor", 109, K::Colour, ignore, P },
        { "CalcBtnOpForeColor", 110, K::Colour, colour(0xFF0000), P },
        { "CalcErrorText", 111, K::String, QStringLiteral("ERROR"), P },
        { "CalcDispText", 112, K::String, QStringLiteral("0"), RT | RO | SP },
        { "MaskErrorBeep", 113, K::Bool, true, P },
        { "CalcBtnText", 123, K::String, QString(), SP },
        // Stock properties.
        { "BackColor", -501, K::Colour, colour(0x80000005), P },
        { "Enabled", -514, K::Bool, true, P },
        { "Font", -512, K::Font, QFont(), P },
        { "ForeColor", -513, K::Colour, colour(0x80000008), P },
        { "hWnd", -515, K::Int32, 0, RO | SP },
    };
    return s;
}

} // namespace

const std::vector<PropertySpec> &propertySpecs()
{
    static const std::vector<PropertySpec> specs = buildSpecs();
    return specs;
}

const PropertySpec *findPropertySpec(const QString &name)
{
    for (const PropertySpec &propDef : propertySpecs()) {
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
    switch (kind) {
    case PropKind::Bool:
        return QStringLiteral("Boolean");
    case PropKind::Int16:
        return QStringLiteral("Integer");
    case PropKind::Int32:
        return QStringLiteral("Long");
    case PropKind::Colour:
        return QStringLiteral("OLE_COLOR");
    case PropKind::String:
        return QStringLiteral("String");
    case PropKind::Font:
        return QStringLiteral("Font");
    case PropKind::Picture:
        return QStringLiteral("Picture");
    case PropKind::Variant:
        return QStringLiteral("Variant");
    case PropKind::Object:
        return QStringLiteral("Object");
    case PropKind::Single:
        return QStringLiteral("Single");
    }
    return {};
}

} // namespace orvel
