#pragma once

#include "StoreSession_p.h"

#include <QList>
#include <kordex/ResultSet.h>
#include <memory>

namespace kordex {

// One named query; RunQuery fetches every row at once, NextRow walks them.
class StoreResultSet : public ResultSet
{
public:
    StoreResultSet(std::shared_ptr<StoreSession> session, QString className, QString queryName);

    void RunQuery(const QStringList &arguments) override;
    bool NextRow() override;
    QString ColumnValue(int column) override;
    void SYS_Close() override { m_closed = true; }

private:
    void requireOpen() const;

    std::shared_ptr<StoreSession> m_session;
    QString m_className;
    QString m_queryName;
    QList<QStringList> m_rows;
    qsizetype m_current = -1;
    bool m_run = false;
    bool m_closed = false;
};

} // namespace kordex
