#include "PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <arpa/inet.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ertragon::test {

namespace {

int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool chownTree(const QString &path, const passwd *user)
{
    if (::chown(path.toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0)
        return false;
    return true;
}

bool writeFile(const QString &path, const QByteArray &text, bool append)
{
    QFile file(path);
    return file.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(text) == text.size();
}

} // namespace

PgTestServer::PgTestServer() = default;

PgTestServer::~PgTestServer()
{
    stop();
}

QString PgTestServer::binaryDirectory()
{
    const QByteArray configured = qgetenv("ERTRAGON_PG_BIN");
    if (!configured.isEmpty())
        return QString::fromLocal8Bit(configured);
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(found.begin(), found.end(),
              [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &version : found) {
        const QString bin = versions.filePath(version + QStringLiteral("/bin"));
        if (QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable())
            return bin;
    }
    const QString inPath = QStandardPaths::findExecutable(QStringLiteral("pg_ctl"));
    return inPath.isEmpty() ? QString() : QFileInfo(inPath).absolutePath();
}

QString PgTestServer::connectString() const
{
    return QStringLiteral("cn_iptcp:%1[%2]:KORDEX").arg(host(), port());
}

bool PgTestServer::run(const QString &program, const QStringList &arguments, QString *why)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args = arguments;
    QString executable = m_binaries + QLatin1Char('/') + program;
    if (!m_runAs.isEmpty()) {
        args = QStringList { QStringLiteral("-u"), m_runAs, QStringLiteral("--"), executable }
            + arguments;
        executable = QStringLiteral("runuser");
    }
    process.start(executable, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (why)
            *why = QStringLiteral("%1 failed: %2")
                       .arg(program, QString::fromLocal8Bit(process.readAll()));
        return false;
    }
    return true;
}

bool PgTestServer::makeDirectory(QString *why)
{
    m_binaries = binaryDirectory();
    if (m_binaries.isEmpty()) {
        if (why)
            *why = QStringLiteral("PostgreSQL server binaries not installed");
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kordex-pg-XXXXXX"));
    if (!m_dir->isValid()) {
        if (why)
            *why = QStringLiteral("no temporary directory");
        return false;
    }
    if (::geteuid() == 0) {
        const passwd *user = ::getpwnam("postgres");
        if (!user)
            user = ::getpwnam("nobody");
        if (!user || !chownTree(m_dir->path(), user)) {
            if (why)
                *why = QStringLiteral("cannot hand the directory to an unprivileged user");
            return false;
        }
        m_runAs = QString::fromLocal8Bit(user->pw_name);
    }
    return true;
}

bool PgTestServer::launch(QString *why)
{
    const QString data = m_dir->path() + QStringLiteral("/data");
    for (int attempt = 0; attempt < 5 && !m_running; ++attempt) {
        m_port = freeLoopbackPort();
        const QString options
            = QStringLiteral("-p %1 -c listen_addresses=127.0.0.1 -c unix_socket_directories='' "
                             "-c fsync=off -c full_page_writes=off -c synchronous_commit=off")
                  .arg(m_port);
        m_running = run(QStringLiteral("pg_ctl"),
                        { QStringLiteral("-D"), data, QStringLiteral("-l"),
                          m_dir->path() + QStringLiteral("/log"), QStringLiteral("-w"),
                          QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"), options,
                          QStringLiteral("start") },
                        why);
    }
    return m_running;
}

bool PgTestServer::start(QString *why)
{
    if (!makeDirectory(why))
        return false;
    const QString data = m_dir->path() + QStringLiteral("/data");
    if (!run(QStringLiteral("initdb"),
             { QStringLiteral("-D"), data, QStringLiteral("-A"), QStringLiteral("trust"),
               QStringLiteral("-U"), QStringLiteral("kordex"), QStringLiteral("-E"),
               QStringLiteral("UTF8"), QStringLiteral("--no-locale"), QStringLiteral("-N") },
             why))
        return false;
    if (!configure(data, why) || !launch(why))
        return false;
    qputenv("PGUSER", "kordex");
    qunsetenv("PGPASSWORD");
    return resetDatabase(why);
}

bool PgTestServer::startStandby(const PgTestServer &primary, QString *why)
{
    if (!makeDirectory(why))
        return false;
    // initdb's trust rules let the primary's superuser stream from loopback.
    return run(QStringLiteral("pg_basebackup"),
               { QStringLiteral("-h"), primary.host(), QStringLiteral("-p"), primary.port(),
                 QStringLiteral("-U"), QStringLiteral("kordex"), QStringLiteral("-D"),
                 m_dir->path() + QStringLiteral("/data"), QStringLiteral("-R"),
                 QStringLiteral("-X"), QStringLiteral("stream"), QStringLiteral("-c"),
                 QStringLiteral("fast") },
               why)
        && launch(why);
}

void PgTestServer::useTls(const QString &certificate, const QString &key)
{
    m_certificate = certificate;
    m_key = key;
}

bool PgTestServer::configure(const QString &data, QString *why)
{
    const QByteArray users = m_certificate.isEmpty() ? "host" : "hostssl";
    const QByteArray rules = "local all all trust\n"
                             "host all kordex 127.0.0.1/32 trust\n"
                             "host replication kordex 127.0.0.1/32 trust\n"
        + users + " all all 127.0.0.1/32 scram-sha-256\n";
    bool ok = writeFile(data + QStringLiteral("/pg_hba.conf"), rules, false);
    if (ok && !m_certificate.isEmpty()) {
        const QString certificate = data + QStringLiteral("/server.crt");
        const QString key = data + QStringLiteral("/server.key");
        ok = QFile::copy(m_certificate, certificate) && QFile::copy(m_key, key)
            && QFile::setPermissions(key, QFile::ReadOwner | QFile::WriteOwner)
            && writeFile(data + QStringLiteral("/postgresql.conf"), "\nssl = on\n", true);
        if (ok && !m_runAs.isEmpty()) {
            const passwd *user = ::getpwnam(m_runAs.toLocal8Bit().constData());
            ok = user && chownTree(certificate, user) && chownTree(key, user);
        }
    }
    if (!ok && why)
        *why = QStringLiteral("cannot write the server's configuration in %1").arg(data);
    return ok;
}

void PgTestServer::stop()
{
    if (!m_running)
        return;
    run(QStringLiteral("pg_ctl"),
        { QStringLiteral("-D"), m_dir->path() + QStringLiteral("/data"), QStringLiteral("-m"),
          QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop") },
        nullptr);
    m_running = false;
}

bool PgTestServer::execAdmin(const QString &sql, QString *why)
{
    const QByteArray info
        = QStringLiteral("host=%1 port=%2 dbname=postgres user=kordex connect_timeout=10")
              .arg(host(), port())
              .toUtf8();
    PGconn *conn = PQconnectdb(info.constData());
    bool ok = PQstatus(conn) == CONNECTION_OK;
    if (ok) {
        PGresult *result = PQexec(conn, sql.toUtf8().constData());
        ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
    }
    if (!ok && why)
        *why = QString::fromUtf8(PQerrorMessage(conn));
    PQfinish(conn);
    return ok;
}

bool PgTestServer::resetDatabase(QString *why)
{
    return execAdmin(QStringLiteral("DROP DATABASE IF EXISTS kordex WITH (FORCE)"), why)
        && execAdmin(QStringLiteral("CREATE DATABASE kordex"), why);
}

} // namespace ertragon::test
