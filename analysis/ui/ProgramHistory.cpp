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

void ProgramHistory::showWindow()
{
    ensureWindow();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace ertragon
