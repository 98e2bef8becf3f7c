#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kordex {

// A named query of a server class. RunQuery executes it with text arguments;
// NextRow advances to the next row (false at the end); ColumnValue(n) reads
// column n, counted from 1, of the current row.
//
// The batch form runs the query once per argument set and answers in order:
// RunQueryBatch hands over the sets, each NextAnswer makes the next answer the
// current one for NextRow and ColumnValue (false after the last). The answer of
// a set that fails raises its ServerError from NextAnswer; the sets after it
// are not answered. A store may send every set at once and answer them all
// from one snapshot; this default runs one RunQuery per NextAnswer.
class ResultSet
{
public:
    virtual ~ResultSet() = default;

    virtual void RunQuery(const QStringList &arguments) = 0;
    virtual bool NextRow() = 0;
    virtual QString ColumnValue(int column) = 0;
    virtual void SYS_Close() = 0;

    virtual void RunQueryBatch(const QList<QStringList> &argumentSets)
    {
        m_pendingSets = argumentSets;
        m_nextSet = 0;
    }
    virtual bool NextAnswer()
    {
        if (m_nextSet >= m_pendingSets.size())
            return false;
        // A set that fails ends the batch.
        const qsizetype current = m_nextSet;
        m_nextSet = m_pendingSets.size();
        RunQuery(m_pendingSets[current]);
        m_nextSet = current + 1;
        return true;
    }

private:
    QList<QStringList> m_pendingSets;
    qsizetype m_nextSet = 0;
};

} // namespace kordex
