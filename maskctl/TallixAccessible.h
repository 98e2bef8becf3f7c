#pragma once

#include <QAccessibleWidget>

namespace orvel {

class CNumCtrl;

// What assistive technology reads of a Tallix control: the shown text with caret and
// selection (the control paints its text itself, so Qt knows nothing of it) and the value
// with the validation range and the spin step. A spin button makes it a spin box, else it
// is an editable text.
class TallixAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleValueInterface
{
public:
    explicit TallixAccessible(CNumCtrl *control);

    // The accessibility factory of the library: an interface for every CNumCtrl.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    // --- text
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // --- value: nothing while the control is empty
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    CNumCtrl *control() const;
    QVariant rangeEnd(bool high) const;
};

} // namespace orvel
