#include "ScriptHostSite.h"

#include <QApplication>

void ScriptHostSite::beep()
{
    ++m_beeps;
    if (audible)
        QApplication::beep();
}

void ScriptHostSite::propertyChanged(comctl::ComControl *, const QString &propertyName)
{
    changedProperties << propertyName;
}

int ScriptHostSite::takeBeeps()
{
    const int beeps = m_beeps;
    m_beeps = 0;
    return beeps;
}
