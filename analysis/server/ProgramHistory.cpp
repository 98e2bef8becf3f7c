#include "ProgramHistory.h"

#include "frmProgrammverlauf.h"

#include <QApplication>

namespace ertragon {

ProgramHistory::ProgramHistory(QObject *parent)
    : QObject(parent)
{
    connect(&m_log, &HistoryLog::firstEntryComing, this, &ProgramHistory::ensureWindow);
}

ProgramHistory::~ProgramHistory()
{
    delete m_window;
}

void ProgramHistory::AddLogEntry(const QString &programmteil, const QString &text,
                                 const QString &parameter)
{
    m_log.AddLogEntry(programmteil, text, parameter);
}

void ProgramHistory::ensureWindow()
{
    // Without a widget application (batch use) the log is kept without a window.
    if (m_window || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    m_window = new frmProgrammverlauf(m_log);
}

void ProgramHistory::showWindow()
{
    ensureWindow();
    if (!m_window)
        return;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace ertragon
