#include "AccessibleEdits_p.h"
#include "NumberEditEngine.h"

#include <QAccessible>

namespace orvel {

void AccessibleEdits::announce(QObject *control, const NumberEditEngine &engine,
                               const QVariant &value)
{
    const QString &text = engine.shown();
    const int start = engine.selectionStart(), end = engine.selectionEnd();
    // Without a listener only the state is kept, so the first event after one comes
    // tells only what changed from then on.
    const bool active = QAccessible::isActive();
    if (active && text != m_text) {
        QAccessibleTextUpdateEvent update(control, 0, m_text, text);
        QAccessible::updateAccessibility(&update);
    }
    if (active && value != m_value) {
        QAccessibleValueChangeEvent change(control, value);
        QAccessible::updateAccessibility(&change);
    }
    if (active && (start != m_selectionStart || end != m_selectionEnd)) {
        QAccessibleTextSelectionEvent selection(control, start, end);
        selection.setCursorPosition(engine.caret());
        QAccessible::updateAccessibility(&selection);
    } else if (active && engine.caret() != m_caret) {
        QAccessibleTextCursorEvent cursor(control, engine.caret());
        QAccessible::updateAccessibility(&cursor);
    }
    m_text = text;
    m_caret = engine.caret();
    m_selectionStart = start;
    m_selectionEnd = end;
    m_value = value;
}

} // namespace orvel
