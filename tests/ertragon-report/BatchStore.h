#pragma once

#include "PgTestServer.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The demo store the batch tests run ertragon-report on, made by the kordexdb tool: a
// SQLite file, or with ERTRAGON_BATCH_ENGINE=postgres a PostgreSQL server where each
// user logs in as their own role.
class BatchStore
{
public:
    static bool onPostgres() { return qgetenv("ERTRAGON_BATCH_ENGINE") == "postgres"; }

    // False with the reason; lines sales lines up to 2005-03-15.
    bool make(const QString &folder, int lines, QString *why)
    {
        if (onPostgres()) {
            if (!m_server.start(why))
                return false;
            m_target = m_server.connectString();
            m_words = QStringList { m_server.host(), m_server.port() };
        } else {
            m_target = folder + QStringLiteral("/demo.db");
            m_words = QStringList { m_target };
        }
        QProcess demo;
        demo.start(
            QStringLiteral(KORDEXDB_TOOL),
            { "demo", m_target, "--lines", QString::number(lines), "--today", "2005-03-15" });
        if (!demo.waitForFinished(300000) || demo.exitCode() != 0) {
            *why = QString::fromUtf8(demo.readAllStandardError());
            return false;
        }
        return true;
    }
    // The store for the kordexdb tool: the file, or the connect string.
    const QString &target() const { return m_target; }
    // ertragon-report's arguments with the store's SERVER [PORT] words where target() stands.
    QStringList expand(const QStringList &arguments) const
    {
        QStringList result;
        for (const QString &argument : arguments) {
            if (argument == m_target)
                result += m_words;
            else
                result << argument;
        }
        return result;
    }

private:
    ertragon::test::PgTestServer m_server;
    QString m_target;
    QStringList m_words;
};
