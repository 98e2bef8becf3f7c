#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace ertragon {

// The in-memory log of the long server operations of this run. No widgets:
// the window frmProgrammverlauf shows it. It keeps the last maxEntries lines (some
// 70 fetches of 72 months), so that a working day of fetches does not make the
// program grow without end; older lines give way, oldest first.
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

    static constexpr int maxEntries = 5000;

    explicit HistoryLog(QObject *parent = nullptr);

    void AddLogEntry(const QString &programmteil, const QString &text, const QString &parameter);
    const QList<Entry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }

Q_SIGNALS:
    // Before the first entry is stored, so a view can be created in time.
    void firstEntryComing();
    void entryAdded(const ertragon::HistoryLog::Entry &entry);
    // The oldest line gave way to a new one.
    void firstEntryRemoved();

private:
    QList<Entry> m_entries;
};

} // namespace ertragon
