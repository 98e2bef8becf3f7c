// Faults from outside while the kordexdb tool works: a kill -9 in the middle
// of import, rebuild and demo, a full disk, the store deleted or made
// read-only while it is open, and PostgreSQL stopped in the middle of a fetch.
// Afterwards the store is as it was before or as the finished work leaves it,
// never half-written, and every failure says why.
#include "PgTestServer.h"
#include "ScratchMount.h"
#include "Store.h"
#include "StoreFactory_p.h"
#include "WriterLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <pwd.h>
#include <unistd.h>

using namespace kordex;
using ertragon::test::PgTestServer;
using ertragon::test::ScratchMount;

namespace {

constexpr int demoLines = 10000;
constexpr int importLines = 20000;

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

// As root the tool runs as "nobody", so that file permissions bind it.
bool asRoot()
{
    return ::geteuid() == 0;
}

QStringList command(const QStringList &args, bool unprivileged)
{
    if (!unprivileged || !asRoot())
        return QStringList { QStringLiteral(KORDEXDB_TOOL) } + args;
    return QStringList { QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                         QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                         QStringLiteral(KORDEXDB_TOOL) }
    + args;
}

bool start(QProcess &process, const QStringList &args, bool unprivileged = false)
{
    const QStringList line = command(args, unprivileged);
    process.start(line.first(), line.mid(1));
    return process.waitForStarted();
}

Outcome finish(QProcess &process)
{
    Outcome outcome;
    if (!process.waitForFinished(300000))
        return outcome;
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

Outcome tool(const QStringList &args, bool unprivileged = false)
{
    QProcess process;
    start(process, args, unprivileged);
    return finish(process);
}

// True once the process holds the file open.
bool waitUntilOpen(QProcess &process, const QString &path)
{
    const QByteArray target = QFile::encodeName(QFileInfo(path).canonicalFilePath());
    const QString fds = QStringLiteral("/proc/%1/fd").arg(process.processId());
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System)) {
            char link[4096];
            const QByteArray name = QFile::encodeName(fds + QLatin1Char('/') + fd);
            const ssize_t size = ::readlink(name.constData(), link, sizeof link);
            if (size > 0 && QByteArray(link, int(size)) == target)
                return true;
        }
        if (process.waitForFinished(2))
            return false;
    }
    return false;
}

// Returns once the WAL has grown past a few pages (the commit is being
// written) or the process has ended.
void waitForWal(QProcess &process, const QString &wal)
{
    while (QFileInfo(wal).size() < 64 * 1024)
        if (process.waitForFinished(1))
            return;
}

void removeStore(const QString &path)
{
    for (const char *suffix : { "", "-wal", "-shm" })
        QFile::remove(path + QLatin1String(suffix));
}

bool handToNobody(const QString &path)
{
    const passwd *nobody = ::getpwnam("nobody");
    return nobody
        && ::chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
}

// The sales lines of company 1 as check reports them.
qint64 salesLinesOf(const QString &checkOutput)
{
    const qsizetype at = checkOutput.indexOf(QLatin1String("sales lines: "));
    return at < 0 ? -1 : checkOutput.mid(at + 13).section(QLatin1Char(' '), 0, 0).toLongLong();
}

// Stores a demo began beside its target and never handed over.
QStringList leftovers(const QString &folder)
{
    QStringList stores;
    for (const QString &name : QDir(folder).entryList({ QStringLiteral("*.demo-*") }, QDir::Files))
        if (!name.endsWith(QLatin1String("-wal")) && !name.endsWith(QLatin1String("-shm")))
            stores.append(name);
    return stores;
}

} // namespace

