#pragma once

#include <QString>
#include <QStringList>

namespace kordex {

// A named query of a server class. RunQuery executes it with text arguments;
// NextRow advances to the next row (false at the end); ColumnValue(n) reads
// column n, counted from 1, of the current row.
class ResultSet
{
public:
    virtual ~ResultSet() = default;

    virtual void RunQuery(const QStringList &arguments) = 0;
    virtual bool NextRow() = 0;
    virtual QString ColumnValue(int column) = 0;
    virtual void SYS_Close() = 0;
};

} // namespace kordex
