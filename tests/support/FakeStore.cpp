#include "FakeStore.h"

#include "TextHelpers.h"

namespace {

constexpr int notConnected = 1001;
constexpr int notFound = 1002;
constexpr int unknownMember = 1003;
constexpr int commandFailed = 1004;

class FakeObject final : public kordex::ServerObject
{
public:
    FakeObject(FakeStore &store, QString className, QString id, QMap<QString, QString> properties)
        : m_store(store)
        , m_class(std::move(className))
        , m_id(std::move(id))
        , m_properties(std::move(properties))
    {
        ++m_store.objectsOpened;
    }

    QString property(const QString &name) override
    {
        check();
        if (name == u"Passwort")
            return {}; // the store never hands out a password
        if (!m_properties.contains(name))
            throw kordex::ServerError(unknownMember,
                                      QStringLiteral("Unbekannte Eigenschaft ") + name);
        return m_properties.value(name);
    }

    QString call(const QString &method, const QStringList &arguments) override
    {
        check();
        m_store.methodCalls.append(m_class + u'.' + method);
        const QString first = arguments.value(0);
        if (method == u"Xecute" && m_class == u"KX.Windows")
            return xecute(first);
        if (method == u"Generieren" && m_class == u"KXUmsatz.Daten") {
            m_store.generated << arguments;
            if (m_store.failGenerate)
                throw kordex::ServerError(commandFailed, QStringLiteral("Periode ungültig"));
            return {};
        }
        if (method == u"PasswortPruefen" && m_class == u"KX.ParPersEdv")
            return m_store.passwords.value(m_id) == first ? QStringLiteral("1")
                                                          : QStringLiteral("0");
        if (method.endsWith(u"LogicalToODBC", Qt::CaseInsensitive))
            return ertragon::TextHelpers::ConvertUmlauts(first, QStringLiteral("KORDEX"), false);
        throw kordex::ServerError(unknownMember, QStringLiteral("Unbekannte Methode ") + method);
    }

    void SYS_Close() override
    {
        check();
        m_closed = true;
        ++m_store.objectsClosed;
        if (m_store.throwOnClose)
            throw kordex::ServerError(notConnected, QStringLiteral("close failed"));
    }

private:
    QString xecute(const QString &command)
    {
        m_store.xecuted.append(command);
        if (m_store.failNextXecute || m_store.failingXecute.contains(command)) {
            m_store.failNextXecute = false;
            throw kordex::ServerError(commandFailed, QStringLiteral("<SYNTAX> ") + command);
        }
        if (m_store.xecuteOutputs.contains(command))
            return m_store.xecuteOutputs.value(command);
        const bool context = command.startsWith(QStringLiteral("S FIRMA="))
            || command == QStringLiteral("D ^%XTT");
        if (m_store.unknownCommandsFail && !context)
            throw kordex::ServerError(commandFailed,
                                      QStringLiteral("Befehl unbekannt: ") + command);
        return {};
    }

    void check() const
    {
        if (m_closed)
            throw kordex::ServerError(notFound, QStringLiteral("Objekt geschlossen"));
    }

    FakeStore &m_store;
    QString m_class;
    QString m_id;
    QMap<QString, QString> m_properties;
    bool m_closed = false;
};

class FakeResultSet final : public kordex::ResultSet
{
public:
    FakeResultSet(FakeStore &store, FakeQuery query)
        : m_store(store)
        , m_query(std::move(query))
    {
    }

    void RunQuery(const QStringList &arguments) override
    {
        m_query.args = arguments;
        m_store.queries << m_query;
        if (m_store.failAtQuery == m_store.queries.size())
            throw kordex::ServerError(commandFailed, QStringLiteral("Abfrage gescheitert"));
        const QString key = m_query.className + u'/' + m_query.query;
        if (m_store.rows.contains(key))
            m_rows = m_store.rows.value(key);
        else if (m_store.answer)
            m_rows = m_store.answer(m_query);
        m_row = -1;
    }
    bool NextRow() override { return ++m_row < m_rows.size(); }
    QString ColumnValue(int column) override
    {
        if (m_row < 0 || m_row >= m_rows.size())
            throw kordex::ServerError(notFound, QStringLiteral("Keine Zeile"));
        return m_rows.at(m_row).value(column - 1);
    }
    void SYS_Close() override { ++m_store.closedResultSets; }

private:
    FakeStore &m_store;
    FakeQuery m_query;
    FakeRows m_rows;
    int m_row = -1;
};

} // namespace

