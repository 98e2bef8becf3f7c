#include "ProgramHistory.h"

#include "frmProgrammverlauf.h"

namespace ertragon {

ProgramHistory::ProgramHistory(HistoryLog &log, QObject *parent)
    : QObject(parent)
    , m_log(log)
{
    connect(&m_log, &HistoryLog::firstEntryComing, this, &ProgramHistory::ensureWindow);
}

ProgramHistory::~ProgramHistory()
{
    delete m_window;
}

void ProgramHistory::ensureWindow()
{
    if (!m_window)
        m_window = new frmProgrammverlauf(m_log);
}

void ProgramHistory::showWindow(const QWidget *near)
{
    ensureWindow();
    m_window->showOnScreenOf(near);
}

} // namespace ertragon
