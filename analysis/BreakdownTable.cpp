#include "BreakdownTable.h"

namespace ertragon {

namespace {

QVariant amountAlignment(int column)
{
    return column > 0 ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
}

QString unitText(const DetailsBreakdown::Row &row)
{
    if (row.code.isEmpty())
        return QStringLiteral("Gesamt");
    return row.name.isEmpty() ? row.code : row.code + u' ' + row.name;
}

} // namespace

BreakdownTable::BreakdownTable(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void BreakdownTable::setTable(const DetailsBreakdown::Table &table, const QLocale &locale)
{
    beginResetModel();
    m_table = table;
    m_locale = locale;
    endResetModel();
    setStale(false);
}

void BreakdownTable::checkRange(const DetailsBreakdown::Range &range)
{
    setStale(!m_table.rows.isEmpty() && range != m_table.range);
}

void BreakdownTable::setStale(bool stale)
{
    if (stale == m_stale)
        return;
    m_stale = stale;
    Q_EMIT staleChanged(stale);
}

void BreakdownTable::clear()
{
    setTable({}, m_locale);
}

int BreakdownTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.rows.size());
}

int BreakdownTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.headings.size());
}

QVariant BreakdownTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.rows.size()
        || index.column() >= m_table.headings.size())
        return {};
    const DetailsBreakdown::Row &row = m_table.rows.at(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return amountAlignment(column);
    if (role == TotalRole)
        return row.code.isEmpty();
    if (column == 0 && role == Qt::EditRole)
        return row.code;
    if (role != Qt::DisplayRole && role != SortRole && role != PlainTextRole)
        return {};
    if (column == 0 && role == SortRole)
        return row.code;
    if (column == 0)
        return unitText(row);
    if (column > row.values.size())
        return {};
    const double value = row.values.at(column - 1);
    if (role == SortRole)
        return value;
    if (role == PlainTextRole)
        return QString::number(qint64(value));
    return m_locale.toString(qint64(value));
}

QVariant BreakdownTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_table.headings.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return amountAlignment(section);
    return role == Qt::DisplayRole ? QVariant(m_table.headings.at(section)) : QVariant();
}

} // namespace ertragon
