#pragma once

#include <QStandardItemModel>
#include <QString>
#include <QVariant>

// The data source of the test container: one row of an in-memory model whose fields are
// columns named by their header. A field comes into being when it is first named.
class DataRow
{
public:
    DataRow();

    QAbstractItemModel *model() { return &m_model; }
    // The column of the field, made on first use.
    int column(const QString &field);
    bool has(const QString &field) const;
    QVariant get(const QString &field) const;
    // Another user changed the row: the bound controls read the new value.
    void set(const QString &field, const QVariant &value);

private:
    QStandardItemModel m_model;
};
