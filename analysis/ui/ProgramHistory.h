#pragma once

#include "HistoryLog.h"
#include "frmProgrammverlauf.h"

#include <QObject>
#include <QPointer>

namespace ertragon {

// The window of the history log: created hidden with the first line (or the
// first request to show it), it lives until the program ends.
class ProgramHistory : public QObject
{
    Q_OBJECT
public:
    explicit ProgramHistory(HistoryLog &log, QObject *parent = nullptr);
    ~ProgramHistory() override;

    HistoryLog &log() { return m_log; }
    // The window, or null before the first line and the first showWindow.
    frmProgrammverlauf *window() const { return m_window; }
    // Shows the window modeless (menu "Programmverlauf"), on the screen of near.
    void showWindow(const QWidget *near = nullptr);

private:
    void ensureWindow();

    HistoryLog &m_log;
    QPointer<frmProgrammverlauf> m_window;
};

} // namespace ertragon
