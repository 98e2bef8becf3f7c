#include "PopupWindowClasses.h"

#include <QHash>

namespace orvel {

namespace {

QHash<QString, Qt::WindowFlags> &classes()
{
    static QHash<QString, Qt::WindowFlags> table;
    return table;
}

} // namespace

bool PopupWindowClasses::registerClasses()
{
    // A tool window that never takes the focus: the control keeps it and forwards keys.
    const Qt::WindowFlags popup = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    classes().insert(QStringLiteral("ovToolTip"),
                     Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                         | Qt::WindowDoesNotAcceptFocus);
    classes().insert(QStringLiteral("ovCalculator"), popup | Qt::WindowDoesNotAcceptFocus);
    return isRegistered(QStringLiteral("ovToolTip"))
        && isRegistered(QStringLiteral("ovCalculator"));
}

void PopupWindowClasses::unregisterClasses()
{
    classes().remove(QStringLiteral("ovToolTip"));
    classes().remove(QStringLiteral("ovCalculator"));
}

bool PopupWindowClasses::isRegistered(const QString &className)
{
    return classes().contains(className);
}

Qt::WindowFlags PopupWindowClasses::flags(const QString &className)
{
    return classes().value(className, Qt::Widget);
}

} // namespace orvel
