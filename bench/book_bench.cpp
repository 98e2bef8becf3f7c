// The report book as ertragon-report makes it: every department of the demo
// company, and every main group inside every department, on SQLite and on
// PostgreSQL (loopback, and through a relay with a 1 ms round trip). Prints
// the time a page takes (fetch, drawing and PDF) and the fetch's share.
//   book_bench [--data DIR] [--lines N] [--no-postgres]

#include "BatchOptions.h"
#include "BatchReport.h"
#include "BenchStores.h"
#include "BenchTable.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <chrono>
#include <cstdio>

using ertragon::report::BatchOptions;
using ertragon::report::BatchReport;

namespace {

struct Book
{
    const char *name;
    QStringList each;
};

// One book made by the batch tool on an engine; false when it failed.
bool makeBook(const BenchEngine &engine, const Book &book, const QString &folder)
{
    QStringList words { QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("DEM"),
                        QStringLiteral("demo") };
    words += engine.address;
    words += { QStringLiteral("--today"),    BenchStores::today().toString(Qt::ISODate),
               QStringLiteral("--book"),     folder + QStringLiteral("/book.pdf"),
               QStringLiteral("--book-csv"), folder + QStringLiteral("/book.csv") };
    for (const QString &level : book.each)
        words += { QStringLiteral("--each"), level };
    const auto parsed = BatchOptions::parse(words, std::nullopt);
    if (const QString *error = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return false;
    }
    QString messages;
    QTextStream errors(&messages);
    BatchReport report(std::get<BatchOptions>(parsed), errors);
    QElapsedTimer timer;
    timer.start();
    const int status = report.run();
    const double totalMs = timer.nsecsElapsed() / 1e6;
    if (status != BatchReport::Success) {
        std::fprintf(stderr, "%s, %s: exit %d\n%s", qPrintable(engine.name), book.name, status,
                     qPrintable(messages));
        return false;
    }
    const BatchReport::BookFigures &f = report.bookFigures();
    const double pages = std::max(1, f.pages);
    const double perPage = (f.pagesNanoseconds + f.writeNanoseconds) / 1e6 / pages;
    // the goal: 5 ms a printed page of the nested book on PostgreSQL
    const bool nested = std::string_view(book.name).find('x') != std::string_view::npos;
    BenchTable().add(
        QStringLiteral("book: %1, %2 (ms per page)").arg(engine.name, QLatin1String(book.name)),
        perPage, 0, nested && engine.name == QLatin1String("PostgreSQL") ? 5 : 0, false);
    std::printf("%-16s %-28s %6d %6d %10.1f %10.2f %9.1f %9.2f\n", qPrintable(engine.name),
                book.name, f.units, f.pages, perPage, f.fetchNanoseconds / 1e6 / pages,
                f.writeNanoseconds / 1e6, totalMs / 1000.0);
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString data = QStringLiteral("bench-data");
    qint64 lines = 200000; // the size of `kordexdb demo`
    bool postgres = true;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--data") && i + 1 < args.size())
            data = args[++i];
        else if (args[i] == QLatin1String("--lines") && i + 1 < args.size())
            lines = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--no-postgres"))
            postgres = false;
        else {
            std::fprintf(stderr, "book_bench [--data DIR] [--lines N] [--no-postgres]\n");
            return 2;
        }
    }
    BenchStores stores(data, lines);
    QString why;
    if (!stores.setUpSqlite(&why)) {
        std::fprintf(stderr, "SQLite store: %s\n", qPrintable(why));
        return 1;
    }
    const bool withPostgres = postgres && stores.setUpPostgres(&why);
    if (postgres && !withPostgres)
        std::fprintf(stderr, "PostgreSQL skipped: %s\n", qPrintable(why));
    std::vector<BenchEngine *> engines = stores.engines();
    if (withPostgres && stores.setUpDelayedPostgres(std::chrono::microseconds(500), &why))
        engines.push_back(stores.delayed());
    const Book books[]
        = { { "departments", { QStringLiteral("abt") } },
            { "departments x main groups", { QStringLiteral("abt"), QStringLiteral("hg") } } };
    QTemporaryDir folder;
    std::printf("\n%-16s %-28s %6s %6s %10s %10s %9s %9s\n", "book", "", "units", "pages",
                "ms/page", "fetch ms", "write ms", "total s");
    bool ok = true;
    for (const BenchEngine *engine : engines)
        for (const Book &book : books)
            ok = makeBook(*engine, book, folder.path()) && ok;
    return ok ? 0 : 1;
}
