#pragma once

#include "HistoryLog.h"
#include "frmProgrammverlauf.h"

#include <QObject>
#include <QPointer>

namespace ertragon {

// The history log with its window: the window is created hidden on the first
// line (or the first request to show it) and lives until the program ends.
class ProgramHistory : public QObject
{
    Q_OBJECT
public:
    explicit ProgramHistory(QObject *parent = nullptr);
    ~ProgramHistory() override;

    HistoryLog &log() { return m_log; }
    void AddLogEntry(const QString &programmteil, const QString &text, const QString &parameter);

    // The window, or null before the first line and the first showWindow.
    frmProgrammverlauf *window() const { return m_window; }
    // Shows the window modeless (menu "Programmverlauf").
    void showWindow();

private:
    void ensureWindow();

    HistoryLog m_log;
    QPointer<frmProgrammverlauf> m_window;
};

} // namespace ertragon
