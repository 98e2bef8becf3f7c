#include "CalculatorEngine.h"

#include "NumericValue.h"

#include <QLocale>
#include <cmath>

namespace orvel {

namespace {

// The inverse check compares in double, where the operands live: extended precision keeps
// ordinary decimal sums exact, while a real loss of digits still shows.
bool same(long double a, double b)
{
    return double(a) == b;
}

} // namespace

void CalculatorEngine::clear()
{
    m_x = m_y = 0;
    m_pending = None;
    m_newEntry = true;
    m_state = Ready;
    m_entry.clear();
}

void CalculatorEngine::start(double value)
{
    clear();
    showResult(std::isfinite(value) ? value : 0.0L, true);
}

QString CalculatorEngine::displayText(const QString &errorText) const
{
    if (m_state == Error)
        return errorText;
    return m_entry.isEmpty() ? QStringLiteral("0") : m_entry;
}

void CalculatorEngine::commitEntry()
{
    if (m_entry.isEmpty())
        return;
    bool ok = false;
    const double v = QLocale::c().toDouble(m_entry, &ok);
    (m_state == OperatorGiven ? m_y : m_x) = ok ? v : 0.0;
}

void CalculatorEngine::startEntryIfNew()
{
    if (m_newEntry) {
        m_entry.clear();
        m_newEntry = false;
    }
}

bool CalculatorEngine::entryFull() const
{
    const int limit = MaxEntryDigits + (m_entry.startsWith(u'-') ? 1 : 0);
    return m_entry.size() >= limit;
}

void CalculatorEngine::showResult(long double r, bool ok)
{
    if (ok && std::isfinite(double(r))) {
        QString text = NumericValue::doubleToText(double(r));
        while (text.contains(u'.') && text.size() >= 15)
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
        const int limit = MaxEntryDigits + (text.startsWith(u'-') ? 1 : 0);
        if (!text.isEmpty() && text.size() <= limit) {
            m_entry = text;
            m_x = double(r);
            m_state = Ready;
        } else {
            m_state = Error;
        }
    } else {
        m_state = Error;
    }
    m_pending = None;
    m_newEntry = true;
    m_y = 0;
}

void CalculatorEngine::equals()
{
    commitEntry();
    if (m_pending == None || m_newEntry) {
        showResult(m_x, true);
        return;
    }
    const long double x = m_x, y = m_y;
    long double r = 0;
    bool ok = true;
    switch (m_pending) {
    case Add:
        r = x + y;
        ok = same((r - y), m_x);
        break;
    case Subtract:
        r = x - y;
        ok = same(y + r, m_x);
        break;
    case Multiply:
        r = x * y;
        // A product with zero is exact; the inverse would divide by zero.
        ok = x == 0 || y == 0 || same(r / y, m_x);
        break;
    case Divide:
        ok = y != 0;
        if (ok) {
            r = x / y;
            ok = same(y * r, m_x);
        }
        break;
    default:
        break;
    }
    showResult(r, ok);
}

void CalculatorEngine::appendDigit(QChar digit)
{
    startEntryIfNew();
    if (!entryFull())
        m_entry.append(digit);
}

void CalculatorEngine::appendPoint()
{
    startEntryIfNew();
    if (entryFull() || m_entry.contains(u'.'))
        return;
    m_entry.append(u'.');
    if (m_entry.startsWith(u'.'))
        m_entry.prepend(u'0');
}

void CalculatorEngine::backspace()
{
    startEntryIfNew();
    if (!m_entry.isEmpty())
        m_entry.chop(1);
}

void CalculatorEngine::setOperator(Operator op)
{
    commitEntry();
    if (m_state == OperatorGiven)
        equals();
    if (m_state == Error)
        return;
    m_newEntry = true;
    m_pending = op;
    m_state = OperatorGiven;
}

void CalculatorEngine::toggleSign()
{
    // While the second operand is being typed, its sign changes; the pending operation
    // stays. Otherwise the current value is negated.
    if (m_state == OperatorGiven && !m_newEntry && !m_entry.isEmpty()) {
        m_entry = m_entry.startsWith(u'-') ? m_entry.mid(1) : u'-' + m_entry;
        return;
    }
    commitEntry();
    showResult(-static_cast<long double>(m_x), true);
}

void CalculatorEngine::squareRoot()
{
    commitEntry();
    if (m_state == OperatorGiven)
        equals();
    if (m_state == Error)
        return;
    if (m_x < 0) {
        m_state = Error;
        return;
    }
    showResult(std::sqrt(static_cast<long double>(m_x)), true);
}

void CalculatorEngine::memoryAdd(bool subtract)
{
    commitEntry();
    if (m_state == OperatorGiven)
        equals();
    if (m_state == Error)
        return;
    const long double x = m_x, m = m_memory;
    const long double r = subtract ? m - x : x + m;
    const bool ok
        = std::isfinite(double(r)) && (subtract ? same(r + x, m_memory) : same(r - m, m_x));
    if (ok)
        m_memory = double(r);
    else
        m_state = Error;
    m_newEntry = true; // the next digit starts a new number
}

bool CalculatorEngine::press(int button)
{
    if (button < 0 || button >= CalcButtonCount)
        return false;
    if (m_state == Error && button != CalcBtnClear)
        return false;
    if (button <= 9) {
        appendDigit(QChar(u'0' + button));
        return true;
    }
    switch (button) {
    case CalcBtnDecimal:
        appendPoint();
        break;
    case CalcBtnEqual:
        equals();
        break;
    case CalcBtnSignToggle:
        toggleSign();
        break;
    case CalcBtnSquareRoot:
        squareRoot();
        break;
    case CalcBtnClear:
        clear();
        break;
    case CalcBtnMultiply:
        setOperator(Multiply);
        break;
    case CalcBtnSubtract:
        setOperator(Subtract);
        break;
    case CalcBtnAdd:
        setOperator(Add);
        break;
    case CalcBtnBackspace:
        backspace();
        break;
    case CalcBtnDivide:
        setOperator(Divide);
        break;
    case CalcBtnMemoryRecall:
        showResult(m_memory, true);
        break;
    case CalcBtnMemoryAdd:
        memoryAdd(false);
        break;
    case CalcBtnMemorySubtract:
        memoryAdd(true);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace orvel
