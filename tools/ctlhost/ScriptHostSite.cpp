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

qint64 ScriptHostSite::tickCount() const
{
    return m_scriptClock ? *m_scriptClock : comctl::HostSite::tickCount();
}

int ScriptHostSite::takeBeeps()
{
    const int beeps = m_beeps;
    m_beeps = 0;
    return beeps;
}

void ScriptHostSite::useScriptClock()
{
    if (!m_scriptClock)
        m_scriptClock = comctl::HostSite::tickCount();
}

void ScriptHostSite::advanceClock(int milliseconds)
{
    if (m_scriptClock)
        *m_scriptClock += milliseconds;
}
