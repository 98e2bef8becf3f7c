#pragma once

#include <QString>
#include <QVariant>

class QObject;

namespace orvel {

class NumberEditEngine;

// Tells assistive technology what changed in a control's shown text, caret, selection
// and value since the last look, as Qt's own line edit and spin box do.
class AccessibleEdits
{
public:
    // value: the control's value now (nothing while it is empty).
    void announce(QObject *control, const NumberEditEngine &engine, const QVariant &value);

private:
    QString m_text;
    int m_caret = 0, m_selectionStart = 0, m_selectionEnd = 0;
    QVariant m_value;
};

} // namespace orvel
