#include <QProcess>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

// -h/--help, -v/--version, --name=value and unknown options of the four programs. They
// run with the xcb platform and no display, so a program that starts Qt's GUI on the way
// aborts instead of answering.
class CommandLinesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
    void passwordsStayHidden_data();
    void passwordsStayHidden();
};

void CommandLinesTest::answers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // what stdout begins with; empty: nothing on stdout
    QTest::addColumn<QString>("err"); // what stderr holds; empty: nothing
    // NAME=value set for the run (QT_LOGGING_RULES: none), or NAME= to remove NAME
    QTest::addColumn<QString>("env");

    const QString version = QStringLiteral(PROJECT_VERSION_TEXT);
    const QStringList programs { "ertragon", "ertragon-report", "kordexdb", "ctlhost" };
    const QStringList usage { "Aufruf: ertragon", "Aufruf: ertragon-report", "usage: kordexdb",
                              "usage: ctlhost" };
    for (qsizetype i = 0; i < programs.size(); ++i) {
        const QString &p = programs[i];
        const QByteArray name = p.toUtf8();
        QTest::newRow(name + " --help") << p << QStringList { "--help" } << 0 << usage[i] << ""
                                        << "";
        QTest::newRow(name + " -h") << p << QStringList { "-h" } << 0 << usage[i] << ""
                                    << "";
        QTest::newRow(name + " --help-all")
            << p << QStringList { "--help-all" } << 0 << usage[i] << ""
            << "";
        QTest::newRow(name + " --version")
            << p << QStringList { "--version" } << 0 << p + ' ' + version + '\n'
            << ""
            << "";
        QTest::newRow(name + " -v") << p << QStringList { "-v" } << 0 << p + ' ' + version + '\n'
                                    << ""
                                    << "";
        QTest::newRow(name + " --bogus") << p << QStringList { "--bogus" } << 1 << ""
                                         << "bogus"
                                         << "";
    }
    // help wins over login words and command words
    QTest::newRow("ertragon login words and --help")
        << "ertragon" << QStringList { "1", "0", "DEM", "-", "/nowhere/demo.db", "--help" } << 0
        << "Aufruf: ertragon"
        << ""
        << "";
    // a password that begins with "-" stays a login word, not an option
    for (const QString &p : { QStringLiteral("ertragon"), QStringLiteral("ertragon-report") })
        QTest::newRow(qPrintable(p + " password -x and --version"))
            << p << QStringList { "1", "0", "DEM", "-x", "/nowhere/demo.db", "--version" } << 0
            << p + ' ' + version + '\n'
            << ""
            << "";
    QTest::newRow("kordexdb COMMAND --help")
        << "kordexdb" << QStringList { "check", "/nowhere/demo.db", "--help" } << 0
        << "usage: kordexdb"
        << ""
        << "";
    QTest::newRow("kordexdb help") << "kordexdb" << QStringList { "help" } << 0 << "usage: kordexdb"
                                   << ""
                                   << "";
    // a value joined by "=" is read as the value
    QTest::newRow("ertragon-report --today=DATE without login words")
        << "ertragon-report" << QStringList { "--today=2005-03-15" } << 1 << ""
        << "Erwartet werden FIRMA"
        << "";
    QTest::newRow("ertragon-report --today=DATE with a bad date")
        << "ertragon-report"
        << QStringList { "1", "0", "DEM", "demo", "/nowhere/demo.db", "--today=2005-13-45" } << 1
        << ""
        << "--today"
        << "";
    QTest::newRow("kordexdb --lines=N")
        << "kordexdb" << QStringList { "demo", "/nowhere/demo.db", "--lines=abc" } << 1 << ""
        << "--lines needs a whole number from 0 to 1000000000, not \"abc\""
        << "";
    QTest::newRow("kordexdb a flag with a value")
        << "kordexdb" << QStringList { "demo", "/nowhere/demo.db", "--force=yes" } << 1 << ""
        << "--force takes no value"
        << "";
    QTest::newRow("ctlhost --script=FILE")
        << "ctlhost" << QStringList { "--script=/nowhere.ctl" } << 2 << ""
        << "cannot read /nowhere.ctl"
        << "";
    // diagnostics: silent by default, shown by QT_LOGGING_RULES
    QTest::newRow("kordexdb create, kordex.sql silent")
        << "kordexdb" << QStringList { "create", "@DIR@/silent.db" } << 0 << "created "
        << ""
        << "";
    QTest::newRow("kordexdb create, kordex.sql shown")
        << "kordexdb" << QStringList { "create", "@DIR@/shown.db" } << 0 << "created "
        << "SQLite: CREATE TABLE"
        << "QT_LOGGING_RULES=kordex.sql.debug=true";
    // the documented statuses of kordexdb and ctlhost for a wrong command line
    QTest::newRow("kordexdb unknown command")
        << "kordexdb" << QStringList { "frobnicate" } << 2 << ""
        << "usage: kordexdb"
        << "";
    // without a desktop session ertragon says so in one line instead of Qt's abort
    const QString noDesktop = QStringLiteral("Ertragon braucht eine Desktop-Sitzung");
    const QStringList login { "1", "0", "DEM", "-", "/nowhere/demo.db" };
    QTest::newRow("ertragon, platform xcb, no display")
        << "ertragon" << login << 1 << "" << noDesktop << "";
    QTest::newRow("ertragon, Qt's default platform, no display")
        << "ertragon" << login << 1 << "" << noDesktop << "QT_QPA_PLATFORM=";
    QTest::newRow("ertragon -platform wayland;xcb, no display")
        << "ertragon" << QStringList { "-platform", "wayland;xcb" } + login << 1 << "" << noDesktop
        << "";
    QTest::newRow("ertragon --help, no display")
        << "ertragon" << QStringList { "--help" } << 0 << "Aufruf: ertragon"
        << ""
        << "QT_QPA_PLATFORM=";
    QTest::newRow("ctlhost neither --script nor --gui") << "ctlhost" << QStringList {} << 2 << ""
                                                        << "usage: ctlhost"
                                                        << "";
}

