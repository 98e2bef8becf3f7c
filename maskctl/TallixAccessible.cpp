#include "TallixAccessible.h"

#include "CNumCtrl.h"
#include "comctl/AutomationError.h"

#include <QFontMetrics>

namespace orvel {

TallixAccessible::TallixAccessible(CNumCtrl *control)
    : QAccessibleWidget(control, QAccessible::EditableText)
{
}

QAccessibleInterface *TallixAccessible::create(const QString &, QObject *object)
{
    if (auto *control = qobject_cast<CNumCtrl *>(object))
        return new TallixAccessible(control);
    return nullptr;
}

CNumCtrl *TallixAccessible::control() const
{
    return static_cast<CNumCtrl *>(widget());
}

void *TallixAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::Role TallixAccessible::role() const
{
    return control()->state().spinButton ? QAccessible::SpinBox : QAccessible::EditableText;
}

QAccessible::State TallixAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.selectableText = true;
    s.readOnly = !control()->engine().editable();
    return s;
}

QString TallixAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return control()->engine().shown();
    return QAccessibleWidget::text(kind);
}

// ------------------------------------------------------------------ text

void TallixAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const NumberEditEngine &engine = control()->engine();
    const bool has = selectionIndex == 0 && engine.hasSelection();
    *startOffset = has ? engine.selectionStart() : 0;
    *endOffset = has ? engine.selectionEnd() : 0;
}

int TallixAccessible::selectionCount() const
{
    return control()->engine().hasSelection() ? 1 : 0;
}

void TallixAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TallixAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        control()->selectShown(cursorPosition(), cursorPosition());
}

void TallixAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        control()->selectShown(startOffset, endOffset);
}

int TallixAccessible::cursorPosition() const
{
    return control()->engine().caret();
}

void TallixAccessible::setCursorPosition(int position)
{
    control()->selectShown(position, position);
}

QString TallixAccessible::text(int startOffset, int endOffset) const
{
    const QString &shown = control()->engine().shown();
    const int from = qBound(0, startOffset, int(shown.size()));
    const int to = qBound(from, endOffset, int(shown.size()));
    return shown.mid(from, to - from);
}

int TallixAccessible::characterCount() const
{
    return int(control()->engine().shown().size());
}

QRect TallixAccessible::characterRect(int offset) const
{
    const QRect local = control()->characterRect(offset);
    if (local.isNull())
        return {};
    return QRect(control()->mapToGlobal(local.topLeft()), local.size());
}

int TallixAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = control()->mapFromGlobal(point);
    if (!control()->textRect().contains(local))
        return -1;
    return control()->indexAt(local.x());
}

void TallixAccessible::scrollToSubstring(int startIndex, int)
{
    setCursorPosition(startIndex);
}

QString TallixAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // One run of text in one font and colour: no attributes to tell.
    *startOffset = 0;
    *endOffset = qMax(offset, characterCount());
    return {};
}

// ------------------------------------------------------------------ value

QVariant TallixAccessible::currentValue() const
{
    return control()->isEmpty() ? QVariant() : control()->value();
}

void TallixAccessible::setCurrentValue(const QVariant &value)
{
    try {
        control()->setValue(value);
    } catch (const comctl::AutomationError &) {
        // A value the mask cannot hold leaves the control as it was.
    }
}

QVariant TallixAccessible::rangeEnd(bool high) const
{
    const std::optional<double> end = control()->valueRules().rangeEnd(high);
    return end ? QVariant(*end) : QVariant();
}

QVariant TallixAccessible::maximumValue() const
{
    return rangeEnd(true);
}

QVariant TallixAccessible::minimumValue() const
{
    return rangeEnd(false);
}

QVariant TallixAccessible::minimumStepSize() const
{
    const std::optional<double> step = control()->valueRules().stepSize();
    return step ? QVariant(*step) : QVariant();
}

} // namespace orvel
