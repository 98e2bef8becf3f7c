#pragma once

#include "DetailsBreakdown.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace ertragon {

// The breakdown of the details frame as a table model: the unit's code in the first
// column, whole amounts in the locale's form after it. The amounts are numbers behind
// SortRole, so a sorting proxy orders them by value and the codes as text, and plain
// texts without grouping behind PlainTextRole, for spreadsheets.
class BreakdownTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int PlainTextRole = Qt::UserRole + 2;

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

private:
    DetailsBreakdown::Table m_table;
    QLocale m_locale;
};

} // namespace ertragon
