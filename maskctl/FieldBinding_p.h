#pragma once

#include <QAbstractItemModel>
#include <QMetaObject>
#include <QPointer>

namespace orvel {

class CNumCtrl;

// The data binding of a CNumCtrl: the field of the current row of a host's model in the
// column that DataField names by its horizontal header. Reads the field into the control
// (DataRead), writes a changed value back (BeforeUpdate, AfterUpdate, DataError) and reads
// again when the model changes the field.
class FieldBinding
{
public:
    explicit FieldBinding(CNumCtrl &control);
    ~FieldBinding();

    QAbstractItemModel *model() const { return m_model; }
    // A new model starts at its first row.
    void setModel(QAbstractItemModel *model);
    // Writes a changed value back, then reads the new row.
    void setRow(int row);

    // The bound column, or -1.
    int column() const;
    bool isBound() const { return column() >= 0; }
    // The field's DataType: -1 for a type the control cannot hold, -2 when it is unknown.
    int fieldType() const;

    void read();
    bool write();

    // DataChanged: the value differs from the field since it was last read or written.
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    // The control's value changed; a change the binding makes itself does not count.
    void valueChanged();

private:
    Q_DISABLE_COPY(FieldBinding)

    CNumCtrl &q;
    QPointer<QAbstractItemModel> m_model;
    QMetaObject::Connection m_modelConnection;
    int m_row = -1;
    bool m_changed = false;
    bool m_reading = false;
};

} // namespace orvel
