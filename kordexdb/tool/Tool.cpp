#include "Tool.h"

#include "Archive.h"
#include "ConnectString.h"
#include "CsvLineReader.h"
#include "CsvReader.h"
#include "DemoGenerator.h"
#include "EchoedInput.h"
#include "MasterImport.h"
#include "Period.h"
#include "PeriodSums.h"
#include "SalesImport.h"
#include "Schema.h"
#include "ServerRights.h"
#include "ServerText.h"
#include "Store.h"
#include "StoreFactory_p.h"
#include "ToolOptions.h"
#include "UserAdmin.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <kordex/StoreAddress.h>
#include <limits>
#include <unistd.h>

namespace kordex {

namespace {

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

[[noreturn]] void bad(const QString &text)
{
    throw ServerError(error::BadInput, text);
}

void openInput(QFile &file)
{
    if (!file.open(QIODevice::ReadOnly))
        bad(QStringLiteral("cannot read %1: %2")
                .arg(EchoedInput::quoted(file.fileName()), file.errorString()));
}

// The lines of a master-data file, each no longer than CsvLineReader allows.
QStringList readLines(const QString &path)
{
    QFile file(path);
    openInput(file);
    return CsvReader::lines(file);
}

int periodOption(const ToolOptions &options, const QString &name)
{
    const auto period = Period::parse(options.value(name));
    if (!period)
        bad(QStringLiteral("--%1 needs a period such as 12503, not %2")
                .arg(name, EchoedInput::quoted(options.value(name))));
    return *period;
}

std::optional<QString> optionalValue(const ToolOptions &options, const QString &name)
{
    return options.has(name) ? std::optional(options.value(name)) : std::nullopt;
}

void removeSqliteFiles(const QString &path)
{
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
        QFile::remove(path + suffix);
}

// Removes a store that is being built unless it was handed over.
struct BuildingFile
{
    QString path;
    ~BuildingFile()
    {
        if (!path.isEmpty())
            removeSqliteFiles(path);
    }
};

// The reason a factory could not connect, for the tool's one-line error: the same
// number as every other command gives for the same cause.
[[noreturn]] void connectFailed(const QString &db, const StoreFactory &factory)
{
    throw ServerError(
        factory.lastErrorNumber(),
        QStringLiteral("cannot open %1: %2").arg(EchoedInput::quoted(db), factory.lastError()));
}

} // namespace

Tool::Tool(QTextStream &out, QTextStream &err, QTextStream &in)
    : m_out(out)
    , m_err(err)
    , m_in(in)
    , m_terminal(isatty(STDERR_FILENO) != 0)
{
}

int Tool::run(const QStringList &arguments)
{
    // The tool's own options come before the command; a command's options follow it.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(QCommandLineOption(
        QStringList { QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("help-all") }));
    parser.addOption(
        QCommandLineOption(QStringList { QStringLiteral("v"), QStringLiteral("version") }));
    if (!parser.parse(QStringList { QStringLiteral("kordexdb") } + arguments)) {
        const QString name = parser.unknownOptionNames().value(0);
        const QString problem = name.isEmpty() ? EchoedInput::oneLine(parser.errorText())
                                               : QStringLiteral("unknown option ")
                + EchoedInput::quoted(QLatin1String(name.size() == 1 ? "-" : "--") + name);
        m_err << "kordexdb: " << problem << " (" << error::BadInput << ")\n";
        m_err.flush();
        return exitFailure;
    }
    if (parser.isSet(QStringLiteral("help")))
        return help();
    if (parser.isSet(QStringLiteral("version"))) {
        m_out << "kordexdb " << ERTRAGON_VERSION << '\n';
        return 0;
    }
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usage();
    const QString command = words.first();
    const QStringList rest = words.mid(1);
    if (command == QLatin1String("help") || rest.contains(QLatin1String("--help"))
        || rest.contains(QLatin1String("--help-all")))
        return help();
    try {
        if (command == QLatin1String("create"))
            return create(rest);
        if (command == QLatin1String("demo"))
            return demo(rest);
        if (command == QLatin1String("import-master"))
            return importMaster(rest);
        if (command == QLatin1String("import-sales"))
            return importSales(rest);
        if (command == QLatin1String("rebuild"))
            return rebuild(rest);
        if (command == QLatin1String("archive"))
            return archive(rest);
        if (command == QLatin1String("upgrade"))
            return upgrade(rest);
        if (command == QLatin1String("user") && rest.value(0) == QLatin1String("set"))
            return userSet(rest.mid(1));
        if (command == QLatin1String("check"))
            return check(rest);
        if (command == QLatin1String("query"))
            return query(rest);
        if (command == QLatin1String("object"))
            return object(rest);
        if (command == QLatin1String("xecute"))
            return xecute(rest);
    } catch (const ServerError &e) {
        // Whatever a message quotes from the input, it must not steer the terminal.
        endProgress();
        if (e.number() == error::ImportRejected) {
            for (const QString &line : e.description().split(QLatin1Char('\n')))
                m_err << EchoedInput::oneLine(line) << '\n';
            m_err << "kordexdb: import rejected, nothing imported\n";
        } else {
            m_err << "kordexdb: " << EchoedInput::oneLine(e.description()) << " (" << e.number()
                  << ")\n";
        }
        m_err.flush();
        return exitFailure;
    }
    m_err << "kordexdb: unknown command " << EchoedInput::quoted(command) << '\n';
    usage();
    return exitUsage;
}

