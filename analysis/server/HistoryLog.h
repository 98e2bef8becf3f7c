#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace ertragon {

// The in-memory log of the long server operations of this run. No widgets:
// the window frmProgrammverlauf shows it.
class HistoryLog : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        QString programmteil;
        QString text;
        QString parameter;

        // Programmteil ";" Text ";" Parameter
        QString line() const;
        bool operator==(const Entry &) const = default;
    };

    explicit HistoryLog(QObject *parent = nullptr);

    void AddLogEntry(const QString &programmteil, const QString &text, const QString &parameter);
    const QList<Entry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }

Q_SIGNALS:
    // Before the first entry is stored, so a view can be created in time.
    void firstEntryComing();
    void entryAdded(const ertragon::HistoryLog::Entry &entry);

private:
    QList<Entry> m_entries;
};

} // namespace ertragon
