// The program's window, measured: the same Program the journeys build, on the
// offscreen platform over a SQLite demo store, timed from a user's action to the
// preview's paint event done: start-up to the first window, F5 to the page painted,
// a display-mode switch, a zoom step, opening the breakdown; and the resident memory
// after 1,000 fetches against after 10.
//
//   window_bench [--data DIR] [--fetches N]
#include "BenchTable.h"
#include "DemoGenerator.h"
#include "FMStart.h"
#include "FixedClock.h"
#include "PreviewSurface.h"
#include "Program.h"
#include "Prompter.h"
#include "Store.h"
#include "Waiter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace ertragon;

namespace {

const QDate benchToday(2005, 3, 15);

// Every question answered No (the data-basis question at start-up, the breakdown's
// profit-centre question); messages recorded nowhere.
class NoPrompter final : public Prompter
{
public:
    Answer ask(Icon, const QString &, const QString &, Buttons buttons) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
};

class NoWaiter final : public Waiter
{
public:
    int waitHundredths(int n) override { return n / 100; }
};

// Counts the paint events of the preview's widgets: a count that moved after the
// events ran means the page was painted, and its painting is done.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

class WindowBench
{
public:
    explicit WindowBench(const QString &store)
        : m_store(store)
    {
    }

    // Milliseconds from the program's construction to its first window painted.
    double startUp()
    {
        QElapsedTimer timer;
        timer.start();
        ProgramPlatform platform;
        platform.clock = &m_clock;
        platform.waiter = &m_waiter;
        platform.prompter = &m_prompter;
        m_program = std::make_unique<Program>(
            QStringList { QStringLiteral("ertragon"), "1", "0", "DEM", "demo", m_store }, platform);
        if (!m_program->start())
            qFatal("the program did not start on %s", qPrintable(m_store));
        m_program->show();
        for (QWidget *w : m_program->preview().findChildren<QWidget *>())
            w->installEventFilter(&m_paints);
        m_program->preview().installEventFilter(&m_paints);
        waitForPaint(0);
        return timer.nsecsElapsed() / 1e6;
    }

    // Milliseconds from triggering the action to the preview's paint done.
    double timed(const char *action)
    {
        QAction *a = m_program->window().findChild<QAction *>(QLatin1String(action));
        if (!a)
            qFatal("no action %s", action);
        const int before = m_paints.paints;
        QElapsedTimer timer;
        timer.start();
        a->trigger();
        waitForPaint(before);
        return timer.nsecsElapsed() / 1e6;
    }

    double zoomStep(bool in)
    {
        const int before = m_paints.paints;
        QElapsedTimer timer;
        timer.start();
        if (in)
            m_program->preview().zoomIn();
        else
            m_program->preview().zoomOut();
        waitForPaint(before);
        return timer.nsecsElapsed() / 1e6;
    }

private:
    void waitForPaint(int before)
    {
        QElapsedTimer limit;
        limit.start();
        while (m_paints.paints == before && limit.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        // what else the paint asked for (the navigation controls) runs too
        QApplication::processEvents();
    }

    QString m_store;
    FixedClock m_clock { QDateTime(benchToday, QTime(10, 0)) };
    NoWaiter m_waiter;
    NoPrompter m_prompter;
    PaintCounter m_paints;
    std::unique_ptr<Program> m_program;
};

QString demoStore(const QString &folder)
{
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/window-demo.db");
    if (QFile::exists(path))
        return path;
    QString why;
    auto store = kordex::Store::open(path, QString(), true, &why);
    if (!store)
        qFatal("no demo store: %s", qPrintable(why));
    kordex::DemoGenerator::Options options;
    options.today = benchToday;
    kordex::DemoGenerator(store->sql(), options).run();
    return path;
}

template<typename Work> double medianOf(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(work());
    return median(times);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QString data = QStringLiteral("bench-data");
    int fetches = 1000;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--data") && i + 1 < args.size())
            data = args[++i];
        else if (args[i] == QLatin1String("--fetches") && i + 1 < args.size())
            fetches = std::max(20, args[++i].toInt());
        else {
            std::fprintf(stderr, "window_bench [--data DIR] [--fetches N]\n");
            return 2;
        }
    }
    // The program's settings and control registry of this run only.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    const QString store = demoStore(data);

    WindowBench bench(store);
    const double startUp = bench.startUp();
    const double fetch = medianOf(15, [&] { return bench.timed("mNeuZeichnen"); });
    const double mode = medianOf(15, [&] {
        bench.timed("mGraph1");
        return bench.timed("mGraph0");
    });
    const double zoom = medianOf(15, [&] {
        bench.zoomStep(true);
        return bench.zoomStep(false);
    });
    const double breakdown = medianOf(5, [&] {
        const double shown = bench.timed("mDetails0");
        bench.timed("mDetails1");
        return shown;
    });
    for (int i = 0; i < 10; ++i)
        bench.timed("mNeuZeichnen");
    const double afterTen = residentMegabytes();
    for (int i = 10; i < fetches; ++i)
        bench.timed("mNeuZeichnen");
    const double afterMany = residentMegabytes();

    std::printf("\n%-40s %10s\n", "window (SQLite demo store)", "ms");
    std::printf("%-40s %10.1f\n", "start-up to the first window", startUp);
    std::printf("%-40s %10.1f\n", "F5 to the page painted", fetch);
    std::printf("%-40s %10.1f\n", "display-mode switch to the repaint", mode);
    std::printf("%-40s %10.1f\n", "zoom step to the repaint", zoom);
    std::printf("%-40s %10.1f\n", "opening the breakdown", breakdown);
    std::printf("%-40s %7.1f MB after 10, %.1f MB after %d\n", "resident memory", afterTen,
                afterMany, fetches);
    std::fflush(stdout);

    BenchTable table;
    table.add(QStringLiteral("window: F5 to the page painted (ms)"), fetch, 0, 30, false);
    table.add(QStringLiteral("window: display-mode switch (ms)"), mode, 0, 10, false);
    table.add(QStringLiteral("window: zoom step (ms)"), zoom, 0, 0, false);
    table.add(QStringLiteral("window: opening the breakdown (ms)"), breakdown, 0, 0, false);
    table.add(QStringLiteral("window: start-up to the first window (ms)"), startUp, 0, 400, false);
    table.add(QStringLiteral("window: memory after %1 fetches (MB, against 10)").arg(fetches),
              afterMany, afterTen, 1.1, true);
    return 0;
}
