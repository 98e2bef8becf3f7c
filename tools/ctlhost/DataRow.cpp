#include "DataRow.h"

namespace {

int columnOf(const QAbstractItemModel &model, const QString &field)
{
    for (int c = 0; c < model.columnCount(); ++c) {
        if (model.headerData(c, Qt::Horizontal).toString().compare(field, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

} // namespace

DataRow::DataRow()
    : m_model(1, 0)
{
}

int DataRow::column(const QString &field)
{
    int c = columnOf(m_model, field);
    if (c < 0) {
        c = m_model.columnCount();
        m_model.insertColumn(c);
        m_model.setHeaderData(c, Qt::Horizontal, field);
    }
    return c;
}

bool DataRow::has(const QString &field) const
{
    return columnOf(m_model, field) >= 0;
}

QVariant DataRow::get(const QString &field) const
{
    const int c = columnOf(m_model, field);
    return c < 0 ? QVariant() : m_model.data(m_model.index(0, c), Qt::EditRole);
}

void DataRow::set(const QString &field, const QVariant &value)
{
    m_model.setData(m_model.index(0, column(field)), value, Qt::EditRole);
}