QString Tool::usageText()
{
    return QStringLiteral(
        "usage: kordexdb COMMAND DB ...   (DB: a file path or cn_iptcp:HOST[PORT]:KORDEX)\n"
        "  create DB\n"
        "  demo DB [--lines N] [--seed S] [--today YYYY-MM-DD] [--force]\n"
        "  import-master DB FILE.csv\n"
        "  import-sales DB FILE.csv\n"
        "  rebuild DB --company C [--from P --to P]\n"
        "  archive DB --before P [--detach]\n"
        "  upgrade DB\n"
        "  user set DB --company C --user CODE [--password-stdin] [--name TEXT] [--rights N]\n"
        "           [--department CODE] [--active J|N] [--permitted J|N] [--restricted J|N]\n"
        "           [--department-bound J|N] [--fax TEXT] [--email TEXT]\n"
        "  check DB\n"
        "  query DB CLASS QUERY ARG...\n"
        "  object DB CLASS ID PROPERTY...\n"
        "  xecute DB COMMAND...\n"
        "A value follows its option as --name value or --name=value.\n"
        "  -h, --help, --help-all\n"
        "                 show this help (also: kordexdb help, kordexdb COMMAND --help)\n"
        "  -v, --version  show the version\n"
        "Exit status: 0 done (check: the sums are consistent), 1 failed with a one-line\n"
        "error and its number on stderr, 2 unknown command.\n");
}

int Tool::usage()
{
    m_err << usageText();
    m_err.flush();
    return exitUsage;
}

int Tool::help()
{
    m_out << usageText();
    return 0;
}

QString Tool::connectStringOf(const QString &db) const
{
    const ConnectString where = ConnectString::fromToolArgument(db);
    return connectString(where.server, where.port);
}

std::unique_ptr<Store> Tool::openStore(const QString &db, bool create, Target target)
{
    if (db.isEmpty())
        bad(QStringLiteral("no DB given"));
    const ConnectString where = ConnectString::fromToolArgument(db);
    QString problem;
    int number = error::ConnectFailed;
    auto store = Store::open(where.server, where.port, create, &problem, &number, target);
    if (!store)
        throw ServerError(
            number, QStringLiteral("cannot open %1: %2").arg(EchoedInput::quoted(db), problem));
    return store;
}

std::unique_ptr<Store> Tool::openForWriting(const QString &db, const QString &work)
{
    auto store = openStore(db);
    if (store->sql().readOnly())
        throw ServerError(error::ReadOnly,
                          QStringLiteral("cannot write %1: the file or its folder is read-only")
                              .arg(EchoedInput::quoted(db)));
    store->holdWriterLock(QStringLiteral("kordexdb ") + work);
    store->requireIntact();
    return store;
}

void Tool::progress(const QString &step, int percent)
{
    if (!m_terminal)
        return;
    m_progressLine = QStringLiteral("%1 %2%").arg(step).arg(percent);
    m_err << '\r' << m_progressLine << "   ";
    m_err.flush();
}

void Tool::endProgress()
{
    if (m_terminal && !m_progressLine.isEmpty()) {
        m_err << '\r' << QString(m_progressLine.size() + 3, QLatin1Char(' ')) << '\r';
        m_err.flush();
    }
    m_progressLine.clear();
}

