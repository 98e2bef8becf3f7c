#include "HistoryLog.h"

namespace ertragon {

QString HistoryLog::Entry::line() const
{
    return programmteil + u';' + text + u';' + parameter;
}

HistoryLog::HistoryLog(QObject *parent)
    : QObject(parent)
{
}

void HistoryLog::AddLogEntry(const QString &programmteil, const QString &text,
                             const QString &parameter)
{
    if (m_entries.isEmpty())
        Q_EMIT firstEntryComing();
    if (m_entries.size() >= maxEntries) {
        m_entries.removeFirst();
        Q_EMIT firstEntryRemoved();
    }
    m_entries.append({ programmteil, text, parameter });
    Q_EMIT entryAdded(m_entries.constLast());
}

} // namespace ertragon
