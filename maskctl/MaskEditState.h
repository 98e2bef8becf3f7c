#pragma once

#include "ColourRules.h"
#include "MaskSettings.h"
#include "NumericValue.h"

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvel {

// CaretStyleConstants
enum CaretStyle : int {
    CaretStyleDefault = 0,
    CaretStyleSolid = 1,
    CaretStyleGray = 2,
    CaretStyleTriangle = 3,
    CaretStyleUnderline = 4,
    CaretStyleDotted = 5,
    CaretStyleCustom = 6,
};

// The property values of the control, each named after its property, with the defaults a new
// control starts with (and that saving leaves out). The property table maps names to fields.
struct MaskEditState
{
    // A picture property: nothing, or the picture that was set.
    using Picture = std::optional<QPixmap>;

    // "MS Sans Serif", 9 points.
    static QFont defaultFont(int weight, bool italic);
    // The captions of the calculator's 23 buttons in button-type order.
    static QStringList defaultCalcButtonText();

    MaskSettings mask; // the Mask… properties
    ColourSet colours; // ForeColor, BackColor and the colours of the states (ReadOnly…, …)

    // Look
    QFont font; // the host's ambient font unless loaded
    bool enabled = true;
    int appearance = 1; // 0 flat, 1 3D
    int borderStyle = 1; // 0 none, 1 single
    int alignment = 1; // while editing: 0 left, 1 right
    int displayAlignment = 3; // without focus: 0 left, 1 centred, 2 right, 3 as Alignment
    int caretStyle = CaretStyleDefault;
    int caretStyleOvertype = CaretStyleSolid;
    Picture caretPicture;
    Picture caretPictureOvertype;
    int mousePointer = 0; // 0 to 15, 99: MouseIcon
    Picture mouseIcon;
    quint32 selBackColor = 0x8000000D;
    quint32 selForeColor = 0x8000000E;
    bool hideSelection = true;
    QString format; // picture of the text shown without focus
    QString nullText;
    QFont nullFont = defaultFont(400, true);

    // Value and editing
    QString designText; // Text at design time
    int dataType = DataTypeCurrency;
    QString dataField;
    bool allowEdit = true;
    bool allowEscape = true;
    bool allowNull = true;
    bool allowInsertModeChange = true;
    bool insertMode = true;
    bool autoSelect = false;
    bool autoTab = false;
    bool tabOnEnter = false;
    bool clipLiterals = false;
    bool locked = false;
    bool keepFocusOnError = false;
    bool maskErrorBeep = true;
    int validateType = 0;
    QString validateRangeLow;
    QString validateRangeHigh;

    // Buttons
    bool calcDropDown = true;
    bool ellipsesButton = false;
    bool ellipsesButtonEnabled = true;
    int ellipsesButtonWidth = 16;
    Picture ellipsesButtonPic;
    Picture ellipsesButtonPicDisabled;
    bool spinButton = false;
    bool spinButtonEnabled = true;
    int spinButtonWidth = 13;
    bool spinKeys = true;
    QString spinValue = QStringLiteral("1");

    // Calculator
    double calcWidthPx = 150; // CalcWidth, 0: the control's width
    double calcHeightPx = 150; // CalcHeight
    quint32 calcBackColor = IgnoreColor;
    quint32 calcBtnBackColor = IgnoreColor;
    quint32 calcBtnForeColor = IgnoreColor;
    quint32 calcBtnClrForeColor = 255;
    quint32 calcBtnMemForeColor = 255;
    quint32 calcBtnOpForeColor = 0xFF0000;
    QFont calcBtnFont = defaultFont(900, false);
    quint32 calcDispBackColor = 0x808080;
    quint32 calcDispForeColor = 0xFFFFFF;
    QFont calcDispFont = defaultFont(900, false);
    QFont calcMemFont = defaultFont(400, false);
    QString calcMemText = QStringLiteral("M");
    quint32 calcMemForeColor = 255;
    quint32 calcMemBackColor = IgnoreColor;
    QString calcErrorText = QStringLiteral("ERROR");
    QStringList calcBtnText = defaultCalcButtonText();

    // Tooltip and status text
    bool toolTips = true;
    QString toolTipText;
    int toolTipDelay = 750;
    int toolTipTimeout = 5000;
    quint32 toolTipBackColor = 0x80000018;
    quint32 toolTipForeColor = 0x80000017;
    QFont toolTipFont = defaultFont(400, false);
    QString statusBarControlName;
    QString statusBarPropName;
    QString statusBarRestoreText;
    QString statusBarText;
};

} // namespace orvel