int Tool::create(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, {});
    if (options.positional.size() != 1)
        return usage();
    const QString db = options.positional[0];
    const ConnectString where = ConnectString::fromToolArgument(db);
    if (where.isFile() && QFile::exists(where.server))
        throw ServerError(error::StoreExists,
                          QStringLiteral("%1 exists already").arg(EchoedInput::quoted(db)));
    openStore(db, true);
    m_out << "created " << db << '\n';
    return 0;
}

int Tool::demo(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, { "lines", "seed", "today" }, { "force" });
    if (options.positional.size() != 1)
        return usage();
    const QString db = options.positional[0];
    DemoGenerator::Options demo;
    demo.lines = options.number(QStringLiteral("lines"), demo.lines, 0, 1000000000);
    demo.seed = quint64(options.number(QStringLiteral("seed"), qint64(demo.seed), 0,
                                       std::numeric_limits<qint64>::max()));
    if (options.has(QStringLiteral("today"))) {
        demo.today = QDate::fromString(options.value(QStringLiteral("today")), Qt::ISODate);
        if (!demo.today.isValid() || demo.today.year() < 1906 || demo.today.year() > 2800)
            bad(QStringLiteral("--today needs a date YYYY-MM-DD, not %1")
                    .arg(EchoedInput::quoted(options.value(QStringLiteral("today")))));
    }
    const ConnectString where = ConnectString::fromToolArgument(db);
    const bool force = options.flags.contains(QStringLiteral("force"));
    QElapsedTimer timer;
    timer.start();
    if (where.isFile()) {
        if (QFile::exists(where.server) && !force)
            throw ServerError(
                error::StoreExists,
                QStringLiteral("%1 exists already (use --force)").arg(EchoedInput::quoted(db)));
        demoIntoFile(where.server, demo);
    } else {
        auto store = openStore(db, true);
        if (!store->sql().query(QStringLiteral("SELECT 1 FROM firma")).isEmpty()) {
            if (!force)
                throw ServerError(error::StoreExists,
                                  QStringLiteral("%1 holds data already (use --force)")
                                      .arg(EchoedInput::quoted(db)));
            // one step, so that a kill leaves either the old store or a marked one
            Transaction replace(store->sql());
            Schema::drop(store->sql());
            Schema::create(store->sql());
            DemoGenerator::markIncomplete(store->sql());
            replace.commit();
        }
        DemoGenerator(store->sql(), demo).run([this](const QString &step, int percent) {
            progress(step, percent);
        });
    }
    endProgress();
    m_out << "demo store " << db << ": " << demo.lines << " sales lines up to "
          << demo.today.toString(Qt::ISODate) << " in " << timer.elapsed()
          << " ms; login company 1, branch 0, user DEM, password " << DemoGenerator::password
          << '\n';
    return 0;
}

