#pragma once

namespace orvel {

// The timing of the control's tooltip, polled every 100 ms: the delay counts while the
// pointer rests over a tool with no button held, the timeout while the tip shows; a tip
// hidden by the timeout or by mouse activity stays blocked until the pointer leaves.
class ToolTipModel
{
public:
    static constexpr int TickMs = 100;
    enum class Action { None, Show, Hide };

    struct Settings
    {
        int delay = 750;
        int timeout = 5000; // 0: no timeout
    };

    // One tick; tool is the key of the tool under the pointer, or -1 for none.
    Action tick(int tool, bool buttonDown, const Settings &settings);
    // The pointer moved over the control: the delay starts again.
    void pointerMoved();
    // The tip is now showing.
    void shown();
    // The tip was hidden; with block, it may not show again over the current tool.
    void hidden(bool block);
    // The begin handler cancelled the tip, or it had no text: no new attempt until the
    // pointer leaves the tool.
    void declined();

    bool visible() const { return m_visible; }
    bool blocked() const { return m_blocked; }
    bool quick() const { return m_quick; }
    int wait() const { return m_wait; }

private:
    int m_current = -1;
    int m_wait = 0;
    int m_shownTime = 0;
    bool m_visible = false;
    bool m_blocked = false;
    bool m_quick = false;
};

} // namespace orvel
