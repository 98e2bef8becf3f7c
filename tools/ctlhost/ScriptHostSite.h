#pragma once

#include "comctl/HostSite.h"

#include <QStringList>

// The host site of the test container: counts beeps and property-change notifications.
class ScriptHostSite : public comctl::HostSite
{
public:
    void beep() override;
    void propertyChanged(comctl::ComControl *control, const QString &propertyName) override;

    int takeBeeps();
    QStringList changedProperties;
    bool audible = false;

private:
    int m_beeps = 0;
};