void Tool::demoIntoFile(const QString &path, const DemoGenerator::Options &options)
{
    // Built beside the target and renamed over it at the end: a failure or a
    // kill leaves the old store (or none) as it was, never a partial one.
    const QString target = QFileInfo(path).absoluteFilePath();
    QTemporaryFile file(target + QStringLiteral(".demo-XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        throw ServerError(error::ConnectFailed,
                          QStringLiteral("cannot create a store beside %1: %2")
                              .arg(EchoedInput::quoted(path), file.errorString()));
    BuildingFile building { file.fileName() };
    file.close();
    {
        QString problem;
        int number = error::ConnectFailed;
        auto store = Store::open(building.path, QString(), true, &problem, &number);
        if (!store)
            throw ServerError(number,
                              QStringLiteral("cannot create %1: %2")
                                  .arg(EchoedInput::quoted(building.path), problem));
        DemoGenerator(store->sql(), options).run([this](const QString &step, int percent) {
            progress(step, percent);
        });
        // everything into the file itself, so that the rename carries it all
        store->sql().script(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    // The old store's WAL files would be read as the new store's: they go first.
    QFile::remove(target + QStringLiteral("-wal"));
    QFile::remove(target + QStringLiteral("-shm"));
    if (::rename(QFile::encodeName(building.path).constData(),
                 QFile::encodeName(target).constData())
        != 0)
        throw ServerError(error::ConnectFailed,
                          QStringLiteral("cannot rename %1 to %2: %3")
                              .arg(EchoedInput::quoted(building.path), EchoedInput::quoted(path),
                                   QString::fromLocal8Bit(std::strerror(errno))));
    QFile::remove(building.path + QStringLiteral("-wal"));
    QFile::remove(building.path + QStringLiteral("-shm"));
    building.path.clear();
}

int Tool::importMaster(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, {});
    if (options.positional.size() != 2)
        return usage();
    const QStringList lines = readLines(options.positional[1]);
    auto store = openForWriting(options.positional[0], QStringLiteral("import-master"));
    const int count = MasterImport(store->sql()).run(lines);
    store->sql().requireInPlace();
    m_out << "imported " << count << " master records\n";
    return 0;
}

int Tool::importSales(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, {});
    if (options.positional.size() != 2)
        return usage();
    QFile file(options.positional[1]);
    openInput(file);
    auto store = openForWriting(options.positional[0], QStringLiteral("import-sales"));
    CsvLineReader lines(file);
    const qint64 count
        = SalesImport(store->sql())
              .run(
                  lines, [this](int p) { progress(QStringLiteral("import"), p); }, file.size());
    store->sql().requireInPlace();
    endProgress();
    m_out << "imported " << count << " sales lines; run rebuild for the periods concerned\n";
    return 0;
}

int Tool::rebuild(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, { "company", "from", "to" });
    if (options.positional.size() != 1 || !options.has(QStringLiteral("company")))
        return usage();
    if (options.has(QStringLiteral("from")) != options.has(QStringLiteral("to")))
        bad(QStringLiteral("give both --from and --to, or neither"));
    auto store = openForWriting(options.positional[0], QStringLiteral("rebuild"));
    const QString company = options.value(QStringLiteral("company"));
    int from = 0, to = 0;
    if (options.has(QStringLiteral("from"))) {
        from = periodOption(options, QStringLiteral("from"));
        to = periodOption(options, QStringLiteral("to"));
    } else {
        const QList<SqlRow> range = store->sql().query(
            QStringLiteral("SELECT MIN(periode), MAX(periode) FROM umsatzzeile WHERE firma = ?"),
            { company });
        if (range.isEmpty() || range.first().value(0).isEmpty())
            bad(QStringLiteral("company %1 has no sales lines").arg(EchoedInput::quoted(company)));
        from = range.first()[0].toInt();
        to = range.first()[1].toInt();
    }
    QElapsedTimer timer;
    timer.start();
    progress(QStringLiteral("rebuild"), 0);
    store->generieren(company, Period::text(from), Period::text(to));
    store->sql().requireInPlace();
    endProgress();
    m_out << "rebuilt company " << company << " periods " << Period::text(from) << " to "
          << Period::text(to) << " in " << timer.elapsed() << " ms\n";
    return 0;
}

int Tool::archive(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, { "before" }, { "detach" });
    if (options.positional.size() != 1 || !options.has(QStringLiteral("before")))
        return usage();
    const int before = periodOption(options, QStringLiteral("before"));
    auto store = openForWriting(options.positional[0], QStringLiteral("archive"));
    const Archive::Outcome done
        = Archive(store->sql()).run(before, options.flags.contains(QStringLiteral("detach")));
    store->sql().requireInPlace();
    if (done.years.isEmpty()) {
        m_out << "no sales lines before " << Period::text(before) << "; nothing archived\n";
        return 0;
    }
    m_out << "archived the sales lines of " << done.years.first() << " to " << done.years.last()
          << " (" << done.lines << " lines"
          << (options.flags.contains(QStringLiteral("detach")) ? ", detached" : "")
          << "); their period sums stay\n";
    return 0;
}

