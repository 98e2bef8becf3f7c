#pragma once

#include "ColourRules.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace orvel {

// Colours (OLE colours, IgnoreColor = not set), fonts and captions of the calculator: the
// control's Calc… properties, and its ForeColor as controlFore.
struct CalculatorLook
{
    quint32 back = IgnoreColor, buttonBack = IgnoreColor;
    quint32 displayBack = 0x808080, displayFore = 0xFFFFFF;
    quint32 memoryFore = 255, memoryBack = IgnoreColor;
    quint32 clearFore = 255, memoryButtonFore = 255, buttonFore = IgnoreColor,
            operatorFore = 0xFF0000;
    quint32 controlFore = 0x80000008;
    QFont displayFont, buttonFont, memoryFont;
    QString memoryText = QStringLiteral("M");
    QString errorText = QStringLiteral("ERROR");
    QStringList captions;
};

} // namespace orvel
