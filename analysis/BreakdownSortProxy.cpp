#include "BreakdownSortProxy.h"

#include "BreakdownTable.h"

namespace ertragon {

BreakdownSortProxy::BreakdownSortProxy(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(BreakdownTable::SortRole);
}

bool BreakdownSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const bool leftTotal = left.data(BreakdownTable::TotalRole).toBool();
    const bool rightTotal = right.data(BreakdownTable::TotalRole).toBool();
    if (leftTotal != rightTotal) // descending order reverses lessThan: undo that for the total
        return leftTotal == (sortOrder() == Qt::AscendingOrder);
    return QSortFilterProxyModel::lessThan(left, right);
}

} // namespace ertragon