int Tool::upgrade(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, {});
    if (options.positional.size() != 1)
        return usage();
    const QString db = options.positional[0];
    const ConnectString where = ConnectString::fromToolArgument(db);
    if (where.isFile()) {
        openForWriting(db, QStringLiteral("upgrade"));
        m_out << db << " is a SQLite store, one user's own file: nothing to upgrade\n";
        return 0;
    }
    QString why;
    auto sql = openPostgres(where.server, where.port, &why);
    if (!sql)
        throw ServerError(error::ConnectFailed,
                          QStringLiteral("cannot open %1: %2").arg(EchoedInput::quoted(db), why));
    if (!Schema::exists(*sql))
        throw ServerError(error::NotAStore,
                          QStringLiteral("no KORDEX store: %1").arg(EchoedInput::quoted(db)));
    if (const QString problem = Schema::problem(*sql); !problem.isEmpty())
        throw ServerError(error::NotAStore,
                          QStringLiteral("not a usable KORDEX store: %1").arg(problem));
    Transaction transaction(*sql);
    const bool before = ServerRights::installed(*sql);
    ServerRights::install(*sql);
    const QStringList needPassword = ServerRights::carryOverUsers(*sql);
    const QString users = sql->scalar(QStringLiteral("SELECT count(*) FROM personal"));
    const bool indexes = Schema::renewUnitIndexes(*sql);
    transaction.commit();
    m_out << "upgraded " << db << (before ? " again" : "") << ": roles and policies for " << users
          << " users" << (indexes ? ", the unit indexes remade" : "") << "\n";
    if (!needPassword.isEmpty())
        m_out << needPassword.size()
              << " users cannot log in until they get a password (kordexdb user set DB"
                 " --company C --user CODE --password-stdin): "
              << needPassword.join(QLatin1Char(' ')) << '\n';
    return 0;
}

int Tool::userSet(const QStringList &args)
{
    const auto options
        = ToolOptions::parse(args,
                             { "company", "user", "name", "rights", "department", "active",
                               "permitted", "restricted", "department-bound", "fax", "email" },
                             { "password-stdin" });
    if (options.positional.size() != 1 || !options.has(QStringLiteral("company"))
        || !options.has(QStringLiteral("user")))
        return usage();
    UserSettings s;
    s.company = options.value(QStringLiteral("company"));
    s.code = options.value(QStringLiteral("user"));
    if (options.flags.contains(QStringLiteral("password-stdin"))) {
        QString line = m_in.readLine();
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        s.password = line;
    }
    s.name = optionalValue(options, QStringLiteral("name"));
    if (options.has(QStringLiteral("rights")))
        s.rightsGroup = int(options.number(QStringLiteral("rights"), 0, 0, 99));
    s.department = optionalValue(options, QStringLiteral("department"));
    s.active = optionalValue(options, QStringLiteral("active"));
    s.permitted = optionalValue(options, QStringLiteral("permitted"));
    s.restricted = optionalValue(options, QStringLiteral("restricted"));
    s.departmentBound = optionalValue(options, QStringLiteral("department-bound"));
    s.fax = optionalValue(options, QStringLiteral("fax"));
    s.email = optionalValue(options, QStringLiteral("email"));
    auto store = openForWriting(options.positional[0], QStringLiteral("user set"));
    const bool created = UserAdmin(store->sql()).set(s);
    store->sql().requireInPlace();
    m_out << (created ? "created" : "changed") << " user " << s.code << " of company " << s.company
          << '\n';
    return 0;
}

