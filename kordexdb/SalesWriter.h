#pragma once

#include <QString>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace kordex {

class BulkWriter;
class SqlConnection;

// One sales line as it enters the store; amounts in cents.
struct SalesLine
{
    std::string company;
    int period = 0;
    std::string department; // abtnr
    std::string mainGroup; // hgrp
    std::string subGroup; // ugrp
    std::string customerGroup; // pg: P or G
    std::string shippingType; // svart
    std::string articleType; // typ: L, B or W
    std::array<qint64, 6> amounts {}; // umsatz nebenerloes einsatz nebenkosten skonto nachlass
};

// Checks sales lines against the master data and appends them through the
// engine's bulk path, with profit centre, main department and main shipping
// type taken from the master data. The caller holds the transaction.
class SalesWriter
{
public:
    explicit SalesWriter(SqlConnection &sql);
    ~SalesWriter();

    // The problem with the line, or an empty text.
    QString problem(const SalesLine &line) const;
    // Writes a line that passed problem().
    void write(const SalesLine &line);
    // Flushes and stores the next line number; returns the lines written.
    qint64 finish();

private:
    struct Department
    {
        std::string profitCentre;
        std::string mainDepartment;
    };
    struct Company
    {
        std::unordered_map<std::string, Department> departments;
        std::unordered_map<std::string, std::string> shippingTypes; // svart -> hvart
        std::unordered_set<std::string> mainGroups;
        std::unordered_set<std::string> subGroups; // hgrp '\x1f' ugrp
    };

    void loadMasterData();
    // Makes the partition of the line's year before the first line of it.
    void ensurePartition(int period);

    SqlConnection &m_sql;
    std::unordered_map<std::string, Company> m_companies;
    std::unordered_set<std::string> m_customerGroups;
    std::unordered_set<std::string> m_articleTypes;
    bool m_partitioned = false;
    std::unordered_set<int> m_years; // years with a partition
    std::unique_ptr<BulkWriter> m_writer;
    const Company *m_lastCompany = nullptr;
    std::string m_lastCompanyCode;
    qint64 m_nextLine = 1;
    qint64 m_written = 0;
};

} // namespace kordex