int FakeStore::count(const QString &query) const
{
    int n = 0;
    for (const FakeQuery &q : queries)
        n += q.query == query;
    return n;
}

kordex::FactoryMaker FakeStore::maker()
{
    return [this] {
        ++factoriesMade;
        return std::unique_ptr<kordex::Factory>(std::make_unique<FakeFactory>(*this));
    };
}

void FakeStore::addUser(const QString &firma, const QString &code, const QString &password,
                        const QString &active, const QString &rights)
{
    const QString id = firma + QStringLiteral("||") + code;
    const QString pnr = QStringLiteral("4711");
    objects[QStringLiteral("KX.ParPersEdv|") + id]
        = { { QStringLiteral("AKTIV"), active },
            { QStringLiteral("PNAME"), QStringLiteral("M}ller, J}rgen") },
            { QStringLiteral("PNR"), pnr },
            { QStringLiteral("AbtNr"), QStringLiteral("M3") },
            { QStringLiteral("DW"), QStringLiteral("27") },
            { QStringLiteral("BERGRP"), rights } };
    passwords[id] = password;
    objects[QStringLiteral("KX.ParPersAbt|") + firma + QStringLiteral("||M3")]
        = { { QStringLiteral("abtbez"), QStringLiteral("Gl{ser") },
            { QStringLiteral("AbtNr"), QStringLiteral("M3") },
            { QStringLiteral("HAbtNr"), QStringLiteral("H1") } };
    objects[QStringLiteral("KX.PersBasis|") + firma + QStringLiteral("||") + pnr]
        = { { QStringLiteral("fax"), QStringLiteral("0711-1") },
            { QStringLiteral("EMAIL"), QStringLiteral("jm@example.org") } };
}

FakeFactory::FakeFactory(FakeStore &store)
    : m_store(store)
{
}

bool FakeFactory::OpenConnection(const QString &connectString)
{
    ++m_store.connectAttempts;
    m_store.connectStrings.append(connectString);
    if (m_store.onConnectAttempt)
        m_store.onConnectAttempt();
    if (!m_store.up)
        return false;
    if (m_store.failConnects > 0) {
        --m_store.failConnects;
        return false;
    }
    m_open = true;
    m_generation = m_store.generation;
    return true;
}

bool FakeFactory::IsConnected()
{
    if (m_store.throwOnIsConnected)
        throw kordex::ServerError(notConnected, QStringLiteral("IsConnected failed"));
    return m_open && m_store.up && m_generation == m_store.generation;
}

void FakeFactory::CloseConnection()
{
    if (m_open)
        ++m_store.connectionsClosed;
    m_open = false;
    if (m_store.throwOnClose)
        throw kordex::ServerError(notConnected, QStringLiteral("close failed"));
}

void FakeFactory::requireConnection() const
{
    if (!m_open || !m_store.up || m_generation != m_store.generation)
        throw kordex::ServerError(notConnected, QStringLiteral("Keine Verbindung"));
}

std::unique_ptr<kordex::ServerObject> FakeFactory::OpenObject(const QString &className,
                                                              const QString &id)
{
    requireConnection();
    const QString key = className + u'|' + id;
    m_store.opened.append(key);
    if (m_store.failingObjects.contains(className) || m_store.failingObjects.contains(key)
        || !m_store.objects.contains(key))
        throw kordex::ServerError(notFound, QStringLiteral("Objekt nicht gefunden: ") + key);
    return std::make_unique<FakeObject>(m_store, className, id, m_store.objects.value(key));
}

std::unique_ptr<kordex::ServerObject> FakeFactory::NewObject(const QString &className)
{
    requireConnection();
    m_store.opened.append(className);
    if (m_store.failingObjects.contains(className))
        throw kordex::ServerError(notFound, QStringLiteral("Klasse nicht gefunden: ") + className);
    return std::make_unique<FakeObject>(m_store, className, QString(), QMap<QString, QString>());
}

std::unique_ptr<kordex::ResultSet> FakeFactory::OpenQuery(const QString &className,
                                                          const QString &queryName)
{
    requireConnection();
    return std::make_unique<FakeResultSet>(m_store, FakeQuery { className, queryName, {} });
}
