#pragma once

#include <QFile>
#include <QString>

// One row of the table `make bench` ends with: a piece of work, our figure, the bare
// engine's doing the same work (0: none), and the goal, either for our figure itself
// or for the ratio of ours to the bare one. The rows go to the file
// $ERTRAGON_BENCH_TABLE, which scripts/run-bench prints at the end; without it nothing.
class BenchTable
{
public:
    void add(const QString &work, double ours, double bare, double goal, bool goalIsRatio)
    {
        const QString path = qEnvironmentVariable("ERTRAGON_BENCH_TABLE");
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::Append))
            return;
        file.write(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                       .arg(work)
                       .arg(ours, 0, 'f', 3)
                       .arg(bare, 0, 'f', 3)
                       .arg(goal, 0, 'f', 2)
                       .arg(goalIsRatio ? QStringLiteral("ratio") : QStringLiteral("ours"))
                       .toUtf8());
    }
};
