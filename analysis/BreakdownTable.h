#pragma once

#include "DetailsBreakdown.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace ertragon {

// The breakdown of the details frame as a table model: the unit's code and name in the
// first column ("Gesamt" for the level's total; the code alone behind EditRole), whole
// amounts in the locale's form after it. The amounts are numbers behind SortRole, so a
// sorting proxy orders them by value and the codes as text, and plain texts without
// grouping behind PlainTextRole, for spreadsheets. TotalRole marks the total row. A stale
// table belongs to other periods than the current choice.
class BreakdownTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int PlainTextRole = Qt::UserRole + 2;
    static constexpr int TotalRole = Qt::UserRole + 3;

    explicit BreakdownTable(QObject *parent = nullptr);

    // The table of a breakdown, its amounts shown in locale's form.
    void setTable(const DetailsBreakdown::Table &table, const QLocale &locale = QLocale());
    void clear();
    const DetailsBreakdown::Table &table() const { return m_table; }

    // The table is stale when range is not the range its amounts were fetched for.
    void checkRange(const DetailsBreakdown::Range &range);
    bool isStale() const { return m_stale; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void staleChanged(bool stale);

private:
    void setStale(bool stale);

    DetailsBreakdown::Table m_table;
    QLocale m_locale;
    bool m_stale = false;
};

} // namespace ertragon
