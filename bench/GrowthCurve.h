#pragma once

#include <QList>
#include <QString>

struct BenchEngine;
class BenchStores;

// The same work on stores of growing size: the batched 72-period fetch
// (unfiltered and by subgroup), the two-month and the full rebuild beside the
// bare INSERT ... SELECT ... GROUP BY, and the import cost per line.
class GrowthCurve
{
public:
    GrowthCurve(QString dataDirectory, bool postgres);
    // PostgreSQL at every size, SQLite up to sqliteLimit lines; the full
    // rebuild up to fullLimit lines. Prints each row when measured, then the table.
    void run(const QList<qint64> &sizes, qint64 sqliteLimit, qint64 fullLimit);

private:
    struct Row
    {
        QString engine;
        qint64 lines = 0;
        double fetch = 0; // ms
        double fetchSubgroup = 0;
        double twoMonths = 0;
        double twoMonthsBare = 0;
        double full = 0; // 0: not measured
        double fullBare = 0;
        double importMicros = 0; // per line
    };
    Row measure(BenchEngine &engine, BenchStores &stores, qint64 lines, bool full);
    void print(const Row &row) const;

    QString m_data;
    bool m_postgres;
    QList<Row> m_rows;
};
