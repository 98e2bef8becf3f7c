#pragma once

#include "DetailsBreakdown.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace ertragon {

// The breakdown of the details frame as a table model: the unit's code in the first
// column, whole amounts in the locale's form after it. The amounts are numbers behind
// SortRole, so a sorting proxy orders them by value and the codes as text.
class BreakdownTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit BreakdownTable(QObject *parent = nullptr);

    // The table of a breakdown, its amounts shown in locale's form.
    void setTable(const DetailsBreakdown::Table &table, const QLocale &locale = QLocale());
    void clear();
    const DetailsBreakdown::Table &table() const { return m_table; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The shown texts of the given rows of a table model, in that order: the cells
    // tab-separated, each row ended by a line break.
    static QString rowsText(const QAbstractItemModel &model, const QList<int> &rows);

private:
    DetailsBreakdown::Table m_table;
    QLocale m_locale;
};

} // namespace ertragon