void CommandLinesTest::answers()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, env);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    arguments.replaceInStrings(QStringLiteral("@DIR@"), dir.path());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    if (const QString name = env.section(QLatin1Char('='), 0, 0); !name.isEmpty()) {
        const QString value = env.section(QLatin1Char('='), 1);
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PROGRAM_DIR "/") + program, arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString stdOut = QString::fromUtf8(process.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QTEST(process.exitCode(), "status");
    if (out.isEmpty())
        QCOMPARE(stdOut, QString());
    else
        QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
    if (err.isEmpty()) {
        QCOMPARE(stdErr, QString());
    } else {
        QVERIFY2(stdErr.contains(err), qPrintable(stdErr));
        // a refused command line is one line; a usage text may be longer
        if (process.exitCode() != 0 && !err.startsWith(QLatin1String("usage")))
            QCOMPARE(stdErr.count(QLatin1Char('\n')), 1);
    }
}

namespace {

QByteArray procFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A program that holds a password shows it neither in ps (/proc/PID/cmdline) nor in its
// environment (/proc/PID/environ, which children inherit), and leaves no core dump. Each
// program waits for a store that is not there, so there is time to look.
void CommandLinesTest::passwordsStayHidden_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("environmentPassword"); // ERTRAGON_PASSWORD, if any
    const QStringList missing { "/nowhere/x.db" };
    for (const QString &p : { QStringLiteral("ertragon"), QStringLiteral("ertragon-report") }) {
        const QStringList pdf = p == QLatin1String("ertragon")
            ? QStringList()
            : QStringList { "--pdf", "/nowhere/r.pdf" };
        QTest::newRow(qPrintable(p + ", word 4"))
            << p << QStringList { "1", "0", "DEM", "geheim-4711" } + missing + pdf << QByteArray();
        QTest::newRow(qPrintable(p + ", ERTRAGON_PASSWORD"))
            << p << QStringList { "1", "0", "DEM", "-" } + missing + pdf
            << QByteArray("geheim-4711");
    }
}

void CommandLinesTest::passwordsStayHidden()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, environmentPassword);
    QFile pattern(QStringLiteral("/proc/sys/kernel/core_pattern"));
    if (pattern.open(QIODevice::ReadOnly) && pattern.readAll().startsWith('|'))
        QSKIP("core dumps go to a handler of the system, not to a file");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("pg-geheim-4711"));
    if (!environmentPassword.isEmpty())
        env.insert(QStringLiteral("ERTRAGON_PASSWORD"), QString::fromUtf8(environmentPassword));
    // the sanitizers' own signal handling and dump settings out of the way, so that
    // only the program decides whether a crash leaves a core file
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               QStringLiteral("handle_segv=0:disable_coredump=0:detect_leaks=0"));
    env.insert(QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("handle_segv=0"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.setChildProcessModifier([] {
        const rlimit core { 64 << 20, 64 << 20 };
        ::setrlimit(RLIMIT_CORE, &core);
    });
    process.start(QStringLiteral(PROGRAM_DIR "/") + program, arguments);
    QVERIFY(process.waitForStarted());
    const qint64 pid = process.processId();
    QTRY_VERIFY_WITH_TIMEOUT(!procFile(pid, "cmdline").isEmpty()
                                 && !procFile(pid, "cmdline").contains("geheim-4711"),
                             10000);
    // read once at start, then gone from the environment while the program runs on
    QTRY_VERIFY_WITH_TIMEOUT(!procFile(pid, "environ").contains("geheim-4711")
                                 && !procFile(pid, "environ").contains("pg-geheim"),
                             10000);
    QCOMPARE(process.state(), QProcess::Running);
    QVERIFY(procFile(pid, "cmdline").contains("DEM")); // the rest of the line stays
    ::kill(pid_t(pid), SIGSEGV);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QCOMPARE(QDir(dir.path()).entryList(QStringList { "core*" }, QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(CommandLinesTest)
#include "tst_commandlines.moc"
