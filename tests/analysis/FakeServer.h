#pragma once

// A scripted KORDEX store for the analysis tests: queries answer from tables,
// commands from a map, and every call is counted.

#include "Factory.h"
#include "Prompter.h"
#include "ServerAccess.h"
#include "ServerError.h"
#include "Waiter.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

namespace fake {

using Rows = QList<QStringList>;

struct Call
{
    QString className;
    QString query;
    QStringList args;
};

struct ServerState
{
    // "class/query" -> rows; queries not listed ask the answer function.
    QHash<QString, Rows> rows;
    std::function<Rows(const Call &)> answer;
    QHash<QString, QString> commands;
    QList<Call> queries;
    QStringList executed;
    QList<QStringList> generated;
    bool failGenerate = false;
    int failAtQuery = -1; // the n-th query (from 1) raises a server error
    int closedResultSets = 0;

    int count(const QString &query) const
    {
        int n = 0;
        for (const Call &c : queries)
            n += c.query == query;
        return n;
    }
};

class ResultSet final : public kordex::ResultSet
{
public:
    ResultSet(ServerState &state, Call call)
        : m_state(state)
        , m_call(std::move(call))
    {
    }
    void RunQuery(const QStringList &arguments) override
    {
        m_call.args = arguments;
        m_state.queries << m_call;
        if (m_state.failAtQuery == m_state.queries.size())
            throw kordex::ServerError(5001, QStringLiteral("Abfrage gescheitert"));
        const QString key = m_call.className + '/' + m_call.query;
        if (m_state.rows.contains(key))
            m_rows = m_state.rows.value(key);
        else if (m_state.answer)
            m_rows = m_state.answer(m_call);
    }
    bool NextRow() override { return ++m_row < m_rows.size(); }
    QString ColumnValue(int column) override
    {
        if (m_row < 0 || m_row >= m_rows.size())
            throw kordex::ServerError(5002, QStringLiteral("Keine Zeile"));
        return m_rows.at(m_row).value(column - 1);
    }
    void SYS_Close() override { ++m_state.closedResultSets; }

private:
    ServerState &m_state;
    Call m_call;
    Rows m_rows;
    int m_row = -1;
};

class Object final : public kordex::ServerObject
{
public:
    explicit Object(ServerState &state)
        : m_state(state)
    {
    }
    QString property(const QString &name) override
    {
        throw kordex::ServerError(5003, QStringLiteral("Unbekannt: ") + name);
    }
    QString call(const QString &method, const QStringList &arguments) override
    {
        if (method == QStringLiteral("Generieren")) {
            m_state.generated << arguments;
            if (m_state.failGenerate)
                throw kordex::ServerError(5006, QStringLiteral("Periode ungültig"));
            return {};
        }
        if (method != QStringLiteral("Xecute"))
            throw kordex::ServerError(5004, method);
        const QString cmd = arguments.value(0);
        m_state.executed << cmd;
        if (cmd.startsWith(QStringLiteral("S FIRMA=")) || cmd == QStringLiteral("D ^%XTT"))
            return {};
        if (!m_state.commands.contains(cmd))
            throw kordex::ServerError(5005, QStringLiteral("Befehl unbekannt"));
        return m_state.commands.value(cmd);
    }
    void SYS_Close() override { }

private:
    ServerState &m_state;
};

class Factory final : public kordex::Factory
{
public:
    explicit Factory(ServerState &state)
        : m_state(state)
    {
    }
    bool OpenConnection(const QString &) override { return true; }
    bool IsConnected() override { return true; }
    void CloseConnection() override { }
    std::unique_ptr<kordex::ServerObject> OpenObject(const QString &, const QString &) override
    {
        return std::make_unique<Object>(m_state);
    }
    std::unique_ptr<kordex::ServerObject> NewObject(const QString &) override
    {
        return std::make_unique<Object>(m_state);
    }
    std::unique_ptr<kordex::ResultSet> OpenQuery(const QString &className,
                                                 const QString &queryName) override
    {
        return std::make_unique<ResultSet>(m_state, Call { className, queryName, {} });
    }

private:
    ServerState &m_state;
};

struct Message
{
    ertragon::Prompter::Icon icon;
    QString title;
    QString text;
};

class Prompter final : public ertragon::Prompter
{
public:
    Answer ask(Icon icon, const QString &title, const QString &text, Buttons buttons) override
    {
        messages << Message { icon, title, text };
        return buttons == Buttons::YesNo ? (yes ? Answer::Yes : Answer::No) : Answer::Ok;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const Message &m : messages)
            t << m.text;
        return t;
    }
    QList<Message> messages;
    bool yes = false;
};

class Waiter final : public ertragon::Waiter
{
public:
    int waitHundredths(int) override { return 0; }
};

// A server access layer over the scripted store, logged in as company 1.
struct Server
{
    ServerState state;
    Prompter prompter;
    Waiter waiter;
    ertragon::ServerAccess access { [this] { return std::make_unique<Factory>(state); }, prompter,
                                    waiter };

    Server()
    {
        auto &c = access.context();
        c.firma = QStringLiteral("1");
        c.filiale = QStringLiteral("0");
        c.name = QStringLiteral("DEM");
        c.userDisplay = QStringLiteral("DEM|Demo Benutzer");
        c.rightsGroup = QStringLiteral("5");
        access.setShutdownHook([] {});
        access.setCursorHook([](bool) {});
    }
};

inline QString items(std::initializer_list<const char *> parts)
{
    QStringList l;
    for (const char *p : parts)
        l << QString::fromUtf8(p);
    return l.join(QChar(0xFF));
}

} // namespace fake
