#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace ertragon {

// One entry of a selection list: the code the server receives and the name shown beside it.
struct SelectionEntry
{
    QString code;
    QString name;

    // An entry as the server lists it. A code ends at its first blank; what follows the
    // blank belongs to the name, so the server is never sent a code with a blank in it.
    static SelectionEntry fromServer(const QString &code, const QString &name);
    // "code name" as the list shows it; the empty entry shows nothing.
    QString text() const;
    bool operator==(const SelectionEntry &) const = default;
};

// A selection list as a model for the list boxes: one row per entry, the text as
// display role, code and name as roles of their own.
class SelectionList : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role { CodeRole = Qt::UserRole + 1, NameRole };

    explicit SelectionList(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QList<SelectionEntry> &entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }
    // The entry of a row; the empty entry outside the list.
    SelectionEntry entry(int row) const;
    // Replaces the entries; a list that stays the same is not reset.
    void setEntries(const QList<SelectionEntry> &entries);

    // The row of the first entry with this code, -1 when there is none.
    int indexOfCode(const QString &code, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    // The entries' texts as the list shows them.
    QStringList texts() const;

private:
    QList<SelectionEntry> m_entries;
};

} // namespace ertragon
