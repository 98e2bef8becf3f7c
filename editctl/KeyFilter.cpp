#include "KeyFilter.h"

#include <QKeyEvent>

namespace inkora {

KeyFilter::KeyFilter(const QString &admitted, std::function<void()> beep, QObject *parent)
    : QObject(parent)
    , m_admitted(admitted)
    , m_beep(std::move(beep))
{
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    const bool typed = !text.isEmpty() && text[0].unicode() >= 32 && text[0].unicode() != 127;
    const bool control = key->modifiers() & Qt::ControlModifier;
    if (!typed && !control)
        return false; // cursor and editing keys
    if (typed && !control && m_admitted.contains(text[0]))
        return false;
    if (m_beep)
        m_beep();
    return true;
}

} // namespace inkora
