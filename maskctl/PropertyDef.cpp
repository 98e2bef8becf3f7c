#include "PropertyDef_p.h"
#include "comctl/AutomationError.h"
#include "comctl/Variants.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <cmath>
#include <iterator>
#include <type_traits>

namespace orvel {

using comctl::AutomationError;
using comctl::Variants;

namespace {

QVariant pictureFrom(const QVariant &v)
{
    if (!v.isValid() || Variants::isNull(v))
        return {};
    switch (v.typeId()) {
    case QMetaType::QPixmap:
        return v;
    case QMetaType::QImage:
        return QPixmap::fromImage(v.value<QImage>());
    case QMetaType::QIcon:
        return v.value<QIcon>().pixmap(32, 32);
    case QMetaType::QByteArray: {
        QPixmap p;
        if (p.loadFromData(v.toByteArray()))
            return p;
        break;
    }
    default:
        break;
    }
    throw AutomationError(AutomationError::InvalidPictureType);
}

QVariant persistedPicture(const QVariant &v)
{
    if (!v.isValid() || v.value<QPixmap>().isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    v.value<QPixmap>().save(&buffer, "PNG");
    return bytes;
}

QVariant fontFrom(const QVariant &v)
{
    if (v.typeId() == QMetaType::QFont)
        return v;
    QFont f;
    if (v.typeId() != QMetaType::QString || !f.fromString(v.toString()))
        throw AutomationError(AutomationError::TypeMismatch);
    return f;
}

constexpr unsigned P = Persisted;
constexpr unsigned RT = RuntimeOnly;
constexpr unsigned RO = ReadOnly;
constexpr unsigned RF = Reformat | Persisted;
constexpr unsigned SP = Special;
constexpr unsigned AE = AppliesEnabled;
constexpr unsigned AF = AppliesFont;
constexpr unsigned RC = RestartsCaret;
constexpr unsigned BS = BindsStatus;
constexpr unsigned AC = AppliesCursor;
constexpr unsigned RS = RefreshesShown;
constexpr unsigned KA = KeepsAmbient;
constexpr unsigned LS = LoadsStored;
constexpr unsigned PO = Positive;

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
    // clang-format off
    std::vector<PropertyDef> s = {
        { "DataSource", 1, K::Object, {}, SP,
          "Das Modell des Hosts, aus dessen aktueller Zeile das Feld gelesen wird" },
        { "Alignment", 2, K::Int16, &S::alignment, P,
          "Ausrichtung der Eingabe: 0 links, 1 rechts", 0, 1 },
        { "AllowEdit", 3, K::Bool, &S::allowEdit, P,
          "Darf der Benutzer den Wert ändern?" },
        { "AllowEscape", 4, K::Bool, &S::allowEscape, P,
          "Stellt Escape den Wert des gebundenen Feldes wieder her?" },
        { "AllowNull", 5, K::Bool, &S::allowNull, P,
          "Darf das Feld leer bleiben?" },
        { "Appearance", 6, K::Int16, &S::appearance, P,
          "Rahmen flach (0) oder dreidimensional (1)", 0, 1 },
        { "AutoSelect", 7, K::Bool, &S::autoSelect, P,
          "Wird der ganze Text beim Betreten markiert?" },
        { "AutoTab", 8, K::Bool, &S::autoTab, P,
          "Springt die Eingabe zum nächsten Steuerelement, wenn die Maske voll ist?" },
        { "BorderStyle", 9, K::Int16, &S::borderStyle, P,
          "Ohne Rahmen (0) oder mit einfachem Rahmen (1)", 0, 1 },
        { "CalcDropDown", 10, K::Bool, &S::calcDropDown, P,
          "Gibt es den aufklappbaren Rechner (F4 und Schaltfläche)?" },
        { "CalcHeight", 11, K::Single, &S::calcHeightPx, P | SP | LS | PO,
          "Höhe des Rechners in Einheiten des Containers", 0, 100000 },
        { "CalcVisible", 12, K::Bool, {}, RT | RO | SP,
          "Ist der Rechner gerade offen?" },
        { "CalcWidth", 13, K::Single, &S::calcWidthPx, P | SP | LS,
          "Breite des Rechners in Einheiten des Containers", 0, 100000 },
        { "CaretPicture", 14, K::Picture, &S::caretPicture, P,
          "Bild der Einfügemarke für CaretStyle 6 im Einfügemodus" },
        { "CaretStyle", 15, K::Int16, &S::caretStyle, P,
          "Form der Einfügemarke im Einfügemodus (0 bis 6)", 0, 6 },
        { "CaretPictureOvertype", 16, K::Picture, &S::caretPictureOvertype, P,
          "Bild der Einfügemarke für CaretStyle 6 im Überschreibmodus" },
        { "CaretStyleOvertype", 17, K::Int16, &S::caretStyleOvertype, P,
          "Form der Einfügemarke im Überschreibmodus (0 bis 6)", 0, 6 },
        { "DataChanged", 18, K::Bool, {}, RT | SP,
          "Wurde der Wert seit dem Lesen des gebundenen Feldes geändert?" },
        { "DataField", 19, K::String, &S::dataField, P | SP | LS,
          "Name der Spalte des gebundenen Feldes" },
        { "DisplayAlignment", 20, K::Int16, &S::displayAlignment, P,
          "Ausrichtung der Anzeige ohne Fokus (0 bis 3)", 0, 3 },
        { "EllipsesButton", 21, K::Bool, &S::ellipsesButton, P,
          "Wird die Schaltfläche mit den drei Punkten gezeigt?" },
        { "EllipsesButtonPic", 22, K::Picture, &S::ellipsesButtonPic, P,
          "Bild der Schaltfläche mit den drei Punkten" },
        { "EllipsesButtonPicDisabled", 23, K::Picture, &S::ellipsesButtonPicDisabled, P,
          "Bild der gesperrten Schaltfläche mit den drei Punkten" },
        { "EllipsesButtonWidth", 24, K::Int16, &S::ellipsesButtonWidth, P,
          "Breite der Schaltfläche mit den drei Punkten in Pixeln", 0 },
        { "FocusBackColor", 25, K::Colour, &ColourSet::focusBack, P,
          "Hintergrundfarbe mit Fokus" },
        { "FocusForeColor", 26, K::Colour, &ColourSet::focusFore, P,
          "Schriftfarbe mit Fokus" },
        { "Format", 27, K::String, &S::format, P | RS,
          "Bildformat der Anzeige ohne Fokus, z. B. #,##0.00" },
        { "FormatText", 28, K::String, {}, RO | SP,
          "Der Wert, wie ihn das Format zeigt (nur lesen)" },
        { "HideSelection", 29, K::Bool, &S::hideSelection, P,
          "Wird die Markierung ohne Fokus ausgeblendet?" },
        { "InputText", 30, K::String, {}, RO | SP,
          "Der Text, wie ihn die Maske zeigt (nur lesen)" },
        { "IsEmpty", 31, K::Bool, {}, RT | RO | SP,
          "Ist das Feld leer? (nur lesen)" },
        { "KeepFocusOnError", 32, K::Bool, &S::keepFocusOnError, P,
          "Bleibt der Fokus bei einem ungültigen Wert im Feld?" },
        { "Locked", 33, K::Bool, &S::locked, P,
          "Ist das Feld gesperrt (nur anzeigen)?" },
        { "MouseIcon", 34, K::Picture, &S::mouseIcon, P | AC,
          "Eigener Mauszeiger für MousePointer 99" },
        { "MousePointer", 35, K::Int16, &S::mousePointer, P | SP | AC,
          "Form des Mauszeigers über dem Feld (0 bis 15, 99 eigener)", 0, 99 },
        { "NullBackColor", 36, K::Colour, &ColourSet::nullBack, P,
          "Hintergrundfarbe des leeren Feldes" },
        { "NullFont", 37, K::Font, &S::nullFont, P,
          "Schrift des Textes für ein leeres Feld" },
        { "NullForeColor", 38, K::Colour, &ColourSet::nullFore, P,
          "Schriftfarbe des leeren Feldes" },
        { "NullText", 39, K::String, &S::nullText, P | RS,
          "Text, den ein leeres Feld ohne Fokus zeigt" },
        { "ReadOnlyBackColor", 40, K::Colour, &ColourSet::readOnlyBack, P,
          "Hintergrundfarbe des gesperrten Feldes" },
        { "ReadOnlyForeColor", 41, K::Colour, &ColourSet::readOnlyFore, P,
          "Schriftfarbe des gesperrten Feldes" },
        { "SelBackColor", 42, K::Colour, &S::selBackColor, P,
          "Hintergrundfarbe der Markierung" },
        { "SelForeColor", 43, K::Colour, &S::selForeColor, P,
          "Schriftfarbe der Markierung" },
        { "SelLength", 44, K::Int16, {}, RT | SP,
          "Länge der Markierung in Zeichen" },
        { "SelStart", 45, K::Int16, {}, RT | SP,
          "Beginn der Markierung (Zeichenposition)" },
        { "SelText", 46, K::String, {}, RT | SP,
          "Der markierte Text; beim Setzen ersetzt er die Markierung" },
        { "SpinButton", 47, K::Bool, &S::spinButton, P,
          "Werden die Drehknöpfe gezeigt?" },
        { "SpinButtonEnabled", 48, K::Bool, &S::spinButtonEnabled, P,
          "Sind die Drehknöpfe bedienbar?" },
        { "SpinKeys", 49, K::Bool, &S::spinKeys, P,
          "Drehen die Tasten + und - des Ziffernblocks den Wert?" },
        { "StatusBarControl", 50, K::Object, {}, RT | SP,
          "Steuerelement, das den Statustext anzeigt" },
        { "StatusBarControlName", 51, K::String, &S::statusBarControlName, P | BS,
          "Name des Steuerelements, das den Statustext anzeigt" },
        { "StatusBarPropName", 52, K::String, &S::statusBarPropName, P,
          "Eigenschaft des Statussteuerelements, die den Text erhält" },
        { "StatusBarRestoreText", 53, K::String, &S::statusBarRestoreText, P,
          "Text der Statusanzeige nach dem Verlassen des Feldes" },
        { "StatusBarText", 54, K::String, &S::statusBarText, P,
          "Text der Statusanzeige, solange das Feld den Fokus hat" },
        { "TabOnEnter", 55, K::Bool, &S::tabOnEnter, P,
          "Springt die Eingabetaste zum nächsten Steuerelement?" },
        { "TagVariant", 56, K::Variant, {}, SP,
          "Beliebiger Wert des Hosts" },
        { "Text", 57, K::String, &S::designText, P | SP | LS,
          "Der Wert als Text" },
        { "ToolTipBackColor", 58, K::Colour, &S::toolTipBackColor, P,
          "Hintergrundfarbe des Tooltips" },
        { "ToolTipDelay", 59, K::Int32, &S::toolTipDelay, P,
          "Wartezeit bis zum Tooltip in Millisekunden", 0, 0x7fffffff },
        { "ToolTipFont", 60, K::Font, &S::toolTipFont, P,
          "Schrift des Tooltips" },
        { "ToolTipForeColor", 61, K::Colour, &S::toolTipForeColor, P,
          "Schriftfarbe des Tooltips" },
        { "ToolTips", 62, K::Bool, &S::toolTips, P,
          "Wird der Tooltip gezeigt?" },
        { "ToolTipText", 63, K::String, &S::toolTipText, P,
          "Text des Tooltips" },
        { "ToolTipTimeout", 64, K::Int32, &S::toolTipTimeout, P,
          "Anzeigedauer des Tooltips in Millisekunden", 0, 0x7fffffff },
        { "UndoText", 65, K::String, {}, SP,
          "Der Text, den Rückgängig wiederherstellt (nur lesen)" },
        { "ValidateRangeHigh", 66, K::String, &S::validateRangeHigh, P,
          "Obere Grenze der Bereichsprüfung" },
        { "ValidateRangeLow", 67, K::String, &S::validateRangeLow, P,
          "Untere Grenze der Bereichsprüfung" },
        { "ValidateType", 68, K::Int16, &S::validateType, P,
          "Art der Prüfung beim Verlassen (0 keine bis 5)", 0, 5 },
        { "Value", 69, K::Variant, {}, RT | SP,
          "Der Wert als Zahl des Datentyps" },
        { "EllipsesButtonEnabled", 70, K::Bool, &S::ellipsesButtonEnabled, P,
          "Ist die Schaltfläche mit den drei Punkten bedienbar?" },
        { "SpinButtonWidth", 71, K::Int16, &S::spinButtonWidth, P,
          "Breite der Drehknöpfe in Pixeln", 0 },
        { "CalcBackColor", 72, K::Colour, &CalculatorLook::back, P,
          "Hintergrundfarbe des Rechners" },
        { "CalcBtnBackColor", 73, K::Colour, &CalculatorLook::buttonBack, P,
          "Hintergrundfarbe der Tasten des Rechners" },
        { "CalcBtnFont", 74, K::Font, &CalculatorLook::buttonFont, P,
          "Schrift der Tasten des Rechners" },
        { "MaskPosFormat", 75, K::Int16, &MaskSettings::posFormat, RF,
          "Stellung des Währungszeichens bei positiven Werten (0 bis 4)", 0, 4 },
        { "MaskCurrencySymbol", 76, K::String, &MaskSettings::currencySymbol, RF,
          "Währungszeichen; leer für das der Ländereinstellung" },
        { "MaskDecimalChar", 77, K::String, &MaskSettings::decimalChar, RF | SP,
          "Dezimalzeichen; leer für das der Ländereinstellung" },
        { "MaskDecimalPlaces", 78, K::Int16, &MaskSettings::decimalPlaces, RF,
          "Nachkommastellen (-1 nach Ländereinstellung)", -1, 9 },
        { "MaskNegFormat", 79, K::Int16, &MaskSettings::negFormat, RF,
          "Form negativer Werte (0 bis 11)", 0, 11 },
        { "MaskShowCurrency", 80, K::Bool, &MaskSettings::showCurrency, RF,
          "Wird das Währungszeichen gezeigt?" },
        { "MaskShowThousandSep", 81, K::Bool, &MaskSettings::showThousandSep, RF,
          "Werden Tausendertrennzeichen gezeigt?" },
        { "MaskThousandDigits", 82, K::Int16, &MaskSettings::thousandDigits, RF,
          "Ziffern je Tausendergruppe (-1 nach Ländereinstellung)", -1, 9 },
        { "MaskThousandSep", 83, K::String, &MaskSettings::thousandSep, RF,
          "Tausendertrennzeichen; leer für das der Ländereinstellung" },
        { "MaskType", 84, K::Int16, &MaskSettings::maskType, RF,
          "Art der Maske: 0 Zahl, 1 Währung", 0, 1 },
        { "MaskDecimalFixed", 85, K::Bool, &MaskSettings::decimalFixed, RF,
          "Werden alle Nachkommastellen immer gezeigt?" },
        { "DataType", 86, K::Int16, &S::dataType, P | SP | LS,
          "Datentyp des Wertes (0 Text bis 5 Währung)", 0, 5 },
        { "MaskAllowLeadZeros", 87, K::Bool, &MaskSettings::allowLeadZeros, RF,
          "Bleiben führende Nullen stehen?" },
        { "AllowInsertModeChange", 88, K::Bool, &S::allowInsertModeChange, P,
          "Wechselt die Einfg-Taste zwischen Einfügen und Überschreiben?" },
        { "InsertMode", 89, K::Bool, &S::insertMode, P | RC,
          "Einfügemodus (sonst Überschreiben)" },
        { "MaskZeroIfNull", 90, K::Bool, &MaskSettings::zeroIfNull, RF,
          "Zeigt ein leeres Feld eine Null?" },
        { "MaskWholePlaces", 91, K::Int16, &MaskSettings::wholePlaces, P,
          "Vorkommastellen (-1 unbegrenzt)", -1 },
        { "MaskAllowNegative", 92, K::Bool, &MaskSettings::allowNegative, P,
          "Sind negative Werte erlaubt?" },
        { "ClipLiterals", 93, K::Bool, &S::clipLiterals, P,
          "Kopiert die Zwischenablage nur die Ziffern?" },
        { "NegBackColor", 94, K::Colour, &ColourSet::negBack, P,
          "Hintergrundfarbe negativer Werte" },
        { "NegForeColor", 95, K::Colour, &ColourSet::negFore, P,
          "Schriftfarbe negativer Werte" },
        { "SpinValue", 96, K::String, &S::spinValue, P | SP,
          "Schrittweite der Drehknöpfe" },
        { "MaskError", 97, K::Bool, {}, RT | RO | SP,
          "Ist der Wert nach der letzten Prüfung ungültig? (nur lesen)" },
        { "MaskErrorBackColor", 98, K::Colour, &ColourSet::maskErrorBack, P,
          "Hintergrundfarbe eines ungültigen Wertes" },
        { "MaskErrorForeColor", 99, K::Colour, &ColourSet::maskErrorFore, P,
          "Schriftfarbe eines ungültigen Wertes" },
        { "CalcDispBackColor", 100, K::Colour, &CalculatorLook::displayBack, P,
          "Hintergrundfarbe der Anzeige des Rechners" },
        { "CalcDispForeColor", 101, K::Colour, &CalculatorLook::displayFore, P,
          "Schriftfarbe der Anzeige des Rechners" },
        { "CalcDispFont", 102, K::Font, &CalculatorLook::displayFont, P,
          "Schrift der Anzeige des Rechners" },
        { "CalcMemFont", 103, K::Font, &CalculatorLook::memoryFont, P,
          "Schrift der Speicheranzeige des Rechners" },
        { "CalcMemText", 104, K::String, &CalculatorLook::memoryText, P,
          "Text der Speicheranzeige des Rechners" },
        { "CalcMemForeColor", 105, K::Colour, &CalculatorLook::memoryFore, P,
          "Schriftfarbe der Speicheranzeige des Rechners" },
        { "CalcMemBackColor", 106, K::Colour, &CalculatorLook::memoryBack, P,
          "Hintergrundfarbe der Speicheranzeige des Rechners" },
        { "CalcBtnClrForeColor", 107, K::Colour, &CalculatorLook::clearFore, P,
          "Schriftfarbe der Löschtasten des Rechners" },
        { "CalcBtnMemForeColor", 108, K::Colour, &CalculatorLook::memoryButtonFore, P,
          "Schriftfarbe der Speichertasten des Rechners" },
        { "CalcBtnForeColor", 109, K::Colour, &CalculatorLook::buttonFore, P,
          "Schriftfarbe der Zifferntasten des Rechners" },
        { "CalcBtnOpForeColor", 110, K::Colour, &CalculatorLook::operatorFore, P,
          "Schriftfarbe der Rechentasten des Rechners" },
        { "CalcErrorText", 111, K::String, &CalculatorLook::errorText, P,
          "Text der Anzeige des Rechners bei einem Fehler" },
        { "CalcDispText", 112, K::String, {}, RT | RO | SP,
          "Der Text der Anzeige des Rechners (nur lesen)" },
        { "MaskErrorBeep", 113, K::Bool, &S::maskErrorBeep, P,
          "Piept die Eingabe bei einem nicht erlaubten Zeichen?" },
        { "CalcBtnText", 123, K::String, {}, SP,
          "Beschriftung einer Taste des Rechners (Index 0 bis 22)" },
        // Stock properties.
        { "BackColor", -501, K::Colour, &ColourSet::back, P,
          "Hintergrundfarbe" },
        { "Enabled", -514, K::Bool, &S::enabled, P | AE,
          "Ist das Feld bedienbar?" },
        { "Font", -512, K::Font, &S::font, P | AF | KA,
          "Schrift des Feldes" },
        { "ForeColor", -513, K::Colour, &ColourSet::fore, P,
          "Schriftfarbe" },
        { "hWnd", -515, K::Int32, {}, RO | SP,
          "Fensterkennung des Feldes (nur lesen)" },
    };
    // clang-format on
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

QVariant PropertyDef::convert(const QVariant &v) const
{
    switch (kind) {
    case PropKind::Bool:
        return Variants::toBool(v);
    case PropKind::Int16:
    case PropKind::Int32: {
        const qint32 n = kind == PropKind::Int16 ? Variants::toInt16(v) : Variants::toInt32(v);
        if (n < min || n > max)
            throw AutomationError(AutomationError::InvalidPropertyValue);
        return n;
    }
    case PropKind::Colour:
        return QVariant::fromValue(Variants::toColor(v));
    case PropKind::String:
        return Variants::toString(v);
    case PropKind::Font:
        return fontFrom(v);
    case PropKind::Picture:
        return pictureFrom(v);
    case PropKind::Single:
        return Variants::toDouble(v);
    case PropKind::Variant:
    case PropKind::Object:
        break;
    }
    return v;
}

QVariant PropertyDef::persistedForm(const QVariant &v) const
{
    switch (kind) {
    case PropKind::Colour:
        return qint64(v.toUInt());
    case PropKind::Picture:
        return persistedPicture(v);
    case PropKind::Single:
        return float(v.toDouble());
    default:
        return v;
    }
}

std::optional<QVariant> PropertyDef::storedForm(const QVariant &v) const
{
    if (kind == PropKind::String)
        return Variants::toString(v);
    const double n = kind == PropKind::Single ? Variants::toDouble(v) : Variants::toInt16(v);
    if (!std::isfinite(n) || n < min || n > max || ((flags & Positive) && n <= 0))
        return std::nullopt;
    return kind == PropKind::Single ? QVariant(n) : QVariant(int(n));
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
