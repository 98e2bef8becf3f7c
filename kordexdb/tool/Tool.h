#pragma once

#include "DemoGenerator.h"
#include "SqlConnection.h"

#include <QStringList>
#include <QTextStream>
#include <memory>

namespace kordex {

class Store;

// The kordexdb command-line tool: create, demo, import, rebuild, user set,
// check, and query/object/xecute for inspection. Returns the exit status.
class Tool
{
public:
    Tool(QTextStream &out, QTextStream &err, QTextStream &in);
    int run(const QStringList &arguments);

private:
    int create(const QStringList &args);
    int demo(const QStringList &args);
    int importMaster(const QStringList &args);
    int importSales(const QStringList &args);
    int rebuild(const QStringList &args);
    int archive(const QStringList &args);
    int upgrade(const QStringList &args);
    int userSet(const QStringList &args);
    int check(const QStringList &args);
    int query(const QStringList &args);
    int object(const QStringList &args);
    int xecute(const QStringList &args);
    static QString usageText();
    int usage(); // on stderr, for a command line that is wrong
    int help(); // on stdout, when asked for

    std::unique_ptr<Store> openStore(const QString &db, bool create = false,
                                     Target target = Target::ReadWrite);
    // A store the command will write to: not read-only, not damaged, and no other
    // writer at work (work names this one to a writer that comes meanwhile).
    std::unique_ptr<Store> openForWriting(const QString &db, const QString &work);
    void demoIntoFile(const QString &path, const DemoGenerator::Options &options);
    QString connectStringOf(const QString &db) const;
    void progress(const QString &step, int percent);
    void endProgress();

    QTextStream &m_out;
    QTextStream &m_err;
    QTextStream &m_in;
    bool m_terminal;
    QString m_progressLine;
};

} // namespace kordex
