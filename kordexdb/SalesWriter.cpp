#include "SalesWriter.h"

#include "EchoedInput.h"
#include "Period.h"
#include "Schema.h"
#include "SqlConnection.h"

namespace kordex {

namespace {

std::string utf8(const QString &text)
{
    return text.toStdString();
}

QString show(const std::string &text)
{
    return EchoedInput::quoted(QString::fromStdString(text));
}

} // namespace

SalesWriter::SalesWriter(SqlConnection &sql)
    : m_sql(sql)
{
    loadMasterData();
    m_partitioned = Schema::partitioned(m_sql);
    for (int year : Schema::partitionYears(m_sql))
        m_years.insert(year);
    // A bulk load larger than the page cache spills into the write-ahead log
    // page by page; a cache that holds the whole load avoids that.
    if (m_sql.dialect() == Dialect::Sqlite)
        m_sql.script(QStringLiteral("PRAGMA cache_size=-1048576"));
    m_nextLine
        = m_sql
              .scalar(QStringLiteral(
                          "SELECT wert FROM kordex_meta WHERE schluessel = 'naechste_zeile'"),
                      {}, QStringLiteral("1"))
              .toLongLong();
}

SalesWriter::~SalesWriter()
{
    if (m_sql.dialect() != Dialect::Sqlite)
        return;
    try {
        m_sql.script(QStringLiteral("PRAGMA cache_size=-65536"));
    } catch (...) {
        // the connection keeps the larger cache
    }
}

void SalesWriter::loadMasterData()
{
    for (const SqlRow &r :
         m_sql.query(QStringLiteral("SELECT firma, abtnr, pcnr, habt FROM abteilung")))
        m_companies[utf8(r[0])].departments[utf8(r[1])] = { utf8(r[2]), utf8(r[3]) };
    for (const SqlRow &r :
         m_sql.query(QStringLiteral("SELECT firma, svart, hvart FROM versandart")))
        m_companies[utf8(r[0])].shippingTypes[utf8(r[1])] = utf8(r[2]);
    for (const SqlRow &r : m_sql.query(QStringLiteral("SELECT firma, hgrp FROM hauptgruppe")))
        m_companies[utf8(r[0])].mainGroups.insert(utf8(r[1]));
    for (const SqlRow &r : m_sql.query(QStringLiteral("SELECT firma, hgrp, ugrp FROM untergruppe")))
        m_companies[utf8(r[0])].subGroups.insert(utf8(r[1]) + '\x1f' + utf8(r[2]));
    for (const SqlRow &r : m_sql.query(QStringLiteral("SELECT pg FROM hauptkundengruppe")))
        m_customerGroups.insert(utf8(r[0]));
    for (const SqlRow &r : m_sql.query(QStringLiteral("SELECT typ FROM artikeltyp")))
        m_articleTypes.insert(utf8(r[0]));
}

QString SalesWriter::problem(const SalesLine &line) const
{
    const auto company = m_companies.find(line.company);
    if (company == m_companies.end() || company->second.departments.empty())
        return QStringLiteral("Firma %1 unbekannt").arg(show(line.company));
    if (!Period::parse(Period::text(line.period)))
        return QStringLiteral("ungültige Periode %1").arg(line.period);
    const Company &c = company->second;
    if (!c.departments.contains(line.department))
        return QStringLiteral("Abteilung %1 unbekannt").arg(show(line.department));
    if (!c.mainGroups.contains(line.mainGroup))
        return QStringLiteral("Hauptgruppe %1 unbekannt").arg(show(line.mainGroup));
    if (!c.subGroups.contains(line.mainGroup + '\x1f' + line.subGroup))
        return QStringLiteral("Untergruppe %1 gehört nicht zu Hauptgruppe %2")
            .arg(show(line.subGroup), show(line.mainGroup));
    if (!m_customerGroups.contains(line.customerGroup))
        return QStringLiteral("Hauptkundengruppe %1 unbekannt").arg(show(line.customerGroup));
    if (!c.shippingTypes.contains(line.shippingType))
        return QStringLiteral("Versandart %1 unbekannt").arg(show(line.shippingType));
    if (!m_articleTypes.contains(line.articleType))
        return QStringLiteral("Artikeltyp %1 unbekannt").arg(show(line.articleType));
    return QString();
}

void SalesWriter::ensurePartition(int period)
{
    const int year = Period::year(period);
    if (!m_partitioned || m_years.contains(year))
        return;
    // The table cannot change while rows stream into it: end the stream first.
    if (m_writer)
        m_writer->finish();
    m_writer.reset();
    Schema::addPartition(m_sql, year);
    m_years.insert(year);
}

void SalesWriter::write(const SalesLine &line)
{
    ensurePartition(line.period);
    if (!m_writer) {
        QStringList columns { QStringLiteral("firma"), QStringLiteral("periode"),
                              QStringLiteral("zeile") };
        columns += Schema::dimensions();
        columns += Schema::measures();
        m_writer = m_sql.bulkWriter(QStringLiteral("umsatzzeile"), columns);
    }
    if (!m_lastCompany || m_lastCompanyCode != line.company) {
        m_lastCompany = &m_companies.at(line.company);
        m_lastCompanyCode = line.company;
    }
    const Company &c = *m_lastCompany;
    const Department &d = c.departments.at(line.department);
    BulkWriter &w = *m_writer;
    w.text(line.company);
    w.integer(line.period);
    w.integer(m_nextLine++);
    // pcnr habt abtnr hgrp ugrp pg hvart svart typ
    w.text(d.profitCentre);
    w.text(d.mainDepartment);
    w.text(line.department);
    w.text(line.mainGroup);
    w.text(line.subGroup);
    w.text(line.customerGroup);
    w.text(c.shippingTypes.at(line.shippingType));
    w.text(line.shippingType);
    w.text(line.articleType);
    for (qint64 amount : line.amounts)
        w.integer(amount);
    w.endRow();
    ++m_written;
}

qint64 SalesWriter::finish()
{
    if (m_writer)
        m_writer->finish();
    m_writer.reset();
    m_sql.execute(
        QStringLiteral("UPDATE kordex_meta SET wert = ? WHERE schluessel = 'naechste_zeile'"),
        { QString::number(m_nextLine) });
    return m_written;
}

} // namespace kordex