int Tool::check(const QStringList &args)
{
    const auto options = ToolOptions::parse(args, {});
    if (options.positional.size() != 1)
        return usage();
    auto store = openStore(options.positional[0], false, Target::PreferStandby);
    SqlConnection &sql = store->sql();
    m_out << "KORDEX store " << options.positional[0] << " (schema "
          << sql.scalar(QStringLiteral("SELECT wert FROM kordex_meta WHERE schluessel = 'schema'"))
          << (sql.readOnly() ? ", read-only" : "") << ")\n";
    // The last line is the verdict: the first of these that applies.
    QString verdict;
    if (sql.dialect() == Dialect::Sqlite) {
        const QString damage = Schema::damage(sql);
        m_out << "file integrity: "
              << (damage.isEmpty() ? QStringLiteral("ok") : QStringLiteral("DAMAGED ") + damage)
              << '\n';
        if (!damage.isEmpty())
            verdict = QStringLiteral("store DAMAGED");
    }
    if (DemoGenerator::incomplete(sql)) {
        m_out << "demo INCOMPLETE: it stopped before its end; make it again with demo --force\n";
        if (verdict.isEmpty())
            verdict = QStringLiteral("demo INCOMPLETE");
    }
    bool consistent = true;
    bool built = true;
    for (const SqlRow &company :
         sql.query(QStringLiteral("SELECT firma, name FROM firma ORDER BY firma"))) {
        const QString c = company[0];
        const auto count = [&](const QString &table) {
            return sql.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE firma = ?").arg(table),
                              { c });
        };
        m_out << "company " << c << ' ' << toScreenText(company[1]) << ": "
              << count(QStringLiteral("profitcenter")) << " profit centres, "
              << count(QStringLiteral("hauptabteilung")) << " main departments, "
              << count(QStringLiteral("abteilung")) << " departments, "
              << count(QStringLiteral("hauptgruppe")) << " main groups, "
              << count(QStringLiteral("untergruppe")) << " subgroups, "
              << count(QStringLiteral("personal")) << " users\n";
        const SqlRow range
            = sql.query(
                     QStringLiteral("SELECT count(*), MIN(periode), MAX(periode) FROM umsatzzeile"
                                    " WHERE firma = ?"),
                     { c })
                  .value(0);
        const qint64 lineCount = range.value(0).toLongLong();
        const QString first = lineCount > 0 ? Period::text(range.value(1).toInt()) : QString();
        const QString last = lineCount > 0 ? Period::text(range.value(2).toInt()) : QString();
        m_out << "  sales lines: " << lineCount << " in periods " << first << " to " << last
              << '\n';
        const auto basis = store->dataBasis(c);
        if (!basis) {
            // Sales lines without sums: every query would answer zero.
            m_out << "  period sums: never built" << (lineCount > 0 ? " (run rebuild)" : "")
                  << '\n';
            built = built && lineCount == 0;
            continue;
        }
        const QDate builtOn((basis->dayNumber / 10000) + 1900, (basis->dayNumber / 100) % 100,
                            basis->dayNumber % 100);
        const QString upTo = Period::text(basis->lastPeriod);
        m_out << "  period sums: built up to " << upTo << " on " << builtOn.toString(Qt::ISODate)
              << '\n';
        const SumSelection all { c, range.value(1).toInt(), basis->lastPeriod, {} };
        const SumRow lines = PeriodSums::fromSalesLines(sql, all);
        m_out << "  revenue " << PeriodSums::money(PeriodSums::revenue(lines)) << ", margin "
              << PeriodSums::money(PeriodSums::margin(lines)) << " up to " << upTo << '\n';
        for (const Grain &grain : Schema::grains()) {
            if (PeriodSums::fromTable(sql, grain.table, all) != lines) {
                consistent = false;
                m_out << "  " << grain.table
                      << " does not match the sales lines (rebuild needed)\n";
            }
        }
    }
    if (verdict.isEmpty() && !consistent)
        verdict = QStringLiteral("sums INCONSISTENT");
    if (verdict.isEmpty() && !built)
        verdict = QStringLiteral("sums NOT BUILT");
    m_out << (verdict.isEmpty() ? QStringLiteral("sums consistent") : verdict) << '\n';
    return verdict.isEmpty() ? 0 : exitFailure;
}

int Tool::query(const QStringList &args)
{
    if (args.size() < 3)
        return usage();
    StoreFactory factory;
    if (!factory.OpenConnection(connectStringOf(args[0])))
        connectFailed(args[0], factory);
    auto result = factory.OpenQuery(args[1], args[2]);
    result->RunQuery(args.mid(3));
    while (result->NextRow()) {
        QStringList columns;
        for (int c = 1;; ++c) {
            try {
                columns.append(result->ColumnValue(c));
            } catch (const ServerError &e) {
                if (e.number() != error::BadColumn)
                    throw;
                break;
            }
        }
        m_out << columns.join(QLatin1Char('\t')) << '\n';
    }
    result->SYS_Close();
    return 0;
}

int Tool::object(const QStringList &args)
{
    if (args.size() < 4)
        return usage();
    StoreFactory factory;
    if (!factory.OpenConnection(connectStringOf(args[0])))
        connectFailed(args[0], factory);
    auto object = factory.OpenObject(args[1], args[2]);
    for (const QString &property : args.mid(3))
        m_out << property << '\t' << object->property(property) << '\n';
    object->SYS_Close();
    return 0;
}

int Tool::xecute(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    StoreFactory factory;
    if (!factory.OpenConnection(connectStringOf(args[0])))
        connectFailed(args[0], factory);
    auto windows = factory.NewObject(QStringLiteral("KX.Windows"));
    for (const QString &command : args.mid(1)) {
        const QString output = windows->call(QStringLiteral("Xecute"), { command });
        if (!output.isEmpty())
            m_out << QString(output).replace(QChar(0xFF), QLatin1Char('\n')) << '\n';
    }
    windows->SYS_Close();
    return 0;
}

} // namespace kordex
