#pragma once

#include "comctl/HostSite.h"

#include <QStringList>
#include <optional>

// The host site of the test container: counts beeps and property-change notifications. In a
// script the controls' tick count is a clock that only the script moves (wait), so that what
// they time (auto-repeat) comes out the same on every run.
class ScriptHostSite : public comctl::HostSite
{
public:
    void beep() override;
    void propertyChanged(comctl::ComControl *control, const QString &propertyName) override;
    qint64 tickCount() const override;

    int takeBeeps();
    // From now on the tick count stands still until advanceClock moves it.
    void useScriptClock();
    void advanceClock(int milliseconds);

    QStringList changedProperties;
    bool audible = false;

private:
    int m_beeps = 0;
    std::optional<qint64> m_scriptClock;
};
