#pragma once

// An in-memory KORDEX store for the tests: objects with their properties,
// commands with their outputs, queries answered from tables, connections that
// can fail, and a count of every call. Every factory made from one FakeStore
// shares its data and counters.

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <functional>
#include <kordex/Factory.h>
#include <kordex/ServerError.h>

using FakeRows = QList<QStringList>;

struct FakeQuery
{
    QString className;
    QString query;
    QStringList args;
};

struct FakeStore
{
    // The server: refuses connections while down; a restart drops every open connection.
    bool up = true;
    int generation = 0;
    int failConnects = 0; // the next n connect attempts fail
    QString connectError; // what a failed attempt gives as its cause
    bool throwOnIsConnected = false;
    bool throwOnClose = false;

    // Objects by class "|" id; each a property map.
    QMap<QString, QMap<QString, QString>> objects;
    QMap<QString, QString> passwords; // ParPersEdv id -> password
    QMap<QString, QString> xecuteOutputs; // command -> output
    bool unknownCommandsFail = false; // else an unknown command gives an empty output
    QSet<QString> failingXecute; // commands that raise a server error
    QSet<QString> failingObjects; // "class" or "class|id" whose opening fails
    bool failNextXecute = false;

    // Queries: "class/query" -> rows; queries not listed ask the answer function.
    QHash<QString, FakeRows> rows;
    std::function<FakeRows(const FakeQuery &)> answer;
    int failAtQuery = -1; // the n-th query (from 1) raises a server error
    // "Generieren" of KXUmsatz.Daten
    bool failGenerate = false;

    // Counters
    int factoriesMade = 0;
    int connectAttempts = 0;
    int connectionsClosed = 0;
    int objectsOpened = 0;
    int objectsClosed = 0;
    int closedResultSets = 0;
    QStringList connectStrings;
    QStringList xecuted;
    QStringList opened; // "class|id"
    QStringList methodCalls;
    QList<FakeQuery> queries;
    QList<QStringList> generated;

    std::function<void()> onConnectAttempt;

    kordex::FactoryMaker maker();
    void restart() { ++generation; }
    int openObjects() const { return objectsOpened - objectsClosed; }
    int count(const QString &query) const;
    // Adds a user with its department and personnel records.
    void addUser(const QString &firma, const QString &code, const QString &password,
                 const QString &active = QStringLiteral("J"),
                 const QString &rights = QStringLiteral("5"));
};

class FakeFactory final : public kordex::Factory
{
public:
    explicit FakeFactory(FakeStore &store);

    bool OpenConnection(const QString &connectString) override;
    QString lastError() const override { return m_store.connectError; }
    bool IsConnected() override;
    void CloseConnection() override;
    std::unique_ptr<kordex::ServerObject> OpenObject(const QString &className,
                                                     const QString &id) override;
    std::unique_ptr<kordex::ServerObject> NewObject(const QString &className) override;
    std::unique_ptr<kordex::ResultSet> OpenQuery(const QString &className,
                                                 const QString &queryName) override;

private:
    void requireConnection() const;

    FakeStore &m_store;
    bool m_open = false;
    int m_generation = -1;
};
