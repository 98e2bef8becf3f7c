#include "SelectionList.h"

namespace ertragon {

SelectionEntry SelectionEntry::fromServer(const QString &code, const QString &name)
{
    const qsizetype blank = code.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return { code, name };
    return { code.left(blank), code.mid(blank + 1) + QLatin1Char(' ') + name };
}

QString SelectionEntry::text() const
{
    if (code.isEmpty() && name.isEmpty())
        return {};
    return code + QLatin1Char(' ') + name;
}

SelectionList::SelectionList(QObject *parent)
    : QAbstractListModel(parent)
{
}

int SelectionList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant SelectionList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return {};
    const SelectionEntry &e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return e.text();
    case Qt::AccessibleTextRole:
        // The empty entry shows nothing; a screen reader says what it chooses.
        return e.text().isEmpty() ? QStringLiteral("(alle)") : e.text();
    case CodeRole:
        return e.code;
    case NameRole:
        return e.name;
    default:
        return {};
    }
}

SelectionEntry SelectionList::entry(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries.at(row) : SelectionEntry {};
}

void SelectionList::setEntries(const QList<SelectionEntry> &entries)
{
    if (entries == m_entries)
        return;
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int SelectionList::indexOfCode(const QString &code, Qt::CaseSensitivity cs) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).code.compare(code, cs) == 0)
            return int(i);
    }
    return -1;
}

QStringList SelectionList::texts() const
{
    QStringList texts;
    for (const SelectionEntry &e : m_entries)
        texts << e.text();
    return texts;
}

} // namespace ertragon
