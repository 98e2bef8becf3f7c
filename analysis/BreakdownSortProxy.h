#pragma once

#include <QSortFilterProxyModel>

namespace ertragon {

// Sorts a breakdown table by its SortRole and keeps the total row first in either order.
class BreakdownSortProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit BreakdownSortProxy(QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

} // namespace ertragon
