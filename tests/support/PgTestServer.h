#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace ertragon::test {

// A throw-away PostgreSQL server for tests: initdb and pg_ctl in a temporary
// directory, listening on a free loopback port, a database "kordex". The admin
// "kordex" logs in without a password (trust); every other role with its password
// (scram-sha-256), as a chain's server has it, over TLS when the test gives the server
// a certificate. When the tests run as root the server runs as the "postgres" system
// user (or "nobody"). Stopped and removed on destruction. PGUSER is set to "kordex"
// for this process.
class PgTestServer
{
public:
    PgTestServer();
    ~PgTestServer();

    // The directory holding initdb and pg_ctl, or empty when none is installed.
    static QString binaryDirectory();

    // Before start(): the server's certificate and key (PEM files); every role but
    // the admin then logs in over TLS only (hostssl).
    void useTls(const QString &certificate, const QString &key);
    // False with the reason when the server cannot be started.
    bool start(QString *why);
    // This server as a streaming standby of a running primary: a base backup
    // (pg_basebackup -R) started on a port of its own; hot standby, read only.
    bool startStandby(const PgTestServer &primary, QString *why);
    void stop();
    bool running() const { return m_running; }

    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString port() const { return QString::number(m_port); }
    // "cn_iptcp:127.0.0.1[<port>]:KORDEX"
    QString connectString() const;
    // Drops and creates the database "kordex".
    bool resetDatabase(QString *why);

private:
    bool makeDirectory(QString *why);
    bool launch(QString *why);
    bool run(const QString &program, const QStringList &arguments, QString *why);
    bool execAdmin(const QString &sql, QString *why);
    bool configure(const QString &data, QString *why);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_binaries;
    QString m_runAs;
    QString m_certificate;
    QString m_key;
    int m_port = 0;
    bool m_running = false;
};

} // namespace ertragon::test
