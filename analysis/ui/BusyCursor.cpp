#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ertragon {

BusyCursor::~BusyCursor()
{
    setBusy(false);
}

void BusyCursor::setBusy(bool busy)
{
    if (busy == m_set || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    m_set = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace ertragon
