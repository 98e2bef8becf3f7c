#pragma once

#include <QList>
#include <QString>

struct BenchEngine;
class BenchStores;

// The same work on stores whose history grows: the batched 72-period fetch
// (unfiltered and by subgroup), the two-month and the full rebuild of the
// newest six years beside the bare INSERT ... SELECT ... GROUP BY, and the
// import cost per line. The smallest store is a demo of six years; a larger
// one holds copies of it (lines and sums) six, twelve, ... years earlier, so
// that every month holds as many lines as before and only the past grows.
class GrowthCurve
{
public:
    GrowthCurve(QString dataDirectory, bool postgres);
    // PostgreSQL at every size, SQLite up to sqliteLimit lines; the full
    // rebuild up to fullLimit lines. Each size a whole multiple of the first.
    // Prints each row when measured, then the table.
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
    // Copies of the six demo years into the past, blocks from..to-1.
    static void addHistory(BenchEngine &engine, int from, int to);
    void grow(BenchEngine &engine, BenchStores &stores, const QList<qint64> &sizes, qint64 limit,
              qint64 fullLimit);
    void print(const Row &row) const;

    QString m_data;
    bool m_postgres;
    QList<Row> m_rows;
};
