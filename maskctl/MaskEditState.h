#pragma once

#include "CalculatorLook.h"
#include "ColourRules.h"
#include "MaskSettings.h"
#include "NumericValue.h"

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvel {

// The property values of the control, each named after its property, with the defaults a new
// control starts with (and that saving leaves out). The property table maps names to fields.
struct MaskEditState
{
    // A picture property: nothing, or the picture that was set.
    using Picture = std::optional<QPixmap>;

    // "MS Sans Serif", 9 points.
    static QFont defaultFont(int weight, bool italic);
    // The calculator's look with the fonts and the captions of its 23 buttons.
    static CalculatorLook defaultCalculatorLook();

    MaskSettings mask; // the Mask… properties
    ColourSet colours; // ForeColor, BackColor and the colours of the states (ReadOnly…, …)

    // Look
    QFont font; // the host's ambient font unless loaded
    bool enabled = true;
    int appearance = 1; // 0 flat, 1 3D
    int borderStyle = 1; // 0 none, 1 single
    int alignment = 1; // while editing: 0 left, 1 right
    int displayAlignment = 3; // without focus: 0 left, 1 centred, 2 right, 3 as Alignment
    int caretStyle = 0, caretStyleOvertype = 1; // CaretStyleDefault, CaretStyleSolid
    Picture caretPicture, caretPictureOvertype;
    int mousePointer = 0; // 0 to 15, 99: MouseIcon
    Picture mouseIcon;
    quint32 selBackColor = 0x8000000D, selForeColor = 0x8000000E;
    bool hideSelection = true;
    QString format; // picture of the text shown without focus
    QString nullText;
    QFont nullFont = defaultFont(400, true);

    // Value and editing
    QString designText; // Text at design time
    int dataType = DataTypeCurrency;
    QString dataField;
    bool allowEdit = true, allowEscape = true, allowNull = true;
    bool insertMode = true, allowInsertModeChange = true;
    bool autoSelect = false, autoTab = false, tabOnEnter = false;
    bool clipLiterals = false;
    bool locked = false;
    bool keepFocusOnError = false, maskErrorBeep = true;
    int validateType = 0;
    QString validateRangeLow, validateRangeHigh;

    // Buttons
    bool calcDropDown = true;
    bool ellipsesButton = false, ellipsesButtonEnabled = true;
    int ellipsesButtonWidth = 16;
    Picture ellipsesButtonPic, ellipsesButtonPicDisabled;
    bool spinButton = false, spinButtonEnabled = true;
    int spinButtonWidth = 13;
    bool spinKeys = true;
    QString spinValue = QStringLiteral("1");

    // Calculator
    double calcWidthPx = 150, calcHeightPx = 150; // CalcWidth (0: the control's), CalcHeight
    // The other Calc… properties and CalcBtnText as captions; controlFore is unused here,
    // the calculator takes ForeColor.
    CalculatorLook calculator = defaultCalculatorLook();

    // Tooltip and status text
    bool toolTips = true;
    QString toolTipText;
    int toolTipDelay = 750, toolTipTimeout = 5000;
    quint32 toolTipBackColor = 0x80000018, toolTipForeColor = 0x80000017;
    QFont toolTipFont = defaultFont(400, false);
    QString statusBarControlName, statusBarPropName;
    QString statusBarText, statusBarRestoreText;
};

} // namespace orvel
