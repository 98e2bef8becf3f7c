#pragma once

namespace ertragon::report {

// --quiet: Qt's own messages below critical (warnings such as "XDG_RUNTIME_DIR not set",
// which a job under cron or systemd meets, and any debug output) stay off stderr; critical
// and fatal messages still reach it. Installed before QApplication starts.
class QuietMessages
{
public:
    static void install();
};

} // namespace ertragon::report
