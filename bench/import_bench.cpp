// The import's memory: `kordexdb import-sales` of a 10 MB file and of a large one
// (1 GB; --quick 100 MB) into copies of a small demo store, each in a process of its
// own, its peak resident memory measured by the kernel (wait4).
//
//   import_bench [--data DIR] [--quick]
#include "BenchTable.h"
#include "DemoGenerator.h"
#include "Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

// Sales lines of the demo's master data, until the file holds bytes.
void writeSales(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    static const char *lines[] = { "1;12403;M1;03;031;P;LA;L;%1.%2;0;6.00;0;0;0\n",
                                   "1;12404;M3;06;061;G;LA;B;%1.%2;1.00;7.50;0;0.10;0\n",
                                   "1;12405;B0;01;011;P;SA;W;%1.%2;0;12.00;0.50;0;0.20\n" };
    QByteArray chunk;
    qint64 written = 0;
    for (qint64 i = 0; written < bytes; ++i) {
        chunk += QString::fromLatin1(lines[i % 3])
                     .arg(10 + i % 900)
                     .arg(i % 100, 2, 10, QLatin1Char('0'))
                     .toLatin1();
        if (chunk.size() > (1 << 20)) {
            written += file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

// Peak resident memory in MB of `kordexdb import-sales STORE FILE`, and its status.
std::pair<double, int> importPeak(const QString &store, const QString &sales)
{
    const QByteArray tool = KORDEXDB_TOOL;
    const QByteArray command = "import-sales";
    const QByteArray db = QFile::encodeName(store);
    const QByteArray file = QFile::encodeName(sales);
    char *argv[]
        = { const_cast<char *>(tool.constData()), const_cast<char *>(command.constData()),
            const_cast<char *>(db.constData()), const_cast<char *>(file.constData()), nullptr };
    pid_t pid = 0;
    if (posix_spawn(&pid, tool.constData(), nullptr, nullptr, argv, environ) != 0)
        qFatal("cannot start %s", tool.constData());
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    return { usage.ru_maxrss / 1024.0, WIFEXITED(status) ? WEXITSTATUS(status) : -1 };
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString data = QStringLiteral("bench-data");
    qint64 large = 1LL << 30;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--data") && i + 1 < args.size())
            data = args[++i];
        else if (args[i] == QLatin1String("--quick"))
            large = 100LL << 20;
        else {
            std::fprintf(stderr, "import_bench [--data DIR] [--quick]\n");
            return 2;
        }
    }
    QDir().mkpath(data);
    const QString base = data + QStringLiteral("/import-base.db");
    if (!QFile::exists(base)) {
        QString why;
        auto store = kordex::Store::open(base, QString(), true, &why);
        if (!store)
            qFatal("no store: %s", qPrintable(why));
        kordex::DemoGenerator::Options options;
        options.lines = 1000;
        kordex::DemoGenerator(store->sql(), options).run();
    }
    std::printf("\n%-24s %10s %10s %10s\n", "import-sales", "file MB", "peak MB", "seconds");
    double peaks[2] = {};
    const qint64 sizes[2] = { 10LL << 20, large };
    for (int i = 0; i < 2; ++i) {
        const QString store = data + QStringLiteral("/import-run.db");
        const QString sales = data + QStringLiteral("/import-sales.csv");
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(store + QLatin1String(suffix));
        QFile::copy(base, store);
        writeSales(sales, sizes[i]);
        QElapsedTimer timer;
        timer.start();
        const auto [peak, status] = importPeak(store, sales);
        peaks[i] = peak;
        std::printf("%-24s %10lld %10.1f %10.1f%s\n", status == 0 ? "imported" : "FAILED",
                    sizes[i] >> 20, peak, timer.elapsed() / 1000.0,
                    status == 0 ? "" : " (the tool failed)");
        QFile::remove(sales);
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(store + QLatin1String(suffix));
    }
    std::fflush(stdout);
    BenchTable().add(
        QStringLiteral("import memory, %1 MB file against 10 MB (peak MB)").arg(sizes[1] >> 20),
        peaks[1], peaks[0], 1.2, true);
    return 0;
}
