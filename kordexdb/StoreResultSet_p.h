#pragma once

#include "StoreSession_p.h"

#include <QList>
#include <kordex/ResultSet.h>
#include <memory>

namespace kordex {

// One named query; RunQuery fetches every row at once, NextRow walks them. A
// batch is sent whole by RunQueryBatch and its answers are kept for NextAnswer.
class StoreResultSet : public ResultSet
{
public:
    StoreResultSet(std::shared_ptr<StoreSession> session, QString className, QString queryName);

    void RunQuery(const QStringList &arguments) override;
    bool NextRow() override;
    QString ColumnValue(int column) override;
    void SYS_Close() override { m_closed = true; }
    void RunQueryBatch(const QList<QStringList> &argumentSets) override;
    bool NextAnswer() override;

private:
    void requireOpen() const;

    std::shared_ptr<StoreSession> m_session;
    QString m_className;
    QString m_queryName;
    QList<QStringList> m_rows;
    BatchResult m_batch;
    qsizetype m_nextAnswer = 0;
    qsizetype m_current = -1;
    bool m_run = false;
    bool m_closed = false;
};

} // namespace kordex
