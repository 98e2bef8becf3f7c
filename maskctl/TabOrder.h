#pragma once

#include <QList>

class QWidget;

namespace orvel {

// The control after from in the tab order of its form, among controls (the form's
// controls as the host lists them): by a "TabIndex" property where the host gives one,
// else by the focus chain; after the last one comes the first. Controls hidden, disabled
// or not taking the focus by Tab are left out; nothing when there is no other.
QWidget *nextInTabOrder(QWidget *from, const QList<QWidget *> &controls);

} // namespace orvel
