#pragma once

#include <QString>

namespace orvel {

// CalcBtnTypeConstants
enum CalcButton : int {
    CalcBtnDecimal = 10,
    CalcBtnEqual = 11,
    CalcBtnSignToggle = 12,
    CalcBtnSquareRoot = 13,
    CalcBtnClear = 14,
    CalcBtnMultiply = 15,
    CalcBtnSubtract = 16,
    CalcBtnAdd = 17,
    CalcBtnBackspace = 18,
    CalcBtnDivide = 19,
    CalcBtnMemoryRecall = 20,
    CalcBtnMemoryAdd = 21,
    CalcBtnMemorySubtract = 22,
    CalcButtonCount = 23,
};

// The drop-down calculator's arithmetic: an entry line, a current value, a pending operator
// evaluated left to right, square root, sign toggle and a one-value memory. Every result is
// checked by its inverse operation in extended precision; a failure is the error state,
// which only Clear leaves.
class CalculatorEngine
{
public:
    enum State { Error = -1, Ready = 2, OperatorGiven = 3 };
    enum Operator { None = -1, Add = 0, Subtract = 1, Multiply = 2, Divide = 3 };

    static constexpr int MaxEntryDigits = 14;

    // Clears (keeping the memory) and shows the value.
    void start(double value);
    // Presses a button (CalcBtnTypeConstants). False when the press was ignored because
    // the calculator is in the error state (or the type is unknown).
    bool press(int button);

    QString displayText(const QString &errorText) const;
    const QString &entry() const { return m_entry; }
    double x() const { return m_x; }
    double memory() const { return m_memory; }
    int state() const { return m_state; }
    int pendingOperator() const { return m_pending; }

private:
    void clear();
    void commitEntry();
    void startEntryIfNew();
    bool entryFull() const;
    void showResult(long double r, bool ok);
    void equals();
    void appendDigit(QChar digit);
    void appendPoint();
    void backspace();
    void setOperator(Operator op);
    void toggleSign();
    void squareRoot();
    void memoryAdd(bool subtract);

    QString m_entry;
    double m_x = 0, m_y = 0, m_memory = 0;
    int m_pending = None;
    bool m_newEntry = true;
    int m_state = Ready;
};

} // namespace orvel
