#include "MaskEditState.h"

namespace orvel {

QFont MaskEditState::defaultFont(int weight, bool italic)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(9);
    f.setWeight(weight >= 900 ? QFont::Black : QFont::Normal);
    f.setItalic(italic);
    return f;
}

CalculatorLook MaskEditState::defaultCalculatorLook()
{
    CalculatorLook look;
    look.displayFont = defaultFont(900, false);
    look.buttonFont = defaultFont(900, false);
    look.memoryFont = defaultFont(400, false);
    look.captions = QStringList {
        "0", "1",  "2", "3", "4", "5", "6",  "7", "8",  "9",  ".",  "=",
        "±", "sq", "C", "×", "-", "+", "<<", "÷", "M!", "M+", "M-",
    };
    return look;
}

} // namespace orvel
