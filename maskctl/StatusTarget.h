#pragma once

#include <QList>
#include <QString>
#include <optional>

class QObject;
class QWidget;

namespace orvel {

// The host control that shows the control's status text: found by its name among the
// form's controls ("name(index)" for members of control arrays), its text property read
// and written through Qt's property system (a QStatusBar through its message).
class StatusTarget
{
public:
    // "name", or "name(index)" when the object has an "index" property other than -1.
    static QString nameOf(const QObject *object);
    // The first object named `name` (exact, case-sensitive), skipping `self`.
    static QObject *find(const QList<QObject *> &candidates, const QString &name,
                         const QObject *self);
    static std::optional<QString> read(const QObject *object, const QString &property);
    static bool write(QObject *object, const QString &property, const QString &text);
};

} // namespace orvel