class TestKordexFaults : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_base; // a demo store, everything in its file
    QString m_sales; // sales lines for the period after the built sums
    PgTestServer m_pg;
    QString m_pgProblem; // why PostgreSQL is not there

    // The demo store copied to a fresh file in folder (default: the test folder).
    QString freshStore(const QString &name, const QString &folder = QString())
    {
        const QString path = (folder.isEmpty() ? m_dir.path() : folder) + QLatin1Char('/') + name;
        removeStore(path);
        return QFile::copy(m_base, path) ? path : QString();
    }

    QStringList filled(QStringList args, const QString &store) const
    {
        for (QString &arg : args) {
            if (arg == QLatin1String("@"))
                arg = store;
            else if (arg == QLatin1String("@sales"))
                arg = m_sales;
        }
        return args;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_base = m_dir.filePath(QStringLiteral("base.db"));
        const Outcome demo = tool(
            { "demo", m_base, "--lines", QString::number(demoLines), "--today", "2005-03-15" });
        QVERIFY2(demo.status == 0, qPrintable(demo.err));
        m_sales = m_dir.filePath(QStringLiteral("sales.csv"));
        QFile sales(m_sales);
        QVERIFY(sales.open(QIODevice::WriteOnly));
        for (int i = 0; i < importLines; ++i)
            sales.write(QStringLiteral("1;10502;M1;03;031;P;LA;L;%1.%2;0;6;0;0;0\n")
                            .arg(i % 900)
                            .arg(i % 100, 2, 10, QLatin1Char('0'))
                            .toLatin1());
        sales.close();
        if (!m_pg.start(&m_pgProblem))
            m_pgProblem = QStringLiteral("PostgreSQL not available: ") + m_pgProblem;
        else if (tool({ "demo", m_pg.connectString(), "--lines", "5000", "--today", "2005-03-15" })
                     .status
                 != 0)
            m_pgProblem = QStringLiteral("no demo store on PostgreSQL");
    }

    void killedMidWork_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("postgres");
        // the kill comes after this share of a whole run; 0: while the commit writes the WAL
        QTest::addColumn<double>("at");
        const QStringList import { "import-sales", "@", "@sales" };
        const QStringList rebuild { "rebuild", "@", "--company", "1" };
        const QStringList demo { "demo",    "@",          "--lines", QString::number(demoLines),
                                 "--today", "2005-03-15", "--seed",  "2",
                                 "--force" };
        QTest::newRow("import, early") << import << false << 0.4;
        QTest::newRow("import, while committing") << import << false << 0.0;
        QTest::newRow("rebuild, early") << rebuild << false << 0.4;
        QTest::newRow("rebuild, while committing") << rebuild << false << 0.0;
        QTest::newRow("demo --force, early") << demo << false << 0.3;
        QTest::newRow("demo --force, late") << demo << false << 0.8;
        QTest::newRow("demo --force on PostgreSQL") << demo << true << 0.5;
    }

    void killedMidWork()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, postgres);
        QFETCH(double, at);
        if (postgres && !m_pgProblem.isEmpty())
            QSKIP(qPrintable(m_pgProblem));
        const QString store = postgres ? m_pg.connectString() : freshStore(QStringLiteral("k.db"));
        const QString before = tool({ "check", store }).out;

        // the whole work once, for its result and how long it takes
        const QString whole = postgres ? store : freshStore(QStringLiteral("whole.db"));
        QElapsedTimer timer;
        timer.start();
        const Outcome done = tool(filled(args, whole));
        const qint64 duration = timer.elapsed();
        QVERIFY2(done.status == 0, qPrintable(done.err));
        const Outcome wholeCheck = tool({ "check", whole });
        const QString after = QString(wholeCheck.out).replace(whole, store);
        QVERIFY(after != before || postgres);

        QProcess killed;
        QVERIFY(start(killed, filled(args, store)));
        if (at > 0)
            QTest::qWait(int(duration * at));
        else
            waitForWal(killed, store + QStringLiteral("-wal"));
        if (killed.state() != QProcess::NotRunning) {
            killed.kill(); // SIGKILL
            QVERIFY(killed.waitForFinished());
        }

        const Outcome check = tool({ "check", store });
        const QString found = check.out;
        if (postgres && found.contains(QLatin1String("demo INCOMPLETE"))) {
            QCOMPARE(check.status, 1);
            QVERIFY(found.endsWith(QLatin1String("demo INCOMPLETE\n")));
            return;
        }
        QVERIFY2(found == before || found == after, qPrintable(found));
        QCOMPARE(check.status, found == before ? 0 : wholeCheck.status);
        QVERIFY(!postgres || found == after);
        // a killed demo leaves what it began beside the store, nothing else
        if (!postgres && found == before)
            QCOMPARE(leftovers(m_dir.path()).size(), args.first() == QLatin1String("demo") ? 1 : 0);
        for (const QString &left : leftovers(m_dir.path()))
            removeStore(m_dir.filePath(left));
    }

    void fullDisk_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("import") << QStringList { "import-sales", "@", "@sales" };
        QTest::newRow("rebuild") << QStringList { "rebuild", "@", "--company", "1" };
        QTest::newRow("demo --force")
            << QStringList { "demo", "@", "--lines", "20000", "--seed", "2", "--force" };
    }

    void fullDisk()
    {
        QFETCH(QStringList, args);
        const QString folder = m_dir.filePath(QStringLiteral("small"));
        QVERIFY(QDir().mkpath(folder));
        ScratchMount mount;
        QString why;
        // the store and a little more
        if (!mount.mount(folder, QFileInfo(m_base).size() + 512 * 1024, &why))
            QSKIP(qPrintable(QStringLiteral("no full disk to test with: ") + why));
        const QString store = freshStore(QStringLiteral("full.db"), folder);
        QVERIFY(!store.isEmpty());
        const QString before = tool({ "check", store }).out;
        QVERIFY(before.endsWith(QLatin1String("sums consistent\n")));

        const Outcome failed = tool(filled(args, store));
        QCOMPARE(failed.status, 1);
        QVERIFY2(failed.err.contains(QLatin1String("full")), qPrintable(failed.err));
        const Outcome check = tool({ "check", store });
        QCOMPARE(check.out, before);
        QCOMPARE(check.status, 0);
        QVERIFY(leftovers(folder).isEmpty());
    }

    void storeDeletedMidRun_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("import") << QStringList { "import-sales", "@", "@sales" };
        QTest::newRow("rebuild") << QStringList { "rebuild", "@", "--company", "1" };
    }

    void storeDeletedMidRun()
    {
        QFETCH(QStringList, args);
        const QString store = freshStore(QStringLiteral("deleted.db"));
        // Holding the write lock keeps the tool from committing until the file is gone.
        QString why;
        auto holder = Store::open(store, QString(), false, &why);
        QVERIFY2(holder, qPrintable(why));
        holder->sql().begin();
        QProcess process;
        QVERIFY(start(process, filled(args, store)));
        // its WAL open: the store is opened and read, the work has begun
        QVERIFY(waitUntilOpen(process, store + QStringLiteral("-wal")));
        removeStore(store);
        holder->sql().rollback();
        const Outcome outcome = finish(process);
        QCOMPARE(outcome.status, 1);
        QVERIFY2(outcome.err.contains(QStringLiteral("gelöscht oder ersetzt")),
                 qPrintable(outcome.err));
        QVERIFY(!outcome.out.contains(QLatin1String("imported"))
                && !outcome.out.contains(QLatin1String("rebuilt")));
    }

    void storeMadeReadOnlyMidRun()
    {
        const QString folder = m_dir.filePath(QStringLiteral("closing"));
        QVERIFY(QDir().mkpath(folder));
        const QString store = freshStore(QStringLiteral("ro.db"), folder);
        if (asRoot()) {
            // nobody reaches the folder and the sales file, and owns the store
            QVERIFY(QFile::setPermissions(m_dir.path(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                              | QFile::ExeOther));
            QVERIFY(QFile::setPermissions(m_sales, QFile::ReadOwner | QFile::ReadOther));
            QVERIFY(handToNobody(folder) && handToNobody(store));
        }
        const QString before = tool({ "check", store }, true).out;
        QProcess process;
        QVERIFY(start(process, { "import-sales", store, m_sales }, true));
        QVERIFY2(waitUntilOpen(process, store), qPrintable(process.readAllStandardError()));
        // The folder first: from then on no side file can come or go, so a reader
        // always finds the -wal and -shm files together.
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QFile::setPermissions(store, QFile::ReadOwner | QFile::ReadGroup));
        // the open store is written to the end, or not at all
        const Outcome import = finish(process);
        QVERIFY2(import.status == 0 || import.status == 1, qPrintable(import.err));

        // reading goes on: the lines are all there or none of them
        const Outcome check = tool({ "check", store }, true);
        QVERIFY2(check.status == 0, qPrintable(check.err));
        QVERIFY2(check.out.contains(QLatin1String(", read-only)")), qPrintable(check.out));
        QCOMPARE(salesLinesOf(check.out),
                 salesLinesOf(before) + (import.status == 0 ? importLines : 0));
        const Outcome query = tool({ "query", store, "KXUmsatz.Daten", "PeriodenSumme", "1",
                                     "10502", "03", "031", "", "", "M1", "", "" },
                                   true);
        QCOMPARE(query.status, 0);
        // writing fails and says why
        const Outcome again = tool({ "import-sales", store, m_sales }, true);
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains(QLatin1String("read-only")) && again.err.contains("(5005)"),
                 qPrintable(again.err));
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // A second writer while one writes is refused at once with who writes, not after
    // ten seconds with "database is locked" or a duplicate key; afterwards it runs.
    void secondWriterIsRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<QString>("refusal");
        const QStringList rebuild { "rebuild", "@", "--company", "1" };
        QTest::newRow("rebuild beside another writer")
            << rebuild << false << "wird gerade geschrieben: Test-Neuaufbau (";
        QTest::newRow("import beside another writer")
            << QStringList { "import-sales", "@", "@sales" } << false
            << "wird gerade geschrieben: Test-Neuaufbau (";
        QTest::newRow("rebuild beside another rebuild on PostgreSQL")
            << rebuild << true << "Die Daten der Firma 1 werden gerade von kordex neu aufgebaut.";
    }

    void secondWriterIsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, postgres);
        QFETCH(QString, refusal);
        if (postgres && !m_pgProblem.isEmpty())
            QSKIP(qPrintable(m_pgProblem));
        const QString store = postgres ? m_pg.connectString() : freshStore(QStringLiteral("w.db"));
        if (postgres) // whatever the tests before left there
            QCOMPARE(tool({ "demo", store, "--lines", "2000", "--today", "2005-03-15", "--force" })
                         .status,
                     0);
        {
            // the first writer: this test, holding what a rebuild holds
            std::unique_ptr<WriterLock> lock;
            std::unique_ptr<Store> first;
            QString why;
            if (postgres) {
                first = Store::open(m_pg.host(), m_pg.port(), false, &why);
                QVERIFY2(first, qPrintable(why));
                first->sql().script(QStringLiteral("BEGIN"));
                first->sql().script(QStringLiteral("SELECT pg_advisory_xact_lock(43817, 1)"));
            } else {
                lock = WriterLock::take(store, QStringLiteral("Test-Neuaufbau"));
            }
            QElapsedTimer timer;
            timer.start();
            const Outcome second = tool(filled(args, store));
            QVERIFY(timer.elapsed() < 5000);
            QCOMPARE(second.status, 1);
            QVERIFY2(second.err.contains(refusal) && second.err.contains(QLatin1String("(5009)")),
                     qPrintable(second.err));
            if (postgres)
                first->sql().script(QStringLiteral("ROLLBACK"));
        }
        const Outcome later = tool(filled(args, store));
        QVERIFY2(later.status == 0, qPrintable(later.err));
    }

    // Last: it stops the server.
    void postgresStoppedMidFetch()
    {
        if (!m_pgProblem.isEmpty())
            QSKIP(qPrintable(m_pgProblem));
        StoreFactory factory;
        QVERIFY(factory.OpenConnection(m_pg.connectString()));
        int answered = 0;
        int failed = 0;
        for (int month = 0; month < 72; ++month) {
            if (month == 30)
                m_pg.stop();
            const int period = (100 + month / 12) * 100 + month % 12 + 1;
            try {
                auto result = factory.OpenQuery(QStringLiteral("KXUmsatz.Daten"),
                                                QStringLiteral("PeriodenSumme"));
                result->RunQuery({ "1", QString::number(period), "", "", "", "", "", "", "" });
                QVERIFY(result->NextRow());
                result->ColumnValue(1);
                ++answered;
            } catch (const ServerError &e) {
                QCOMPARE(e.number(), error::SqlFailure);
                QVERIFY2(e.description().startsWith(QLatin1String("PostgreSQL")),
                         qPrintable(e.description()));
                ++failed;
            }
        }
        QCOMPARE(answered, 30);
        QCOMPARE(failed, 42);
        QVERIFY(!factory.IsConnected());
        StoreFactory later;
        QVERIFY(!later.OpenConnection(m_pg.connectString()));
        QVERIFY(!later.lastError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKordexFaults)
#include "tst_kordexfaults.moc"
