#include "CNumCtrl.h"
#include "FieldBinding_p.h"
#include "NumericValue.h"
#include "RangeValidator.h"
#include "comctl/AutomationError.h"

#include <QAbstractItemModel>

namespace orvel {

namespace {

int dataTypeOfMetaType(int type)
{
    if (type == QMetaType::Short)
        return DataTypeInteger;
    if (type == QMetaType::Int)
        return DataTypeLong;
    if (type == QMetaType::Float)
        return DataTypeSingle;
    if (type == QMetaType::Double)
        return DataTypeDouble;
    if (type == qMetaTypeId<Currency>())
        return DataTypeCurrency;
    if (type == QMetaType::QString)
        return DataTypeNone;
    return -1;
}

} // namespace

FieldBinding::FieldBinding(CNumCtrl &control)
    : q(control)
{
}

FieldBinding::~FieldBinding()
{
    QObject::disconnect(m_modelConnection);
}

int FieldBinding::column() const
{
    const QString &field = q.state().dataField;
    if (!m_model || field.isEmpty())
        return -1;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString header = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (header.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

int FieldBinding::fieldType() const
{
    const int bound = column();
    if (bound < 0)
        return -2;
    const QVariant hint = m_model->headerData(bound, Qt::Horizontal, Qt::UserRole);
    int type = QMetaType::UnknownType;
    if (hint.isValid())
        type = hint.toInt();
    else if (m_model->rowCount() > 0)
        type = m_model->data(m_model->index(qMax(0, m_row), bound), Qt::EditRole).typeId();
    if (type == QMetaType::UnknownType)
        return -2;
    return dataTypeOfMetaType(type);
}

void FieldBinding::setModel(QAbstractItemModel *model)
{
    if (m_modelConnection)
        QObject::disconnect(m_modelConnection);
    m_model = model;
    if (!model)
        m_row = -1;
    else if (m_row < 0)
        m_row = 0; // a data source opens on its first row
    if (model) {
        m_modelConnection = QObject::connect(model, &QAbstractItemModel::dataChanged, &q,
                                             [this](const QModelIndex &tl, const QModelIndex &br) {
                                                 const int bound = column();
                                                 if (m_reading || bound < 0 || m_row < tl.row()
                                                     || m_row > br.row() || bound < tl.column()
                                                     || bound > br.column())
                                                     return;
                                                 read();
                                             });
    }
    if (!q.designMode())
        read();
}

void FieldBinding::setRow(int row)
{
    if (row == m_row)
        return;
    if (m_changed)
        write();
    m_row = row;
    read();
}

void FieldBinding::valueChanged()
{
    if (!m_reading)
        m_changed = true;
}

void FieldBinding::read()
{
    const int bound = column();
    if (bound < 0 || m_row < 0 || m_row >= m_model->rowCount())
        return;
    QVariant newValue = m_model->data(m_model->index(m_row, bound), Qt::EditRole);
    qint16 changed = 0;
    m_reading = true;
    const auto answers = q.fire(&CNumCtrl::DataRead, QStringLiteral("DataRead"), newValue, changed);
    if (!answers)
        return;
    newValue = answers->value(0);
    changed = qint16(answers->value(1).toInt());
    try {
        q.setValue(newValue);
    } catch (const comctl::AutomationError &error) {
        q.fireStockError(error.number(), error.text());
        m_reading = false;
        return;
    }
    q.m_engine.setSelection(0, 0);
    q.restartCaret();
    q.changeNotification();
    m_changed = changed != 0;
    m_reading = false;
}

bool FieldBinding::write()
{
    const int bound = column();
    if (!m_changed || bound < 0 || m_row < 0 || m_row >= m_model->rowCount())
        return false;
    QVariant newValue;
    if (!q.m_engine.value().isEmpty()) {
        const auto typed = NumericValue::fromText(q.m_engine.value(), q.dataType(), u'.');
        if (!typed) {
            q.fire(&CNumCtrl::DataError, QStringLiteral("DataError"), qint16(ErrTypeBadType),
                   q.m_engine.value());
            return false;
        }
        newValue = NumericValue::forHost(*typed);
    }
    qint16 cancel = 0;
    const auto answers
        = q.fire(&CNumCtrl::BeforeUpdate, QStringLiteral("BeforeUpdate"), newValue, cancel);
    if (!answers || answers->value(1).toInt() != 0)
        return false;
    newValue = answers->value(0);
    m_reading = true; // our own write is not a change of the source to read back
    const bool ok = m_model->setData(m_model->index(m_row, bound), newValue, Qt::EditRole);
    m_reading = false;
    if (!ok) {
        q.fireStockError(5, QStringLiteral("The data source refused the value."));
        return false;
    }
    m_changed = false;
    q.fire(&CNumCtrl::AfterUpdate, QStringLiteral("AfterUpdate"));
    return true;
}

} // namespace orvel
