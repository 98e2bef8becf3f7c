#pragma once

#include "ToolTipModel.h"
#include "ToolTipWindow.h"

#include <QPointer>
#include <functional>

namespace orvel {

class CNumCtrl;

// The tooltip of a CNumCtrl: polls the pointer every ToolTipModel::TickMs once the control
// has been shown at run time, and shows or hides ToolTipText in its window as ToolTipModel
// decides (ToolTipBegin, ToolTipEnd).
class ToolTipPoller
{
public:
    explicit ToolTipPoller(CNumCtrl &control);

    // Makes the window and starts polling.
    void start();
    bool started() const { return m_window; }

    void tick();
    // Closes a showing tip; with block, it may not show again until the pointer leaves.
    void close(bool block);
    void pointerMoved() { m_model.pointerMoved(); }

    ToolTipWindow *window() const { return m_window; }
    // The window while it shows, else null.
    ToolTipWindow *shownWindow() const;
    const ToolTipModel &model() const { return m_model; }
    // Whether the pointer rests over the control (replaceable for tests).
    void setPointerSource(std::function<bool()> source) { m_pointerOver = std::move(source); }

private:
    Q_DISABLE_COPY(ToolTipPoller)

    bool pointerOver() const;
    void show();
    void hide();

    CNumCtrl &q;
    QPointer<ToolTipWindow> m_window;
    ToolTipModel m_model;
    std::function<bool()> m_pointerOver;
};

} // namespace orvel
